// A stereo WAV file written through libsndfile, as 32-bit float or 24-bit
// PCM (clipped at full scale). A file expected to pass the 4 GB limit of
// WAV is written as RF64 instead.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "audio_sink.h"

typedef struct sf_private_tag SNDFILE;

namespace vhost {

enum class SampleFormat { Float32, Pcm24 };

class WavWriter : public AudioSink {
 public:
  static std::unique_ptr<WavWriter> create(const std::string& path, int sampleRate,
                                           SampleFormat format, int64_t expectedFrames,
                                           std::string& error);
  ~WavWriter() override;

  bool write(const float* interleaved, int64_t frames, std::string& error) override;
  // Finishes the file; false with a reason if the last writes failed.
  bool close(std::string& error);

 private:
  WavWriter(SNDFILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  SNDFILE* file_;
  std::string path_;
};

}  // namespace vhost
