// Reads a standard MIDI file into timed channel messages: note off/on,
// control change, program change and pitch bend on all channels, with times
// in seconds from the file's tempo map, in playing order. Meta events, sysex
// and every other message are left out.
#pragma once

#include <string>
#include <vector>

#include "midi_event.h"

namespace vhost {

// Larger files are refused before parsing; real MIDI files are far smaller.
constexpr size_t kMaxMidiFileBytes = 16 * 1024 * 1024;

bool readMidiFile(const std::string& path, std::vector<TimedMidiEvent>& events, std::string& error);

// The same for a file's bytes already in memory.
bool readMidiBytes(const std::string& bytes, std::vector<TimedMidiEvent>& events,
                   std::string& error);

}  // namespace vhost
