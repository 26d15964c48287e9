// Where a render's stereo output goes, block by block.
#pragma once

#include <cstdint>
#include <string>

namespace vhost {

class AudioSink {
 public:
  virtual ~AudioSink() = default;
  // `interleaved` holds `frames` frames of left/right pairs.
  virtual bool write(const float* interleaved, int64_t frames, std::string& error) = 0;
};

}  // namespace vhost
