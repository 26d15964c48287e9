// Conversions between straight and premultiplied alpha for one 8-bit channel.
// Bitmaps keep cairo's premultiplied ARGB32 (bytes blue, green, red, alpha on
// little-endian machines); pixel access hands out straight alpha.
#pragma once

#include <cstdint>

namespace gui {

// Straight channel c at alpha a -> premultiplied, rounded to nearest.
constexpr uint8_t premultiplyChannel(uint8_t c, uint8_t a) {
  return static_cast<uint8_t>((c * a + 127) / 255);
}

// Premultiplied channel p at alpha a -> straight, rounded to nearest and
// clamped (p above a only comes from invalid data). Alpha 0 gives 0.
constexpr uint8_t unpremultiplyChannel(uint8_t p, uint8_t a) {
  if (a == 0) return 0;
  unsigned v = (p * 255u + a / 2u) / a;
  return static_cast<uint8_t>(v > 255u ? 255u : v);
}

// In-place conversion of rows of BGRA pixels.
void premultiplyRows(uint8_t* data, int width, int height, int bytesPerRow);
void unpremultiplyRows(uint8_t* data, int width, int height, int bytesPerRow);

}  // namespace gui
