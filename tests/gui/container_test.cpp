// Mouse routing and drawing order in containers and the frame.
#include <gtest/gtest.h>

#include <cmath>

#include "gui/color_printer.h"
#include "gui/test_views.h"

namespace {

using namespace gui;
using gui_test::RecordingView;

class RoutingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrame(CRect(0, 0, 200, 100), nullptr);
    below = new RecordingView(CRect(0, 0, 100, 100), CColor(255, 0, 0));
    above = new RecordingView(CRect(50, 0, 150, 50), CColor(0, 255, 0));
    frame->addView(below);
    frame->addView(above);
  }
  void TearDown() override { frame->forget(); }

  CFrame* frame;
  RecordingView* below;
  RecordingView* above;
};

TEST_F(RoutingTest, MouseDownGoesToTheTopmostVisibleEnabledView) {
  frame->dispatchMouseDown(CPoint(60, 10), kLButton);
  EXPECT_EQ(above->joinedLog(), "entered down");
  EXPECT_EQ(below->joinedLog(), "");
  frame->dispatchMouseUp(CPoint(60, 10), kLButton);

  above->log.clear();
  above->setVisible(false);
  frame->dispatchMouseDown(CPoint(60, 10), kLButton);
  EXPECT_EQ(above->joinedLog(), "exited");
  EXPECT_EQ(below->joinedLog(), "entered down");
  frame->dispatchMouseUp(CPoint(60, 10), kLButton);

  below->log.clear();
  above->setVisible(true);
  above->setMouseEnabled(false);
  frame->dispatchMouseDown(CPoint(60, 10), kLButton);
  EXPECT_EQ(below->joinedLog(), "down");
  EXPECT_EQ(above->joinedLog(), "exited");
}

TEST_F(RoutingTest, EnterAndExitFollowThePointer) {
  frame->dispatchMouseMoved(CPoint(10, 10), 0);
  frame->dispatchMouseMoved(CPoint(20, 10), 0);
  frame->dispatchMouseMoved(CPoint(60, 10), 0);
  frame->dispatchMouseMoved(CPoint(180, 80), 0);
  EXPECT_EQ(below->joinedLog(), "entered moved moved exited");
  EXPECT_EQ(above->joinedLog(), "entered moved exited");
  frame->dispatchMouseMoved(CPoint(10, 10), 0);
  frame->dispatchMouseExited(CPoint(-1, 10), 0);
  EXPECT_EQ(below->joinedLog(), "entered moved moved exited entered moved exited");
}

TEST_F(RoutingTest, TheMouseDownViewCapturesMovesAndTheMouseUp) {
  frame->dispatchMouseDown(CPoint(10, 10), kLButton);
  frame->dispatchMouseMoved(CPoint(60, 10), kLButton);    // over `above`
  frame->dispatchMouseMoved(CPoint(300, 300), kLButton);  // outside the frame
  frame->dispatchMouseExited(CPoint(300, 300), kLButton);
  frame->dispatchMouseUp(CPoint(60, 10), 0);
  EXPECT_EQ(below->joinedLog(), "entered down moved moved up exited");
  EXPECT_EQ(below->lastPoint, CPoint(60, 10));
  // Hover reaches the view under the pointer once the drag is over.
  EXPECT_EQ(above->joinedLog(), "entered");
}

TEST_F(RoutingTest, ViewsThatDeclineTheDragGetNoMovesOrUp) {
  above->downResult = kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  frame->dispatchMouseDown(CPoint(60, 10), kLButton);
  frame->dispatchMouseMoved(CPoint(70, 10), kLButton);
  frame->dispatchMouseUp(CPoint(70, 10), 0);
  EXPECT_EQ(above->joinedLog(), "entered down moved");  // a plain hover move
  EXPECT_EQ(below->joinedLog(), "");

  // A view that does not handle the click lets the one below have it.
  above->log.clear();
  above->downResult = kMouseEventNotHandled;
  frame->dispatchMouseDown(CPoint(60, 10), kLButton);
  EXPECT_EQ(above->joinedLog(), "down");
  EXPECT_EQ(below->joinedLog(), "down");
}

TEST_F(RoutingTest, WheelFallsThroughViewsThatDoNotUseIt) {
  EXPECT_TRUE(frame->dispatchWheel(CPoint(60, 10), 2.f, 0));
  EXPECT_EQ(above->wheelTotal, 2.f);
  above->takesWheel = false;
  EXPECT_TRUE(frame->dispatchWheel(CPoint(60, 10), -1.f, 0));
  EXPECT_EQ(below->wheelTotal, -1.f);
  below->takesWheel = false;
  EXPECT_FALSE(frame->dispatchWheel(CPoint(60, 10), 1.f, 0));
  EXPECT_FALSE(frame->dispatchWheel(CPoint(60, 10), std::nanf(""), 0));
}

// A view that takes itself out of its container when clicked.
class SelfRemovingView : public RecordingView {
 public:
  using RecordingView::RecordingView;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override {
    RecordingView::onMouseDown(where, buttons);
    static_cast<CViewContainer*>(getParentView())->removeView(this);
    return kMouseEventHandled;
  }
};

TEST_F(RoutingTest, AViewMayRemoveItselfWhileHandlingAnEvent) {
  frame->addView(new SelfRemovingView(CRect(160, 60, 200, 100), CColor(0, 0, 255)));
  EXPECT_EQ(frame->getNbViews(), 3);
  frame->dispatchMouseDown(CPoint(170, 70), kLButton);
  EXPECT_EQ(frame->getNbViews(), 2);
  EXPECT_EQ(frame->getMouseDownView(), nullptr);
  frame->dispatchMouseMoved(CPoint(171, 71), kLButton);
  frame->dispatchMouseUp(CPoint(171, 71), 0);
}

TEST(Containers, NestedChildrenUseTheContainersCoordinates) {
  CFrame* frame = new CFrame(CRect(0, 0, 100, 100), nullptr);
  auto* box = new CViewContainer(CRect(20, 30, 80, 90));
  auto* inner = new RecordingView(CRect(10, 10, 20, 20), CColor(0, 0, 255));
  ASSERT_TRUE(box->addView(inner));
  ASSERT_TRUE(frame->addView(box));
  EXPECT_FALSE(frame->addView(inner));  // already has a parent
  EXPECT_FALSE(frame->addView(nullptr));
  EXPECT_EQ(inner->getFrame(), frame);

  frame->dispatchMouseDown(CPoint(35, 45), kLButton);
  EXPECT_EQ(inner->joinedLog(), "entered down");
  EXPECT_EQ(inner->lastPoint, CPoint(15, 15));
  frame->dispatchMouseUp(CPoint(35, 45), 0);
  CPoint p(15, 15);
  EXPECT_EQ(inner->localToFrame(p), CPoint(35, 45));
  EXPECT_EQ(frame->getViewAt(CPoint(35, 45), true), inner);

  CBitmap* image = frame->renderOffscreen();
  EXPECT_EQ(image->getPixel(35, 45), CColor(0, 0, 255));
  EXPECT_EQ(image->getPixel(25, 35), CColor(0, 0, 0));
  frame->forget();
}

}  // namespace
