// The built-in demo phrase: a slow A minor / C major progression with a
// melody above, pedalled at every chord change, a short modulation-wheel
// scrape and one gentle pitch bend, ending on a chord released into the tail.
// About 12 seconds at 120 BPM; its timing follows the given tempo.
#pragma once

#include <vector>

#include "midi_event.h"

namespace vhost {

std::vector<TimedMidiEvent> demoPhrase(double tempo);

}  // namespace vhost
