// Raw little-endian 32-bit float files: interleaved stereo frames, nothing
// else, so two builds' renders compare bit for bit.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "vellmark-host/audio_sink.h"

namespace scenarios {

class RawFloatSink : public vhost::AudioSink {
 public:
  explicit RawFloatSink(const std::string& path);
  ~RawFloatSink() override;
  RawFloatSink(const RawFloatSink&) = delete;
  RawFloatSink& operator=(const RawFloatSink&) = delete;

  bool opened() const { return file_ != nullptr; }
  bool write(const float* interleaved, int64_t frames, std::string& error) override;
  // Flushes and closes; false when any byte could not be written.
  bool finish();

 private:
  std::FILE* file_;
};

// The samples of a raw float file; false when it cannot be read whole.
bool readRawFloats(const std::string& path, std::vector<float>& samples);

}  // namespace scenarios
