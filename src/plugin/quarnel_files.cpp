// Preset directory and program/bank files of the plug-in object.
#include "plugin/quarnel.h"

#include "platform/module_path.h"

void Quarnel::locateDirectories() {
  moduleDirectory_ = platform::folderOf(platform::modulePath());
  presetDirectory_ = moduleDirectory_;
}

std::string Quarnel::getDirectory(bool preset) {
  return preset ? presetDirectory_ : moduleDirectory_;
}

bool Quarnel::saveProgramFile(int, const char*) { return false; }

bool Quarnel::loadProgramFile(int, const char*) { return false; }

bool Quarnel::saveBankFile(const char*) { return false; }

bool Quarnel::loadBankFile(const char*) { return false; }
