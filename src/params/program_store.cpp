#include "params/program_store.h"

#include <cstring>
#include <new>

#include "params/parameter_table.h"

namespace params {

ProgramStore::ProgramStore() {
  fillDefaults(defaultProgram);
  for (ProgramRecord& record : storedPrograms.programs) record = defaultProgram;
  std::memset(storedPrograms.bankPath, 0, sizeof storedPrograms.bankPath);
  std::memset(currentProgramName, 0, sizeof currentProgramName);
}

bool ProgramStore::allocateWorkingPrograms() {
  workingPrograms_.reset(new (std::nothrow) ProgramRecord[kNumPrograms]);
  if (!workingPrograms_) return false;
  for (int p = 0; p < kNumPrograms; ++p) workingPrograms_[p] = defaultProgram;
  return true;
}

bool validProgram(int program) { return program >= 0 && program < kNumPrograms; }

void copyValues(float* to, const float* from) {
  for (int i = 0; i < kNumParams; ++i) storeValue(to[i], loadValue(from[i]));
}

void copyRecord(ProgramRecord& to, const ProgramRecord& from) {
  to.version = from.version;
  std::memcpy(to.unused1, from.unused1, sizeof to.unused1);
  copyValues(to.values, from.values);
  std::memcpy(to.path, from.path, sizeof to.path);
  std::memcpy(to.name, from.name, sizeof to.name);
  std::memcpy(to.unused2, from.unused2, sizeof to.unused2);
}

void copyBank(BankImage& to, const BankImage& from) {
  for (int p = 0; p < kNumPrograms; ++p) copyRecord(to.programs[p], from.programs[p]);
  std::memcpy(to.bankPath, from.bankPath, sizeof to.bankPath);
}

}  // namespace params
