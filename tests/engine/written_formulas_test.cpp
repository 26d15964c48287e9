// Stage coefficients and timings against their formulas, written out here
// apart from the production code: the output filters' coefficients, the
// phaser's loop at low centre frequencies, the tempo-synced echo lengths
// and echoes longer than the tape loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/phaser.h"
#include "engine/tremolo_sine.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

TEST(OutputFilters, CoefficientsRoundFromDoubleForEveryKnobValueAndRate) {
  PluginHarness h;
  for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
    h.plugin().setSampleRate(rate);
    const engine::OutputFilters& f = h.engine().filters;
    int wrong = 0;
    for (int i = 0; i <= 1000; ++i) {
      const float v = static_cast<float>(i) / 1000.0f;
      h.setParameter(params::kHighpass, v);
      h.setParameter(params::kLowpass, v);
      // c = exp(-2 pi x 2054.95 v x invRate): the cutoff in single
      // precision, the rest in double; both coefficients rounded from it.
      const double c = std::exp(-2.0 * 3.141592653589793 * static_cast<double>(2054.95f * v) *
                                static_cast<double>(h.engine().invRate()));
      const float a = static_cast<float>(-c);
      const float b = static_cast<float>(1.0 - c);
      if (f.highpass.a != a || f.highpass.b != b || f.lowpass.a != a || f.lowpass.b != b) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "at " << rate << " Hz";
  }
}

// One allpass with feedback, step by step as written.
struct WrittenAllpass {
  float y = 0.0f, s = 0.0f, tap = 0.0f;
  void step(float input, float c, float q) {
    const float f = input - q * tap * c;
    tap = f;
    y = s - f * c;
    s = y * c + f;
    if (std::fabs(f) < 0x1p-129f) tap = 0.0f;
  }
};

float writtenCoefficient(double phase, float depth, float freq) {
  const float e = (depth * static_cast<float>(engine::tremoloSine(phase)) + 1.0f) * freq;
  return (1.0f - e) / (e + 1.0f);
}

TEST(Phaser, LowCentreFrequenciesRunTheLoopAsWritten) {
  // Body Phase Frq 0.3 with the default tremolo: the trough of the sweep
  // takes the coefficient close to 1, where the loop is still stable.
  PluginHarness h;
  h.setParameter(params::kBodyPhaseFreq, 0.3f);
  h.setParameter(params::kBodyPhaseQ, 1.0f);  // full feedback
  engine::Phaser stage = h.engine().phaser;
  const float depth = h.plugin().getParameter(params::kBodyTremolo);
  ASSERT_GT(stage.phaserMix, 0.0f);

  WrittenAllpass a, b;
  float phase = stage.tremoloPhase;
  float largest = 0.0f;
  int differing = 0;
  // A whole tremolo cycle of a square-ish input on both buses.
  const int samples = static_cast<int>(6.3f / stage.tremoloInc) + 1000;
  for (int n = 0; n < samples; ++n) {
    const float x0 = (n % 200) < 100 ? 0.25f : -0.25f;
    const float x1 = (n % 130) < 65 ? -0.125f : 0.125f;
    const float ca = writtenCoefficient(phase, depth, stage.phaserFreq);
    const float cb =
        writtenCoefficient(static_cast<double>(phase + stage.tremoloWide), depth, stage.phaserFreq);
    largest = std::max({largest, std::fabs(ca), std::fabs(cb)});
    a.step(x0, ca, stage.phaserQ);
    b.step(x1, cb, stage.phaserQ);
    const float y1 = x1 - stage.phaserMix * b.tap;
    const float y0 = x0 - stage.phaserMix * a.tap;
    a.tap = a.y;
    b.tap = b.y;
    phase = phase + stage.tremoloInc;
    if (static_cast<double>(phase) > 6.283185307179586)
      phase = static_cast<float>(static_cast<double>(phase) - 6.283185307179586);

    float s0 = x0, s1 = x1;
    stage.process(s0, s1, depth);
    if (s0 != y0 || s1 != y1) ++differing;
  }
  EXPECT_GT(largest, 0.9995f) << "the sweep reaches the region a wide clamp would cut";
  EXPECT_LT(largest, 1.0f);
  EXPECT_EQ(differing, 0);
}

// d for one line's rate value r at a tempo, as written: W in single
// precision, n = int((1 - r) x 18), even n: int(W / 2^(n/2)), odd n:
// 3 x int(W / 2^((n + 1)/2 + 1)); at least 1.
int32_t writtenSyncedDelay(float rate, float tempo, float r) {
  const float whole = rate / (tempo * 0.004166667f);
  const int n = static_cast<int>((1.0f - r) * 18.0f);
  const int32_t d = (n % 2 == 0)
                        ? static_cast<int32_t>(whole / std::ldexp(1.0f, n / 2))
                        : 3 * static_cast<int32_t>(whole / std::ldexp(1.0f, (n + 1) / 2 + 1));
  return std::max(d, 1);
}

TEST(EchoDelay, SyncedLengthsFollowTheTempoInSinglePrecision) {
  for (float rate : {48000.0f, 96000.0f}) {
    for (float tempo : {40.0f, 72.0f, 80.0f, 144.0f}) {
      PluginHarness h;
      h.plugin().setSampleRate(rate);
      h.setParameter(params::kEchoSync, 1.0f);
      h.noteOn(60);  // keeps the synthesis, and the tempo query, running
      h.host().time.tempo = tempo;
      h.render(256);
      ASSERT_EQ(h.engine().tempo(), tempo);
      for (int step = 0; step <= 18; ++step) {
        const float r = 1.0f - (static_cast<float>(step) + 0.5f) / 18.0f;
        h.setParameter(params::kEchoRateL, std::max(r, 0.0f));
        EXPECT_EQ(h.engine().echo.delayLeft(), writtenSyncedDelay(rate, tempo, std::max(r, 0.0f)))
            << rate << " Hz, " << tempo << " BPM, step " << step;
      }
    }
  }
  // The worked case: Echo L Rate 0.4 synced at 40 BPM is 9000 samples.
  EXPECT_EQ(writtenSyncedDelay(48000.0f, 40.0f, 0.4f), 9000);
}

TEST(Echo, AWholeNoteAt60BpmComesBackAfterFourSeconds) {
  PluginHarness h;
  h.host().time.tempo = 60.0;
  h.setParameter(params::kEchoSync, 1.0f);
  h.setParameter(params::kEchoRateL, 1.0f);  // n = 0: a whole note
  h.setParameter(params::kEchoRateR, 1.0f);
  h.setParameter(params::kEchoFeedback, 0.0f);
  h.setParameter(params::kEchoWet, 1.0f);
  h.render(4800);  // the tape runs at its new speed before the note
  h.noteOn(72, 120);
  Stereo s = h.render(480);
  h.noteOff(72);
  s.append(h.render(48000 * 5));

  const int32_t whole = writtenSyncedDelay(48000.0f, 60.0f, 1.0f);
  ASSERT_EQ(whole, 192000);
  ASSERT_EQ(h.engine().echo.delayLeft(), whole);
  // The loudest moment after the dry note has died away is the echo.
  int at = 48000;
  for (int i = 48000; i < static_cast<int>(s.size()); ++i)
    if (std::fabs(s.left[i]) > std::fabs(s.left[at])) at = i;
  EXPECT_GT(std::fabs(s.left[at]), 1e-3f);
  EXPECT_NEAR(at, whole, 2000) << "a tape longer than its loop plays slower, not shorter";
}

}  // namespace
