// File names made from program and bank names. Names come from the user and
// from hosts' chunks; whatever they hold, the file they name must be a
// plain, visible file inside the preset folder, on Linux and on Windows
// alike (a preset folder copied from one to the other keeps working).
#pragma once

#include <string>

namespace presets {

constexpr size_t kMaxFileNameStem = 120;

// The name as a file name stem (without extension): separators ("/", "\"),
// the characters Windows refuses in names (: * ? " < > |) and control
// characters become "_"; leading dots and spaces are dropped (so "..",
// ".hidden" and " " cannot name a folder step or a hidden file), and so are
// trailing dots and spaces (Windows drops them itself, which would turn
// "CON." into "CON"); the result is kept to kMaxFileNameStem bytes; a
// Windows device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$,
// in any case, with or without an extension) gets a leading "_"; an empty
// result becomes "Untitled".
std::string safeFileName(const std::string& name);

// folder + the system's separator + safeFileName(name) + extension.
std::string presetFilePath(const std::string& folder, const std::string& name,
                           const char* extension);

}  // namespace presets
