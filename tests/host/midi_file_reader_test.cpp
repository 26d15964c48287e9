#include "vellmark-host/midi_file_reader.h"

#include <gtest/gtest.h>

#include "host/host_test_support.h"

using host_test::PulseEvent;
using vhost::TimedMidiEvent;

namespace {

constexpr int kPpqn = 480;

std::vector<TimedMidiEvent> readBack(const std::string& path) {
  std::vector<TimedMidiEvent> events;
  std::string error;
  EXPECT_TRUE(vhost::readMidiFile(path, events, error)) << error;
  return events;
}

}  // namespace

TEST(MidiFileReader, ReadsChannelMessagesOfAllChannelsAtTempoMapTimes) {
  host_test::ScratchFolder folder;
  const std::string path = folder.file("song.mid");
  // 60 BPM for the first two beats, then 120 BPM: beat 3 is 2.5 s in.
  const std::vector<PulseEvent> written = {
      {1, 0, host_test::tempoEvent(1000000)},
      {1, 2 * kPpqn, host_test::tempoEvent(500000)},
      {2, 0, {0x90, 60, 100}},                               // note on, channel 1
      {2, kPpqn, {0x80, 60, 40}},                            // note off at 1 s
      {2, kPpqn, {0xBF, 64, 127}},                           // pedal, channel 16
      {2, 2 * kPpqn, {0xE5, 0x00, 0x50}},                    // pitch bend, channel 6 at 2 s
      {2, 3 * kPpqn, {0xC3, 7}},                             // program change at 2.5 s
      {2, 3 * kPpqn, {0xD0, 90}},                            // channel pressure: left out
      {2, 3 * kPpqn, {0xA0, 60, 20}},                        // poly pressure: left out
      {2, 3 * kPpqn, {0xF0, 0x7E, 0x7F, 0x09, 0x01, 0xF7}},  // sysex: left out
      {2, 4 * kPpqn, {0x9A, 36, 0}},                         // note on with velocity 0 at 3 s
  };
  ASSERT_TRUE(host_test::writeMidiFile(path, kPpqn, 2, written));

  const std::vector<TimedMidiEvent> events = readBack(path);
  ASSERT_EQ(events.size(), 6u);
  const struct {
    double seconds;
    uint8_t size, status, data1, data2;
  } expected[] = {{0.0, 3, 0x90, 60, 100}, {1.0, 3, 0x80, 60, 40}, {1.0, 3, 0xBF, 64, 127},
                  {2.0, 3, 0xE5, 0, 0x50}, {2.5, 2, 0xC3, 7, 0},   {3.0, 3, 0x9A, 36, 0}};
  for (size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(events[i].seconds, expected[i].seconds, 1e-9);
    EXPECT_EQ(events[i].size, expected[i].size);
    EXPECT_EQ(events[i].bytes[0], expected[i].status);
    EXPECT_EQ(events[i].bytes[1], expected[i].data1);
    EXPECT_EQ(events[i].bytes[2], expected[i].data2);
  }
  EXPECT_TRUE(vhost::isNoteOff(events[5]));
}

TEST(MidiFileReader, MergesTracksInTimeOrder) {
  host_test::ScratchFolder folder;
  const std::string path = folder.file("tracks.mid");
  ASSERT_TRUE(host_test::writeMidiFile(path, kPpqn, 3,
                                       {{2, 300, {0x90, 64, 90}},
                                        {3, 100, {0x91, 67, 80}},
                                        {2, 500, {0x80, 64, 0}},
                                        {3, 200, {0x81, 67, 0}}}));
  const std::vector<TimedMidiEvent> events = readBack(path);
  ASSERT_EQ(events.size(), 4u);
  for (size_t i = 1; i < events.size(); ++i) EXPECT_LE(events[i - 1].seconds, events[i].seconds);
  // Without a tempo event the file plays at 120 BPM.
  EXPECT_NEAR(events[0].seconds, 100.0 / kPpqn * 0.5, 1e-9);
}

TEST(MidiFileReader, ReportsFilesItCannotRead) {
  host_test::ScratchFolder folder;
  std::vector<TimedMidiEvent> events;
  std::string error;
  EXPECT_FALSE(vhost::readMidiFile(folder.file("missing.mid"), events, error));
  EXPECT_NE(error.find("cannot open"), std::string::npos) << error;

  const std::string text = folder.file("text.mid");
  host_test::writeBytes(text,
                        {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!', '!'});
  error.clear();
  EXPECT_FALSE(vhost::readMidiFile(text, events, error));
  EXPECT_NE(error.find("not a standard MIDI file"), std::string::npos) << error;

  // A header promising a track that is cut off.
  const std::string cut = folder.file("cut.mid");
  host_test::writeBytes(cut, {'M',  'T',  'h', 'd', 0,   0,   0, 6, 0, 1,    0,    1,
                              0x01, 0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, 0x10, 0x00, 0x90});
  error.clear();
  EXPECT_FALSE(vhost::readMidiFile(cut, events, error));
  EXPECT_NE(error.find("cut off"), std::string::npos) << error;
  EXPECT_TRUE(events.empty());
}
