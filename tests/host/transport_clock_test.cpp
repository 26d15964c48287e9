#include "vellmark-host/transport_clock.h"

#include <gtest/gtest.h>

TEST(TransportClock, QuarterNotePositionFollowsTheTempo) {
  vhost::TransportClock clock(48000.0, 120.0);
  clock.moveTo(48000);  // one second
  EXPECT_DOUBLE_EQ(clock.info().ppqPos, 2.0);
  EXPECT_DOUBLE_EQ(clock.info().samplePos, 48000.0);
  EXPECT_DOUBLE_EQ(clock.info().sampleRate, 48000.0);
  EXPECT_DOUBLE_EQ(clock.info().tempo, 120.0);

  clock.configure(44100.0, 90.0);
  clock.moveTo(44100 * 10);
  EXPECT_DOUBLE_EQ(clock.info().ppqPos, 15.0);
  EXPECT_DOUBLE_EQ(clock.info().barStartPos, 12.0);
  EXPECT_EQ(clock.info().timeSigNumerator, 4);
  EXPECT_EQ(clock.info().timeSigDenominator, 4);

  // Far into a long render the position is still exact, not accumulated.
  clock.moveTo(44100LL * 3600);
  EXPECT_DOUBLE_EQ(clock.info().ppqPos, 5400.0);
}

TEST(TransportClock, FlagsTellWhatIsValidAndWhenTheTransportStarted) {
  vhost::TransportClock clock(48000.0, 120.0);
  const VstInt32 valid = kVstTempoValid | kVstPpqPosValid | kVstBarsValid | kVstTimeSigValid;
  EXPECT_EQ(clock.info().flags & valid, valid);
  EXPECT_FALSE(clock.info().flags & kVstTransportPlaying);

  // The start is reported with the first block after it, and only there.
  clock.setPlaying(true);
  clock.moveTo(0);
  EXPECT_TRUE(clock.info().flags & kVstTransportPlaying);
  EXPECT_TRUE(clock.info().flags & kVstTransportChanged);
  clock.moveTo(256);
  EXPECT_TRUE(clock.info().flags & kVstTransportPlaying);
  EXPECT_FALSE(clock.info().flags & kVstTransportChanged);
}
