// "midi-dump": the events the MIDI reader takes from a file, one a line.
#include <cstdio>

#include "commands.h"
#include "midi_file_reader.h"

namespace vhost {

int runMidiDump(const std::string& path, std::ostream& out, std::ostream& err) {
  std::vector<TimedMidiEvent> events;
  std::string error;
  if (!readMidiFile(path, events, error)) {
    err << "error: " << error << "\n";
    return kExitFailure;
  }
  for (const TimedMidiEvent& event : events) {
    char line[128];
    if (event.size == 3)
      std::snprintf(line, sizeof line, "%12.6f  %02X %02X %02X  ", event.seconds, event.bytes[0],
                    event.bytes[1], event.bytes[2]);
    else
      std::snprintf(line, sizeof line, "%12.6f  %02X %02X     ", event.seconds, event.bytes[0],
                    event.bytes[1]);
    out << line << describeMidi(event) << "\n";
  }
  out << events.size() << " events\n";
  return kExitOk;
}

}  // namespace vhost
