// Output filters and the echo lines.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "engine/output_filters.h"
#include "engine/quarnel_echo.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;
using engine::QuarnelEcho;

namespace {

// Position and value of the largest magnitude after `from`.
std::pair<int, float> strongest(const std::vector<float>& v, int from) {
  int at = from;
  for (int i = from; i < static_cast<int>(v.size()); ++i)
    if (std::fabs(v[i]) > std::fabs(v[at])) at = i;
  return {at, v[at]};
}

std::vector<float> impulseResponse(QuarnelEcho& echo, float feedback, float delay, int length) {
  std::vector<float> out(length);
  for (int i = 0; i < length; ++i) out[i] = echo.step(i == 0 ? 1.0f : 0.0f, feedback, delay);
  return out;
}

TEST(Echo, RingModeReturnsTheImpulseAfterTheDelay) {
  auto echo = std::make_unique<QuarnelEcho>();
  std::vector<float> out = impulseResponse(*echo, 0.5f, 300.0f, 1000);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(out[i], 0.0f) << i;
  EXPECT_EQ(out[300], 0.5f);
  EXPECT_EQ(out[600], 0.25f);
  auto silent = std::make_unique<QuarnelEcho>();
  for (float x : impulseResponse(*silent, 0.0f, 300.0f, 1000)) EXPECT_EQ(x, 0.0f);
}

TEST(Echo, TapeModeReturnsTheImpulseOnceInvertedAndSmoothed) {
  auto echo = std::make_unique<QuarnelEcho>();
  const int delay = 12000;
  std::vector<float> out = impulseResponse(*echo, 0.0f, static_cast<float>(delay), 3 * delay);
  auto [at, value] = strongest(out, 100);
  EXPECT_NEAR(at, delay, 30);
  EXPECT_LT(value, 0.0f) << "each lap inverts the polarity";
  EXPECT_LT(std::fabs(value), 1.0f) << "and dulls the impulse";
  float late = 0.0f;
  for (int i = delay + 2000; i < 3 * delay; ++i) late = std::max(late, std::fabs(out[i]));
  EXPECT_LT(late, std::fabs(value) * 1e-3f) << "without feedback it comes back once";
}

TEST(Echo, AnyDelayStaysInsideTheLines) {
  auto echo = std::make_unique<QuarnelEcho>();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float delay : {0.0f, -5.0f, -1e9f, nan, inf, -inf, 131071.0f, 131072.0f, 5e8f, 1000.5f,
                      1000.0f, 1001.0f, 0.3f}) {
    for (int i = 0; i < 300; ++i) {
      const float y = echo->step(0.5f, 0.9f, delay);
      ASSERT_TRUE(std::isfinite(y)) << delay;
    }
    EXPECT_GE(echo->ringIndex, 0);
    EXPECT_LT(echo->ringIndex, QuarnelEcho::kLength);
    EXPECT_GE(echo->readPos, 0.0);
    EXPECT_LE(echo->readPos, 131071.0);
  }
}

TEST(Echo, ModeFollowsTheDelayFromSampleToSample) {
  auto echo = std::make_unique<QuarnelEcho>();
  // Sweeping across 1000 samples switches between ring and tape while both
  // keep the ring index moving.
  for (int i = 0; i < 4000; ++i) {
    const float delay = 900.0f + 0.05f * static_cast<float>(i);
    const int32_t before = echo->ringIndex;
    echo->step(i % 50 == 0 ? 1.0f : 0.0f, 0.7f, delay);
    ASSERT_EQ(echo->ringIndex, (before + 1) & QuarnelEcho::kMask);
  }
}

TEST(OutputFilters, ExtremesPassOrHold) {
  engine::OutputFilters f;
  f.highpass.setCutoff(0.0f, 1.0f / 48000.0f);
  f.lowpass.setCutoff(0.0f, 1.0f / 48000.0f);
  float hpState = 0.0f, lpState = 0.0f;
  for (float x : {0.5f, -0.25f, 0.125f})
    EXPECT_EQ(engine::OutputFilters::highpassStep(f.highpass, hpState, x), x);
  for (float x : {0.5f, -0.25f, 0.125f})
    EXPECT_EQ(engine::OutputFilters::lowpassStep(f.lowpass, lpState, x), 0.0f);
}

TEST(Echo, DryWhenWetIsZeroAndTailsRunIntoSilence) {
  PluginHarness dry, echoing;
  echoing.setParameter(params::kEchoWet, 0.5f);
  echoing.setParameter(params::kEchoRateL, 0.05f);
  echoing.setParameter(params::kEchoRateR, 0.05f);
  for (PluginHarness* h : {&dry, &echoing}) {
    h->noteOn(72, 120);
    h->render(960);
    h->noteOff(72);
  }
  Stereo d = dry.render(48000 * 3);
  Stereo e = echoing.render(48000 * 3);
  EXPECT_TRUE(allZero(dry.render(4800)));
  EXPECT_FALSE(allZero(e)) << "the echo keeps sounding after the keys fall silent";
  EXPECT_GT(peak(e), 0.0f);
  (void)d;
}

}  // namespace
