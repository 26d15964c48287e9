// The block loop: silence, block sizes, sample rates, the floating-point
// mode, start offsets, the silence gate and the per-block glides.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "params/parameter_table.h"
#include "platform/fp_mode.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

constexpr float kSentinel = 12345.0f;

bool isSubnormal(float x) { return x != 0.0f && std::fpclassify(x) == FP_SUBNORMAL; }

// Renders until the output has been exactly zero for a whole second.
int renderUntilSilent(PluginHarness& h, int maxSeconds = 60) {
  for (int second = 0; second < maxSeconds; ++second)
    if (allZero(h.render(48000))) return second;
  return -1;
}

TEST(RenderLoop, NewInstanceRendersExactSilence) {
  PluginHarness h;
  EXPECT_TRUE(allZero(h.render(48000)));
}

TEST(RenderLoop, BlockSizesZeroOneAndLarge) {
  PluginHarness h;
  h.noteOn(60, 110);
  std::vector<float> left(8, kSentinel), right(8, kSentinel);
  float* outputs[2] = {left.data(), right.data()};
  h.plugin().processReplacing(nullptr, outputs, 0);
  h.plugin().processReplacing(nullptr, outputs, -7);
  EXPECT_EQ(left[0], kSentinel) << "a block of 0 samples writes nothing";
  EXPECT_EQ(right[0], kSentinel);
  EXPECT_EQ(h.engine().keys[60].startOffset, 0) << "and advances no per-sample state";

  Stereo single = h.render(300, 1);
  EXPECT_TRUE(allFinite(single));
  EXPECT_GT(peak(single), 0.0f);
  Stereo large = h.render(3 * 4096, 4096);
  EXPECT_TRUE(allFinite(large));
  EXPECT_GT(peak(large), 0.0f);
}

TEST(RenderLoop, NullOutputsAreSurvived) {
  PluginHarness h;
  h.noteOn(60);
  float buffer[16];
  float* oneMissing[2] = {buffer, nullptr};
  h.plugin().processReplacing(nullptr, nullptr, 16);
  h.plugin().processReplacing(nullptr, oneMissing, 16);
}

TEST(RenderLoop, SampleRatesOutsideTheRangeUse48k) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float rate, used;
  };
  for (Case c : {Case{8000.0f, 48000.0f}, Case{8001.0f, 8001.0f}, Case{44100.0f, 44100.0f},
                 Case{96000.0f, 96000.0f}, Case{100000.0f, 48000.0f}, Case{192000.0f, 48000.0f},
                 Case{nan, 48000.0f}, Case{inf, 48000.0f}, Case{-44100.0f, 48000.0f},
                 Case{0.0f, 48000.0f}}) {
    PluginHarness h;
    h.plugin().setSampleRate(c.rate);
    EXPECT_EQ(h.engine().engineRate(), c.used) << c.rate;
    EXPECT_EQ(h.engine().invRate(), 1.0f / c.used);
    EXPECT_EQ(h.engine().beatsPerSample(), 2.0f / c.used);
    h.noteOn(45, 127);
    h.noteOn(100, 127);
    Stereo s = h.render(4800);
    EXPECT_TRUE(allFinite(s)) << c.rate;
    EXPECT_GT(peak(s), 0.0f) << c.rate;
  }
}

TEST(RenderLoop, RateChangeReappliesTheProgramAndResetsKeys) {
  PluginHarness h;
  h.setParameter(params::kConcertA, 1.0f);
  h.noteOn(69);
  h.render(512);
  const float k48 = h.engine().keys[69].aMainFreqBase;
  h.plugin().setSampleRate(44100.0f);
  EXPECT_EQ(h.engine().keys[69].held, 0);
  EXPECT_EQ(h.engine().keysActive(), 0);
  EXPECT_EQ(h.engine().concertA(), 460.0f);
  // The same pitch takes a larger angular step at the lower rate.
  EXPECT_NEAR(h.engine().keys[69].aMainFreqBase / k48, (48000.0 * 48000.0) / (44100.0 * 44100.0),
              1e-5);
}

TEST(RenderLoop, RestoresTheCallersFloatingPointModeAndNeverOutputsSubnormals) {
  PluginHarness h;
  h.setParameter(params::kEchoWet, 0.6f);
  h.setParameter(params::kEchoFeedback, 0.9f);
  const uint32_t callerMode = platform::floatingPointControlWord() & ~0x8040u;
  platform::setFloatingPointControlWord(callerMode);
  for (int key : {30, 60, 90}) h.noteOn(key, 127);
  bool subnormal = false;
  for (int block = 0; block < 400; ++block) {
    if (block == 20) {
      h.noteOff(30);
      h.noteOff(60);
      h.noteOff(90);
    }
    Stereo s = h.render(1024, 1024);
    EXPECT_EQ(platform::floatingPointMode(), callerMode & ~0x3fu);
    for (size_t i = 0; i < s.size(); ++i)
      subnormal = subnormal || isSubnormal(s.left[i]) || isSubnormal(s.right[i]);
  }
  EXPECT_FALSE(subnormal);
  platform::setFloatingPointControlWord(callerMode);
}

TEST(RenderLoop, SilenceAfterReleaseIsExactlyZero) {
  PluginHarness h;
  for (int key : {36, 48, 60, 72, 84, 96}) h.noteOn(key, 120);
  EXPECT_GT(peak(h.render(24000)), 0.0f);
  for (int key : {36, 48, 60, 72, 84, 96}) h.noteOff(key);
  EXPECT_GE(renderUntilSilent(h), 0);
  EXPECT_TRUE(allZero(h.render(48000)));
  EXPECT_EQ(h.engine().keysDirty(), 0);
}

TEST(RenderLoop, StartOffsetDelaysTheStrike) {
  PluginHarness h;
  h.noteOn(60, 127, 10);
  Stereo s = h.render(64, 64);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(s.left[i], 0.0f) << i;
  EXPECT_EQ(h.engine().keys[60].startOffset, -1);
  EXPECT_GT(peak(h.render(64, 64)), 0.0f);
}

TEST(RenderLoop, StartOffsetPastTheBlockBeginsInTheNextBlock) {
  PluginHarness h;
  h.noteOn(60, 127, 5000);
  h.render(64, 64);
  h.render(64, 64);
  EXPECT_EQ(h.engine().keys[60].startOffset, -1);
  EXPECT_GT(peak(h.render(256)), 0.0f);
}

TEST(RenderLoop, KeysOutsideThePianoNeverSound) {
  PluginHarness h;
  for (int key : {0, 20, 109, 127}) h.noteOn(key, 127);
  EXPECT_EQ(h.engine().keysActive(), 0);
  h.engine().startKey(5, 1.0f, 0, false);
  h.engine().startKey(120, 1.0f, 0, false);
  EXPECT_EQ(h.engine().keys[5].held, 0);
  EXPECT_TRUE(allZero(h.render(4800)));
}

TEST(RenderLoop, FirstSilentBlockClearsKeyRecordsOnce) {
  PluginHarness h;
  h.noteOn(60);
  h.noteOff(60);
  ASSERT_GE(renderUntilSilent(h), 0);
  EXPECT_EQ(h.engine().keysDirty(), 0);
  // Later silent blocks leave the records alone.
  h.engine().keys[60].lfoPos = 0.5f;
  h.render(2048);
  EXPECT_EQ(h.engine().keys[60].lfoPos, 0.5f);
}

TEST(RenderLoop, HeldKeysStayHeldThroughTheSilenceGate) {
  PluginHarness h;
  h.noteOn(60, 100);
  h.noteOn(64, 100);
  h.render(4800);
  h.noteOn(72, 100);
  h.render(4800);
  h.noteOff(72);  // any note off clears keysActive
  ASSERT_EQ(h.engine().keysActive(), 0);
  ASSERT_GE(renderUntilSilent(h, 120), 0);
  EXPECT_EQ(h.engine().keys[60].held, 1);
  EXPECT_EQ(h.engine().keys[64].held, 1);
  EXPECT_EQ(h.engine().keys[72].held, 0);
  // Moving the mod wheel scrapes the keys that are still down.
  for (int v = 0; v <= 127; v += 8) {
    h.controller(1, v);
    h.render(256, 256, false);
  }
  EXPECT_GT(peak(h.render(4800)), 0.0f);
}

TEST(RenderLoop, HostsThatSkipProcessEventsDoNotReplayGlides) {
  PluginHarness h;
  h.setParameter(params::kPitchRange, 1.0f);
  h.noteOn(60);
  MidiBatch bend;
  bend.add(0xe0, 0x7f, 0x7f);
  h.send(bend);
  h.render(256, 256, false);
  EXPECT_EQ(h.engine().bend.start, h.engine().bend.target);
  h.render(256, 256, false);  // the first block glided there
  const float live = h.engine().keys[60].aMainFreq;
  h.render(256 * 8, 256, false);
  EXPECT_EQ(h.engine().keys[60].aMainFreq, live) << "the bend stays at its target";

  h.controller(1, 127);
  h.controller(1, 0);
  h.render(256, 256, false);
  const float scrape = std::fabs(h.engine().scrapeLevel());
  h.render(48000, 256, false);
  EXPECT_LT(std::fabs(h.engine().scrapeLevel()), scrape) << "no wheel movement is replayed";
}

}  // namespace
