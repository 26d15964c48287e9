#include <gtest/gtest.h>

#include "gui/color_printer.h"

#include "gui/cbutton_state.h"
#include "gui/crect.h"

namespace {

using namespace gui;

TEST(Geometry, RectangleEdgesSizesAndMoves) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(r.getWidth(), 100);
  EXPECT_EQ(r.getHeight(), 50);
  EXPECT_EQ(r.getCenter(), CPoint(60, 45));
  EXPECT_EQ(r.getTopLeft(), CPoint(10, 20));
  EXPECT_EQ(r.getBottomRight(), CPoint(110, 70));
  r.setWidth(30).setHeight(10);
  EXPECT_EQ(r, CRect(10, 20, 40, 30));
  r.offset(5, -5);
  EXPECT_EQ(r, CRect(15, 15, 45, 25));
  r.inset(2, 3);
  EXPECT_EQ(r, CRect(17, 18, 43, 22));
  r.moveTo(CPoint(0, 0));
  EXPECT_EQ(r, CRect(0, 0, 26, 4));
  EXPECT_EQ(CRect(5, 5, 1, 2).normalize(), CRect(1, 2, 5, 5));
}

TEST(Geometry, PointInsideIncludesTopLeftButNotBottomRight) {
  const CRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.pointInside(CPoint(0, 0)));
  EXPECT_TRUE(r.pointInside(CPoint(9.99, 9.99)));
  EXPECT_FALSE(r.pointInside(CPoint(10, 5)));
  EXPECT_FALSE(r.pointInside(CPoint(5, 10)));
  EXPECT_FALSE(r.pointInside(CPoint(-0.01, 5)));
}

TEST(Geometry, OverlapBoundAndUnite) {
  const CRect a(0, 0, 10, 10);
  EXPECT_TRUE(a.rectOverlap(CRect(9, 9, 20, 20)));
  // Touching edges share no area.
  EXPECT_FALSE(a.rectOverlap(CRect(10, 0, 20, 10)));

  CRect clipped = CRect(5, 5, 15, 15);
  clipped.bound(a);
  EXPECT_EQ(clipped, CRect(5, 5, 10, 10));
  CRect apart = CRect(20, 20, 30, 30);
  apart.bound(a);
  EXPECT_TRUE(apart.isEmpty());

  CRect all = a;
  all.unite(CRect(20, -5, 25, 3));
  EXPECT_EQ(all, CRect(0, -5, 25, 10));
  CRect empty;
  empty.unite(a);
  EXPECT_EQ(empty, a);
  all = a;
  all.unite(CRect());
  EXPECT_EQ(all, a);
}

TEST(Geometry, ButtonStateBitsAndComparisons) {
  const CButtonState leftAlone(kLButton);
  EXPECT_TRUE(leftAlone == kLButton);
  EXPECT_TRUE(leftAlone.isLeftButton());
  EXPECT_FALSE(leftAlone.isRightButton());
  const CButtonState shiftDrag(kLButton | kShift | kDoubleClick);
  EXPECT_FALSE(shiftDrag == kLButton);
  EXPECT_TRUE(shiftDrag & kShift);
  EXPECT_TRUE(shiftDrag.isDoubleClick());
  EXPECT_EQ(shiftDrag.getModifierState(), kShift);
  EXPECT_EQ(shiftDrag.getButtonState(), kLButton);
}

}  // namespace
