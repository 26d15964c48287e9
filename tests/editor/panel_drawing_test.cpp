// The toolkit-facing panel: renderBackground on an editor frame, the
// Offline_Render bitmap, and the three skin bitmaps drawing into contexts.
#include <gtest/gtest.h>

#include "editor/map_dial.h"
#include "editor/map_slider_needle.h"
#include "editor/map_switcher.h"
#include "editor/offline_render.h"
#include "editor/panel_drawing.h"
#include "editor/panel_relief.h"
#include "gui/cframe.h"
#include "gui/coffscreen_context.h"

namespace {

struct Frame {
  gui::CFrame* frame;
  explicit Frame(double width = 1024, double height = 480)
      : frame(new gui::CFrame(gui::CRect(0, 0, width, height), nullptr)) {}
  ~Frame() { frame->forget(); }
  gui::CBitmap* background() const { return frame->getBackground(); }
};

gui::CColor pixel(gui::CBitmap* bitmap, int x, int y) { return bitmap->getPixel(x, y); }

TEST(RenderBackground, InstallsAnOpaquePanelOfTheFramesSize) {
  Frame f;
  renderBackground(f.frame, gui::CColor(230, 247, 249, 0), false);
  gui::CBitmap* background = f.background();
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->getPixelWidth(), 1024);
  EXPECT_EQ(background->getPixelHeight(), 480);
  for (int y = 0; y < 480; y += 7)
    for (int x = 0; x < 1024; x += 7)
      ASSERT_EQ(pixel(background, x, y).alpha, 255) << x << "," << y;
}

TEST(RenderBackground, DrawsTheTextLayerOverTheRelief) {
  Frame f;
  renderBackground(f.frame, Offline_Render::kDefaultColour, false);
  Offline_Render relief(1024, 480);
  ASSERT_TRUE(relief.renderRelief(false));
  const auto changed = [&](int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        count += pixel(f.background(), x, y) != pixel(&relief, x, y);
    return count;
  };
  // The title, the "SPRING A" label and the spring A volume ring change the
  // relief's pixels; an area far from any text keeps them.
  EXPECT_GT(changed(5, 5, 180, 38), 300);
  EXPECT_GT(changed(255, 56, 408, 90), 300);
  EXPECT_GT(changed(70, 80, 80, 100), 20);
  EXPECT_EQ(changed(650, 290, 700, 310), 0);
}

TEST(RenderBackground, ANewColourReTintsTheSameRelief) {
  Frame f;
  renderBackground(f.frame, Offline_Render::kDefaultColour, false);
  const int builds = editor::PanelRelief::shared().buildCount();
  const gui::CColor before = pixel(f.background(), 700, 300);
  renderBackground(f.frame, gui::CColor(255, 40, 40, 255), false);
  const gui::CColor after = pixel(f.background(), 700, 300);
  EXPECT_EQ(editor::PanelRelief::shared().buildCount(), builds);
  EXPECT_GT(after.red - after.blue, before.red - before.blue + 30);
}

TEST(RenderBackground, TheOpenPagePanelChangesThePageArea) {
  Frame f;
  renderBackground(f.frame, Offline_Render::kDefaultColour, true);
  const gui::CColor open = pixel(f.background(), 700, 140);
  renderBackground(f.frame, Offline_Render::kDefaultColour, false);
  const gui::CColor closed = pixel(f.background(), 700, 140);
  EXPECT_NE(open, closed);
  EXPECT_GT(open.red - open.blue, closed.red - closed.blue);
}

TEST(RenderBackground, FramesThatCannotHoldAPanelAreLeftAlone) {
  renderBackground(nullptr, Offline_Render::kDefaultColour, false);
  Frame empty(0, 0), thin(1024, 0.5);
  renderBackground(empty.frame, Offline_Render::kDefaultColour, false);
  renderBackground(thin.frame, Offline_Render::kDefaultColour, false);
  EXPECT_EQ(empty.background(), nullptr);
  EXPECT_EQ(thin.background(), nullptr);
}

TEST(OfflineRender, CarriesTheColourAndRefusesUnusablePixels) {
  Offline_Render render(16, 16);
  EXPECT_EQ(render.colour, gui::CColor(230, 247, 249, 255));
  Offline_Render none(0, 0);
  EXPECT_FALSE(none.renderRelief(false));
}

// Draws a skin into a transparent canvas and returns the canvas.
template <typename Draw>
gui::CBitmap* drawOnCanvas(Draw draw) {
  auto* canvas = new gui::CBitmap(200, 200);
  {
    gui::COffscreenContext context(canvas);
    draw(&context);
    context.endDraw();
  }
  return canvas;
}

TEST(SkinBitmaps, DialFaceLandsOnItsRectangle) {
  gui::CBitmap* canvas = drawOnCanvas([](gui::CDrawContext* context) {
    auto* face = new map_Dial(30, 120);
    face->generate(context, gui::CRect(50, 60, 80, 90), gui::CPoint(50, 60), 30, 30, 0.5f, false);
    face->forget();
  });
  EXPECT_EQ(canvas->getPixel(64, 74).alpha, 255);  // centre of the face
  EXPECT_EQ(canvas->getPixel(50, 60).alpha, 0);    // its transparent corner
  EXPECT_EQ(canvas->getPixel(64, 95).alpha, 0);    // below the rectangle
  canvas->forget();
}

TEST(SkinBitmaps, SlabAndNeedleDrawWhereTheyAreTold) {
  gui::CBitmap* canvas = drawOnCanvas([](gui::CDrawContext* context) {
    auto* slab = new map_Switcher(16, 12);
    slab->generate(context, gui::CRect(10, 10, 26, 22), gui::CPoint(330, 183), 16, 12, 1.0f, true);
    slab->forget();
    auto* needle = new map_Slider_Needle(20, 120);
    needle->generate(context, gui::CRect(100, 40, 120, 160), gui::CPoint(100, 326), 20, 120, false);
    needle->forget();
  });
  EXPECT_EQ(canvas->getPixel(10, 10).alpha, 255);
  EXPECT_EQ(canvas->getPixel(25, 21).alpha, 255);
  EXPECT_EQ(canvas->getPixel(26, 22).alpha, 0);
  EXPECT_EQ(canvas->getPixel(110, 60).alpha, 255);  // needle head
  EXPECT_EQ(canvas->getPixel(100, 100).alpha, 0);   // beside its shaft
  canvas->forget();
}

TEST(SkinBitmaps, NothingIsDrawnWithoutAccessiblePixels) {
  gui::CBitmap* canvas = drawOnCanvas([](gui::CDrawContext* context) {
    auto* face = new map_Dial(0, 0);
    face->generate(context, gui::CRect(0, 0, 30, 30), gui::CPoint(0, 0), 30, 30, 0.5f, true);
    face->forget();
    auto* slab = new map_Switcher(-4, 12);
    slab->generate(context, gui::CRect(0, 0, 16, 12), gui::CPoint(0, 0), 16, 12, 0.0f, false);
    slab->forget();
    auto* needle = new map_Slider_Needle(40000, 120);
    needle->generate(context, gui::CRect(0, 0, 20, 120), gui::CPoint(0, 0), 20, 120, true);
    needle->forget();
    // Without a context the pixels are still generated, nothing is drawn.
    auto* detached = new map_Dial(30, 120);
    detached->generate(nullptr, gui::CRect(0, 0, 30, 30), gui::CPoint(0, 0), 30, 30, 0.5f, false);
    EXPECT_EQ(detached->getPixel(15, 15).alpha, 255);
    detached->forget();
  });
  for (int y = 0; y < 200; y += 3)
    for (int x = 0; x < 200; x += 3) ASSERT_EQ(canvas->getPixel(x, y).alpha, 0);
  canvas->forget();
}

}  // namespace
