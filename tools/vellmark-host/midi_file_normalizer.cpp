#include "midi_file_normalizer.h"

#include <cstdint>

namespace vhost {

namespace {

// Reads big-endian fields and variable-length quantities from a byte range,
// refusing to step past its end.
class ByteReader {
 public:
  ByteReader(const std::string& bytes, size_t begin, size_t end)
      : bytes_(bytes), position_(begin), end_(end) {}

  bool atEnd() const { return position_ >= end_; }
  size_t position() const { return position_; }

  bool byte(uint8_t& value) {
    if (position_ >= end_) return false;
    value = static_cast<uint8_t>(bytes_[position_++]);
    return true;
  }

  bool bigEndian(int width, uint32_t& value) {
    value = 0;
    for (int i = 0; i < width; ++i) {
      uint8_t b = 0;
      if (!byte(b)) return false;
      value = (value << 8) | b;
    }
    return true;
  }

  // At most four bytes, as the file format allows.
  bool variableLength(uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b = 0;
      if (!byte(b)) return false;
      value = (value << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }

  // Bytes already walked over.
  std::string slice(size_t from, size_t count) const { return bytes_.substr(from, count); }

  bool skip(uint32_t count) {
    if (count > end_ - position_) return false;
    position_ += count;
    return true;
  }

 private:
  const std::string& bytes_;
  size_t position_;
  size_t end_;
};

void appendBigEndian(std::string& out, uint32_t value, int width) {
  for (int i = width - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void appendVariableLength(std::string& out, uint32_t value) {
  char groups[4];
  int count = 0;
  do {
    groups[count++] = static_cast<char>(value & 0x7F);
    value >>= 7;
  } while (value && count < 4);
  while (count > 1) out += static_cast<char>(groups[--count] | 0x80);
  out += groups[0];
}

int channelDataBytes(uint8_t status) { return (status & 0xE0) == 0xC0 ? 1 : 2; }

// One track's events, rewritten into `out` (without the chunk header).
bool normalizeTrack(ByteReader& track, int number, std::string& out, std::string& error) {
  const std::string where = "track " + std::to_string(number);
  uint8_t running = 0;
  uint32_t pendingDelta = 0;  // pulses of dropped events, carried to the next kept one
  long long pulses = 0;
  while (!track.atEnd()) {
    uint32_t delta = 0;
    uint8_t first = 0;
    if (!track.variableLength(delta) || !track.byte(first)) {
      error = where + " is cut off or has a bad delta time";
      return false;
    }
    pulses += delta;
    if (pulses > kMaxTrackPulses) {
      error = where + " is too long";
      return false;
    }
    pendingDelta += delta;

    if (first == 0xFF) {  // meta event: only tempo changes and the end matter
      uint8_t type = 0;
      uint32_t length = 0;
      if (!track.byte(type) || !track.variableLength(length)) {
        error = where + " has a cut-off meta event";
        return false;
      }
      const size_t dataStart = track.position();
      if (!track.skip(length)) {
        error = where + " has a meta event running past its end";
        return false;
      }
      running = 0;
      if (type == 0x2F) break;
      if (type == 0x51 && length == 3) {
        appendVariableLength(out, pendingDelta);
        pendingDelta = 0;
        out += "\xFF\x51\x03";
        out += track.slice(dataStart, 3);
      }
      continue;
    }
    if (first == 0xF0 || first == 0xF7) {  // system exclusive: left out
      uint32_t length = 0;
      if (!track.variableLength(length) || !track.skip(length)) {
        error = where + " has a system exclusive event running past its end";
        return false;
      }
      running = 0;
      continue;
    }
    if (first > 0xF0) {
      error = where + " has a system message a MIDI file cannot hold";
      return false;
    }

    uint8_t status = first;
    uint8_t data[2] = {0, 0};
    int have = 0;
    if (first < 0x80) {  // running status: the first data byte is already read
      if (!running) {
        error = where + " has a data byte without a status byte";
        return false;
      }
      status = running;
      data[have++] = first;
    }
    while (have < channelDataBytes(status)) {
      if (!track.byte(data[have]) || data[have] >= 0x80) {
        error = where + " has a cut-off or malformed channel message";
        return false;
      }
      ++have;
    }
    running = status;
    appendVariableLength(out, pendingDelta);
    pendingDelta = 0;
    out += static_cast<char>(status);
    for (int i = 0; i < have; ++i) out += static_cast<char>(data[i]);
  }
  appendVariableLength(out, pendingDelta);
  out += std::string("\xFF\x2F\x00", 3);
  return true;
}

}  // namespace

bool normalizeMidiFile(const std::string& bytes, std::string& plain, std::string& error) {
  plain.clear();
  ByteReader file(bytes, 0, bytes.size());
  uint32_t id = 0, headerLength = 0, format = 0, declaredTracks = 0, division = 0;
  if (!file.bigEndian(4, id) || id != 0x4D546864 /* MThd */ || !file.bigEndian(4, headerLength) ||
      headerLength < 6 || !file.bigEndian(2, format) || !file.bigEndian(2, declaredTracks) ||
      !file.bigEndian(2, division) || !file.skip(headerLength - 6)) {
    error = "not a standard MIDI file (bad MThd header)";
    return false;
  }
  if (format > 1) {
    error = "MIDI file format " + std::to_string(format) + " is not supported (only 0 and 1)";
    return false;
  }
  if (division & 0x8000) {
    error = "MIDI files timed in SMPTE frames are not supported";
    return false;
  }
  if (division == 0 || declaredTracks == 0) {
    error = "the MIDI file header declares no tracks or no time division";
    return false;
  }

  std::string tracks;
  uint32_t found = 0;
  while (found < declaredTracks && !file.atEnd()) {
    uint32_t chunkId = 0, chunkLength = 0;
    if (!file.bigEndian(4, chunkId) || !file.bigEndian(4, chunkLength)) {
      error = "the MIDI file is cut off inside a chunk header";
      return false;
    }
    const size_t start = file.position();
    if (!file.skip(chunkLength)) {
      error = "the MIDI file is cut off (a chunk runs past its end)";
      return false;
    }
    if (chunkId != 0x4D54726B /* MTrk */) continue;  // unknown chunks are skipped
    ++found;
    ByteReader track(bytes, start, start + chunkLength);
    std::string events;
    if (!normalizeTrack(track, static_cast<int>(found), events, error)) return false;
    tracks += "MTrk";
    appendBigEndian(tracks, static_cast<uint32_t>(events.size()), 4);
    tracks += events;
  }
  if (found == 0) {
    error = "the MIDI file has no tracks";
    return false;
  }
  plain = "MThd";
  appendBigEndian(plain, 6, 4);
  appendBigEndian(plain, format, 2);
  appendBigEndian(plain, found, 2);
  appendBigEndian(plain, division, 2);
  plain += tracks;
  return true;
}

}  // namespace vhost
