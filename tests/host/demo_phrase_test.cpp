#include "vellmark-host/demo_phrase.h"

#include <gtest/gtest.h>

#include <map>

using vhost::TimedMidiEvent;

TEST(DemoPhrase, UsesOnlyMessagesTheInstrumentReadsWithinThePlayedRange) {
  const std::vector<TimedMidiEvent> events = vhost::demoPhrase(120.0);
  ASSERT_FALSE(events.empty());
  int pedalPresses = 0, wheelMoves = 0, bends = 0;
  for (const TimedMidiEvent& event : events) {
    const int kind = event.bytes[0] & 0xF0;
    ASSERT_EQ(event.size, 3);
    if (kind == 0x80 || kind == 0x90) {
      EXPECT_GE(event.bytes[1], 36);
      EXPECT_LE(event.bytes[1], 96);
    } else if (kind == 0xB0) {
      ASSERT_TRUE(event.bytes[1] == 1 || event.bytes[1] == 64) << int(event.bytes[1]);
      if (event.bytes[1] == 64 && event.bytes[2] >= 64) ++pedalPresses;
      if (event.bytes[1] == 1 && event.bytes[2] > 0) ++wheelMoves;
    } else {
      ASSERT_EQ(kind, 0xE0);
      ++bends;
    }
  }
  EXPECT_GE(pedalPresses, 4);
  EXPECT_GT(wheelMoves, 0);
  EXPECT_GT(bends, 0);
}

TEST(DemoPhrase, EndsCleanlyWithinTheIntendedLength) {
  const std::vector<TimedMidiEvent> events = vhost::demoPhrase(120.0);
  for (size_t i = 1; i < events.size(); ++i) ASSERT_LE(events[i - 1].seconds, events[i].seconds);
  EXPECT_GE(events.back().seconds, 10.0);
  EXPECT_LE(events.back().seconds, 14.0);

  // Every note is released, the pedal is up, the wheel back at rest and
  // the bend centred when the phrase ends.
  std::map<int, int> sounding;
  int pedal = 0, wheel = 0, bend = 8192;
  for (const TimedMidiEvent& event : events) {
    if (vhost::isNoteOn(event)) ++sounding[event.bytes[1]];
    if (vhost::isNoteOff(event)) {
      EXPECT_GT(sounding[event.bytes[1]], 0) << "release of a key not held";
      --sounding[event.bytes[1]];
    }
    if ((event.bytes[0] & 0xF0) == 0xB0 && event.bytes[1] == 64) pedal = event.bytes[2];
    if ((event.bytes[0] & 0xF0) == 0xB0 && event.bytes[1] == 1) wheel = event.bytes[2];
    if ((event.bytes[0] & 0xF0) == 0xE0) bend = event.bytes[1] + 128 * event.bytes[2];
  }
  for (const auto& key : sounding) EXPECT_EQ(key.second, 0) << "key " << key.first;
  EXPECT_LT(pedal, 64);
  EXPECT_EQ(wheel, 0);
  EXPECT_EQ(bend, 8192);
}

TEST(DemoPhrase, FollowsTheTempo) {
  const std::vector<TimedMidiEvent> normal = vhost::demoPhrase(120.0);
  const std::vector<TimedMidiEvent> slow = vhost::demoPhrase(60.0);
  ASSERT_EQ(normal.size(), slow.size());
  EXPECT_DOUBLE_EQ(slow.back().seconds, 2.0 * normal.back().seconds);
}
