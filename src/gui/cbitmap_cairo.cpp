// Bitmaps on cairo image surfaces (Linux).
#include "gui/cbitmap.h"

#include <cairo.h>

#include <cstring>

#include "gui/pixel_format.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "pixel access assumes cairo's ARGB32 is stored blue, green, red, alpha");

namespace gui {

namespace {

constexpr int kMaxSide = 32767;

bool usableImage(cairo_surface_t* s) {
  return s && cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
         cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE &&
         cairo_image_surface_get_format(s) == CAIRO_FORMAT_ARGB32;
}

}  // namespace

CBitmap::CBitmap(int width, int height) {
  if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) return;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return;
  }
  surface_ = s;
  width_ = width;
  height_ = height;
}

CBitmap::CBitmap(cairo_surface_t* imageSurface) {
  if (!usableImage(imageSurface)) {
    if (imageSurface) cairo_surface_destroy(imageSurface);
    return;
  }
  surface_ = imageSurface;
  width_ = cairo_image_surface_get_width(imageSurface);
  height_ = cairo_image_surface_get_height(imageSurface);
}

CBitmap::~CBitmap() {
  if (surface_) cairo_surface_destroy(surface_);
}

CBitmap* CBitmap::readPng(const char* path) {
  if (!path) return nullptr;
  cairo_surface_t* png = cairo_image_surface_create_from_png(path);
  if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(png);
    return nullptr;
  }
  // PNGs without alpha load as RGB24; copy into ARGB32 so every bitmap has
  // the same layout.
  const int w = cairo_image_surface_get_width(png);
  const int h = cairo_image_surface_get_height(png);
  auto* bitmap = new CBitmap(w, h);
  if (!bitmap->isLoaded()) {
    cairo_surface_destroy(png);
    bitmap->forget();
    return nullptr;
  }
  cairo_t* cr = cairo_create(bitmap->surface_);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, png, 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(png);
  cairo_surface_flush(bitmap->surface_);
  return bitmap;
}

bool CBitmap::isLoaded() const { return surface_ != nullptr; }

CColor CBitmap::getPixel(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return kTransparentCColor;
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  const unsigned char* p = data + static_cast<long>(y) * stride + x * 4;
  const uint8_t a = p[3];
  return CColor(unpremultiplyChannel(p[2], a), unpremultiplyChannel(p[1], a),
                unpremultiplyChannel(p[0], a), a);
}

void CBitmap::setPixel(int x, int y, const CColor& c) {
  if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  cairo_surface_flush(surface_);
  unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  unsigned char* p = data + static_cast<long>(y) * stride + x * 4;
  p[0] = premultiplyChannel(c.blue, c.alpha);
  p[1] = premultiplyChannel(c.green, c.alpha);
  p[2] = premultiplyChannel(c.red, c.alpha);
  p[3] = c.alpha;
  cairo_surface_mark_dirty_rectangle(surface_, x, y, 1, 1);
}

void CBitmap::fill(const CColor& c) {
  if (!surface_) return;
  cairo_t* cr = cairo_create(surface_);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface_);
}

bool CBitmap::copyFrom(const CBitmap& other) {
  if (!surface_ || !other.surface_ || other.width_ != width_ || other.height_ != height_)
    return false;
  cairo_surface_flush(other.surface_);
  cairo_surface_flush(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  const int otherStride = cairo_image_surface_get_stride(other.surface_);
  const unsigned char* src = cairo_image_surface_get_data(other.surface_);
  unsigned char* dst = cairo_image_surface_get_data(surface_);
  if (!src || !dst) return width_ == 0 || height_ == 0;
  for (int y = 0; y < height_; ++y)
    std::memcpy(dst + static_cast<long>(y) * stride, src + static_cast<long>(y) * otherStride,
                static_cast<size_t>(width_) * 4);
  cairo_surface_mark_dirty(surface_);
  return true;
}

bool CBitmap::writePng(const char* path) const {
  if (!surface_ || !path || width_ == 0 || height_ == 0) return false;
  cairo_surface_flush(surface_);
  return cairo_surface_write_to_png(surface_, path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace gui
