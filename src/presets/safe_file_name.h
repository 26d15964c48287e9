// File names made from program and bank names. Names come from the user and
// from hosts' chunks; whatever they hold, the file they name must be a
// plain, visible file inside the preset folder.
#pragma once

#include <string>

namespace presets {

constexpr size_t kMaxFileNameStem = 120;

// The name as a file name stem (without extension): separators ("/", "\")
// and control characters become "_", leading dots and spaces and trailing
// spaces are dropped (so "..", ".hidden" and " " cannot name a folder step
// or a hidden file), the result is kept to kMaxFileNameStem bytes, and an
// empty result becomes "Untitled".
std::string safeFileName(const std::string& name);

}  // namespace presets
