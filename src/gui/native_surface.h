// The pixel store under bitmaps, drawing contexts and the window's back
// buffer. Linux: a cairo image surface. Windows: rows of premultiplied
// blue, green, red, alpha pixels in memory the bitmap owns, with a GDI+
// bitmap over the same memory to draw into it. Both keep the same layout, so
// pixel access and the panel code see the same bytes on either system.
#pragma once

#if defined(_WIN32)
#include <cstdint>

namespace gui {

struct NativeSurface {
  uint8_t* data = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;                 // bytes per row
  void* gdiplusBitmap = nullptr;  // a GpBitmap over data
};

}  // namespace gui
#else
typedef struct _cairo_surface cairo_surface_t;

namespace gui {

using NativeSurface = cairo_surface_t;

}  // namespace gui
#endif
