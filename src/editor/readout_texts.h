// The one-line read-out texts of the editor: what a section display shows
// for a parameter value, and the value texts of the page dials. Pure
// functions of the value and a little state, writing into fixed buffers.
#pragma once

#include <cstddef>

namespace editor {

// The four section displays: spring A, spring B, body, global.
constexpr int kFirstSection = 1;
constexpr int kLastSection = 4;
// Raw values cached per section display, one per read-out index.
constexpr int kReadoutSlots = 21;
constexpr size_t kReadoutTextSize = 128;

struct ReadoutSlot {
  int section = 0;
  int index = 0;
};

// Where a main-panel parameter's read-out appears; false for parameters
// without one in a section display (the link toggle 21 has its own text).
bool readoutSlotOf(int parameter, ReadoutSlot& slot);

struct ReadoutState {
  float concertA = 440.0f;  // Hz
  bool noiseMode = false;   // spring B runs its noise filter
  int bodySyncMode = 0;     // tremolo sync: 0 off, 1 tempo, 2 song
};

// The text of read-out (section, index) for the raw value v. Hover texts
// print the key numbers, the pitch-bend range and the bit depth as whole
// numbers. Indices without a read-out give the empty text.
void formatReadout(int section, int index, float v, const ReadoutState& state, bool hover,
                   char* out, size_t size);

// The body display's tremolo sync mode for its parameter value.
int bodySyncModeOf(float v);

// Echo delay rates: a note division when synced, seconds otherwise.
void formatEchoRate(float v, bool sync, char* out, size_t size);
// LFO rate: a note division when synced, the plain value otherwise.
void formatLfoRate(float v, bool sync, char* out, size_t size);
// The value text of a page dial other than the two rate kinds above
// (sand count, sand frequency and the plain "%.3f" dials).
void formatPageDialValue(int parameter, float v, float concertA, char* out, size_t size);

}  // namespace editor
