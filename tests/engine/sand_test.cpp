// The sand stage.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "engine/sand_grains.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;
using engine::SandGrains;

namespace {

TEST(Sand, OffAddsNothingAndDrawsNothing) {
  PluginHarness h;
  h.setParameter(params::kSandCount, 0.009f);
  EXPECT_EQ(h.engine().sand.sandCount, 0);
  EXPECT_FALSE(h.engine().sand.active());
}

TEST(Sand, GrainCountPlacesGrainsEvenly) {
  auto sand = std::make_unique<SandGrains>();
  EXPECT_EQ(sand->sandGrains[99].pos, -1.0f + 0.02f * 99.0f);
  sand->sandLevel = 3.0f;
  sand->setCount(4);
  EXPECT_EQ(sand->sandCount, 4);
  EXPECT_EQ(sand->sandGrains[0].pos, -1.0f);
  EXPECT_EQ(sand->sandGrains[1].pos, -0.5f);
  EXPECT_EQ(sand->sandGrains[3].pos, 0.5f);
  EXPECT_EQ(sand->sandLevel, 0.0f);
  sand->setCount(1000);
  EXPECT_EQ(sand->sandCount, SandGrains::kMaxGrains);
  sand->setCount(-4);
  EXPECT_EQ(sand->sandCount, 0);
}

TEST(Sand, WeakKicksLetTheGrainRest) {
  auto sand = std::make_unique<SandGrains>();
  sand->setCount(1);
  sand->sandKick = 0.0f;
  platform::CrtRandom random;
  sand->sandLevel = 0.5f;  // the level has passed the grain's threshold
  float a = 0.0f, b = 0.0f;
  sand->process(a, b, random);
  const engine::SandGrain& g = sand->sandGrains[0];
  EXPECT_EQ(g.energy, 0.0f);
  EXPECT_EQ(g.vel, 0.0f);
  EXPECT_EQ(g.threshold, sand->sandLevel);
}

TEST(Sand, RingDecaysByPositionAndPansFully) {
  auto sand = std::make_unique<SandGrains>();
  sand->setCount(1);
  sand->sandWidth = 1.0f;
  engine::SandGrain& g = sand->sandGrains[0];
  g.threshold = 100.0f;  // never kicked
  g.pos = 1.0f;
  g.ring = 0.5f;
  platform::CrtRandom random;
  float a = 0.0f, b = 0.0f;
  sand->process(a, b, random);
  EXPECT_NEAR(g.ring, 0.5f * 0.001f, 1e-7f);
  EXPECT_EQ(sand->sandSumL, 0.0f) << "a grain at +1 feeds only one channel";
  EXPECT_GT(sand->sandSumR, 0.0f);
  g.pos = 0.0f;
  g.ring = 0.5f;
  sand->process(a, b, random);
  EXPECT_FLOAT_EQ(g.ring, 0.25f);
}

TEST(Sand, LoudMaterialCrackles) {
  PluginHarness h;
  h.setParameter(params::kSandCount, 0.4f);
  h.setParameter(params::kSandKick, 1.0f);
  for (int key : {36, 48, 60, 72}) h.noteOn(key, 127);
  Stereo s = h.render(48000 * 2);
  EXPECT_TRUE(allFinite(s));
  EXPECT_NE(h.engine().sand.sandLevel, 0.0f);
}

}  // namespace
