#include "midi_event.h"

#include <cstdio>

namespace vhost {

TimedMidiEvent makeMidiEvent(double seconds, uint8_t status, uint8_t data1, uint8_t data2) {
  TimedMidiEvent event;
  event.seconds = seconds;
  event.size = static_cast<uint8_t>(passedMessageLength(status));
  event.bytes[0] = status;
  event.bytes[1] = static_cast<uint8_t>(data1 & 0x7F);
  event.bytes[2] = event.size == 3 ? static_cast<uint8_t>(data2 & 0x7F) : 0;
  return event;
}

int passedMessageLength(uint8_t status) {
  switch (status & 0xF0) {
    case 0x80:
    case 0x90:
    case 0xB0:
    case 0xE0:
      return 3;
    case 0xC0:
      return 2;
    default:
      return 0;
  }
}

bool isNoteOn(const TimedMidiEvent& event) {
  return (event.bytes[0] & 0xF0) == 0x90 && event.bytes[2] > 0;
}

bool isNoteOff(const TimedMidiEvent& event) {
  const int kind = event.bytes[0] & 0xF0;
  return kind == 0x80 || (kind == 0x90 && event.bytes[2] == 0);
}

std::string describeMidi(const TimedMidiEvent& event) {
  const int channel = (event.bytes[0] & 0x0F) + 1;
  const int a = event.bytes[1];
  const int b = event.bytes[2];
  char text[80];
  if (isNoteOff(event)) {
    std::snprintf(text, sizeof text, "note off    ch %2d  key %3d  vel %3d", channel, a, b);
  } else if (isNoteOn(event)) {
    std::snprintf(text, sizeof text, "note on     ch %2d  key %3d  vel %3d", channel, a, b);
  } else {
    switch (event.bytes[0] & 0xF0) {
      case 0xB0:
        std::snprintf(text, sizeof text, "control     ch %2d  cc  %3d  val %3d", channel, a, b);
        break;
      case 0xC0:
        std::snprintf(text, sizeof text, "program     ch %2d  program %3d", channel, a);
        break;
      case 0xE0:
        std::snprintf(text, sizeof text, "pitch bend  ch %2d  %+d", channel, a + 128 * b - 8192);
        break;
      default:
        std::snprintf(text, sizeof text, "status 0x%02X", event.bytes[0]);
        break;
    }
  }
  return text;
}

}  // namespace vhost
