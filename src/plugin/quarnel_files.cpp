// Preset directory and program/bank files of the plug-in object. The files
// are written and read over the stored programs; the caller selects a
// program afterwards to bring a loaded record into the engine.
#include "plugin/quarnel.h"

#include <cstring>
#include <memory>

#include "platform/module_path.h"
#include "presets/preset_directories.h"
#include "presets/program_files.h"

void Quarnel::locateDirectories() {
  const presets::PresetDirectories directories =
      presets::locatePresetDirectories(platform::modulePath());
  moduleDirectory_ = directories.moduleDirectory;
  presetDirectory_ = directories.presetDirectory;
}

std::string Quarnel::getDirectory(bool preset) {
  return preset ? presetDirectory_ : moduleDirectory_;
}

// Files are written from a copy and read into one, so the audio thread's
// automation may go on writing values meanwhile.
bool Quarnel::saveProgramFile(int index, const char* path) {
  if (!params::validProgram(index)) return false;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  auto record = std::make_unique<params::ProgramRecord>();
  params::copyRecord(*record, programs_.stored(index));
  if (!presets::saveProgramFile(*record, path)) return false;
  // A save marks the record with the current version and the file's path;
  // the values stay as they are now.
  params::ProgramRecord& stored = programs_.stored(index);
  stored.version = record->version;
  std::memcpy(stored.path, record->path, sizeof stored.path);
  return true;
}

bool Quarnel::loadProgramFile(int index, const char* path) {
  if (!params::validProgram(index)) return false;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  auto record = std::make_unique<params::ProgramRecord>();
  params::copyRecord(*record, programs_.stored(index));
  if (!presets::loadProgramFile(*record, path)) return false;
  params::copyRecord(programs_.stored(index), *record);
  return true;
}

bool Quarnel::saveBankFile(const char* path) {
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  auto bank = std::make_unique<params::BankImage>();
  params::copyBank(*bank, programs_.storedPrograms);
  if (!presets::saveBankFile(*bank, path)) return false;
  // A save marks every record and the bank with the file's path.
  for (int p = 0; p < params::kNumPrograms; ++p)
    std::memcpy(programs_.stored(p).path, bank->programs[p].path, params::kPathLength);
  std::memcpy(programs_.storedPrograms.bankPath, bank->bankPath, params::kPathLength);
  return true;
}

bool Quarnel::loadBankFile(const char* path) {
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  auto bank = std::make_unique<params::BankImage>();
  params::copyBank(*bank, programs_.storedPrograms);
  if (!presets::loadBankFile(*bank, path)) return false;
  params::copyBank(programs_.storedPrograms, *bank);
  return true;
}
