#include "presets/program_files.h"

#include <memory>
#include <new>

#include "params/parameter_table.h"
#include "platform/file_system.h"

namespace presets {

using params::BankImage;
using params::ProgramRecord;

namespace {

bool usablePath(const char* path) { return path && path[0]; }

// Bank images are 97 KB: copies go on the heap, not on the caller's stack.
std::unique_ptr<BankImage> newBankImage() {
  return std::unique_ptr<BankImage>(new (std::nothrow) BankImage);
}

}  // namespace

void upgradeOlderRecord(ProgramRecord& record) {
  if (record.version != params::kOlderVersion) return;
  if (record.values[params::kSpringBDiffusion] != 1.0f) return;
  record.values[params::kSpringBFreqLow] = 1.0f;
  record.values[params::kSpringBFreqHigh] = 0.5f;
}

void terminateTextFields(ProgramRecord& record) {
  record.name[params::kNameLength] = 0;
  record.path[params::kPathLength - 1] = 0;
}

bool saveProgramFile(ProgramRecord& record, const char* path) {
  if (!usablePath(path)) return false;
  ProgramRecord saved = record;
  saved.version = params::kCurrentVersion;
  params::setPathField(saved.path, path);
  if (!platform::replaceFileContents(path, &saved, sizeof saved)) return false;
  record = saved;
  return true;
}

bool loadProgramFile(ProgramRecord& record, const char* path) {
  if (!usablePath(path)) return false;
  ProgramRecord loaded;
  if (platform::readFileStart(path, &loaded, sizeof loaded) != static_cast<int64_t>(sizeof loaded))
    return false;
  params::setPathField(loaded.path, path);
  terminateTextFields(loaded);
  upgradeOlderRecord(loaded);
  record = loaded;
  return true;
}

bool saveBankFile(BankImage& bank, const char* path) {
  if (!usablePath(path)) return false;
  std::unique_ptr<BankImage> saved = newBankImage();
  if (!saved) return false;
  *saved = bank;
  params::setPathField(saved->bankPath, path);
  for (ProgramRecord& record : saved->programs) params::setPathField(record.path, path);
  if (!platform::replaceFileContents(path, saved.get(), sizeof *saved)) return false;
  bank = *saved;
  return true;
}

bool loadBankFile(BankImage& bank, const char* path) {
  if (!usablePath(path)) return false;
  std::unique_ptr<BankImage> loaded = newBankImage();
  if (!loaded) return false;
  if (platform::readFileStart(path, loaded.get(), sizeof *loaded) !=
      static_cast<int64_t>(sizeof *loaded))
    return false;
  for (ProgramRecord& record : loaded->programs) terminateTextFields(record);
  loaded->bankPath[params::kPathLength - 1] = 0;
  bank = *loaded;
  return true;
}

}  // namespace presets
