#include "editor/relief_maps.h"

#include <new>
#include <utility>

namespace editor {

namespace {

std::unique_ptr<float[]> zeroedFloats(std::ptrdiff_t count) {
  return std::unique_ptr<float[]>(new (std::nothrow) float[count]());
}

}  // namespace

bool ReliefMaps::allocate(int width, int height) {
  release();
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  const std::ptrdiff_t count = static_cast<std::ptrdiff_t>(width) * height;
  j_ = zeroedFloats(count);
  i_ = zeroedFloats(count);
  q_ = zeroedFloats(count);
  if (!j_ || !i_ || !q_) {
    release();
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}

void ReliefMaps::release() {
  j_.reset();
  i_.reset();
  q_.reset();
  width_ = 0;
  height_ = 0;
}

void ReliefMaps::swap(ReliefMaps& other) {
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
  j_.swap(other.j_);
  i_.swap(other.i_);
  q_.swap(other.q_);
}

}  // namespace editor
