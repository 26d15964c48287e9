// Body, phaser, output crush, wet mix and drive.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/body_resonator.h"
#include "engine/drive.h"
#include "engine/output_crush.h"
#include "engine/phaser.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

TEST(Drive, UnityAtHalfVolumeSquareAtFull) {
  engine::Drive d;
  d.outputGain = 1.0f;
  EXPECT_EQ(d.process(0.3f), 0.3f);
  d.outputGain = 2.0f;
  EXPECT_EQ(d.process(0.0f), 0.0f);
  EXPECT_EQ(d.process(-0.0f), 0.0f);
  EXPECT_EQ(d.process(0.25f), 1.0f);
  EXPECT_NEAR(d.process(-0.001f), -1.0f, 1e-4f);
  EXPECT_EQ(d.process(1e-30f), 1.0f);
  EXPECT_EQ(d.process(-1e-30f), -1.0f);
  d.outputGain = 1.5f;
  for (float x = -2.0f; x <= 2.0f; x += 0.01f) {
    const float y = d.process(x);
    EXPECT_TRUE(std::isfinite(y));
    EXPECT_LE(std::fabs(y), 1.0f);
  }
}

TEST(Drive, FullVolumeKeepsSilenceSilentAndTheInstanceAlive) {
  PluginHarness h;
  h.setParameter(params::kVolume, 1.0f);
  EXPECT_TRUE(allZero(h.render(4800)));
  h.noteOn(60);
  Stereo s = h.render(4800);
  EXPECT_TRUE(allFinite(s));
  h.noteOff(60);
  h.render(48000 * 10);
  EXPECT_TRUE(allFinite(h.render(4800)));
}

TEST(OutputCrush, MinimumPassesMaximumMakesAStaircase) {
  engine::OutputCrush c;
  c.setBits(2);
  c.setCurve(0.0f);
  for (float x : {-0.8f, -0.3f, 0.0f, 0.1f, 0.55f, 0.9f}) EXPECT_NEAR(c.process(x), x, 1e-6f);
  c.setCurve(1.0f);
  for (float x : {-0.8f, -0.3f, 0.1f, 0.55f, 0.9f}) {
    const float y = c.process(x);
    EXPECT_NEAR(y, std::ceil(x * 4.0f) / 4.0f, 2e-3f) << x;
  }
}

TEST(Phaser, OffPassesTheSympatheticBuses) {
  PluginHarness h;
  h.setParameter(params::kBodyPhaseMix, 0.0f);
  engine::Phaser& p = h.engine().phaser;
  EXPECT_FALSE(p.active());
  float a = 0.3f, b = -0.2f;
  if (p.active()) {
    p.process(a, b, 0.5f);
  }
  EXPECT_EQ(a, 0.3f);
  EXPECT_EQ(b, -0.2f);
}

TEST(Phaser, StaysStableAtFullFeedbackAndDepth) {
  engine::Phaser p;
  p.phaserFreq = 0.0001f;
  p.phaserQ = 1.0f;
  p.phaserMix = 1.0f;
  p.tremoloInc = 0.01f;
  float peak = 0.0f;
  for (int i = 0; i < 200000; ++i) {
    float a = (i % 100) < 50 ? 0.5f : -0.5f, b = a;
    p.process(a, b, 1.0f);
    peak = std::max(peak, std::fabs(a));
    ASSERT_TRUE(std::isfinite(a) && std::isfinite(b));
  }
  EXPECT_LT(peak, 1e4f);
  EXPECT_LE(p.tremoloPhase, 6.2832f);
}

TEST(Body, VolumeZeroNeitherSoundsNorDrives) {
  PluginHarness h;
  h.setParameter(params::kBodyVolume, 0.0f);
  EXPECT_FALSE(h.engine().body.active());
  h.noteOn(60);
  h.render(9600);
  EXPECT_EQ(h.engine().body.bodyPos, 0.0f);
  for (int key = 21; key <= 108; ++key) {
    if (key != 60) {
      EXPECT_EQ(h.engine().keys[key].sympPos, 0.0f) << key;
    }
  }
}

TEST(Body, DrivesOnlyItsKeyRangeAndNeverPastTheRecords) {
  engine::BodyResonator body;
  body.bodyTune = 0.01f;
  body.bodyVolume = 1.0f;
  body.bodySharpness = 0.5f;
  body.bodyVel = 0.5f;
  std::vector<engine::KeyState> keys(engine::kKeyCount);
  platform::CrtRandom random;
  body.bodyLowKey = 100;
  body.bodyHighKey = 200;  // past the last record
  float s1 = 0.0f;
  body.process(0.1f, s1, keys.data(), random);
  EXPECT_EQ(keys[99].sympVel, 0.0f);
  EXPECT_NE(keys[100].sympVel, 0.0f);
  EXPECT_NE(keys[127].sympVel, 0.0f);
  keys.assign(engine::kKeyCount, engine::KeyState{});
  body.bodyLowKey = 60;
  body.bodyHighKey = 60;  // highest at or below lowest: nothing is driven
  body.process(0.1f, s1, keys.data(), random);
  for (const engine::KeyState& k : keys) EXPECT_EQ(k.sympVel, 0.0f);
  body.bodyLowKey = -50;
  body.bodyHighKey = 3;
  body.process(0.1f, s1, keys.data(), random);
  EXPECT_NE(keys[0].sympVel, 0.0f);
}

TEST(WetMix, FullWetLeavesOnlyTheSympatheticSound) {
  PluginHarness dry, wet;
  for (PluginHarness* h : {&dry, &wet}) {
    h->setParameter(params::kBodyPhaseMix, 0.0f);
    h->setParameter(params::kBodyVolume, 0.0f);
    h->noteOn(60);
  }
  wet.setParameter(params::kBodyWet, 1.0f);
  const float dryPeak = peak(dry.render(9600));
  const float wetPeak = peak(wet.render(9600));
  EXPECT_GT(dryPeak, 0.0f);
  EXPECT_LT(wetPeak, dryPeak * 0.5f) << "only the faint sympathetic resonance remains";
}

}  // namespace
