#include "presets/safe_file_name.h"

namespace presets {

std::string safeFileName(const std::string& name) {
  std::string safe;
  for (char c : name) {
    const unsigned char byte = static_cast<unsigned char>(c);
    safe.push_back(c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F ? '_' : c);
  }
  const size_t first = safe.find_first_not_of(". ");
  safe = first == std::string::npos ? std::string() : safe.substr(first);
  while (!safe.empty() && safe.back() == ' ') safe.pop_back();
  if (safe.size() > kMaxFileNameStem) {
    safe.resize(kMaxFileNameStem);
    // Never end in the middle of a multi-byte character.
    while (!safe.empty() && (static_cast<unsigned char>(safe.back()) & 0xC0) == 0x80) safe.pop_back();
    if (!safe.empty() && static_cast<unsigned char>(safe.back()) >= 0xC0) safe.pop_back();
  }
  return safe.empty() ? "Untitled" : safe;
}

}  // namespace presets
