#include "presets/safe_file_name.h"

#include <cctype>
#include <cstring>

#include "platform/module_path.h"

namespace presets {

namespace {

bool isForbidden(unsigned char c) {
  return c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr;
}

bool equalsIgnoringCase(const std::string& text, const char* word) {
  if (text.size() != std::strlen(word)) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) != word[i]) return false;
  }
  return true;
}

// Windows opens a device for these names whatever extension follows, and
// ignores spaces before the extension ("nul .vkp" is NUL too).
bool isDeviceName(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
    if (equalsIgnoringCase(stem, device)) return true;
  }
  if (stem.size() != 4) return false;
  const std::string port = stem.substr(0, 3);
  const unsigned char number = static_cast<unsigned char>(stem[3]);
  // Digits, and the superscript digits 1 to 3 of the Windows code page.
  const bool portNumber =
      std::isdigit(number) || number == 0xB9 || number == 0xB2 || number == 0xB3;
  return portNumber && (equalsIgnoringCase(port, "COM") || equalsIgnoringCase(port, "LPT"));
}

void dropTrailingDotsAndSpaces(std::string& text) {
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
}

}  // namespace

std::string safeFileName(const std::string& name) {
  std::string safe;
  for (char c : name) safe.push_back(isForbidden(static_cast<unsigned char>(c)) ? '_' : c);
  const size_t first = safe.find_first_not_of(". ");
  safe = first == std::string::npos ? std::string() : safe.substr(first);
  dropTrailingDotsAndSpaces(safe);
  if (safe.size() > kMaxFileNameStem) {
    // Device names are short, so the mark added below never makes a cut
    // name longer.
    safe.resize(kMaxFileNameStem);
    // Never end in the middle of a multi-byte character.
    while (!safe.empty() && (static_cast<unsigned char>(safe.back()) & 0xC0) == 0x80)
      safe.pop_back();
    if (!safe.empty() && static_cast<unsigned char>(safe.back()) >= 0xC0) safe.pop_back();
    dropTrailingDotsAndSpaces(safe);
  }
  if (safe.empty()) return "Untitled";
  if (isDeviceName(safe)) safe.insert(0, 1, '_');
  return safe;
}

std::string presetFilePath(const std::string& folder, const std::string& name,
                           const char* extension) {
  return folder + platform::pathSeparator() + safeFileName(name) + (extension ? extension : "");
}

}  // namespace presets
