// How parameter values become engine state.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/tuning_passes.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

class Application : public ::testing::Test {
 protected:
  engine::Engine& e() { return h.engine(); }
  void set(int i, float v) { h.setParameter(i, v); }
  PluginHarness h;
};

TEST_F(Application, NoiseModeFollowsDiffusionExactlyOne) {
  const float bBase = e().keys[60].bFreqBase;
  set(22, 1.0f);
  EXPECT_EQ(e().noiseMode(), 1);
  set(14, 0.8f);
  EXPECT_EQ(e().keys[60].bFreqBase, bBase) << "spring B keeps its tuning in noise mode";
  EXPECT_FLOAT_EQ(e().noiseFreq.target,
                  engine::frequencyCoefficient(
                      440.0f * std::pow(2.0f, (68.0f * 0.8f - 12.0f) / 12.0f), e().invRate2()));
  set(22, 0.99f);
  EXPECT_EQ(e().noiseMode(), 0);
  set(14, 0.8f);
  EXPECT_NE(e().keys[60].bFreqBase, bBase);
}

TEST_F(Application, HitPowerCurve) {
  set(0, 0.999f);
  EXPECT_NEAR(e().keyParams.hitPower, 0.0623f, 1e-4f);
  EXPECT_EQ(e().keys[60].hitPower, e().keyParams.hitPower);
  set(0, 1.0f);
  EXPECT_EQ(e().keyParams.hitPower, 1.0f);
}

TEST_F(Application, BendScalesNeedAPitchRange) {
  set(44, 0.0f);
  set(63, 0.5f);
  EXPECT_EQ(e().keys[60].bendUpDepth, 1.0f);
  set(44, 1.0f);  // 12 semitones
  set(63, 0.5f);
  const float expected =
      (std::pow(2.0f, 12.0f * 0.5f / 6.0f) - 1.0f) / (std::pow(2.0f, 2.0f) - 1.0f);
  for (int key = 0; key < 128; key += 12) EXPECT_FLOAT_EQ(e().keys[key].bendUpDepth, expected);
  EXPECT_EQ(e().keys[61].bendUpDepth, 1.0f);
  set(75, 0.0f);
  EXPECT_EQ(e().keys[72].bendDownDepth, 0.0f);
}

TEST_F(Application, EchoDelays) {
  set(95, 1.0f);  // synced, 120 BPM, 48 kHz, rate 0.25
  EXPECT_EQ(e().echo.delayLeft(), 1125);
  set(95, 0.0f);
  set(93, 0.0f);
  EXPECT_EQ(e().echo.delayLeft(), 1);
  EXPECT_EQ(e().echo.delayPrevLeft(), 0);
  set(95, 0.0f);
  EXPECT_EQ(e().echo.delayLeft(), 0) << "the sync rule has no minimum";
  set(93, 0.5f);
  EXPECT_EQ(e().echo.delayLeft(), 24000);
  set(94, 1.0f);
  EXPECT_EQ(e().echo.delayRight(), 48000);
}

TEST_F(Application, NonFiniteValuesAreIgnoredAndOthersKeptInRange) {
  const float before = h.plugin().getParameter(7);
  const float damp = e().keys[60].damp;
  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                    -std::numeric_limits<float>::infinity()}) {
    set(7, bad);
    EXPECT_EQ(h.plugin().getParameter(7), before);
    EXPECT_EQ(h.plugin().getStoredParameter(7), before);
    EXPECT_EQ(e().keys[60].damp, damp);
  }
  set(30, -4.0f);
  set(31, 7.5f);
  EXPECT_EQ(h.plugin().getParameter(31), 1.0f);
  EXPECT_EQ(e().body.bodyLowKey, 0);
  EXPECT_EQ(e().body.bodyHighKey, 128);
  set(87, 3.0f);
  EXPECT_EQ(e().sand.sandCount, 100);
  set(36, 1e30f);
  EXPECT_EQ(e().phaser.tremoloSync(), 2);
  set(0, -1.0f);
  EXPECT_TRUE(std::isfinite(e().keyParams.hitPower));
}

TEST_F(Application, ConcertPitchReachesTheFrequenciesAppliedAfterIt) {
  // Program 1 differs from program 0 only in its concert pitch.
  h.plugin().setProgram(1);
  set(39, 1.0f);
  h.plugin().setProgram(0);
  h.plugin().setProgram(0);  // the first selection still saw 460 Hz
  const float k440 = e().body.bodyTune;
  h.plugin().setProgram(1);
  // Body tune (25) is applied before concert A (39) and still sees 440 Hz;
  // the sand frequency (91) comes after it and sees 460 Hz.
  EXPECT_EQ(e().body.bodyTune, k440);
  EXPECT_FLOAT_EQ(e().sand.sandFreq,
                  engine::frequencyCoefficient(
                      460.0f * std::pow(2.0f, (68.0f * 0.9f - 12.0f) / 12.0f), e().invRate2()));
  h.plugin().setProgram(1);
  EXPECT_GT(e().body.bodyTune, k440);
}

TEST_F(Application, AutomatedChangesTellTheHost) {
  h.host().calls.clear();
  h.plugin().setParameterAutomated(42, 0.25f);
  ASSERT_EQ(h.host().count(audioMasterAutomate), 1);
  EXPECT_EQ(h.host().calls.back().index, 42);
  EXPECT_EQ(h.host().calls.back().opt, 0.25f);
  EXPECT_EQ(h.plugin().getParameter(42), 0.25f);
}

TEST_F(Application, PerKeyCopiesReachEveryKey) {
  set(7, 0.5f);
  set(6, 0.25f);
  set(21, 1.0f);
  set(106, 1.0f);
  for (const engine::KeyState& k : e().keys) {
    EXPECT_EQ(k.damp, e().decayCoef());
    EXPECT_EQ(k.balance, 0.25f);
    EXPECT_EQ(k.offsetWeight, 0.5f);
    EXPECT_EQ(k.mainWeight, 1.0f);
    EXPECT_EQ(k.link, 1);
    EXPECT_EQ(k.envDecay, e().envDecay());
  }
  set(7, 1.0f);
  EXPECT_LT(e().decayCoef(), 1.0f) << "the longest decay is not lossless";
}

TEST_F(Application, StereoSpreadPansKeysAcrossTheField) {
  set(43, 1.0f);
  const engine::KeyState& low = e().keys[21];
  const engine::KeyState& high = e().keys[108];
  EXPECT_LT(low.panAR, low.panAL);
  EXPECT_GT(high.panAR, high.panAL);
  set(43, 0.0f);
  EXPECT_FLOAT_EQ(e().keys[21].panAR, e().keys[108].panAR);
}

}  // namespace
