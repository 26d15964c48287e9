// Partial updates of an embedded frame: the window shows the new pixels of
// the updated area, and closing the window after such updates leaves no
// memory behind (checked by the sanitizer build).
#include <gtest/gtest.h>

#include <cstdint>

#include "gui/color_printer.h"
#include "gui/test_display.h"
#include "gui/test_views.h"

// Xlib's macros clash with other headers; last.
#include <X11/Xutil.h>

#include "gui/x_host_window.h"

namespace {

using namespace gui;
using gui_test::RecordingView;

constexpr int kWidth = 200;
constexpr int kHeight = 150;

CColor pixelAt(XImage* image, int x, int y) {
  const unsigned long pixel = XGetPixel(image, x, y);
  return CColor(static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                static_cast<uint8_t>(pixel), 255);
}

TEST(X11Present, PartialUpdatesReachTheWindowAndLeaveNothingBehind) {
  SKIP_WITHOUT_DISPLAY();
  // Beside the other embedding tests' windows, so nothing covers it.
  gui_test::XHostWindow host(1040, 700, kWidth, kHeight, 0);
  Display* display = host.display();
  ASSERT_NE(display, nullptr);
  const bool readable = host.fullyOnScreen() && DefaultDepth(display, DefaultScreen(display)) >= 24;

  for (int round = 0; round < 3; ++round) {
    auto* frame = new CFrame(CRect(0, 0, kWidth, kHeight), nullptr);
    frame->setBackgroundColor(CColor(20, 40, 60));
    // Large enough that a toolkit copying through shared memory would.
    auto* view = new RecordingView(CRect(20, 20, 180, 60), CColor(200, 30, 30));
    frame->addView(view);
    ASSERT_TRUE(frame->open(host.handle()));
    for (int i = 0; i < 3; ++i) frame->idle();
    view->color = CColor(30, 160, 90);
    view->invalid();
    for (int i = 0; i < 3; ++i) {
      frame->idle();
      XSync(display, False);
    }
    if (readable) {
      const Window child = static_cast<Window>(frame->getPlatformWindowHandle());
      XImage* image = XGetImage(display, child, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(pixelAt(image, 100, 40), CColor(30, 160, 90));
      EXPECT_EQ(pixelAt(image, 179, 59), CColor(30, 160, 90));
      EXPECT_EQ(pixelAt(image, 180, 60), CColor(20, 40, 60));
      EXPECT_EQ(pixelAt(image, 5, 5), CColor(20, 40, 60));
      XDestroyImage(image);
    }
    frame->forget();
  }
}

}  // namespace
