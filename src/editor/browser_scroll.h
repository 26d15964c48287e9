// The vertical scrolling of one list of the preset browser: rows 20 pixels
// apart, five visible, a scroll offset (0 or negative), an inertia that a
// drag or the wheel gives the list, and the thumb of its scroll bar.
#pragma once

#include <algorithm>
#include <cmath>

#include "gui/crect.h"

class BrowserScroll {
 public:
  static constexpr double kRowHeight = 20;
  static constexpr int kVisibleRows = 5;
  static constexpr double kBarHeight = 99;

  BrowserScroll(double listTop, gui::CRect bar) : listTop_(listTop), bar_(bar) {}

  // Rows the list draws (including a trailing "NEW" row).
  void setRows(int rows) {
    rows_ = std::max(rows, 0);
    clamp();
  }
  int rows() const { return rows_; }
  bool scrolls() const { return rows_ > kVisibleRows; }

  double offset() const { return offset_; }
  void setOffset(double offset) {
    offset_ = std::isfinite(offset) ? offset : 0;
    clamp();
  }
  // Scrolls so that `row` shows as the third visible row, within limits.
  void showAsThirdRow(int row) { setOffset(2 * kRowHeight - kRowHeight * row); }

  void push(double speed) {
    if (std::isfinite(speed)) inertia_ += speed;
  }
  void stop() { inertia_ = 0; }
  bool moving() const { return inertia_ != 0; }
  // One redraw's worth of inertia: moves, stops at a limit, slows down.
  void advance() {
    if (inertia_ == 0) return;
    const double before = offset_;
    offset_ += inertia_;
    clamp();
    if (offset_ != before + inertia_) inertia_ = 0;
    inertia_ *= 0.8;
    if (std::fabs(inertia_) < 0.1) inertia_ = 0;
  }

  // Row under a pointer height, or -1 above the list.
  int rowAt(double y) const {
    const double row = (y - listTop_ + 3 - offset_) * 0.05;
    return row < 0 ? -1 : static_cast<int>(row);
  }
  // Baseline of a row's text.
  double baseline(int row) const { return listTop_ + 12 + kRowHeight * row + offset_; }

  // Pixels of bar per pixel of list. A list that fits counts as five rows,
  // so an empty list has a whole-bar thumb rather than an infinite one.
  double scale() const { return kBarHeight / (std::max(rows_, kVisibleRows) * kRowHeight); }
  gui::CRect thumb() const {
    const double top = bar_.top + 0.5 - offset_ * scale();
    return gui::CRect(bar_.left, top, bar_.right, top + kBarHeight * scale());
  }
  const gui::CRect& bar() const { return bar_; }

  // Scroll-bar drag: the thumb follows the pointer from where it was taken.
  void startBarDrag(double y) {
    dragY_ = y;
    dragOffset_ = offset_;
    stop();
  }
  void dragBarTo(double y) { setOffset((dragY_ - y) / scale() + dragOffset_); }

 private:
  void clamp() {
    const double lowest = std::min(0.0, (kVisibleRows - rows_) * kRowHeight);
    offset_ = std::clamp(offset_, lowest, 0.0);
  }

  double listTop_;
  gui::CRect bar_;
  int rows_ = 0;
  double offset_ = 0;
  double inertia_ = 0;
  double dragY_ = 0;
  double dragOffset_ = 0;
};
