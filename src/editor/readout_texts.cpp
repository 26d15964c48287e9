#include "editor/readout_texts.h"

#include <cmath>
#include <cstdio>

namespace editor {

namespace {

// A frequency coefficient: semitones from the concert pitch.
double pitch(float concertA, double semitones) {
  return concertA * std::pow(2.0, semitones / 12.0);
}

double noteOffset(double v) { return (std::floor(480.0 * v) - 120.0) / 10.0; }

void print(char* out, size_t size, const char* format, double value) {
  std::snprintf(out, size, format, value);
}

void printText(char* out, size_t size, const char* text) { std::snprintf(out, size, "%s", text); }

// A note division 1/2^int(steps v), marked as a triplet when int(2 steps v)
// is odd.
void division(char* out, size_t size, const char* prefix, double v, int steps) {
  const double denominator = std::pow(2.0, static_cast<int>(steps * v));
  const bool triplet = static_cast<int>(2 * steps * v) % 2 != 0;
  std::snprintf(out, size, triplet ? "%s1/%.0fT" : "%s1/%.0f", prefix, denominator);
}

void springA(int index, double v, char* out, size_t size) {
  switch (index) {
    case 0:
      return print(out, size, "volume:%.3f", 2 * v);
    case 1:
      return print(out, size, "note offset:%.1f", noteOffset(v));
    case 2:
      return print(out, size, "rise:%.3f", v);
    case 4:
      return print(out, size, "decay:%.3f", v);
    case 5:
      return print(out, size, "release:%.3f", v);
    case 6:
      return print(out, size, "RND tune:%.3f", v);
    case 7:
      return print(out, size, "balance:%.3f", 2 * v - 1);
    case 8:
      return print(out, size, "saturate:%.3f", v);
    default:
      return printText(out, size, "");
  }
}

void springB(int index, double v, const ReadoutState& s, char* out, size_t size) {
  switch (index) {
    case 0:
      return print(out, size, "volume:%.3f", 2 * v);
    case 1:
      return print(out, size, "note offset:%.1f", noteOffset(v));
    case 2:
      return print(out, size, s.noiseMode ? "NOISE frq:%.1fhz" : "frq.lo:%.1fhz",
                   pitch(s.concertA, 128 * v - 69));
    case 3:
      if (s.noiseMode) return print(out, size, "NOISE res:%.3f", v);
      return print(out, size, "frq.hi:%.1fhz", pitch(s.concertA, 128 * v - 69));
    case 4:
      return print(out, size, "decay:%.3f", v);
    case 5:
      return print(out, size, v >= 1 ? "NOISE:%.3f" : "diffuse:%.3f", v);
    case 6:
      return print(out, size, "RND tune:%.3f", v);
    case 7:
      return print(out, size, "detune:%.3f", 2 * v - 1);
    case 8:
      return printText(out, size, v >= 0.5 ? "octave: ON" : "octave: OFF");
    case 10:
      return print(out, size, "crush:%.3f", v);
    default:
      return printText(out, size, "");
  }
}

void body(int index, double v, const ReadoutState& s, bool hover, char* out, size_t size) {
  static const char* const kSyncNames[] = {"sync: Off", "sync: Tempo", "sync: Song"};
  switch (index) {
    case 1:
      return print(out, size, "volume:%.3f", v);
    case 2:
      return print(out, size, "tune:%.1fhz", pitch(s.concertA, 32 * v - 12));
    case 3:
      return print(out, size, "decay:%.3f", v);
    case 4:
      return print(out, size, "diffuse:%.3f", v);
    case 5:
      return print(out, size, "sharp:%.3f", v);
    case 6:
      return print(out, size, "wet:%.3f", v);
    case 7:
      return print(out, size, "tune:%.1fhz", pitch(s.concertA, 128 * v - 69));
    case 8:
      return print(out, size, "feedback:%.3f", v);
    case 9:
      return print(out, size, "mix:%.3f", v);
    case 10:
      return print(out, size, "tremolo:%.3f", v);
    case 11:
      return print(out, size, "stereo:%.3f", 2 * v - 1);
    case 12:
      if (s.bodySyncMode == 0) return print(out, size, "rate:%.3f", v);
      return division(out, size, "rate:", v, 8);
    case 13: {
      const int mode = s.bodySyncMode < 0 ? 0 : (s.bodySyncMode > 2 ? 2 : s.bodySyncMode);
      return printText(out, size, kSyncNames[mode]);
    }
    case 14:
      if (hover) return (void)std::snprintf(out, size, "lowest key:%i", static_cast<int>(128 * v));
      return print(out, size, "lowest key:%.0f", 128 * v);
    case 15:
      if (hover) return (void)std::snprintf(out, size, "highest key:%i", static_cast<int>(128 * v));
      return print(out, size, "highest key:%.0f", 128 * v);
    default:
      return printText(out, size, "");
  }
}

void global(int index, double v, bool hover, char* out, size_t size) {
  switch (index) {
    case 0:
      return print(out, size, "flt.HP:%.3f", v);
    case 1:
      return print(out, size, "flt.LP:%.3f", v);
    case 2:
      return print(out, size, "stereo:%.3f", 2 * v - 1);
    case 3:
      // The hover text shows whole semitones (printed as a number with
      // decimals, like the change text).
      return print(out, size, "pb.range:%.3f", hover ? static_cast<int>(12 * v) : 12 * v);
    case 4:
      return print(out, size, "pb.relax:%.3f", v);
    case 5:
      return print(out, size, "concert:%.2fhz", 40 * v + 420);
    case 6:
      return print(out, size, "volume:%.3f", 2 * v);
    case 7:
      if (hover) return (void)std::snprintf(out, size, "bits:%i", static_cast<int>(16 * v));
      return print(out, size, "bits:%.0f", 16 * v);
    case 8:
      return print(out, size, "crush:%.3f", v);
    case 9:
      return print(out, size, "spread:%.3f", v);
    default:
      return printText(out, size, "");
  }
}

}  // namespace

bool readoutSlotOf(int parameter, ReadoutSlot& slot) {
  struct Entry {
    signed char section, index;
  };
  // Parameters 0 to 47; section 0 means no section read-out.
  static const Entry kSlots[48] = {
      {1, 2}, {4, 6}, {0, 0}, {0, 0},  {0, 0},  {0, 0},  {1, 7},  {1, 4},   // 0-7
      {1, 5}, {1, 0}, {1, 1}, {1, 6},  {1, 8},  {2, 0},  {2, 2},  {2, 3},   // 8-15
      {2, 1}, {2, 6}, {2, 7}, {2, 8},  {2, 4},  {0, 0},  {2, 5},  {2, 10},  // 16-23
      {3, 1}, {3, 2}, {3, 3}, {3, 4},  {3, 5},  {3, 6},  {3, 14}, {3, 15},  // 24-31
      {3, 7}, {3, 8}, {3, 9}, {3, 10}, {3, 13}, {3, 12}, {3, 11}, {4, 5},   // 32-39
      {4, 0}, {4, 1}, {4, 2}, {4, 9},  {4, 3},  {4, 4},  {4, 7},  {4, 8},   // 40-47
  };
  if (parameter < 0 || parameter >= 48 || kSlots[parameter].section == 0) return false;
  slot.section = kSlots[parameter].section;
  slot.index = kSlots[parameter].index;
  return true;
}

void formatReadout(int section, int index, float value, const ReadoutState& state, bool hover,
                   char* out, size_t size) {
  if (!out || size == 0) return;
  const double v = std::isfinite(value) ? value : 0.0;
  switch (section) {
    case 1:
      return springA(index, v, out, size);
    case 2:
      return springB(index, v, state, out, size);
    case 3:
      return body(index, v, state, hover, out, size);
    case 4:
      return global(index, v, hover, out, size);
    default:
      return printText(out, size, "");
  }
}

int bodySyncModeOf(float v) {
  const int mode = static_cast<int>(2 * (std::isfinite(v) ? v : 0.0f));
  return mode < 0 ? 0 : (mode > 2 ? 2 : mode);
}

void formatEchoRate(float v, bool sync, char* out, size_t size) {
  if (!out || size == 0) return;
  const double x = std::isfinite(v) ? v : 0.0;
  if (sync) {
    // Longer delays sit at the bottom of the dial: the division grows as
    // the value falls.
    const double inverse = 1.0 - x;
    const double denominator = std::pow(2.0, static_cast<int>(9 * inverse));
    const bool triplet = static_cast<int>(18 * inverse) % 2 != 0;
    std::snprintf(out, size, triplet ? "1/%.0fT" : "1/%.0f", denominator);
  } else {
    std::snprintf(out, size, "%.3fs", x);
  }
}

void formatLfoRate(float v, bool sync, char* out, size_t size) {
  if (!out || size == 0) return;
  const double x = std::isfinite(v) ? v : 0.0;
  if (sync)
    division(out, size, "", x, 8);
  else
    std::snprintf(out, size, "%.3f", x);
}

void formatPageDialValue(int parameter, float v, float concertA, char* out, size_t size) {
  if (!out || size == 0) return;
  const double x = std::isfinite(v) ? v : 0.0;
  switch (parameter) {
    case 87:
      return print(out, size, "%.0f", static_cast<int>(100 * x));
    case 91:
      return print(out, size, "%.0fhz", pitch(concertA, 68 * x - 12));
    default:
      return print(out, size, "%.3f", x);
  }
}

}  // namespace editor
