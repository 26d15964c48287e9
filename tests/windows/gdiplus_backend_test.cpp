// What only the GDI+ backend has: fonts found by family name among the
// system's fonts, and bitmaps whose memory GDI+ draws into directly.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "gui/cbitmap.h"
#include "gui/cbitmap_pixel_access.h"
#include "gui/cfont_desc.h"
#include "gui/coffscreen_context.h"

using namespace gui;

TEST(GdiplusFonts, UsualNamesFindAFamilyAndUnknownOnesFallBack) {
  const std::string arial = CFontDesc("Arial", 12).resolvedFamily();
  EXPECT_TRUE(arial == "Arial" || arial == "Liberation Sans") << arial;
  EXPECT_NE(CFontDesc("Arial", 12).getFontFamily(), nullptr);
  // One family serves every size and style.
  EXPECT_EQ(CFontDesc("Arial", 10).getFontFamily(),
            CFontDesc("Arial", 30, kBoldFace).getFontFamily());
  // An unknown name gives the system's sans-serif family, never nothing.
  CFontDesc unknown("No Such Family Here", 12);
  EXPECT_NE(unknown.getFontFamily(), nullptr);
  EXPECT_FALSE(unknown.resolvedFamily().empty());
  // Text in it still measures.
  COffscreenContext* context = COffscreenContext::create(nullptr, 50, 20);
  ASSERT_NE(context, nullptr);
  context->setFont(unknown);
  EXPECT_GT(context->getStringWidth("abc"), 5.0);
  context->forget();
}

TEST(GdiplusBitmaps, DrawingPixelAccessAndPngShareTheSameMemory) {
  COffscreenContext* context = COffscreenContext::create(nullptr, 8, 4);
  ASSERT_NE(context, nullptr);
  CBitmap* bitmap = context->getBitmap();
  bitmap->remember();
  context->setFillColor(CColor(255, 0, 0, 128));
  context->drawRect(CRect(0, 0, 4, 4), kDrawFilled);
  context->forget();  // the bitmap stays, the GDI+ graphics on it goes first

  // Premultiplied in memory, straight through pixel access.
  const uint8_t* raw = bitmap->getSurface()->data;
  EXPECT_NEAR(raw[2], 128, 1);
  EXPECT_NEAR(raw[3], 128, 1);
  if (auto* access = CBitmapPixelAccess::create(bitmap)) {
    CColor c;
    access->setPosition(1, 1);
    access->getColor(c);
    EXPECT_EQ(c.red, 255);
    EXPECT_NEAR(c.alpha, 128, 1);
    access->setPosition(6, 2);
    access->setColor(CColor(0, 0, 255, 255));
    access->forget();
  } else {
    ADD_FAILURE() << "no pixel access";
  }
  EXPECT_EQ(bitmap->getPixel(6, 2), CColor(0, 0, 255, 255));

  char folder[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string path =
      std::string(folder) + "vellmark-gdiplus-" + std::to_string(GetCurrentProcessId()) + ".png";
  ASSERT_TRUE(bitmap->writePng(path));
  CBitmap* back = CBitmap::readPng(path.c_str());
  ASSERT_NE(back, nullptr);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const CColor a = bitmap->getPixel(x, y), b = back->getPixel(x, y);
      EXPECT_NEAR(a.red, b.red, 2) << x << "," << y;
      EXPECT_EQ(a.alpha, b.alpha) << x << "," << y;
    }
  back->forget();
  DeleteFileA(path.c_str());
  EXPECT_EQ(CBitmap::readPng((path + ".missing").c_str()), nullptr);
  EXPECT_FALSE(CBitmap(0, 0).writePng(path));
  bitmap->forget();
}
