// The host tempo: the synced echo delays and rates follow it, and whatever
// the host reports can never break them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/quarnel_echo.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

void keepSounding(PluginHarness& h) {
  h.noteOn(60);  // keeps the synthesis (and the tempo query) running
}

TEST(Tempo, ChangeReappliesTheSyncedParametersInTheFirstBlockThatSeesIt) {
  PluginHarness h;
  h.setParameter(params::kEchoSync, 1.0f);
  h.setParameter(params::kLfoSync, 1.0f);
  h.setParameter(params::kBodyTremoloSync, 0.5f);
  keepSounding(h);
  h.render(256);
  EXPECT_EQ(h.engine().echo.delayLeft(), 1125);  // three eighths at 120 BPM
  const float lfo120 = h.engine().keyParams.lfoFreq;
  const float tremolo120 = h.engine().phaser.tremoloInc;

  h.host().time.tempo = 60.0;
  h.render(256);
  EXPECT_EQ(h.engine().tempo(), 60.0f);
  EXPECT_EQ(h.engine().beatsPerSample(), 60.0f * 0.016666668f * (1.0f / 48000.0f));
  EXPECT_EQ(h.engine().echo.delayLeft(), 2250);
  EXPECT_FLOAT_EQ(h.engine().keyParams.lfoFreq, lfo120 * 0.5f);
  EXPECT_FLOAT_EQ(h.engine().phaser.tremoloInc, tremolo120 * 0.5f);
  // Stored program values are untouched by the re-application.
  EXPECT_EQ(h.plugin().getParameter(params::kEchoSync), 1.0f);
}

TEST(Tempo, UnusableHostTemposKeepTheLastOneAndAbsurdOnesAreClamped) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double tempo : {0.0, -120.0, nan, inf, -inf, 1e300, 1e-300, 5e9}) {
    PluginHarness h;
    h.setParameter(params::kEchoSync, 1.0f);
    h.setParameter(params::kEchoWet, 1.0f);
    h.setParameter(params::kLfoSync, 1.0f);
    h.setParameter(params::kLfoPitch, 1.0f);
    h.setParameter(params::kBodyTremoloSync, 1.0f);
    h.setParameter(params::kEchoRateL, 0.0f);
    h.setParameter(params::kEchoRateR, 1.0f);
    keepSounding(h);
    h.host().time.tempo = tempo;
    h.host().time.ppqPos = tempo;
    Stereo s = h.render(4800);
    EXPECT_TRUE(allFinite(s)) << tempo;
    const float used = h.engine().tempo();
    EXPECT_TRUE(std::isfinite(used));
    EXPECT_GE(used, 1.0f);
    EXPECT_LE(used, 999.0f);
    if (!(tempo > 0.0) || !std::isfinite(tempo)) {
      EXPECT_EQ(used, 120.0f) << tempo;
    }
    EXPECT_GE(h.engine().echo.delayLeft(), 0);
    EXPECT_TRUE(std::isfinite(h.engine().keyParams.lfoFreq));
    EXPECT_TRUE(std::isfinite(h.engine().phaser.tremoloPhase));
  }
}

TEST(Tempo, NoTimeInformationKeepsTempoAndPosition) {
  PluginHarness h;
  h.host().provideTime = false;
  h.setParameter(params::kBodyTremoloSync, 1.0f);
  keepSounding(h);
  EXPECT_TRUE(allFinite(h.render(2048)));
  EXPECT_EQ(h.engine().tempo(), 120.0f);
  EXPECT_EQ(h.engine().songPosition(), 0.0f);
}

TEST(Tempo, SongPositionDrivesTheTremoloPhase) {
  PluginHarness h;
  h.setParameter(params::kBodyTremoloSync, 1.0f);   // song position
  h.setParameter(params::kBodyTremoloRate, 0.25f);  // n = 4: 2^2 per quarter note
  h.setParameter(params::kBodyPhaseMix, 0.0f);      // phase not advanced per sample
  keepSounding(h);
  h.host().time.ppqPos = 3.0;
  h.render(64, 64);
  EXPECT_FLOAT_EQ(h.engine().phaser.tremoloPhase,
                  static_cast<float>(4.0 * 3.0 * 1.5707963705062866));
  h.host().time.ppqPos = std::numeric_limits<double>::quiet_NaN();
  h.render(64, 64);
  EXPECT_TRUE(std::isfinite(h.engine().phaser.tremoloPhase));
}

}  // namespace
