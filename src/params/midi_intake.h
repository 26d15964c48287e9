// MIDI event intake: turns the host's events for the coming block into key
// starts and stops and controller state. Every channel acts alike.
#pragma once

#include <cstdint>

namespace engine {
struct Engine;
}

namespace params {

// Latches the glide start values at the start of an event batch.
void beginEventBatch(engine::Engine& e);

// One three-byte MIDI message at a sample offset within the block.
void handleMidiMessage(engine::Engine& e, uint8_t status, uint8_t data1, uint8_t data2,
                       int32_t deltaFrames);

// The pitch-bend factor on k for a 14-bit bend value and a range in semitones.
float bendFactor(int bend14, float pitchRange);

}  // namespace params
