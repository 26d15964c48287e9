#include "params/midi_intake.h"

#include <cmath>

#include "engine/engine.h"

namespace params {

namespace {

constexpr float kInv127 = 0.007874016f;

void controlChange(engine::Engine& e, uint8_t controller, uint8_t value) {
  switch (controller) {
    case 1:
      e.moveModWheel(static_cast<float>(value) * kInv127);
      break;
    case 64:
      e.setSustainPedal((value & 0x40) != 0);
      break;
    case 123:  // all notes off
    case 124:  // omni off
    case 125:  // omni on
    case 126:  // mono on
    case 127:  // poly on
      e.resetVoices();
      break;
    default:
      break;
  }
}

}  // namespace

float bendFactor(int bend14, float pitchRange) {
  const float exponent =
      pitchRange * 0.00012207031f * static_cast<float>(bend14 - 8192) * 0.16666667f;
  return std::pow(2.0f, exponent);
}

void beginEventBatch(engine::Engine& e) { e.beginEventBatch(); }

void handleMidiMessage(engine::Engine& e, uint8_t status, uint8_t data1, uint8_t data2,
                       int32_t deltaFrames) {
  const uint8_t note = data1 & 0x7f;
  const uint8_t value = data2 & 0x7f;
  switch (status & 0xf0) {
    case 0x80:
      e.stopKey(note);
      break;
    case 0x90:
      // Notes outside the keyboard are ignored whole: a stray velocity-0
      // note-on there must not clear keysActive as a note-off would.
      if (note < engine::kLowestKey || note > engine::kHighestKey) break;
      if (value == 0)
        e.stopKey(note);
      else
        e.startKey(note, static_cast<float>(value) * kInv127, deltaFrames, true);
      break;
    case 0xb0:
      controlChange(e, note, value);
      break;
    case 0xe0:
      e.bend.target = bendFactor(note + 128 * value, e.pitchRange());
      break;
    default:
      break;  // pressure, program change and system messages are ignored
  }
}

}  // namespace params
