// Direct access to a bitmap's pixels as rows of 4-byte pixels in the order
// blue, green, red, alpha, with straight (not premultiplied) alpha unless
// asked otherwise. create() converts the pixels in place; releasing the
// access (forget) converts them back and tells cairo they changed.
//
//   if (auto* access = CBitmapPixelAccess::create(bitmap)) {
//     uint8_t* row = access->getAddress() + y * access->getBytesPerRow();
//     ...
//     access->forget();
//   }
#pragma once

#include <cstdint>

#include "gui/cbase_object.h"
#include "gui/ccolor.h"

namespace gui {

class CBitmap;

class CBitmapPixelAccess : public CBaseObject {
 public:
  // Null when the bitmap is null, not loaded or empty.
  static CBitmapPixelAccess* create(CBitmap* bitmap, bool alphaPremultiplied = false);
  ~CBitmapPixelAccess() override;

  uint8_t* getAddress() const { return data_; }
  int getBytesPerRow() const { return stride_; }
  int getBitmapWidth() const { return width_; }
  int getBitmapHeight() const { return height_; }
  bool isAlphaPremultiplied() const { return premultiplied_; }

  // A cursor for pixel-by-pixel work: setPosition, then get/setColor.
  bool setPosition(int x, int y);
  void getColor(CColor& color) const;
  void setColor(const CColor& color);
  // Advances the cursor by one pixel; false past the last pixel.
  bool operator++();

 private:
  CBitmapPixelAccess(CBitmap* bitmap, bool premultiplied);

  CBitmap* bitmap_;
  uint8_t* data_;
  int stride_;
  int width_;
  int height_;
  bool premultiplied_;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace gui
