#include "host/host_test_support.h"

#include <smf.h>

#include <atomic>
#include <fstream>

#include <unistd.h>

namespace host_test {

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("vellmark-host-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<uint8_t> tempoEvent(int microsecondsPerQuarter) {
  return {0xFF,
          0x51,
          0x03,
          static_cast<uint8_t>(microsecondsPerQuarter >> 16),
          static_cast<uint8_t>(microsecondsPerQuarter >> 8),
          static_cast<uint8_t>(microsecondsPerQuarter)};
}

bool writeMidiFile(const std::string& path, int ppqn, int tracks,
                   const std::vector<PulseEvent>& events) {
  smf_t* smf = smf_new();
  if (!smf) return false;
  bool ok = smf_set_ppqn(smf, ppqn) == 0;
  std::vector<smf_track_t*> trackList;
  for (int t = 0; t < tracks && ok; ++t) {
    smf_track_t* track = smf_track_new();
    if (!track)
      ok = false;
    else {
      smf_add_track(smf, track);
      trackList.push_back(track);
    }
  }
  for (const PulseEvent& pulseEvent : events) {
    if (!ok || pulseEvent.track < 1 || pulseEvent.track > tracks) {
      ok = false;
      break;
    }
    std::vector<uint8_t> bytes = pulseEvent.bytes;
    smf_event_t* event = smf_event_new_from_pointer(bytes.data(), static_cast<int>(bytes.size()));
    if (!event) {
      ok = false;
      break;
    }
    smf_track_add_event_pulses(trackList[pulseEvent.track - 1], event, pulseEvent.pulses);
  }
  ok = ok && smf_save(smf, path.c_str()) == 0;
  smf_delete(smf);
  return ok;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

}  // namespace host_test
