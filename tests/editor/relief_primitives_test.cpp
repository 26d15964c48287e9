// The relief shapes: the profiles the layout relies on.
#include <gtest/gtest.h>

#include "editor/relief_primitives.h"

namespace editor {
namespace {

class Primitives : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(maps.allocate(64, 48)); }
  void fillHeight(float v) {
    for (int y = 0; y < maps.height(); ++y)
      for (int x = 0; x < maps.width(); ++x) maps.j(x, y) = v;
  }
  ReliefMaps maps;
};

TEST_F(Primitives, PlateHasAFlatInsideABevelToTheRimAndRoundCorners) {
  fillHeight(0.9f);
  drawPlate(maps, Layer::Height, {10, 10, 40, 50}, {0.2f, 0.6f, 6, 6, 1.0f});
  EXPECT_FLOAT_EQ(maps.j(30, 25), 0.6f);
  // The bevel rises from near the rim value towards the inside.
  EXPECT_NEAR(maps.j(10, 25), 0.2f, 0.06f);
  EXPECT_LT(maps.j(10, 25), maps.j(12, 25));
  EXPECT_LT(maps.j(12, 25), maps.j(14, 25));
  // Symmetric left and right, top and bottom.
  EXPECT_FLOAT_EQ(maps.j(10, 25), maps.j(49, 25));
  EXPECT_FLOAT_EQ(maps.j(30, 10), maps.j(30, 39));
  // The very corner pixel lies outside the rounding; outside the plate
  // nothing changes.
  EXPECT_FLOAT_EQ(maps.j(10, 10), 0.9f);
  EXPECT_FLOAT_EQ(maps.j(9, 25), 0.9f);
  EXPECT_FLOAT_EQ(maps.j(30, 40), 0.9f);
}

TEST_F(Primitives, LimitBelowOneFlattensTheBevelEarly) {
  drawPlate(maps, Layer::Height, {0, 0, 48, 64}, {0.0f, 1.0f, 10, 10, 0.5f});
  // sin(pi/2 d) reaches 0.5 at a third of the bevel: inner value from there.
  EXPECT_FLOAT_EQ(maps.j(5, 24), 1.0f);
  EXPECT_LT(maps.j(1, 24), 0.5f);
}

TEST_F(Primitives, LimitAboveOneLeavesNoStepInside) {
  drawPlate(maps, Layer::Glow, {0, 0, 48, 64}, {0.0f, 0.6f, 10, 10, 1.3f});
  const float inside = maps.i(32, 24);
  EXPECT_NEAR(inside, 0.6f / 1.3f, 1e-6f);
  EXPECT_NEAR(maps.i(9, 24), inside, 0.01f);
}

TEST_F(Primitives, OpenEdgesAndBlendWeight) {
  fillHeight(1.0f);
  PlateStyle open{0.0f, 0.5f, 5, 5, 1.0f, false, true, 0.5f};
  drawPlate(maps, Layer::Height, {0, 0, 48, 64}, open);
  // No bevel at the open top: the inside value (blended half way) reaches
  // the first row; the closed bottom keeps its bevel.
  EXPECT_FLOAT_EQ(maps.j(32, 0), 0.75f);
  EXPECT_LT(maps.j(32, 47), 0.7f);
}

TEST_F(Primitives, RedrawingAWeightOneElementChangesNothing) {
  fillHeight(0.37f);
  const PlateStyle style{0.3f, 0.55f, 4, 4, 0.7f};
  drawPlate(maps, Layer::Height, {5, 5, 30, 40}, style);
  drawGroove(maps, Layer::Height, {0, 20}, {63, 20}, 9, 0.7f, 0.8f, 0.7f);
  ReliefMaps again;
  ASSERT_TRUE(again.allocate(64, 48));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) again.j(x, y) = maps.j(x, y);
  drawPlate(again, Layer::Height, {5, 5, 30, 40}, style);
  drawGroove(again, Layer::Height, {0, 20}, {63, 20}, 9, 0.7f, 0.8f, 0.7f);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) ASSERT_EQ(again.j(x, y), maps.j(x, y)) << x << "," << y;
}

TEST_F(Primitives, GrooveIsCentredOnItsLineAndRampsAlongIt) {
  fillHeight(0.0f);
  drawGroove(maps, Layer::Height, {4, 20}, {60, 20}, 9, 0.2f, 0.8f, 0.6f);
  // Nine rows centred on row 20, the peak in the middle, symmetric.
  EXPECT_FLOAT_EQ(maps.j(4, 15), 0.0f);
  EXPECT_FLOAT_EQ(maps.j(4, 25), 0.0f);
  EXPECT_NEAR(maps.j(4, 20), 0.8f, 0.01f);
  EXPECT_FLOAT_EQ(maps.j(4, 16), maps.j(4, 24));
  EXPECT_GT(maps.j(4, 20), maps.j(4, 18));
  // The ramp adds end - edge (0.4) at the far end.
  EXPECT_NEAR(maps.j(60, 20) - maps.j(4, 20), 0.4f, 0.01f);
  EXPECT_FLOAT_EQ(maps.j(61, 20), 0.0f);
}

TEST_F(Primitives, DomePeaksAtItsCentre) {
  fillHeight(0.1f);
  drawDome(maps, Layer::Height, {30, 24}, 20, 0.6f, 0.7f, 0.75);
  EXPECT_NEAR(maps.j(30, 24), 0.7f, 0.005f);
  EXPECT_GT(maps.j(30, 24), maps.j(36, 24));
  EXPECT_GE(maps.j(38, 24), 0.6f);
  EXPECT_FLOAT_EQ(maps.j(41, 24), 0.1f);
}

TEST_F(Primitives, RouteJoinsItsLegsWithAQuarterRing) {
  fillHeight(0.0f);
  drawRoute(maps, Layer::Height, {{5, 5}, {40, 5}, {40, 45}}, 8, 5, 0.3f, 0.9f);
  EXPECT_NEAR(maps.j(20, 5), 0.9f, 0.01f);   // first leg
  EXPECT_NEAR(maps.j(40, 30), 0.9f, 0.01f);  // second leg
  // On the ring through the bend, 8 pixels from its centre (32, 13).
  EXPECT_GT(maps.j(38, 7), 0.5f);
  // The sharp corner itself is cut off.
  EXPECT_FLOAT_EQ(maps.j(42, 3), 0.0f);
}

TEST_F(Primitives, ShapesAreClippedToTheMaps) {
  drawPlate(maps, Layer::Key, {-20, -20, 100, 100}, {0.0f, 1.0f, 5, 5, 1.0f});
  drawGroove(maps, Layer::Key, {-10, -3}, {90, -3}, 9, 0.5f, 0.5f, 0.5f);
  drawDome(maps, Layer::Key, {63, 47}, 40, 0.0f, 1.0f, 2.0);
  drawBoss(maps, {0, 0});
  drawRoute(maps, Layer::Key, {{-5, 60}, {70, 60}, {70, -5}}, 8, 9, 0.1f, 0.2f);
  EXPECT_FLOAT_EQ(maps.q(32, 24), 1.0f);
}

}  // namespace
}  // namespace editor
