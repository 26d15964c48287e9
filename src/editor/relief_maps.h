// The three float maps behind the panel, one value per pixel, row after row:
// the height map J, the glow map I (warm light of screens, rails and the open
// page panel) and the key map Q (shading of the keyboard keys).
#pragma once

#include <cstddef>
#include <memory>

namespace editor {

class ReliefMaps {
 public:
  // Larger maps are refused: no editor frame comes near this size.
  static constexpr int kMaxSide = 8192;

  ReliefMaps() = default;
  ReliefMaps(const ReliefMaps&) = delete;
  ReliefMaps& operator=(const ReliefMaps&) = delete;

  // Allocates zeroed maps; false (and empty maps) when the size is not
  // positive, too large, or the memory is not there.
  bool allocate(int width, int height);
  void release();
  void swap(ReliefMaps& other);

  bool empty() const { return width_ == 0; }
  int width() const { return width_; }
  int height() const { return height_; }

  float* heightMap() { return j_.get(); }
  float* glowMap() { return i_.get(); }
  float* keyMap() { return q_.get(); }
  const float* heightMap() const { return j_.get(); }
  const float* glowMap() const { return i_.get(); }
  const float* keyMap() const { return q_.get(); }

  float& j(int x, int y) { return j_[index(x, y)]; }
  float& i(int x, int y) { return i_[index(x, y)]; }
  float& q(int x, int y) { return q_[index(x, y)]; }
  float j(int x, int y) const { return j_[index(x, y)]; }
  float i(int x, int y) const { return i_[index(x, y)]; }
  float q(int x, int y) const { return q_[index(x, y)]; }

 private:
  std::ptrdiff_t index(int x, int y) const { return static_cast<std::ptrdiff_t>(y) * width_ + x; }

  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<float[]> j_;
  std::unique_ptr<float[]> i_;
  std::unique_ptr<float[]> q_;
};

}  // namespace editor
