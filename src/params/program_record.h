// The program and bank images: the host state chunk and the program and
// bank file formats, byte for byte (little-endian, no header, no padding).
#pragma once

#include <cstddef>
#include <cstdint>

#include "params/parameter_ids.h"

namespace params {

constexpr uint8_t kCurrentVersion = 2;
constexpr uint8_t kOlderVersion = 1;

struct ProgramRecord {
  uint8_t version;
  uint8_t unused1[3];
  float values[kNumParams];
  char path[kPathLength];
  char name[kNameLength + 1];
  uint8_t unused2[3];
};

struct BankImage {
  ProgramRecord programs[kNumPrograms];
  char bankPath[kPathLength];
};

static_assert(sizeof(float) == 4, "parameter values are IEEE single precision");
static_assert(offsetof(ProgramRecord, values) == 4, "ProgramRecord layout");
static_assert(offsetof(ProgramRecord, path) == 448, "ProgramRecord layout");
static_assert(offsetof(ProgramRecord, name) == 1472, "ProgramRecord layout");
static_assert(offsetof(ProgramRecord, unused2) == 1497, "ProgramRecord layout");
static_assert(sizeof(ProgramRecord) == 1500, "ProgramRecord layout");
static_assert(offsetof(BankImage, bankPath) == 96000, "BankImage layout");
static_assert(sizeof(BankImage) == 97024, "BankImage layout");
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the record images are little-endian and are stored as they lie in memory"
#endif

// Copies a name into a record's 25-byte name field: at most 24 characters,
// the rest zero, terminator always written.
void setRecordName(ProgramRecord& record, const char* name);

// Copies a path into a 1024-byte path field: at most 1023 characters.
void setPathField(char* field, const char* path);

// Reads a fixed text field that may lack its terminator: never looks past
// the field and always terminates the copy (out holds fieldSize bytes).
void readTextField(const char* field, int fieldSize, char* out);

}  // namespace params
