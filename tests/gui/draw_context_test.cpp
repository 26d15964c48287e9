// Drawing on offscreen contexts, checked pixel by pixel.
#include <gtest/gtest.h>

#include "gui/color_printer.h"

#include <cmath>

#include "gui/gui.h"

namespace {

using namespace gui;

const CColor kRed(255, 0, 0);
const CColor kBlue(0, 0, 255);

class DrawContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context = COffscreenContext::create(nullptr, 100, 80);
    ASSERT_NE(context, nullptr);
    bitmap = context->getBitmap();
  }
  void TearDown() override {
    if (context) context->forget();
  }
  CColor at(int x, int y) {
    context->endDraw();
    return bitmap->getPixel(x, y);
  }

  COffscreenContext* context = nullptr;
  CBitmap* bitmap = nullptr;
};

TEST_F(DrawContextTest, FilledAndStrokedRectanglesStayInside) {
  context->setDrawMode(kAliasing);
  context->setFillColor(kRed);
  context->drawRect(CRect(10, 10, 30, 20), kDrawFilled);
  EXPECT_EQ(at(10, 10), kRed);
  EXPECT_EQ(at(29, 19), kRed);
  EXPECT_EQ(at(30, 19).alpha, 0);
  EXPECT_EQ(at(29, 20).alpha, 0);

  context->setFrameColor(kBlue);
  context->setLineWidth(2);
  context->drawRect(CRect(40, 40, 60, 60), kDrawStroked);
  EXPECT_EQ(at(40, 50), kBlue);
  EXPECT_EQ(at(41, 50), kBlue);
  EXPECT_EQ(at(59, 50), kBlue);
  EXPECT_EQ(at(60, 50).alpha, 0);  // the outline does not bleed out
  EXPECT_EQ(at(50, 50).alpha, 0);  // nor fill the middle
}

TEST_F(DrawContextTest, ClipRectLimitsDrawingAndStateIsSavedAndRestored) {
  context->setFillColor(kRed);
  context->saveGlobalState();
  context->setClipRect(CRect(0, 0, 20, 20));
  EXPECT_EQ(context->getClipRect(), CRect(0, 0, 20, 20));
  context->setFillColor(kBlue);
  context->drawRect(CRect(0, 0, 100, 80), kDrawFilled);
  context->restoreGlobalState();
  EXPECT_EQ(context->getFillColor(), kRed);
  EXPECT_EQ(context->getClipRect(), CRect(0, 0, 100, 80));
  EXPECT_EQ(at(19, 19), kBlue);
  EXPECT_EQ(at(20, 5).alpha, 0);

  // The offset moves drawing and the clip with it.
  context->setOffset(CPoint(50, 50));
  context->setClipRect(CRect(0, 0, 10, 10));
  EXPECT_EQ(context->getClipRect(), CRect(0, 0, 10, 10));
  context->drawRect(CRect(-50, -50, 50, 30), kDrawFilled);
  EXPECT_EQ(at(55, 55), kRed);
  EXPECT_EQ(at(45, 45).alpha, 0);
  EXPECT_EQ(at(61, 55).alpha, 0);
}

TEST_F(DrawContextTest, ArcsRunClockwiseFromThreeOClock) {
  context->setFillColor(kRed);
  // 0 to 90 degrees is the lower right quarter on screen.
  context->drawArc(CRect(10, 10, 70, 70), 0, 90, kDrawFilled);
  EXPECT_GT(at(55, 55).alpha, 200);
  EXPECT_EQ(at(55, 25).alpha, 0);
  EXPECT_EQ(at(25, 55).alpha, 0);

  // A graphics-path arc drawn anticlockwise from 0 to -90 is the upper right.
  CGraphicsPath* path = context->createGraphicsPath();
  path->beginSubpath(CPoint(40, 40));
  path->addArc(CRect(10, 10, 70, 70), 0, -90, false);
  path->closeSubpath();
  context->setFillColor(kBlue);
  context->drawGraphicsPath(path, kPathFilled);
  path->forget();
  EXPECT_EQ(at(55, 25), kBlue);
  EXPECT_EQ(at(25, 25).alpha, 0);
}

TEST_F(DrawContextTest, EllipsesPolygonsAndLines) {
  context->setFillColor(kRed);
  context->drawEllipse(CRect(0, 0, 40, 40), kDrawFilled);
  EXPECT_EQ(at(20, 20), kRed);
  EXPECT_EQ(at(2, 2).alpha, 0);  // corner outside the circle

  context->setFillColor(kBlue);
  context->drawPolygon({CPoint(50, 10), CPoint(90, 10), CPoint(50, 50)}, kDrawFilled);
  EXPECT_EQ(at(55, 15), kBlue);
  EXPECT_EQ(at(85, 45).alpha, 0);

  context->setDrawMode(kAliasing);
  context->setFrameColor(kRed);
  context->setLineWidth(1);
  context->drawLine(CPoint(0, 70.5), CPoint(100, 70.5));
  EXPECT_EQ(at(50, 70), kRed);
  EXPECT_EQ(at(50, 71).alpha, 0);
}

TEST_F(DrawContextTest, GlobalAlphaAndBitmapsWithOffset) {
  context->setGlobalAlpha(0.5f);
  context->setFillColor(kRed);
  context->drawRect(CRect(0, 0, 10, 10), kDrawFilled);
  EXPECT_NEAR(at(5, 5).alpha, 128, 1);
  context->setGlobalAlpha(1.f);

  CBitmap source(20, 20);
  source.fill(kBlue);
  source.setPixel(15, 15, kRed);
  // The part of the source from (10, 10) on, drawn at (50, 50).
  context->drawBitmap(&source, CRect(50, 50, 60, 60), CPoint(10, 10));
  EXPECT_EQ(at(55, 55), kRed);
  EXPECT_EQ(at(50, 50), kBlue);
  EXPECT_EQ(at(60, 60).alpha, 0);
  context->drawBitmap(&source, CRect(70, 0, 90, 20), CPoint(0, 0), 0.25f);
  EXPECT_NEAR(at(75, 5).alpha, 64, 1);
}

TEST_F(DrawContextTest, LinearGradientBlendsBetweenItsStops) {
  CGraphicsPath* path = context->createGraphicsPath();
  path->addRoundRect(CRect(0, 0, 100, 20), 4);
  CGradient gradient(0.0, 1.0, CColor(0, 0, 0, 255), CColor(255, 255, 255, 255));
  context->fillLinearGradient(path, gradient, CPoint(0, 0), CPoint(100, 0));
  path->forget();
  EXPECT_LT(at(10, 10).red, 40);
  EXPECT_NEAR(at(50, 10).red, 128, 4);
  EXPECT_GT(at(90, 10).red, 215);
  EXPECT_EQ(at(0, 0).alpha, 0);  // rounded corner
}

TEST_F(DrawContextTest, TextIsDrawnMeasuredAndSurvivesInvalidBytes) {
  context->setFont(CFontDesc("Arial", 20));
  context->setFontColor(kBlue);
  const double width = context->getStringWidth("Hello");
  EXPECT_GT(width, 30);
  context->setFont(CFontDesc("Arial", 40));
  EXPECT_NEAR(context->getStringWidth("Hello"), 2 * width, 1.0);
  context->setFont(CFontDesc("Arial", 20));
  context->drawString("Hello", CPoint(5, 30));
  int inked = 0;
  for (int y = 10; y < 32; ++y)
    for (int x = 5; x < 5 + width; ++x) inked += at(x, y).alpha > 0;
  EXPECT_GT(inked, 40);
  // Nothing below the baseline for these letters, nothing left of the start.
  EXPECT_EQ(at(3, 25).alpha, 0);

  // Bytes that are not UTF-8 must not leave the context broken.
  context->drawString("\xff\xfe bad \xc3", CPoint(5, 60));
  EXPECT_GT(context->getStringWidth("\xff ok"), 0);
  context->setFillColor(kRed);
  context->drawRect(CRect(90, 70, 100, 80), kDrawFilled);
  EXPECT_EQ(at(95, 75), kRed);
}

TEST_F(DrawContextTest, NonFiniteInputDrawsNothingAndBreaksNothing) {
  const double nan = std::nan("");
  context->setFillColor(kRed);
  context->drawRect(CRect(nan, 0, 10, 10), kDrawFilled);
  context->drawLine(CPoint(0, 0), CPoint(nan, 5));
  context->drawEllipse(CRect(0, 0, 1e308, nan), kDrawFilled);
  context->setLineWidth(nan);
  EXPECT_EQ(context->getLineWidth(), 1.0);
  context->drawArc(CRect(0, 0, 0, 0), 0, 360, kDrawFilled);
  context->drawRect(CRect(20, 20, 30, 30), kDrawFilled);
  EXPECT_EQ(at(25, 25), kRed);
  EXPECT_EQ(at(5, 5).alpha, 0);
}

TEST_F(DrawContextTest, ClearRectEmptiesOnlyWhatTheClipAndUpdateRegionAllow) {
  context->setFillColor(kRed);
  context->drawRect(CRect(0, 0, 100, 80), kDrawFilled);
  context->setOffset(CPoint(10, 10));
  context->setClipRect(CRect(0, 0, 30, 30));
  context->clearRect(CRect(-10, -10, 20, 20));
  EXPECT_EQ(at(15, 15).alpha, 0);  // inside the clip (frame 10 to 40)
  EXPECT_EQ(at(29, 29).alpha, 0);
  EXPECT_EQ(at(5, 5), kRed);    // outside the clip
  EXPECT_EQ(at(30, 30), kRed);  // outside the cleared rectangle

  context->setOffset(CPoint(0, 0));
  context->resetClipRect();
  context->setUpdateRegion({CRect(60, 0, 70, 80)});
  context->clearRect(CRect(50, 0, 100, 10));
  context->setFillColor(kBlue);
  context->drawRect(CRect(50, 40, 100, 50), kDrawFilled);
  EXPECT_EQ(at(65, 5).alpha, 0);
  EXPECT_EQ(at(55, 5), kRed);
  EXPECT_EQ(at(65, 45), kBlue);
  EXPECT_EQ(at(75, 45), kRed);
  EXPECT_TRUE(context->isInUpdateRegion(CRect(65, 0, 66, 1)));
  EXPECT_FALSE(context->isInUpdateRegion(CRect(0, 0, 10, 10)));
}

TEST_F(DrawContextTest, GradientsKeepTheirEndColoursBeyondTheirLine) {
  CGraphicsPath* path = context->createGraphicsPath();
  path->addRect(CRect(0, 0, 100, 20));
  CGradient gradient(0.0, 1.0, kRed, kBlue);
  context->fillLinearGradient(path, gradient, CPoint(40, 0), CPoint(60, 0));
  path->forget();
  EXPECT_EQ(at(5, 10), kRed);
  EXPECT_EQ(at(35, 10), kRed);
  EXPECT_EQ(at(65, 10), kBlue);
  EXPECT_EQ(at(95, 10), kBlue);
  EXPECT_NEAR(at(50, 10).red, 128, 16);
}

TEST_F(DrawContextTest, SubpathsAreNotJoinedAndClosingReturnsToTheStart) {
  context->setDrawMode(kAliasing);
  context->setFrameColor(kRed);
  CGraphicsPath* path = context->createGraphicsPath();
  path->beginSubpath(CPoint(10, 10.5));
  path->addLine(CPoint(30, 10.5));
  path->beginSubpath(CPoint(10, 50.5));
  path->addLine(CPoint(30, 50.5));
  context->drawGraphicsPath(path, kPathStroked);
  EXPECT_EQ(at(20, 10), kRed);
  EXPECT_EQ(at(20, 50), kRed);
  EXPECT_EQ(at(30, 30).alpha, 0);  // no line from the first subpath's end
  EXPECT_EQ(at(10, 30).alpha, 0);

  // After a close, a line starts from the closed subpath's start.
  path->clear();
  path->beginSubpath(CPoint(60.5, 10.5));
  path->addLine(CPoint(90.5, 10.5));
  path->addLine(CPoint(90.5, 30.5));
  path->closeSubpath();
  path->addLine(CPoint(60.5, 70.5));
  context->drawGraphicsPath(path, kPathStroked);
  path->forget();
  EXPECT_EQ(at(60, 50), kRed);
  EXPECT_EQ(at(90, 50).alpha, 0);
}

TEST(OffscreenContext, RejectsUnusableSizes) {
  EXPECT_EQ(COffscreenContext::create(nullptr, 0, 10), nullptr);
  EXPECT_EQ(COffscreenContext::create(nullptr, 10, -1), nullptr);
  EXPECT_EQ(COffscreenContext::create(nullptr, std::nan(""), 10), nullptr);
  EXPECT_EQ(COffscreenContext::create(nullptr, 1e9, 10), nullptr);
  COffscreenContext* context = COffscreenContext::create(nullptr, 10.5, 3);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->getWidth(), 11);
  // The bitmap outlives the context once remembered.
  CBitmap* bitmap = context->getBitmap();
  bitmap->remember();
  context->forget();
  EXPECT_TRUE(bitmap->isLoaded());
  bitmap->forget();
}

// fontconfig's files; the Windows tests check the GDI+ families.
#if !defined(_WIN32)
TEST(Fonts, UsualFamilyNamesResolveToLiberation) {
  EXPECT_EQ(CFontDesc("Arial", 12).resolvedFamily(), "Liberation Sans");
  EXPECT_EQ(CFontDesc("Times New Roman", 18).resolvedFamily(), "Liberation Serif");
  const std::string boldFile = CFontDesc("Times New Roman", 19, kBoldFace).resolvedFile();
  EXPECT_NE(boldFile.find("LiberationSerif-Bold"), std::string::npos) << boldFile;
  const std::string italicFile = CFontDesc("Arial", 12, kItalicFace).resolvedFile();
  EXPECT_NE(italicFile.find("LiberationSans-Italic"), std::string::npos) << italicFile;
  // The same description shares one face.
  EXPECT_EQ(CFontDesc("Arial", 10).getFontFace(), CFontDesc("Arial", 30).getFontFace());
  EXPECT_EQ(CFontDesc("Arial", -3).getSize(), 1.0);
}
#endif

}  // namespace
