// The fast paths of the panel render (vectorised, two threads) must give
// exactly the pixels of the plain per-pixel reference.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editor/panel_noise.h"
#include "editor/panel_relief.h"
#include "editor/panel_shading.h"
#include "editor/relief_layout.h"
#include "editor/relief_maps.h"

namespace editor {
namespace {

bool sameFloats(const float* a, const float* b, int count) {
  return std::memcmp(a, b, sizeof(float) * static_cast<std::size_t>(count)) == 0;
}

TEST(PanelFastPath, NoiseMatchesReferenceBitForBit) {
  // The full frame, and an odd size whose rows end in a partial vector.
  const int sizes[][2] = {{1024, 480}, {1021, 23}};
  for (const auto& size : sizes) {
    const int width = size[0], height = size[1];
    std::vector<float> reference(static_cast<std::size_t>(width) * height);
    std::vector<float> fast(reference.size(), -1.0f);
    fillBaseTextureReference(reference.data(), width, 0, height);
    fillBaseTextureFast(fast.data(), width, height);
    EXPECT_TRUE(sameFloats(reference.data(), fast.data(), width * height))
        << width << " x " << height;
  }
}

TEST(PanelFastPath, BaseTextureStaysInItsRange) {
  std::vector<float> texture(1024 * 480);
  fillBaseTextureFast(texture.data(), 1024, 480);
  for (float j : texture) {
    ASSERT_GE(j, 0.2f);
    ASSERT_LE(j, 0.525f);
  }
}

class ShadedPanel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    maps_ = new ReliefMaps;
    ASSERT_TRUE(maps_->allocate(1024, 480));
    buildReliefMaps(*maps_, true);
  }
  static void TearDownTestSuite() {
    delete maps_;
    maps_ = nullptr;
  }
  static ReliefMaps* maps_;
};

ReliefMaps* ShadedPanel::maps_ = nullptr;

TEST_F(ShadedPanel, FastAndReferenceMapsAreIdentical) {
  ReliefMaps reference;
  ASSERT_TRUE(reference.allocate(1024, 480));
  buildReliefMaps(reference, false);
  const int count = 1024 * 480;
  EXPECT_TRUE(sameFloats(reference.heightMap(), maps_->heightMap(), count));
  EXPECT_TRUE(sameFloats(reference.glowMap(), maps_->glowMap(), count));
  EXPECT_TRUE(sameFloats(reference.keyMap(), maps_->keyMap(), count));
}

TEST_F(ShadedPanel, ShadingMatchesReferenceForEveryColourAndPageState) {
  const uint8_t colours[][3] = {
      {230, 247, 249}, {0, 0, 0}, {255, 255, 255}, {255, 0, 40}, {17, 200, 99}};
  const int stride = 1024 * 4 + 16;  // rows with padding
  std::vector<uint8_t> reference(static_cast<std::size_t>(stride) * 480);
  std::vector<uint8_t> fast(reference.size());
  for (bool page : {false, true}) {
    drawPageArea(*maps_, page);
    for (const auto& c : colours) {
      std::fill(reference.begin(), reference.end(), 0x5A);
      std::fill(fast.begin(), fast.end(), 0x5A);
      shadePanelReference(*maps_, {reference.data(), 1024, 480, stride}, c[0], c[1], c[2]);
      shadePanelFast(*maps_, {fast.data(), 1024, 480, stride}, c[0], c[1], c[2]);
      EXPECT_EQ(reference, fast) << "colour " << int(c[0]) << "," << int(c[1]) << "," << int(c[2])
                                 << " page " << page;
    }
  }
  drawPageArea(*maps_, false);
  // Padding bytes beyond each row are left alone.
  EXPECT_EQ(fast[1024 * 4], 0x5A);
}

TEST_F(ShadedPanel, ShadingOfAnOddSizeMatchesReference) {
  // A buffer smaller than the maps: only the overlap is shaded, with the
  // same bytes on both paths, including the partial vectors at row ends.
  std::vector<uint8_t> reference(203 * 4 * 37, 0), fast(reference.size(), 0);
  shadePanelReference(*maps_, {reference.data(), 203, 37, 203 * 4}, 90, 120, 200);
  shadePanelFast(*maps_, {fast.data(), 203, 37, 203 * 4}, 90, 120, 200);
  EXPECT_EQ(reference, fast);
  EXPECT_EQ(fast[3], 255);
}

TEST_F(ShadedPanel, EveryPixelIsOpaqueAndTheColourTints) {
  std::vector<uint8_t> reddish(1024 * 480 * 4), bluish(reddish.size());
  shadePanelFast(*maps_, {reddish.data(), 1024, 480, 4096}, 255, 60, 60);
  shadePanelFast(*maps_, {bluish.data(), 1024, 480, 4096}, 60, 60, 255);
  long redSum[2] = {0, 0}, blueSum[2] = {0, 0};
  for (std::size_t n = 0; n < reddish.size(); n += 4) {
    ASSERT_EQ(reddish[n + 3], 255);
    redSum[0] += reddish[n + 2];
    blueSum[0] += reddish[n];
    redSum[1] += bluish[n + 2];
    blueSum[1] += bluish[n];
  }
  EXPECT_GT(redSum[0], blueSum[0]);
  EXPECT_GT(blueSum[1], redSum[1]);
}

}  // namespace
}  // namespace editor
