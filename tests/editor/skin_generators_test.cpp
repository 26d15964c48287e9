// The dial, switch and needle skins as pure pixel generators.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "editor/dial_face.h"
#include "editor/slider_needle.h"
#include "editor/switcher_slab.h"

namespace editor {
namespace {

struct Image {
  int width, height;
  std::vector<uint8_t> bytes;
  Image(int w, int h) : width(w), height(h), bytes(static_cast<std::size_t>(w) * h * 4, 0xEE) {}
  PixelBuffer buffer() { return {bytes.data(), width, height, width * 4}; }
  const uint8_t* at(int x, int y) const {
    return &bytes[4 * (static_cast<std::size_t>(y) * width + x)];
  }
};

Image dial(int size, double value, bool hover = false) {
  Image image(size, size);
  generateDialFace(image.buffer(), {400, 200, size, size}, value, hover);
  return image;
}

// Centre of the pixels that differ between two faces, limited to the
// pixels for which `keep` is true.
template <typename Keep>
bool centreOfChange(const Image& a, const Image& b, Keep keep, double& cx, double& cy) {
  double sx = 0, sy = 0, weight = 0;
  for (int y = 0; y < a.height; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (!keep(x, y)) continue;
      int diff = 0;
      for (int c = 0; c < 3; ++c) diff += std::abs(a.at(x, y)[c] - b.at(x, y)[c]);
      sx += x * diff;
      sy += y * diff;
      weight += diff;
    }
  }
  if (weight == 0) return false;
  cx = sx / weight;
  cy = sy / weight;
  return true;
}

TEST(DialFace, TheDimpleShowsTheValue) {
  const int size = 52;
  const double mid = size / 2.0;
  const Image low = dial(size, 0.0), high = dial(size, 1.0), centre = dial(size, 0.5);
  double x, y;
  // Value 0: lower left.
  ASSERT_TRUE(centreOfChange(
      low, high, [&](int px, int) { return px < mid; }, x, y));
  EXPECT_LT(x, mid - 8);
  EXPECT_GT(y, mid + 8);
  // Value 1: lower right.
  ASSERT_TRUE(centreOfChange(
      low, high, [&](int px, int) { return px >= mid; }, x, y));
  EXPECT_GT(x, mid + 8);
  EXPECT_GT(y, mid + 8);
  // Value 0.5: at the top, in the middle.
  ASSERT_TRUE(centreOfChange(
      centre, low, [&](int, int py) { return py < mid; }, x, y));
  EXPECT_NEAR(x, mid - 1, 2.0);
  EXPECT_LT(y, mid - 10);
}

TEST(DialFace, RoundWithASoftEdgeAndOrangeWhenHovered) {
  const Image face = dial(30, 0.3), hovered = dial(30, 0.3, true);
  EXPECT_EQ(face.at(0, 0)[3], 0);  // corners transparent
  EXPECT_EQ(face.at(29, 29)[3], 0);
  EXPECT_EQ(face.at(14, 14)[3], 255);  // face opaque
  int partlyCovered = 0;               // the soft rim
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) partlyCovered += face.at(x, y)[3] > 0 && face.at(x, y)[3] < 255;
  EXPECT_GT(partlyCovered, 20);
  // Hovering warms the rim (more red than blue) and leaves the centre.
  const uint8_t* rim = hovered.at(2, 14);
  const uint8_t* plainRim = face.at(2, 14);
  EXPECT_GT(rim[2] - rim[0], plainRim[2] - plainRim[0] + 20);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(hovered.at(14, 14)[c], face.at(14, 14)[c], 3);
}

TEST(DialFace, ValuesOutsideTheRangeStopAtItsEnds) {
  EXPECT_EQ(dial(25, -3.0).bytes, dial(25, 0.0).bytes);
  EXPECT_EQ(dial(25, 7.0).bytes, dial(25, 1.0).bytes);
}

TEST(SwitcherSlab, OpaqueRidgedAndWarmerWhenHovered) {
  Image slab(16, 12), hovered(16, 12);
  generateSwitcherSlab(slab.buffer(), {330, 183, 16, 12}, false);
  generateSwitcherSlab(hovered.buffer(), {330, 183, 16, 12}, true);
  bool ridged = false;
  long warmth[2] = {0, 0};
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 16; ++x) {
      ASSERT_EQ(slab.at(x, y)[3], 255);
      ASSERT_EQ(hovered.at(x, y)[3], 255);
      if (x > 0 && std::abs(slab.at(x, y)[1] - slab.at(x - 1, y)[1]) > 4) ridged = true;
      warmth[0] += slab.at(x, y)[2] - slab.at(x, y)[0];
      warmth[1] += hovered.at(x, y)[2] - hovered.at(x, y)[0];
    }
  }
  EXPECT_TRUE(ridged);
  EXPECT_GT(warmth[1], warmth[0]);
}

TEST(SliderNeedle, HeadShaftFadeAndWindow) {
  Image needle(kNeedleWidth, kNeedleHeight), lit(kNeedleWidth, kNeedleHeight);
  generateSliderNeedle(needle.buffer(), {290, 326, kNeedleWidth, kNeedleHeight}, false);
  generateSliderNeedle(lit.buffer(), {290, 326, kNeedleWidth, kNeedleHeight}, true);
  EXPECT_EQ(needle.at(10, 20)[3], 255);  // head
  EXPECT_EQ(needle.at(0, 20)[3], 0);     // beside the head
  EXPECT_EQ(needle.at(10, 60)[3], 255);  // shaft
  EXPECT_EQ(needle.at(3, 60)[3], 0);     // beside the shaft
  EXPECT_EQ(needle.at(17, 60)[3], 0);
  // The shaft fades out over its last rows.
  EXPECT_LT(needle.at(10, 118)[3], needle.at(10, 100)[3]);
  EXPECT_LT(needle.at(10, 119)[3], 30);
  // The window in the head: black, half covered.
  for (int x = 16; x <= 19; ++x) {
    for (int y = 16; y <= 24; ++y) {
      EXPECT_EQ(needle.at(x, y)[0] | needle.at(x, y)[1] | needle.at(x, y)[2], 0);
      EXPECT_EQ(needle.at(x, y)[3], 128);
    }
  }
  // Highlighted needles have a brighter shaft and a warmer head rim, with
  // the same outline.
  EXPECT_GT(lit.at(10, 60)[1], needle.at(10, 60)[1]);
  long warmth[2] = {0, 0};
  for (int y = 0; y <= 30; ++y) {
    for (int x = 0; x < 16; ++x) {
      warmth[0] += (needle.at(x, y)[2] - needle.at(x, y)[0]) * needle.at(x, y)[3];
      warmth[1] += (lit.at(x, y)[2] - lit.at(x, y)[0]) * lit.at(x, y)[3];
    }
  }
  EXPECT_GT(warmth[1], warmth[0]);
  for (int y = 0; y < kNeedleHeight; ++y)
    for (int x = 0; x < kNeedleWidth; ++x) ASSERT_EQ(lit.at(x, y)[3], needle.at(x, y)[3]);
}

TEST(SkinGenerators, DrawNothingWithoutUsablePixels) {
  const PixelBuffer none{nullptr, 30, 30, 120};
  generateDialFace(none, {0, 0, 30, 30}, 0.5, false);
  generateSwitcherSlab(none, {0, 0, 16, 12}, true);
  generateSliderNeedle(none, {0, 0, 20, 120}, true);
  // A buffer smaller than the skin gets the part that fits, nothing beyond.
  Image small(10, 10);
  std::vector<uint8_t> guard(64, 0xEE);
  small.bytes.insert(small.bytes.end(), guard.begin(), guard.end());
  generateDialFace({small.bytes.data(), 10, 10, 40}, {0, 0, 30, 30}, 0.5, false);
  generateSliderNeedle({small.bytes.data(), 10, 10, 40}, {0, 0, 20, 120}, false);
  for (std::size_t n = 400; n < small.bytes.size(); ++n) ASSERT_EQ(small.bytes[n], 0xEE);
}

}  // namespace
}  // namespace editor
