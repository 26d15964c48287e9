// Program files (".vkp": one program record) and bank files (".vkb": the
// whole bank image), byte for byte as the host's program and bank chunks.
// Nothing in a file identifies it; its size and its extension are all there
// is. Every operation reports what really happened, and a failed one leaves
// both the program store and any existing file as they were.
#pragma once

#include "params/program_record.h"

namespace presets {

constexpr size_t kProgramFileBytes = sizeof(params::ProgramRecord);
constexpr size_t kBankFileBytes = sizeof(params::BankImage);

// Records of the older format kept the noise-mode settings elsewhere: in
// noise mode (value 22 exactly 1) the noise frequency becomes 1 and the
// noise resonance 0.5. The version byte is left as it is.
void upgradeOlderRecord(params::ProgramRecord& record);

// Puts terminators at the ends of a record's name and path fields, so text
// read from a file never runs past its field.
void terminateTextFields(params::ProgramRecord& record);

// Writes the record to `path` as a program file, marked with the current
// format and the path it was saved to; the record takes both only when the
// whole file was written.
bool saveProgramFile(params::ProgramRecord& record, const char* path);

// Reads a program file over the record: the first 1500 bytes of the file
// (more are ignored), the path it came from, and the upgrade of older
// records. A file that is missing, unreadable or shorter than a record
// changes nothing.
bool loadProgramFile(params::ProgramRecord& record, const char* path);

// Writes the bank to `path` as a bank file; the bank path and all 64 record
// paths become `path` in the file and, when the whole file was written, in
// the bank.
bool saveBankFile(params::BankImage& bank, const char* path);

// Reads a bank file over the bank: the first 97,024 bytes (more are
// ignored). The bank path is the one stored in the file; no record is
// upgraded. A file that is missing, unreadable or short changes nothing.
bool loadBankFile(params::BankImage& bank, const char* path);

}  // namespace presets
