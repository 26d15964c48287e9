// A point (or a size) in view coordinates; x grows to the right, y downwards.
#pragma once

namespace gui {

struct CPoint {
  double x = 0.0;
  double y = 0.0;

  constexpr CPoint() = default;
  constexpr CPoint(double x, double y) : x(x), y(y) {}

  CPoint& offset(double dx, double dy) {
    x += dx;
    y += dy;
    return *this;
  }
  CPoint& offset(const CPoint& delta) { return offset(delta.x, delta.y); }

  CPoint& operator+=(const CPoint& other) { return offset(other.x, other.y); }
  CPoint& operator-=(const CPoint& other) { return offset(-other.x, -other.y); }
  constexpr CPoint operator+(const CPoint& other) const { return {x + other.x, y + other.y}; }
  constexpr CPoint operator-(const CPoint& other) const { return {x - other.x, y - other.y}; }
  constexpr CPoint operator-() const { return {-x, -y}; }
  constexpr bool operator==(const CPoint& other) const { return x == other.x && y == other.y; }
  constexpr bool operator!=(const CPoint& other) const { return !(*this == other); }
};

}  // namespace gui
