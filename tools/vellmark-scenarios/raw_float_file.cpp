#include "raw_float_file.h"

namespace scenarios {

RawFloatSink::RawFloatSink(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}

RawFloatSink::~RawFloatSink() {
  if (file_) std::fclose(file_);
}

bool RawFloatSink::write(const float* interleaved, int64_t frames, std::string& error) {
  const size_t count = static_cast<size_t>(frames) * 2;
  if (std::fwrite(interleaved, sizeof(float), count, file_) == count) return true;
  error = "cannot write the render";
  return false;
}

bool RawFloatSink::finish() {
  std::FILE* file = file_;
  file_ = nullptr;
  return file && std::fclose(file) == 0;
}

bool readRawFloats(const std::string& path, std::vector<float>& samples) {
  samples.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  float block[4096];
  size_t got;
  while ((got = std::fread(block, sizeof(float), 4096, file)) > 0)
    samples.insert(samples.end(), block, block + got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

}  // namespace scenarios
