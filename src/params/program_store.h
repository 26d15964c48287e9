// The 64 programs in their two copies: the stored image that chunks and
// files read and write, and the working copy that parameter reads come
// from. The two differ only after something writes a stored record directly
// (a chunk, a file, storing or deleting a program) until that program is
// selected again.
#pragma once

#include <memory>

#include "params/program_record.h"

namespace params {

class ProgramStore {
 public:
  ProgramStore();

  // The working copies live on the heap; false when they cannot be had.
  bool allocateWorkingPrograms();
  bool hasWorkingPrograms() const { return workingPrograms_ != nullptr; }

  ProgramRecord& stored(int program) { return storedPrograms.programs[program]; }
  const ProgramRecord& stored(int program) const { return storedPrograms.programs[program]; }
  ProgramRecord& working(int program) { return workingPrograms_[program]; }
  const ProgramRecord& working(int program) const { return workingPrograms_[program]; }

  ProgramRecord defaultProgram;
  BankImage storedPrograms;
  char currentProgramName[kNameLength + 1];

 private:
  std::unique_ptr<ProgramRecord[]> workingPrograms_;
};

bool validProgram(int program);

// A parameter value may be written by setParameter on the audio thread
// (host automation) while other threads read or copy records, so single
// values move as relaxed atomic 32-bit accesses.
inline float loadValue(const float& value) {
  float v;
  __atomic_load(&value, &v, __ATOMIC_RELAXED);
  return v;
}
inline void storeValue(float& value, float v) { __atomic_store(&value, &v, __ATOMIC_RELAXED); }

// Whole records and images: values one by one as above, the rest by bytes.
void copyRecord(ProgramRecord& to, const ProgramRecord& from);
void copyValues(float* to, const float* from);
void copyBank(BankImage& to, const BankImage& from);

}  // namespace params
