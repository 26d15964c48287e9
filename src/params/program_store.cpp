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

}  // namespace params
