#include "gui/utf8_text.h"

#include <cstdint>

namespace gui {

namespace {

// Length of the valid UTF-8 sequence starting at s, or 0.
size_t validSequenceLength(const unsigned char* s) {
  const unsigned char c = s[0];
  if (c < 0x80) return 1;
  size_t length;
  uint32_t min;
  uint32_t cp;
  if ((c & 0xE0) == 0xC0) {
    length = 2;
    min = 0x80;
    cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    length = 3;
    min = 0x800;
    cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    length = 4;
    min = 0x10000;
    cp = c & 0x07;
  } else {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return 0;  // also stops at the terminator
    cp = (cp << 6) | (s[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string sanitizeUtf8(const char* text) {
  std::string out;
  if (!text) return out;
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  while (*s) {
    const size_t n = validSequenceLength(s);
    if (n == 0) {
      out.push_back('?');
      ++s;
    } else if (n == 1) {
      out.push_back((*s < 0x20 || *s == 0x7F) ? ' ' : static_cast<char>(*s));
      ++s;
    } else {
      out.append(reinterpret_cast<const char*>(s), n);
      s += n;
    }
  }
  return out;
}

}  // namespace gui
