// The per-key tuning passes and the generator they draw from.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/tuning_passes.h"
#include "params/parameter_table.h"
#include "platform/crt_random.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

TEST(CrtRandom, FollowsThePlatformSequence) {
  platform::CrtRandom r;  // seed 1, as a fresh runtime
  EXPECT_EQ(r.rand(), 41);
  EXPECT_EQ(r.rand(), 18467);
  EXPECT_EQ(r.rand(), 6334);
  EXPECT_EQ(r.rand(), 26500);
  r.srand(333);
  const int first = r.rand();
  r.srand(333);
  EXPECT_EQ(r.rand(), first);
  platform::srand(7);
  const int a = platform::rand();
  platform::srand(7);
  EXPECT_EQ(platform::rand(), a);
}

TEST(TuningPasses, KeyPitchFollowsConcertA) {
  PluginHarness h;
  const engine::KeyState& a4 = h.engine().keys[69];
  const double expected = std::pow(2.0 * M_PI * 440.0 / 48000.0, 2.0);
  EXPECT_NEAR(a4.aMainFreqBase, expected, expected * 1e-6);
  EXPECT_EQ(a4.aMainFreq, a4.aMainFreqBase);
  EXPECT_FLOAT_EQ(a4.aMainFreqInv, 1.0f / a4.aMainFreqBase);
}

TEST(TuningPasses, OffsetModeSitsTheSetIntervalAway) {
  PluginHarness h;
  for (float offset : {0.0f, 0.3f, 0.5f, 0.77f, 1.0f}) {
    h.setParameter(10, offset);
    const int tenths = static_cast<int>(480.0f * offset) - 120;
    for (int key = 21; key <= 108; ++key) {
      const engine::KeyState& k = h.engine().keys[key];
      const float expected =
          std::min(static_cast<float>(std::pow(2.0, tenths / 60.0) * k.aMainFreq), 1.4f);
      ASSERT_EQ(k.aOffsetFreqBase, expected) << key << " " << offset;
    }
  }
}

TEST(TuningPasses, RepeatRunsGiveIdenticalCoefficients) {
  PluginHarness a, b;
  for (PluginHarness* h : {&a, &b}) {
    h->setParameter(11, 0.7f);
    h->setParameter(17, 0.9f);
  }
  engine::springBPass(b.engine());
  engine::offsetPass(b.engine());
  engine::couplingPass(b.engine());
  for (int key = 0; key < 128; ++key) {
    const engine::KeyState& x = a.engine().keys[key];
    const engine::KeyState& y = b.engine().keys[key];
    EXPECT_EQ(x.bFreq0, y.bFreq0);
    EXPECT_EQ(x.bFreq1, y.bFreq1);
    EXPECT_EQ(x.crushLevels, y.crushLevels);
    EXPECT_EQ(x.aOffsetFreq, y.aOffsetFreq);
    EXPECT_EQ(x.coupling, y.coupling);
  }
}

TEST(TuningPasses, SpringBCrushLevelsAndClamp) {
  PluginHarness h;
  h.setParameter(16, 1.0f);  // high spring-B notes: the top keys pass 12 kHz
  h.setParameter(15, 1.0f);
  const engine::KeyState& top = h.engine().keys[127];
  EXPECT_EQ(top.crushLevels, 128.0f) << "12 kHz gives 2^(4 + 3) levels";
  EXPECT_EQ(top.crushStep, 1.0f / 128.0f);
  EXPECT_LE(top.bFreqBase, 1.4f);
  const engine::KeyState& bottom = h.engine().keys[0];
  EXPECT_GE(bottom.crushLevels, 8.0f);
}

TEST(TuningPasses, CouplingVanishesAtUnison) {
  PluginHarness h;
  engine::Engine& e = h.engine();
  engine::KeyState& k = e.keys[60];
  e.setSpringBNoteOffset(0.2f);
  k.bFreq0 = k.aOffsetFreq;
  engine::couplingPass(e);
  EXPECT_EQ(k.coupling, 0.0f);
  k.bFreq0 = k.aOffsetFreq * 4.0f;
  engine::couplingPass(e);
  EXPECT_EQ(k.coupling, 1.0f);
}

TEST(TuningPasses, HighKeysStayRingableAtLowSampleRates) {
  PluginHarness h;
  h.plugin().setSampleRate(8001.0f);
  for (int key = 21; key <= 108; ++key) EXPECT_LT(h.engine().keys[key].aMainFreqBase, 4.0f);
}

}  // namespace

namespace {

// The platform generator written out: state * 214013 + 2531011, result in
// bits 16 to 30, scaled by 1/32767.
struct WrittenGenerator {
  uint32_t state;
  float rnd() {
    state = state * 214013u + 2531011u;
    return static_cast<float>((state >> 16) & 0x7fffu) * 3.0518509e-05f;
  }
};

// Where the spring-B pass leaves the generator: seeded with 3334, one draw
// for a key whose first pitch lies above 12000 Hz, two for every other key.
uint32_t afterSpringBPass(const engine::Engine& e) {
  WrittenGenerator g{3334};
  const float lo = e.tuning().springBNoteOffset + e.tuning().springBFreqLow;
  const float step =
      ((e.tuning().springBNoteOffset + e.tuning().springBFreqHigh) - lo) * 0.0078125f;
  float sum = 0.0f;
  for (int key = 0; key < 128; ++key) {
    const float p = sum + lo;
    const float note =
        ((g.rnd() * 0.5f + 0.75f - 1.0f) * e.tuning().springBRandomTune + 1.0f) * p * 128.0f;
    const float f = std::pow(2.0f, (note - 69.0f) * 0.083333336f) * e.concertA();
    if (!(f > 12000.0f)) g.rnd();
    sum = sum + step;
  }
  return g.state;
}

TEST(TuningPasses, EngineDrawsContinueFromWhereTheLastPassLeftTheGenerator) {
  PluginHarness h;
  h.setParameter(params::kSpringBRandomTune, 0.6f);  // spread: some keys clamp
  h.setParameter(params::kSpringBNoteOffset, 1.0f);
  h.render(256);  // silent: the block takes the state over without drawing
  EXPECT_EQ(h.engine().random.state(), afterSpringBPass(h.engine()));

  // A program ends with the microtuning ratios: key pitch, offset and
  // spring-B passes, the spring-B pass last.
  h.plugin().setProgram(1);
  h.render(256);
  EXPECT_EQ(h.engine().random.state(), afterSpringBPass(h.engine()));

  // sA Note Offset runs the offset pass (seed 333, one draw for each of
  // the 88 keys) and the coupling pass, which draws nothing.
  h.setParameter(params::kSpringANoteOffset, 0.7f);
  WrittenGenerator offset{333};
  for (int key = 21; key <= 108; ++key) offset.rnd();
  h.render(256);
  EXPECT_EQ(h.engine().random.state(), offset.state);
}

}  // namespace
