#include "params/program_record.h"

#include <cstring>

namespace params {

namespace {

void copyBounded(char* field, int fieldSize, const char* text) {
  int i = 0;
  if (text)
    for (; i < fieldSize - 1 && text[i]; ++i) field[i] = text[i];
  std::memset(field + i, 0, static_cast<size_t>(fieldSize - i));
}

}  // namespace

void setRecordName(ProgramRecord& record, const char* name) {
  copyBounded(record.name, kNameLength + 1, name);
}

void setPathField(char* field, const char* path) { copyBounded(field, kPathLength, path); }

void readTextField(const char* field, int fieldSize, char* out) {
  int i = 0;
  for (; i < fieldSize - 1 && field[i]; ++i) out[i] = field[i];
  out[i] = 0;
}

}  // namespace params
