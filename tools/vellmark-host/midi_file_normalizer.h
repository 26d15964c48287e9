// Rewrites a standard MIDI file into the plain form libsmf parses safely.
// libsmf trusts its input: a track without end-of-track makes it abort, a
// meta event longer than 127 bytes is misread, and pulse counts overflow
// its int fields. The rewrite keeps what the host plays (channel messages
// and tempo changes, with explicit status bytes and the original timing),
// ends every track with end-of-track, and refuses any file whose structure
// is broken or whose tracks are absurdly long.
#pragma once

#include <string>

namespace vhost {

// Tracks longer than this many pulses are refused (at 960 pulses per
// quarter note and 120 BPM that is over a day).
constexpr long long kMaxTrackPulses = 0x0FFFFFFF;

bool normalizeMidiFile(const std::string& bytes, std::string& plain, std::string& error);

}  // namespace vhost
