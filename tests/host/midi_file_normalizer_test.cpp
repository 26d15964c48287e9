// Files the MIDI reader must take apart safely before libsmf sees them.
#include "vellmark-host/midi_file_normalizer.h"

#include <gtest/gtest.h>

#include <random>

#include "vellmark-host/midi_file_reader.h"

using vhost::TimedMidiEvent;

namespace {

std::string header(int format, int tracks, int division) {
  return std::string("MThd\0\0\0\6", 8) + static_cast<char>(format >> 8) +
         static_cast<char>(format) + static_cast<char>(tracks >> 8) + static_cast<char>(tracks) +
         static_cast<char>(division >> 8) + static_cast<char>(division);
}

std::string track(const std::string& events) {
  const size_t n = events.size();
  return std::string("MTrk") + static_cast<char>(n >> 24) + static_cast<char>(n >> 16) +
         static_cast<char>(n >> 8) + static_cast<char>(n) + events;
}

std::string bytes(std::initializer_list<int> values) {
  std::string text;
  for (int v : values) text += static_cast<char>(v);
  return text;
}

std::vector<TimedMidiEvent> read(const std::string& file, bool expectOk = true) {
  std::vector<TimedMidiEvent> events;
  std::string error;
  EXPECT_EQ(vhost::readMidiBytes(file, events, error), expectOk) << error;
  return events;
}

// A one-track file at 100 pulses per quarter note (120 BPM: 200 pulses = 1 s).
std::string oneTrack(const std::string& events) { return header(0, 1, 100) + track(events); }

}  // namespace

TEST(MidiFileNormalizer, RunningStatusAndLongMetaEventsKeepTheirTiming) {
  std::string longText(300, 'x');
  const std::string events =
      bytes({0x00, 0x90, 60, 100}) + bytes({0x64, 62, 90}) +  // running status 100 pulses on
      bytes({0x00, 0xFF, 0x01, 0x82, 0x2C}) + longText +      // 300-byte text event
      bytes({0x64, 0x80, 60, 0}) + bytes({0x00, 0xFF, 0x2F, 0x00});
  const std::vector<TimedMidiEvent> read1 = read(oneTrack(events));
  ASSERT_EQ(read1.size(), 3u);
  EXPECT_EQ(read1[1].bytes[0], 0x90);
  EXPECT_EQ(read1[1].bytes[1], 62);
  EXPECT_DOUBLE_EQ(read1[1].seconds, 0.5);
  EXPECT_DOUBLE_EQ(read1[2].seconds, 1.0);
}

TEST(MidiFileNormalizer, DroppedEventsLendTheirTimeToTheNextOne) {
  // A sysex and a time signature between two notes, a tempo change to 60 BPM
  // at pulse 200, and no end-of-track at all.
  const std::string events =
      bytes({0x00, 0x90, 60, 100}) + bytes({0x32, 0xF0, 0x03, 0x7E, 0x01, 0xF7}) +
      bytes({0x32, 0xFF, 0x58, 0x04, 4, 2, 24, 8}) +
      bytes({0x64, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40}) + bytes({0x64, 0x80, 60, 0});
  const std::vector<TimedMidiEvent> notes = read(oneTrack(events));
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_DOUBLE_EQ(notes[1].seconds, 1.0 + 1.0);  // 200 pulses at 120, then 100 at 60 BPM
}

TEST(MidiFileNormalizer, StopsAtEndOfTrackAndSkipsUnknownChunks) {
  const std::string file = header(1, 2, 100) + std::string("XFIL\0\0\0\2ab", 10) +
                           track(bytes({0x00, 0x90, 60, 1, 0x00, 0xFF, 0x2F, 0x00, 0x00, 0x90})) +
                           track(bytes({0x00, 0x91, 61, 1}));
  const std::vector<TimedMidiEvent> events = read(file);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].bytes[0], 0x91);
}

TEST(MidiFileNormalizer, RefusesBrokenOrUnsupportedFiles) {
  const std::string note = bytes({0x00, 0x90, 60, 100});
  const std::vector<std::pair<std::string, std::string>> cases = {
      {header(2, 1, 100) + track(note), "format 2"},
      {header(0, 1, 0xE728) + track(note), "SMPTE"},
      {header(0, 1, 0) + track(note), "no time division"},
      {header(0, 0, 100), "no tracks"},
      {header(0, 1, 100), "no tracks"},
      {header(0, 1, 100) + track(bytes({0x00, 0x90, 60})), "cut-off"},
      {header(0, 1, 100) + track(bytes({0x00, 60, 100})), "without a status"},
      {header(0, 1, 100) + track(bytes({0x00, 0x90, 60, 0xC0})), "malformed"},
      {header(0, 1, 100) + track(bytes({0x00, 0xF2, 1, 2})), "system message"},
      {header(0, 1, 100) + track(bytes({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 60, 1})), "delta"},
      {header(0, 1, 100) + track(bytes({0x00, 0xFF, 0x01, 0x10, 'a'})), "meta event"},
      {header(0, 1, 100) + track(bytes({0x00, 0xF0, 0x10, 1})), "system exclusive"},
      {header(0, 1, 100) +
           track(bytes({0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1, 0xFF, 0xFF, 0xFF, 0x7F, 0x80, 60, 1})),
       "too long"},
      {(header(0, 1, 100) + track(note)).substr(0, 20), "cut off"},
  };
  for (const auto& c : cases) {
    std::string plain, error;
    EXPECT_FALSE(vhost::normalizeMidiFile(c.first, plain, error)) << c.second;
    EXPECT_NE(error.find(c.second), std::string::npos)
        << "expected '" << c.second << "' in: " << error;
  }
}

TEST(MidiFileNormalizer, DamagedFilesNeverCrashTheReader) {
  const std::string good =
      header(1, 2, 96) +
      track(bytes({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x03, 0x02, 'h', 'i'})) +
      track(bytes({0x00, 0x90, 60,   100, 0x30, 64,   80,   0x00, 0xB0, 64,
                   127,  0x30, 0xE0, 0,   64,   0x00, 0xF0, 0x02, 0x01, 0xF7,
                   0x30, 0x80, 60,   0,   0x00, 0xFF, 0x2F, 0x00}));
  ASSERT_EQ(read(good).size(), 5u);
  // Every truncation, then random damage: each either reads or is refused.
  for (size_t length = 0; length < good.size(); ++length) {
    std::vector<TimedMidiEvent> events;
    std::string error;
    vhost::readMidiBytes(good.substr(0, length), events, error);
  }
  std::mt19937 random(12345);
  for (int trial = 0; trial < 3000; ++trial) {
    std::string damaged = good;
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int c = 0; c < changes; ++c)
      damaged[random() % damaged.size()] = static_cast<char>(random() & 0xFF);
    std::vector<TimedMidiEvent> events;
    std::string error;
    if (vhost::readMidiBytes(damaged, events, error)) {
      for (const TimedMidiEvent& event : events) ASSERT_TRUE(std::isfinite(event.seconds));
    } else {
      ASSERT_FALSE(error.empty());
    }
  }
}
