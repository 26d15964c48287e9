// The module-wide relief maps: built once, re-tinted without rebuilding,
// and only their page area redrawn when a page opens or closes.
#include <gtest/gtest.h>

#include <vector>

#include "editor/panel_relief.h"
#include "editor/relief_layout.h"

namespace editor {
namespace {

constexpr int kWidth = 1024, kHeight = 480;

struct MapCopy {
  std::vector<float> j, i, q;
  bool operator==(const MapCopy& o) const { return j == o.j && i == o.i && q == o.q; }
};

MapCopy copyMaps() {
  MapCopy copy;
  PanelRelief::shared().inspect([&](const ReliefMaps& maps) {
    const std::size_t count = static_cast<std::size_t>(maps.width()) * maps.height();
    copy.j.assign(maps.heightMap(), maps.heightMap() + count);
    copy.i.assign(maps.glowMap(), maps.glowMap() + count);
    copy.q.assign(maps.keyMap(), maps.keyMap() + count);
  });
  return copy;
}

std::vector<uint8_t> render(uint8_t r, uint8_t g, uint8_t b, bool page) {
  std::vector<uint8_t> pixels(kWidth * kHeight * 4, 0);
  EXPECT_TRUE(
      PanelRelief::shared().render({pixels.data(), kWidth, kHeight, kWidth * 4}, r, g, b, page));
  return pixels;
}

bool inPageArea(int x, int y, int margin) {
  return x >= kPageArea.left - margin && x < kPageArea.right && y >= kPageArea.top - margin &&
         y < kPageArea.bottom;
}

TEST(PanelRelief, ANewColourReTintsWithoutRebuildingTheMaps) {
  const std::vector<uint8_t> first = render(230, 247, 249, false);
  const int builds = PanelRelief::shared().buildCount();
  const MapCopy before = copyMaps();
  const std::vector<uint8_t> tinted = render(200, 90, 40, false);
  EXPECT_EQ(PanelRelief::shared().buildCount(), builds);
  EXPECT_TRUE(copyMaps() == before);
  EXPECT_NE(first, tinted);
  // Back to the first colour: the same picture again.
  EXPECT_EQ(render(230, 247, 249, false), first);
}

TEST(PanelRelief, OpeningAPageChangesOnlyThePageArea) {
  const std::vector<uint8_t> closed = render(230, 247, 249, false);
  const MapCopy closedMaps = copyMaps();
  const std::vector<uint8_t> open = render(230, 247, 249, true);
  const MapCopy openMaps = copyMaps();

  int changedMapValues = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::size_t n = static_cast<std::size_t>(y) * kWidth + x;
      const bool changed = closedMaps.j[n] != openMaps.j[n] || closedMaps.i[n] != openMaps.i[n] ||
                           closedMaps.q[n] != openMaps.q[n];
      if (changed) {
        ++changedMapValues;
        ASSERT_TRUE(inPageArea(x, y, 0)) << x << "," << y;
      }
      // A pixel's shading also looks at its right and lower neighbours.
      if (!inPageArea(x, y, 1)) {
        for (int c = 0; c < 4; ++c) ASSERT_EQ(closed[4 * n + c], open[4 * n + c]) << x << "," << y;
      }
    }
  }
  EXPECT_GT(changedMapValues, 40000);

  // The open panel is a warm glowing recess: much more red than blue,
  // where the grille keeps the panel's cool tint.
  long closedWarmth = 0, openWarmth = 0;
  for (int y = 100; y < 180; ++y) {
    for (int x = 500; x < 930; ++x) {
      const std::size_t n = 4 * (static_cast<std::size_t>(y) * kWidth + x);
      closedWarmth += closed[n + 2] - closed[n];
      openWarmth += open[n + 2] - open[n];
    }
  }
  EXPECT_GT(openWarmth, closedWarmth + 80L * 430 * 30);

  // Closing the page restores the grille exactly.
  EXPECT_EQ(render(230, 247, 249, false), closed);
  EXPECT_TRUE(copyMaps() == closedMaps);
}

TEST(PanelRelief, UnusableBuffersDrawNothing) {
  std::vector<uint8_t> pixels(64, 7);
  EXPECT_FALSE(PanelRelief::shared().render({nullptr, 4, 4, 16}, 1, 2, 3, false));
  EXPECT_FALSE(PanelRelief::shared().render({pixels.data(), 0, 4, 16}, 1, 2, 3, false));
  EXPECT_FALSE(PanelRelief::shared().render({pixels.data(), 4, 4, 8}, 1, 2, 3, false));
  for (uint8_t v : pixels) EXPECT_EQ(v, 7);
}

TEST(PanelRelief, MapsThatCannotBeAllocatedStopTheRender) {
  ReliefMaps maps;
  EXPECT_FALSE(maps.allocate(0, 10));
  EXPECT_FALSE(maps.allocate(10, -1));
  EXPECT_FALSE(maps.allocate(ReliefMaps::kMaxSide + 1, 10));
  EXPECT_TRUE(maps.empty());

  // A buffer too big for maps is refused and left untouched; the maps
  // already built survive and serve the next render.
  const std::vector<uint8_t> panel = render(230, 247, 249, false);
  const int builds = PanelRelief::shared().buildCount();
  const int wide = ReliefMaps::kMaxSide + 1;
  std::vector<uint8_t> pixels(static_cast<std::size_t>(wide) * 4, 9);
  EXPECT_FALSE(PanelRelief::shared().render({pixels.data(), wide, 1, wide * 4}, 1, 2, 3, false));
  for (uint8_t v : pixels) ASSERT_EQ(v, 9);
  EXPECT_EQ(render(230, 247, 249, false), panel);
  EXPECT_EQ(PanelRelief::shared().buildCount(), builds);
}

}  // namespace
}  // namespace editor
