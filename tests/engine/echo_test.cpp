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

namespace {

struct Positions {
  double readPos;
  int32_t writeIndex, ringIndex;
  bool operator==(const Positions& o) const {
    return readPos == o.readPos && writeIndex == o.writeIndex && ringIndex == o.ringIndex;
  }
};
Positions positionsOf(const QuarnelEcho& e) { return {e.readPos, e.writeIndex, e.ringIndex}; }

}  // namespace

// An empty line fed +0 skips its steps but must leave its positions exactly
// where the steps would: steady tapes of every speed (several laps, a step
// below one cell), the ring, a delay that glides across the tape threshold,
// and a NaN delay.
TEST(Echo, SkippedEmptyStepsMoveThePositionsLikeRealOnes) {
  struct Case {
    float delay, delayStep;
    int count;
  };
  const Case cases[] = {{4800.0f, 0.0f, 256},  {4800.0f, 0.0f, 40000},   {1001.0f, 0.0f, 65536},
                        {1000.0f, 0.0f, 700},  {192000.0f, 0.0f, 30000}, {16777216.0f, 0.0f, 5000},
                        {900.0f, 1.25f, 400},  {20000.0f, -37.5f, 333},  {std::nanf(""), 0.0f, 99},
                        {4800.0f, 0.0f, 70000}};
  auto real = std::make_unique<QuarnelEcho>();
  auto skipped = std::make_unique<QuarnelEcho>();
  for (int lead : {0, 1, 777}) {
    for (const Case& c : cases) {
      real->clear();
      skipped->clear();
      // Start from positions part of the way round.
      for (int i = 0; i < lead; ++i) real->step(0.0f, 0.5f, 3000.0f + static_cast<float>(i));
      skipped->skipEmptySteps(3000.0f, 1.0f, lead);
      ASSERT_TRUE(positionsOf(*real) == positionsOf(*skipped)) << "lead " << lead;

      float delay = c.delay;
      for (int i = 0; i < c.count; ++i) {
        ASSERT_EQ(real->step(0.0f, 0.5f, delay), 0.0f);
        delay = delay + c.delayStep;
      }
      skipped->skipEmptySteps(c.delay, c.delayStep, c.count);
      EXPECT_TRUE(positionsOf(*real) == positionsOf(*skipped))
          << "delay " << c.delay << " step " << c.delayStep << " count " << c.count << " lead "
          << lead << ": readPos " << real->readPos << " vs " << skipped->readPos;
      EXPECT_TRUE(skipped->empty());
    }
  }
}

// A tail that dies away leaves the line empty again after a lap of quiet;
// a line still holding something is not taken for empty.
TEST(Echo, QuietLinesAreFoundEmptyOnlyWhenEveryCellIsPlusZero) {
  auto echo = std::make_unique<QuarnelEcho>();
  EXPECT_TRUE(echo->empty());
  echo->step(1.0f, 0.0f, 300.0f);
  EXPECT_FALSE(echo->empty());
  for (int i = 0; i < 400; ++i) echo->step(0.0f, 0.0f, 300.0f);
  echo->noteQuietBlock(true, QuarnelEcho::kLength);
  EXPECT_FALSE(echo->empty()) << "the ring still holds the impulse a lap later";
  for (int i = 0; i < QuarnelEcho::kLength; ++i) echo->step(0.0f, 0.0f, 300.0f);
  echo->noteQuietBlock(true, QuarnelEcho::kLength - 1);
  EXPECT_FALSE(echo->empty()) << "not a whole lap of quiet yet";
  echo->noteQuietBlock(false, 1);
  echo->noteQuietBlock(true, QuarnelEcho::kLength - 1);
  EXPECT_FALSE(echo->empty()) << "loud input starts the count again";
  echo->noteQuietBlock(true, 1);
  EXPECT_TRUE(echo->empty());
  EXPECT_FALSE(echo->holdsSignal());

  echo->step(-0.0f, 0.0f, 300.0f);
  echo->ring[5] = -0.0f;
  echo->noteQuietBlock(true, QuarnelEcho::kLength);
  EXPECT_FALSE(echo->empty()) << "-0 is not +0";
}
