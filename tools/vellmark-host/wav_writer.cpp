#include "wav_writer.h"

#include <sndfile.h>

namespace vhost {

namespace {
// Room for the headers below the 32-bit size fields of a WAV file.
constexpr int64_t kWavDataLimit = 0xFFFFFFFFLL - 1024 * 1024;
}  // namespace

std::unique_ptr<WavWriter> WavWriter::create(const std::string& path, int sampleRate,
                                             SampleFormat format, int64_t expectedFrames,
                                             std::string& error) {
  const int bytesPerSample = format == SampleFormat::Float32 ? 4 : 3;
  SF_INFO info{};
  info.samplerate = sampleRate;
  info.channels = 2;
  info.format =
      (expectedFrames * 2 * bytesPerSample < kWavDataLimit ? SF_FORMAT_WAV : SF_FORMAT_RF64) |
      (format == SampleFormat::Float32 ? SF_FORMAT_FLOAT : SF_FORMAT_PCM_24);
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  if (!file) {
    error = "cannot write " + path + ": " + sf_strerror(nullptr);
    return nullptr;
  }
  // Integer output saturates at full scale instead of wrapping around.
  sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
  return std::unique_ptr<WavWriter>(new WavWriter(file, path));
}

WavWriter::~WavWriter() {
  if (file_) sf_close(file_);
}

bool WavWriter::write(const float* interleaved, int64_t frames, std::string& error) {
  if (!file_) {
    error = path_ + " is already closed";
    return false;
  }
  if (sf_writef_float(file_, interleaved, frames) != frames) {
    error = "cannot write " + path_ + ": " + sf_strerror(file_);
    return false;
  }
  return true;
}

bool WavWriter::close(std::string& error) {
  if (!file_) return true;
  const int result = sf_close(file_);
  file_ = nullptr;
  if (result != 0) {
    error = "cannot finish " + path_ + ": " + sf_error_number(result);
    return false;
  }
  return true;
}

}  // namespace vhost
