// An axis-aligned rectangle: left and top are inside, right and bottom are
// the first coordinates outside (a rectangle 0, 0, 10, 10 is 10 wide).
#pragma once

#include <algorithm>

#include "gui/cpoint.h"

namespace gui {

struct CRect {
  double left = 0.0;
  double top = 0.0;
  double right = 0.0;
  double bottom = 0.0;

  constexpr CRect() = default;
  constexpr CRect(double left, double top, double right, double bottom)
      : left(left), top(top), right(right), bottom(bottom) {}

  constexpr double getWidth() const { return right - left; }
  constexpr double getHeight() const { return bottom - top; }
  CRect& setWidth(double width) {
    right = left + width;
    return *this;
  }
  CRect& setHeight(double height) {
    bottom = top + height;
    return *this;
  }
  // Empty when it covers no area (also for inverted rectangles).
  constexpr bool isEmpty() const { return !(right > left) || !(bottom > top); }

  CRect& offset(double dx, double dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
    return *this;
  }
  CRect& offset(const CPoint& delta) { return offset(delta.x, delta.y); }
  // Moves the top-left corner to the point, keeping the size.
  CRect& moveTo(const CPoint& topLeft) { return offset(topLeft.x - left, topLeft.y - top); }
  // Shrinks by dx on the left and right and by dy at the top and bottom
  // (negative values grow the rectangle).
  CRect& inset(double dx, double dy) {
    left += dx;
    right -= dx;
    top += dy;
    bottom -= dy;
    return *this;
  }
  CRect& extend(double dx, double dy) { return inset(-dx, -dy); }
  // Swaps edges so that left <= right and top <= bottom.
  CRect& normalize() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    return *this;
  }

  constexpr bool pointInside(const CPoint& p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  // True when the two rectangles share some area.
  constexpr bool rectOverlap(const CRect& other) const {
    return right > other.left && left < other.right && bottom > other.top && top < other.bottom;
  }
  // Clips this rectangle to the other; without overlap the result is an empty
  // rectangle at the clipped position.
  CRect& bound(const CRect& other) {
    left = std::max(left, other.left);
    top = std::max(top, other.top);
    right = std::min(right, other.right);
    bottom = std::min(bottom, other.bottom);
    if (right < left) right = left;
    if (bottom < top) bottom = top;
    return *this;
  }
  // Grows this rectangle to hold the other too; an empty rectangle takes the
  // other as it is.
  CRect& unite(const CRect& other) {
    if (other.isEmpty()) return *this;
    if (isEmpty()) return *this = other;
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
    return *this;
  }

  constexpr CPoint getCenter() const { return {(left + right) / 2.0, (top + bottom) / 2.0}; }
  constexpr CPoint getTopLeft() const { return {left, top}; }
  constexpr CPoint getTopRight() const { return {right, top}; }
  constexpr CPoint getBottomLeft() const { return {left, bottom}; }
  constexpr CPoint getBottomRight() const { return {right, bottom}; }
  constexpr CPoint getSize() const { return {getWidth(), getHeight()}; }
  CRect& setTopLeft(const CPoint& p) {
    left = p.x;
    top = p.y;
    return *this;
  }
  CRect& setBottomRight(const CPoint& p) {
    right = p.x;
    bottom = p.y;
    return *this;
  }
  CRect& setSize(const CPoint& size) {
    right = left + size.x;
    bottom = top + size.y;
    return *this;
  }

  constexpr bool operator==(const CRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  constexpr bool operator!=(const CRect& o) const { return !(*this == o); }
};

}  // namespace gui
