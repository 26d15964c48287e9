// File names made from program and bank names. Names come from host chunks,
// program and bank files and typing, so they may hold anything; the file
// they name must still lie inside the preset folder on every system: no
// folder separators, no drive letters, no "." or "..", no device names.
#pragma once

#include <string>

namespace presets {

// Longest file name (without extension) made from a name; program and bank
// names are 24 characters at most anyway.
constexpr size_t kMaxSafeNameLength = 64;

// The name as a plain file name, the same on every system (a preset folder
// copied from Linux to Windows keeps working): each control character and
// each of \ / : * ? " < > | becomes "_"; trailing dots and spaces go (Windows
// drops them, which would turn "CON." into "CON"); a Windows device name
// (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$, in any case, with or
// without extension) gets a leading "_"; nothing left gives "_". Cut to
// kMaxSafeNameLength characters first.
std::string safeFileName(const std::string& name);

// folder + the system's separator + safeFileName(name) + extension.
std::string presetFilePath(const std::string& folder, const std::string& name,
                           const char* extension);

}  // namespace presets
