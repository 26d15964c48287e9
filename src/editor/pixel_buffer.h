// A view of 32-bit pixels in memory: blue, green, red, alpha bytes per pixel
// (straight alpha), rows bytesPerRow apart. The generators write through it
// without knowing who owns the memory.
#pragma once

#include <cstddef>
#include <cstdint>

namespace editor {

struct PixelBuffer {
  uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int bytesPerRow = 0;

  bool valid() const {
    return pixels != nullptr && width > 0 && height > 0 && bytesPerRow >= width * 4;
  }
  uint8_t* row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * bytesPerRow; }
};

}  // namespace editor
