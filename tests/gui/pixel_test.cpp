#include <gtest/gtest.h>

#include "gui/color_printer.h"

#include <cairo.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "gui/cbitmap.h"
#include "gui/cbitmap_pixel_access.h"
#include "gui/pixel_format.h"

namespace {

using namespace gui;

TEST(PixelFormat, PremultipliedValuesSurviveTheStraightRoundTrip) {
  // Every valid premultiplied channel (p <= a) converts to straight and back
  // unchanged, so opening and releasing a pixel access loses nothing.
  for (int a = 0; a <= 255; ++a) {
    for (int p = 0; p <= a; ++p) {
      const uint8_t straight =
          unpremultiplyChannel(static_cast<uint8_t>(p), static_cast<uint8_t>(a));
      ASSERT_EQ(premultiplyChannel(straight, static_cast<uint8_t>(a)), p)
          << "a=" << a << " p=" << p;
    }
  }
}

TEST(PixelFormat, StraightValuesComeBackWithinRounding) {
  for (int a = 1; a <= 255; ++a) {
    for (int c = 0; c <= 255; ++c) {
      const uint8_t p = premultiplyChannel(static_cast<uint8_t>(c), static_cast<uint8_t>(a));
      const int back = unpremultiplyChannel(p, static_cast<uint8_t>(a));
      // One premultiplied step spans 255 / a straight steps.
      ASSERT_LE(std::abs(back - c), 255 / (2 * a) + 1) << "a=" << a << " c=" << c;
    }
  }
  EXPECT_EQ(unpremultiplyChannel(10, 0), 0);
  EXPECT_EQ(unpremultiplyChannel(200, 100), 255);  // invalid input is clamped
}

TEST(PixelAccess, WritesStraightBgraRowsAndCairoSeesPremultiplied) {
  CBitmap bitmap(3, 2);
  ASSERT_TRUE(bitmap.isLoaded());
  CBitmapPixelAccess* access = CBitmapPixelAccess::create(&bitmap);
  ASSERT_NE(access, nullptr);
  ASSERT_EQ(access->getBitmapWidth(), 3);
  ASSERT_EQ(access->getBitmapHeight(), 2);
  ASSERT_GE(access->getBytesPerRow(), 12);
  uint8_t* row1 = access->getAddress() + access->getBytesPerRow();
  // Pixel (2, 1): red 200, green 100, blue 50, alpha 128, straight.
  row1[8] = 50;
  row1[9] = 100;
  row1[10] = 200;
  row1[11] = 128;
  access->forget();

  const unsigned char* data = cairo_image_surface_get_data(bitmap.getSurface());
  const unsigned char* p = data + cairo_image_surface_get_stride(bitmap.getSurface()) + 8;
  EXPECT_EQ(p[0], premultiplyChannel(50, 128));
  EXPECT_EQ(p[1], premultiplyChannel(100, 128));
  EXPECT_EQ(p[2], premultiplyChannel(200, 128));
  EXPECT_EQ(p[3], 128);
  // Premultiplied storage at alpha 128 keeps about 7 bits per channel.
  const CColor stored = bitmap.getPixel(2, 1);
  EXPECT_NEAR(stored.red, 200, 1);
  EXPECT_NEAR(stored.green, 100, 1);
  EXPECT_NEAR(stored.blue, 50, 1);
  EXPECT_EQ(stored.alpha, 128);
  EXPECT_EQ(bitmap.getPixel(0, 0), kTransparentCColor);
  EXPECT_EQ(bitmap.getPixel(-1, 0), kTransparentCColor);
  EXPECT_EQ(bitmap.getPixel(3, 0), kTransparentCColor);

  // Reopening shows the same straight values as reading the bitmap.
  access = CBitmapPixelAccess::create(&bitmap);
  ASSERT_TRUE(access->setPosition(2, 1));
  CColor color;
  access->getColor(color);
  EXPECT_EQ(color, stored);
  EXPECT_FALSE(access->setPosition(3, 1));
  access->forget();
}

TEST(PixelAccess, CursorWalksEveryPixel) {
  CBitmap bitmap(4, 3);
  CBitmapPixelAccess* access = CBitmapPixelAccess::create(&bitmap);
  ASSERT_NE(access, nullptr);
  int count = 0;
  access->setPosition(0, 0);
  do {
    access->setColor(CColor(static_cast<uint8_t>(count), 0, 0, 255));
    ++count;
  } while (++*access);
  access->forget();
  EXPECT_EQ(count, 12);
  EXPECT_EQ(bitmap.getPixel(3, 2).red, 11);
  EXPECT_EQ(bitmap.getPixel(1, 1).red, 5);
}

TEST(PixelAccess, UnusableBitmapsGiveNoAccess) {
  EXPECT_EQ(CBitmapPixelAccess::create(nullptr), nullptr);
  CBitmap empty(0, 0);
  EXPECT_EQ(CBitmapPixelAccess::create(&empty), nullptr);
  CBitmap huge(40000, 10);
  EXPECT_FALSE(huge.isLoaded());
  EXPECT_EQ(CBitmapPixelAccess::create(&huge), nullptr);
  CBitmap negative(-5, 10);
  EXPECT_FALSE(negative.isLoaded());
}

TEST(Bitmap, PngWriteAndReadKeepPixels) {
  CBitmap bitmap(5, 4);
  bitmap.fill(CColor(10, 20, 30, 255));
  bitmap.setPixel(1, 2, CColor(250, 128, 0, 255));
  bitmap.setPixel(3, 3, CColor(0, 0, 255, 64));
  char path[] = "/tmp/vellmark-bitmap-XXXXXX.png";
  const int fd = mkstemps(path, 4);
  ASSERT_GE(fd, 0);
  close(fd);
  ASSERT_TRUE(bitmap.writePng(path));
  CBitmap* read = CBitmap::readPng(path);
  unlink(path);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->getPixelWidth(), 5);
  EXPECT_EQ(read->getPixel(0, 0), CColor(10, 20, 30, 255));
  EXPECT_EQ(read->getPixel(1, 2), CColor(250, 128, 0, 255));
  EXPECT_EQ(read->getPixel(3, 3).alpha, 64);
  read->forget();
  EXPECT_EQ(CBitmap::readPng("/nonexistent/file.png"), nullptr);
}

}  // namespace
