// Bitmaps on Windows: premultiplied blue, green, red, alpha rows that the
// bitmap owns, with a GDI+ bitmap (32bppPARGB) over the same memory so
// drawing contexts can draw into them.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui/cbitmap.h"
#include "gui/gdiplus_win32.h"
#include "gui/pixel_format.h"

namespace gui {

namespace {

constexpr int kMaxSide = 32767;

// A surface of the given size with zeroed (transparent) pixels; null when
// memory or GDI+ fails.
NativeSurface* createSurface(int width, int height) {
  auto* s = new NativeSurface;
  s->width = width;
  s->height = height;
  s->stride = width * 4;
  const size_t bytes = static_cast<size_t>(s->stride) * static_cast<size_t>(height);
  if (bytes > 0) {
    s->data = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!s->data) {
      delete s;
      return nullptr;
    }
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (!gdiplusReady() ||
        gdip::GdipCreateBitmapFromScan0(width, height, s->stride, PixelFormat32bppPARGB, s->data,
                                        &bitmap) != Gdiplus::Ok) {
      std::free(s->data);
      delete s;
      return nullptr;
    }
    s->gdiplusBitmap = bitmap;
  }
  return s;
}

void destroySurface(NativeSurface* s) {
  if (!s) return;
  if (s->gdiplusBitmap) gdip::GdipDisposeImage(static_cast<Gdiplus::GpImage*>(s->gdiplusBitmap));
  std::free(s->data);
  delete s;
}

// The encoder GDI+ registers for a MIME type.
bool encoderFor(const wchar_t* mimeType, CLSID& clsid) {
  UINT count = 0, bytes = 0;
  if (gdip::GdipGetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<uint8_t> buffer(bytes);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (gdip::GdipGetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (codecs[i].MimeType && wcscmp(codecs[i].MimeType, mimeType) == 0) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

CBitmap::CBitmap(int width, int height) {
  if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) return;
  surface_ = createSurface(width, height);
  if (!surface_) return;
  width_ = width;
  height_ = height;
}

CBitmap::~CBitmap() { destroySurface(surface_); }

CBitmap* CBitmap::readPng(const char* path) {
  if (!path || !gdiplusReady()) return nullptr;
  const std::wstring wide = wideFromAnsi(path);
  Gdiplus::GpBitmap* file = nullptr;
  if (gdip::GdipCreateBitmapFromFile(wide.c_str(), &file) != Gdiplus::Ok || !file) return nullptr;
  UINT w = 0, h = 0;
  gdip::GdipGetImageWidth(file, &w);
  gdip::GdipGetImageHeight(file, &h);
  auto* bitmap = new CBitmap(static_cast<int>(w), static_cast<int>(h));
  bool ok = bitmap->isLoaded() && w > 0 && h > 0;
  if (ok) {
    // Converting to premultiplied pixels gives every bitmap the same layout.
    Gdiplus::Rect all(0, 0, static_cast<INT>(w), static_cast<INT>(h));
    Gdiplus::BitmapData locked;
    ok = gdip::GdipBitmapLockBits(file, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB,
                                  &locked) == Gdiplus::Ok;
    if (ok) {
      for (UINT y = 0; y < h; ++y)
        std::memcpy(
            bitmap->surface_->data + static_cast<size_t>(y) * bitmap->surface_->stride,
            static_cast<const uint8_t*>(locked.Scan0) + static_cast<size_t>(y) * locked.Stride,
            static_cast<size_t>(w) * 4);
      gdip::GdipBitmapUnlockBits(file, &locked);
    }
  }
  gdip::GdipDisposeImage(file);
  if (!ok) {
    bitmap->forget();
    return nullptr;
  }
  return bitmap;
}

bool CBitmap::isLoaded() const { return surface_ != nullptr; }

CColor CBitmap::getPixel(int x, int y) const {
  if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return kTransparentCColor;
  const uint8_t* p = surface_->data + static_cast<long>(y) * surface_->stride + x * 4;
  const uint8_t a = p[3];
  return CColor(unpremultiplyChannel(p[2], a), unpremultiplyChannel(p[1], a),
                unpremultiplyChannel(p[0], a), a);
}

void CBitmap::setPixel(int x, int y, const CColor& c) {
  if (!surface_ || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  uint8_t* p = surface_->data + static_cast<long>(y) * surface_->stride + x * 4;
  p[0] = premultiplyChannel(c.blue, c.alpha);
  p[1] = premultiplyChannel(c.green, c.alpha);
  p[2] = premultiplyChannel(c.red, c.alpha);
  p[3] = c.alpha;
}

void CBitmap::fill(const CColor& c) {
  if (!surface_ || !surface_->data) return;
  const uint8_t pixel[4] = {premultiplyChannel(c.blue, c.alpha),
                            premultiplyChannel(c.green, c.alpha),
                            premultiplyChannel(c.red, c.alpha), c.alpha};
  for (int y = 0; y < height_; ++y) {
    uint8_t* row = surface_->data + static_cast<long>(y) * surface_->stride;
    for (int x = 0; x < width_; ++x) std::memcpy(row + x * 4, pixel, 4);
  }
}

bool CBitmap::copyFrom(const CBitmap& other) {
  if (!surface_ || !other.surface_ || other.width_ != width_ || other.height_ != height_)
    return false;
  if (!surface_->data || !other.surface_->data) return width_ == 0 || height_ == 0;
  for (int y = 0; y < height_; ++y)
    std::memcpy(surface_->data + static_cast<long>(y) * surface_->stride,
                other.surface_->data + static_cast<long>(y) * other.surface_->stride,
                static_cast<size_t>(width_) * 4);
  return true;
}

bool CBitmap::writePng(const char* path) const {
  if (!surface_ || !surface_->gdiplusBitmap || !path || width_ == 0 || height_ == 0) return false;
  CLSID png;
  if (!encoderFor(L"image/png", png)) return false;
  const std::wstring wide = wideFromAnsi(path);
  return gdip::GdipSaveImageToFile(static_cast<Gdiplus::GpImage*>(surface_->gdiplusBitmap),
                                   wide.c_str(), &png, nullptr) == Gdiplus::Ok;
}

}  // namespace gui
