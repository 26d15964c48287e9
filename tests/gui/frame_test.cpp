// The frame without a window: redraw on idle, focus, cursors, double clicks.
#include <gtest/gtest.h>

#include <unistd.h>

#include <thread>

#include "gui/color_printer.h"
#include "gui/test_views.h"

namespace {

using namespace gui;
using gui_test::RecordingView;

// Marks itself dirty again from draw, like a fading light.
class FadingView : public RecordingView {
 public:
  using RecordingView::RecordingView;
  void draw(CDrawContext* context) override {
    RecordingView::draw(context);
    if (--framesLeft > 0) setDirty(true);
  }
  int framesLeft = 3;
};

class IdleCounter : public CView {
 public:
  IdleCounter() : CView(CRect(0, 0, 1, 1)) { setWantsIdle(true); }
  void onIdle() override { ++idles; }
  int idles = 0;
};

TEST(Frame, RedrawsOnlyWhatIsMarkedOnIdle) {
  CFrame* frame = new CFrame(CRect(0, 0, 100, 60), nullptr);
  auto* a = new RecordingView(CRect(0, 0, 40, 40), CColor(255, 0, 0));
  auto* b = new RecordingView(CRect(60, 0, 100, 40), CColor(0, 255, 0));
  frame->addView(a);
  frame->addView(b);
  frame->idle();
  EXPECT_EQ(a->draws, 1);
  EXPECT_EQ(b->draws, 1);
  frame->idle();
  EXPECT_EQ(a->draws, 1);  // nothing marked, nothing drawn

  b->invalid();  // only marks
  EXPECT_EQ(b->draws, 1);
  frame->idle();
  EXPECT_EQ(a->draws, 1);
  EXPECT_EQ(b->draws, 2);

  // Hiding a view redraws what lies under it.
  CBitmap* image = frame->snapshot();
  EXPECT_EQ(image->getPixel(70, 10), CColor(0, 255, 0));
  image->forget();
  b->setVisible(false);
  frame->idle();
  image = frame->snapshot();
  EXPECT_EQ(image->getPixel(70, 10), CColor(0, 0, 0));
  image->forget();

  // Background changes redraw everything.
  CBitmap* background = new CBitmap(100, 60);
  background->fill(CColor(9, 9, 9));
  frame->setBackground(background);
  background->forget();  // the frame keeps its own reference
  frame->idle();
  EXPECT_EQ(a->draws, 2);
  image = frame->snapshot();
  EXPECT_EQ(image->getPixel(50, 50), CColor(9, 9, 9));
  image->forget();
  frame->forget();
}

TEST(Frame, ViewsMarkingThemselvesWhileDrawingAreDrawnAgainNextIdle) {
  CFrame* frame = new CFrame(CRect(0, 0, 50, 50), nullptr);
  auto* fading = new FadingView(CRect(0, 0, 10, 10), CColor(255, 190, 60));
  auto* counter = new IdleCounter;
  frame->addView(fading);
  frame->addView(counter);
  for (int i = 0; i < 5; ++i) frame->idle();
  EXPECT_EQ(fading->draws, 3);
  EXPECT_EQ(counter->idles, 5);
  frame->forget();
}

TEST(Frame, DrawingIsClippedToEachViewsRectangle) {
  // A view that paints far beyond its own rectangle.
  class Sprawling : public CView {
   public:
    Sprawling() : CView(CRect(10, 10, 20, 20)) {}
    void draw(CDrawContext* context) override {
      context->setFillColor(CColor(255, 255, 255));
      context->drawRect(CRect(0, 0, 100, 100), kDrawFilled);
    }
  };
  CFrame* frame = new CFrame(CRect(0, 0, 40, 40), nullptr);
  frame->addView(new Sprawling);
  CBitmap* image = frame->renderOffscreen();
  EXPECT_EQ(image->getPixel(15, 15), CColor(255, 255, 255));
  EXPECT_EQ(image->getPixel(25, 15), CColor(0, 0, 0));
  char path[] = "/tmp/vellmark-frame-XXXXXX.png";
  const int fd = mkstemps(path, 4);
  close(fd);
  EXPECT_TRUE(frame->writePng(path));
  EXPECT_GT(access(path, R_OK), -1);
  unlink(path);
  frame->forget();
}

TEST(Frame, FarApartUpdatesLeaveTheViewsBetweenAlone) {
  CFrame* frame = new CFrame(CRect(0, 0, 300, 50), nullptr);
  auto* left = new RecordingView(CRect(0, 0, 20, 20), CColor(255, 0, 0));
  auto* middle = new RecordingView(CRect(100, 0, 200, 50), CColor(0, 255, 0));
  auto* right = new RecordingView(CRect(280, 30, 300, 50), CColor(0, 0, 255));
  frame->addView(left);
  frame->addView(middle);
  frame->addView(right);
  frame->idle();
  left->invalid();
  right->invalid();
  frame->idle();
  EXPECT_EQ(left->draws, 2);
  EXPECT_EQ(right->draws, 2);
  EXPECT_EQ(middle->draws, 1);
  frame->forget();
}

TEST(Frame, AViewDrawingOutsideItselfShowsWhereTheUpdateReaches) {
  // A button whose open menu hangs below it, as pull-down buttons do.
  class MenuButton : public CView {
   public:
    MenuButton() : CView(CRect(10, 10, 20, 20)) {}
    CRect menu() const { return CRect(10, 30, 60, 60); }
    void draw(CDrawContext* context) override {
      if (open) {
        context->setClipRect(menu());
        context->setFillColor(CColor(200, 200, 0));
        context->drawRect(menu(), kDrawFilled);
      }
      setDirty(false);
    }
    bool open = false;
  };
  CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr);
  auto* button = new MenuButton;
  frame->addView(button);
  // Later views cover part of the menu's area.
  auto* below = new RecordingView(CRect(0, 50, 100, 100), CColor(0, 0, 255));
  frame->addView(below);
  frame->idle();

  button->open = true;
  button->invalid();
  button->invalidRect(button->menu());
  frame->idle();
  CBitmap* image = frame->snapshot();
  EXPECT_EQ(image->getPixel(30, 40), CColor(200, 200, 0));
  EXPECT_EQ(image->getPixel(30, 55), CColor(0, 0, 255));  // views above still cover it
  image->forget();

  // Closing: the area is redrawn without the menu.
  button->open = false;
  button->invalid();
  button->invalidRect(button->menu());
  frame->idle();
  image = frame->snapshot();
  EXPECT_EQ(image->getPixel(30, 40), CColor(0, 0, 0));
  image->forget();
  frame->forget();
}

TEST(Frame, CursorComesBackOnMouseUpAndFocusFollowsClicks) {
  class Hider : public RecordingView {
   public:
    using RecordingView::RecordingView;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
      getFrame()->setCursorVisible(false);
      getFrame()->setCursor(kCursorSizeAll);
      return RecordingView::onMouseDown(where, buttons);
    }
  };
  CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr);
  auto* hider = new Hider(CRect(0, 0, 50, 50), CColor(1, 2, 3));
  frame->addView(hider);
  frame->dispatchMouseDown(CPoint(10, 10), kLButton);
  EXPECT_FALSE(frame->isCursorVisible());
  EXPECT_EQ(frame->getCursor(), kCursorSizeAll);
  frame->dispatchMouseUp(CPoint(10, 10), 0);
  EXPECT_TRUE(frame->isCursorVisible());

  // Focus on a view outside the frame is refused; removal clears it.
  RecordingView stranger(CRect(0, 0, 1, 1), CColor());
  EXPECT_FALSE(frame->setFocusView(&stranger));
  EXPECT_TRUE(frame->setFocusView(hider));
  frame->removeView(hider);
  EXPECT_EQ(frame->getFocusView(), nullptr);
  frame->forget();
}

TEST(Frame, BackgroundsHandedOverFromAnotherThreadAreTakenAtIdle) {
  CFrame* frame = new CFrame(CRect(0, 0, 20, 20), nullptr);
  frame->idle();
  CBitmap* first = new CBitmap(20, 20);
  first->fill(CColor(1, 1, 1));
  // Rendered and handed over on a host thread, as a colour change does.
  std::thread host([&] {
    CBitmap* second = new CBitmap(20, 20);
    second->fill(CColor(50, 60, 70));
    frame->setBackground(first);
    frame->setBackground(second);  // replaces the first before it was used
    second->forget();
  });
  for (int i = 0; i < 100; ++i) frame->idle();  // drawing meanwhile
  host.join();
  EXPECT_EQ(first->getNbReference(), 1);  // the frame let go of it
  first->forget();
  frame->idle();
  CBitmap* image = frame->snapshot();
  EXPECT_EQ(image->getPixel(10, 10), CColor(50, 60, 70));
  image->forget();
  frame->forget();
}

TEST(Frame, DoubleClicksNeedTheSameButtonSoonAndClose) {
  CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr);
  auto* view = new RecordingView(CRect(0, 0, 100, 100), CColor());
  frame->addView(view);
  auto clickAt = [&](double x, uint64_t time, int32_t button = kLButton) {
    frame->dispatchTimedMouseDown(CPoint(x, 10), button, time);
    const bool isDouble = CButtonState(view->lastButtons).isDoubleClick();
    frame->dispatchMouseUp(CPoint(x, 10), 0);
    return isDouble;
  };
  EXPECT_FALSE(clickAt(10, 1000));
  EXPECT_TRUE(clickAt(12, 1200));
  EXPECT_FALSE(clickAt(12, 1300));            // a third click starts over
  EXPECT_FALSE(clickAt(12, 1800));            // too late
  EXPECT_FALSE(clickAt(30, 1900));            // too far
  EXPECT_FALSE(clickAt(30, 2000, kRButton));  // other button
  EXPECT_TRUE(clickAt(30, 2100, kRButton));
  frame->forget();
}

}  // namespace
