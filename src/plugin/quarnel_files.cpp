// Preset directory and program/bank files of the plug-in object. The files
// are written and read over the stored programs; the caller selects a
// program afterwards to bring a loaded record into the engine.
#include "plugin/quarnel.h"

#include "platform/module_path.h"
#include "presets/preset_directories.h"
#include "presets/program_files.h"

void Quarnel::locateDirectories() {
  usePresetDirectories(
      presets::locatePresetDirectories(platform::modulePath(), presets::userPresetDirectory()));
}

void Quarnel::usePresetDirectories(const presets::PresetDirectories& directories) {
  moduleDirectory_ = directories.moduleDirectory;
  presetDirectory_ = directories.presetDirectory;
  sharedPresetDirectory_ = directories.sharedDirectory;
}

std::string Quarnel::getSharedPresetDirectory() { return sharedPresetDirectory_; }

std::string Quarnel::getDirectory(bool preset) {
  return preset ? presetDirectory_ : moduleDirectory_;
}

bool Quarnel::saveProgramFile(int index, const char* path) {
  if (!params::validProgram(index)) return false;
  return presets::saveProgramFile(programs_.stored(index), path);
}

bool Quarnel::loadProgramFile(int index, const char* path) {
  if (!params::validProgram(index)) return false;
  return presets::loadProgramFile(programs_.stored(index), path);
}

bool Quarnel::saveBankFile(const char* path) {
  return presets::saveBankFile(programs_.storedPrograms, path);
}

bool Quarnel::loadBankFile(const char* path) {
  return presets::loadBankFile(programs_.storedPrograms, path);
}
