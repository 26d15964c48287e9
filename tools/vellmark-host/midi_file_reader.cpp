#include "midi_file_reader.h"

#include <smf.h>

#include <cmath>
#include <fstream>
#include <memory>

#include "midi_file_normalizer.h"

namespace vhost {

namespace {

// libsmf reports its parse errors through the GLib log; they are collected
// while it runs so they can become part of our own error message.
class SmfMessageCollector {
 public:
  SmfMessageCollector() { previous_ = g_log_set_default_handler(collect, &messages_); }
  ~SmfMessageCollector() { g_log_set_default_handler(previous_, nullptr); }
  const std::string& messages() const { return messages_; }

 private:
  static void collect(const gchar*, GLogLevelFlags, const gchar* message, gpointer data) {
    auto* messages = static_cast<std::string*>(data);
    if (!messages->empty()) *messages += "; ";
    *messages += message ? message : "";
  }
  GLogFunc previous_;
  std::string messages_;
};

struct SmfDeleter {
  void operator()(smf_t* smf) const { smf_delete(smf); }
};

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open MIDI file " + path;
    return false;
  }
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size < 0 || static_cast<uint64_t>(size) > kMaxMidiFileBytes) {
    error = "MIDI file " + path + " is too large (over " +
            std::to_string(kMaxMidiFileBytes / (1024 * 1024)) + " MiB)";
    return false;
  }
  file.seekg(0, std::ios::beg);
  bytes.resize(static_cast<size_t>(size));
  if (size > 0 && !file.read(&bytes[0], size)) {
    error = "cannot read MIDI file " + path;
    return false;
  }
  return true;
}

}  // namespace

bool readMidiFile(const std::string& path, std::vector<TimedMidiEvent>& events,
                  std::string& error) {
  events.clear();
  std::string bytes;
  if (!readWholeFile(path, bytes, error)) return false;
  if (!readMidiBytes(bytes, events, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool readMidiBytes(const std::string& bytes, std::vector<TimedMidiEvent>& events,
                   std::string& error) {
  events.clear();
  std::string plain;
  if (!normalizeMidiFile(bytes, plain, error)) return false;

  std::unique_ptr<smf_t, SmfDeleter> smf;
  std::string messages;
  {
    SmfMessageCollector collector;
    smf.reset(smf_load_from_memory(plain.data(), static_cast<int>(plain.size())));
    messages = collector.messages();
  }
  if (!smf) {
    error = "cannot parse the MIDI file" + (messages.empty() ? "" : ": " + messages);
    return false;
  }

  smf_rewind(smf.get());
  while (smf_event_t* event = smf_get_next_event(smf.get())) {
    if (smf_event_is_metadata(event) || smf_event_is_sysex(event)) continue;
    if (!event->midi_buffer || event->midi_buffer_length < 1) continue;
    const uint8_t status = event->midi_buffer[0];
    const int length = passedMessageLength(status);
    if (length == 0 || event->midi_buffer_length < length) continue;
    const double seconds = event->time_seconds;
    if (!std::isfinite(seconds)) continue;
    events.push_back(makeMidiEvent(seconds < 0.0 ? 0.0 : seconds, status, event->midi_buffer[1],
                                   length == 3 ? event->midi_buffer[2] : 0));
  }
  return true;
}

}  // namespace vhost
