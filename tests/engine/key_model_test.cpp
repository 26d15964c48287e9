// The key model: pitch, strokes, saturation, noise mode, scrape, bend and
// relax.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/key_model.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"
#include "support/spectrum.h"

using namespace testing_support;

namespace {

// Spring B silent and the balance on the main mode: what remains is the
// key's own pitch.
double soundingPitch(int key) {
  PluginHarness h;
  h.setParameter(params::kSpringBVolume, 0.0f);
  h.setParameter(params::kSpringABalance, 0.0f);
  h.noteOn(key, 100);
  Stereo s = h.render(48000);
  return strongestPeakHz(s.left, 48000.0, 20.0, 20000.0);
}

TEST(KeyModel, NotesSoundAtTheirKeysPitch) {
  EXPECT_NEAR(centsBetween(soundingPitch(57), 220.0), 0.0, 3.0);
  EXPECT_NEAR(centsBetween(soundingPitch(81), 880.0), 0.0, 3.0);
  EXPECT_NEAR(centsBetween(soundingPitch(21), 27.5), 0.0, 3.0);
}

TEST(KeyModel, BowStrokeLastsEightOrNineSamples) {
  for (int key : {21, 45, 60, 79, 108}) {
    for (int velocity : {1, 37, 100, 127}) {
      PluginHarness h;  // Hit Power at its maximum: bowing
      h.noteOn(key, velocity);
      engine::KeyState& k = h.engine().keys[key];
      int stroke = 0;
      for (int i = 0; i < 20; ++i) {
        h.render(1, 1, false);
        if (k.exciteSum > 0.0f) ++stroke;
      }
      EXPECT_TRUE(stroke == 8 || stroke == 9) << key << " " << velocity << ": " << stroke;
      EXPECT_EQ(k.exciteAmp, 0.0f);
    }
  }
}

TEST(KeyModel, BelowFullPowerTheKeyIsHit) {
  PluginHarness h;
  h.setParameter(params::kHitPower, 0.9f);
  h.noteOn(60, 100);
  engine::KeyState& k = h.engine().keys[60];
  EXPECT_GT(k.bowStep, 0.0f);
  h.render(1, 1, false);
  EXPECT_EQ(k.bowStep, 0.0f) << "the first hit sample starts the hammer";
  EXPECT_EQ(k.strikeAmp, k.exciteAmp);
  EXPECT_GT(peak(h.render(4800)), 0.0f);
}

TEST(KeyModel, SaturationShapesSpringA) {
  engine::KeyModelParams p;
  engine::KeySampleInputs in;
  platform::CrtRandom random;
  engine::KeyState k{};
  k.damp = 1.0f;
  k.aMainFreq = 0.01f;
  k.aOffsetFreq = 0.02f;
  k.balance = 0.5f;
  k.aMainPos = 0.3f;
  k.aOffsetPos = -0.2f;
  k.bFreq0 = k.bFreq1 = 0.01f;
  engine::KeyState copy = k;
  in.saturation = 0.5f;
  engine::springStep(k, in, p, random);
  EXPECT_EQ(k.aOut, k.aOffsetPos * k.offsetWeight + k.aMainPos * k.mainWeight);
  for (float pos : {0.05f, 0.4f, 3.0f, -7.0f}) {
    engine::KeyState s = copy;
    s.aMainPos = pos;
    in.saturation = 0.95f;
    engine::springStep(s, in, p, random);
    EXPECT_LE(std::fabs(s.aOut), 0.5f) << pos;
  }
}

TEST(KeyModel, NoiseModeSoundsOnlyWhileExcited) {
  PluginHarness h;
  h.setParameter(params::kSpringBDiffusion, 1.0f);
  h.setParameter(params::kSpringAVolume, 0.0f);
  h.setParameter(params::kBodyVolume, 0.0f);
  h.setParameter(params::kBodyPhaseMix, 0.0f);
  h.noteOn(60, 110);
  EXPECT_GT(peak(h.render(4800)), 0.0f);
  engine::KeyState& k = h.engine().keys[60];
  EXPECT_GT(k.exciteLevel, 0.0f);
  h.render(48000 * 20);
  EXPECT_EQ(k.exciteLevel, 0.0f);
  EXPECT_EQ(k.bPos0, 0.0f);
  EXPECT_EQ(k.bPos1, 0.0f);
}

TEST(KeyModel, WithoutWheelMovementAHeldKeyGetsNoFurtherEnergy) {
  PluginHarness h;
  h.setParameter(params::kBodyVolume, 0.0f);  // the body draws from the generator too
  h.noteOn(60, 100);
  h.render(4800);
  EXPECT_EQ(h.engine().scrapeLevel(), 0.0f);
  const uint32_t before = h.engine().random.state();
  h.render(4800);
  EXPECT_EQ(h.engine().random.state(), before) << "no scrape draws";
  h.controller(1, 127);
  h.controller(1, 0);
  h.render(256);
  EXPECT_NE(h.engine().random.state(), before) << "moving the wheel scrapes";
}

TEST(KeyModel, ReleasedKeyRelaxesToItsBaseTuning) {
  PluginHarness h;
  h.setParameter(params::kPitchRange, 1.0f);
  h.setParameter(params::kPitchRelax, 1.0f);
  h.noteOn(60, 100);
  MidiBatch bend;
  bend.add(0xe0, 0x7f, 0x7f);
  h.send(bend);
  h.render(512);
  engine::KeyState& k = h.engine().keys[60];
  EXPECT_GT(k.aMainFreq, k.aMainFreqBase * 3.0f);
  const float bentDetuned = k.bFreq1;
  h.noteOff(60);
  h.render(2400);
  // Within rounding: the last step toward the base can be smaller than the
  // spacing of floats there.
  EXPECT_FLOAT_EQ(k.aMainFreq, k.aMainFreqBase);
  EXPECT_FLOAT_EQ(k.aOffsetFreq, k.aOffsetFreqBase);
  EXPECT_FLOAT_EQ(k.bFreq0, k.bFreqBase);
  EXPECT_EQ(k.bFreq1, bentDetuned) << "the detuned mode keeps its last value";
}

TEST(KeyModel, WideBendsOnHighSpringsStayFinite) {
  PluginHarness h;
  h.setParameter(params::kPitchRange, 1.0f);
  h.setParameter(params::kSpringBFreqLow, 1.0f);
  h.setParameter(params::kSpringBFreqHigh, 1.0f);
  h.setParameter(params::kSpringBNoteOffset, 1.0f);
  for (int key = 21; key <= 108; key += 3) h.noteOn(key, 127);
  MidiBatch bend;
  bend.add(0xe0, 0x7f, 0x7f);
  h.send(bend);
  EXPECT_TRUE(allFinite(h.render(48000)));
}

}  // namespace

namespace {

bool springsAreZero(const engine::KeyState& k) {
  for (float x :
       {k.aMainPos, k.aOffsetPos, k.aMainVel, k.aOffsetVel, k.bPos0, k.bPos1, k.bVel0, k.bVel1})
    if (x != 0.0f) return false;
  return true;
}

TEST(KeyModel, ReleasedKeysDieOutWhileOthersKeepTheEngineRunning) {
  for (engine::KeyRendererKind kind :
       {engine::KeyRendererKind::Reference, engine::KeyRendererKind::Fast}) {
    PluginHarness h;
    h.engine().keyRenderer = kind;
    h.noteOn(60, 120);
    h.render(4800);
    h.noteOff(60);
    h.noteOn(40, 100);  // keeps the synthesis running: no note off follows
    int seconds = 0;
    while (!springsAreZero(h.engine().keys[60]) && seconds < 120) {
      h.render(48000, 1024);
      ++seconds;
    }
    EXPECT_TRUE(springsAreZero(h.engine().keys[60])) << "still ringing after " << seconds << " s";
    EXPECT_EQ(h.engine().keysActive(), 1);
  }
}

}  // namespace
