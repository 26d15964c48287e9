// A channel MIDI message at a time in seconds, and the few facts about
// MIDI messages the host needs.
#pragma once

#include <cstdint>
#include <string>

namespace vhost {

struct TimedMidiEvent {
  double seconds = 0.0;
  uint8_t bytes[3] = {0, 0, 0};
  uint8_t size = 0;  // 2 for program change, 3 for the others
};

TimedMidiEvent makeMidiEvent(double seconds, uint8_t status, uint8_t data1, uint8_t data2 = 0);

// Length of the channel messages the host passes on (note off/on, control
// change, program change, pitch bend); 0 for every other status byte.
int passedMessageLength(uint8_t status);

bool isNoteOn(const TimedMidiEvent& event);   // with a velocity above 0
bool isNoteOff(const TimedMidiEvent& event);  // 0x8n, or 0x9n with velocity 0

// "note on  ch 1  key 60  vel 100" and the like.
std::string describeMidi(const TimedMidiEvent& event);

}  // namespace vhost
