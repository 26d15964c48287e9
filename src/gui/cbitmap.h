// An image in memory, backed by a native surface (premultiplied alpha, bytes
// blue, green, red, alpha; see native_surface.h). Reference counted: a new bitmap holds
// one reference; holders remember() it and everyone forget()s it.
#pragma once

#include <string>

#include "gui/cbase_object.h"
#include "gui/ccolor.h"
#include "gui/crect.h"
#include "gui/native_surface.h"

namespace gui {

class CBitmap : public CBaseObject {
 public:
  // A transparent bitmap. Sizes outside 0 to 32767 give a bitmap that is not
  // loaded (isLoaded() false, 0 x 0, drawing it does nothing).
  CBitmap(int width, int height);
#if !defined(_WIN32)
  // Takes over one reference of an image surface.
  explicit CBitmap(cairo_surface_t* imageSurface);
#endif
  ~CBitmap() override;
  CBitmap(const CBitmap&) = delete;
  CBitmap& operator=(const CBitmap&) = delete;

  // Reads a PNG file; null when it cannot be read.
  static CBitmap* readPng(const char* path);

  bool isLoaded() const;
  double getWidth() const { return width_; }
  double getHeight() const { return height_; }
  int getPixelWidth() const { return width_; }
  int getPixelHeight() const { return height_; }

  // Straight-alpha colour of one pixel; transparent black outside.
  CColor getPixel(int x, int y) const;
  // Writes one pixel given in straight alpha (ignored outside).
  void setPixel(int x, int y, const CColor& color);
  // Sets every pixel to the colour.
  void fill(const CColor& color);
  // Copies the pixels of another bitmap of the same size.
  bool copyFrom(const CBitmap& other);

  bool writePng(const char* path) const;
  bool writePng(const std::string& path) const { return writePng(path.c_str()); }

  // The backing surface (owned by the bitmap); null when not loaded.
  NativeSurface* getSurface() const { return surface_; }

 private:
  NativeSurface* surface_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace gui
