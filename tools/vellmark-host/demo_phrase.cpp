#include "demo_phrase.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace vhost {

namespace {

// One row of the score, timed in beats (quarter notes). Ramps are sent as a
// value every sixteenth of a beat, both end values included.
enum class RowKind { Note, Pedal, WheelRamp, BendRamp };

struct ScoreRow {
  RowKind kind;
  double beat;
  double length;  // beats; 0 for the pedal
  int first;      // key, pedal down (1/0), or the ramp's start value
  int second;     // velocity, or the ramp's end value
};

constexpr ScoreRow note(double beat, double length, int key, int velocity) {
  return {RowKind::Note, beat, length, key, velocity};
}
constexpr ScoreRow pedal(double beat, bool down) { return {RowKind::Pedal, beat, 0.0, down, 0}; }
constexpr ScoreRow wheel(double beat, double length, int from, int to) {
  return {RowKind::WheelRamp, beat, length, from, to};
}
constexpr ScoreRow bend(double beat, double length, int from, int to) {
  return {RowKind::BendRamp, beat, length, from, to};
}

constexpr int kBendCentre = 8192;

// Chords are released just before the change and the pedal is lifted at the
// change and pressed again just after the new chord, as a pianist would.
constexpr ScoreRow kScore[] = {
    // Bar 1, A minor.
    pedal(0.15, true),
    note(0.0, 3.9, 45, 78),
    note(0.0, 3.9, 57, 56),
    note(0.0, 3.9, 60, 52),
    note(0.0, 3.9, 64, 60),
    note(1.0, 0.95, 72, 84),
    note(2.0, 0.45, 71, 70),
    note(2.5, 0.45, 72, 76),
    note(3.0, 0.95, 76, 92),
    pedal(3.97, false),
    // Bar 2, F major.
    pedal(4.15, true),
    note(4.0, 3.9, 41, 80),
    note(4.0, 3.9, 57, 58),
    note(4.0, 3.9, 60, 54),
    note(4.0, 3.9, 65, 62),
    note(4.0, 1.45, 77, 96),
    note(5.5, 0.45, 76, 78),
    note(6.0, 0.95, 74, 82),
    note(7.0, 0.9, 72, 74),
    pedal(7.97, false),
    // Bar 3, C major, the bass down to C2.
    pedal(8.15, true),
    note(8.0, 3.9, 36, 76),
    note(8.0, 3.9, 52, 54),
    note(8.0, 3.9, 55, 58),
    note(8.0, 3.9, 60, 56),
    note(8.0, 0.95, 76, 88),
    note(9.0, 0.95, 79, 100),
    note(10.0, 0.45, 76, 80),
    note(10.5, 0.45, 74, 72),
    note(11.0, 0.9, 72, 78),
    pedal(11.97, false),
    // Bar 4, G major; the modulation wheel swells and falls back (a scrape).
    pedal(12.15, true),
    note(12.0, 3.9, 43, 74),
    note(12.0, 3.9, 55, 52),
    note(12.0, 3.9, 59, 56),
    note(12.0, 3.9, 62, 60),
    note(12.0, 1.9, 74, 86),
    note(14.0, 0.95, 71, 74),
    note(15.0, 0.9, 74, 80),
    wheel(12.25, 1.5, 0, 40),
    wheel(13.75, 1.75, 40, 0),
    pedal(15.97, false),
    // Bar 5, F major then G major; one gentle bend on the B.
    pedal(16.15, true),
    note(16.0, 1.9, 41, 78),
    note(16.0, 1.9, 57, 56),
    note(16.0, 1.9, 60, 54),
    note(16.0, 1.9, 65, 58),
    note(16.0, 0.95, 72, 82),
    note(17.0, 0.95, 69, 76),
    pedal(17.97, false),
    pedal(18.15, true),
    note(18.0, 1.9, 43, 80),
    note(18.0, 1.9, 59, 58),
    note(18.0, 1.9, 62, 56),
    note(18.0, 1.9, 67, 62),
    note(18.0, 0.95, 71, 84),
    note(19.0, 0.95, 74, 90),
    bend(18.25, 0.375, kBendCentre, kBendCentre + 1200),
    bend(18.625, 0.375, kBendCentre + 1200, kBendCentre),
    pedal(19.97, false),
    // Bar 6, A minor, held and released into the tail with the pedal.
    pedal(20.15, true),
    note(20.0, 3.0, 45, 82),
    note(20.0, 3.0, 52, 60),
    note(20.0, 3.0, 57, 58),
    note(20.0, 3.0, 60, 56),
    note(20.0, 3.0, 64, 62),
    note(20.0, 3.0, 69, 64),
    note(20.0, 3.0, 76, 94),
    pedal(23.5, false),
};

constexpr uint8_t kChannel = 0;  // MIDI channel 1
constexpr double kRampStepsPerBeat = 16.0;

void expandRamp(const ScoreRow& row, double secondsPerBeat, std::vector<TimedMidiEvent>& out) {
  const int steps = std::max(1, static_cast<int>(std::lround(row.length * kRampStepsPerBeat)));
  for (int i = 0; i <= steps; ++i) {
    const double fraction = static_cast<double>(i) / steps;
    const double seconds = (row.beat + row.length * fraction) * secondsPerBeat;
    const int value =
        static_cast<int>(std::lround(row.first + (row.second - row.first) * fraction));
    if (row.kind == RowKind::WheelRamp)
      out.push_back(makeMidiEvent(seconds, 0xB0 | kChannel, 1, static_cast<uint8_t>(value)));
    else
      out.push_back(makeMidiEvent(seconds, 0xE0 | kChannel, static_cast<uint8_t>(value & 0x7F),
                                  static_cast<uint8_t>(value >> 7)));
  }
}

}  // namespace

std::vector<TimedMidiEvent> demoPhrase(double tempo) {
  const double secondsPerBeat = 60.0 / tempo;
  std::vector<TimedMidiEvent> events;
  for (const ScoreRow& row : kScore) {
    const double seconds = row.beat * secondsPerBeat;
    switch (row.kind) {
      case RowKind::Note:
        events.push_back(makeMidiEvent(seconds, 0x90 | kChannel, static_cast<uint8_t>(row.first),
                                       static_cast<uint8_t>(row.second)));
        events.push_back(makeMidiEvent((row.beat + row.length) * secondsPerBeat, 0x80 | kChannel,
                                       static_cast<uint8_t>(row.first), 64));
        break;
      case RowKind::Pedal:
        events.push_back(makeMidiEvent(seconds, 0xB0 | kChannel, 64, row.first ? 127 : 0));
        break;
      case RowKind::WheelRamp:
      case RowKind::BendRamp:
        expandRamp(row, secondsPerBeat, events);
        break;
    }
  }
  std::stable_sort(
      events.begin(), events.end(),
      [](const TimedMidiEvent& a, const TimedMidiEvent& b) { return a.seconds < b.seconds; });
  return events;
}

}  // namespace vhost
