// Helpers shared by the host tool's tests: a scratch folder and a MIDI file
// writer built on libsmf.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace host_test {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct PulseEvent {
  int track;  // 1-based
  int pulses;
  std::vector<uint8_t> bytes;
};

// A tempo meta event (microseconds per quarter note).
std::vector<uint8_t> tempoEvent(int microsecondsPerQuarter);

// Writes a format-1 file with `tracks` tracks; false if libsmf refused.
bool writeMidiFile(const std::string& path, int ppqn, int tracks,
                   const std::vector<PulseEvent>& events);

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace host_test
