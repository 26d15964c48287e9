#include "editor/mt_pulldown.h"

#include <cstdio>

#include "editor/ink.h"

mt_Pulldown::mt_Pulldown(const gui::CRect& size, gui::IControlListener* listener, int32_t tag)
    : CControl(size, listener, tag), closedRect_(size) {
  // The value is the chosen item, 0 to 6.
  setMax(kItems);
}

void mt_Pulldown::setPitchBendMode(bool pitchBend) {
  static const char* const kNotes[kItems] = {"RESET", "MEAN", "JUST", "OCTATONIC", "LOAD", "SAVE"};
  static const char* const kBends[kItems] = {"RESET",     "TONIC Cmaj", "PENTATONIC",
                                             "OCTATONIC", "LOAD",       "SAVE"};
  pitchBend_ = pitchBend;
  for (int i = 0; i < kItems; ++i)
    std::snprintf(items_[i], sizeof items_[i], "%s", pitchBend ? kBends[i] : kNotes[i]);
  invalid();
}

const char* mt_Pulldown::getItemText(int item) const {
  return item >= 1 && item <= kItems ? items_[item - 1] : "";
}

void mt_Pulldown::draw(gui::CDrawContext* context) {
  const gui::CRect& r = getViewSize();
  context->setDrawMode(gui::kAntiAliasing);
  context->setFillColor(gui::CColor(150, 110, 40, static_cast<uint8_t>(150 + 60 * hover_)));
  context->drawRect(r, gui::kDrawFilled);
  context->setFrameColor(editor::ink(60 * (hover_ + 1)));
  editor::drawText(context, "TEMPLATES", r.left + 3, r.top + 15, 14, editor::ink(90 + 60 * hover_));
  if (open_) {
    for (int k = 1; k <= kItems; ++k)
      editor::drawText(context, items_[k - 1], r.left + 3, r.top + 15 + kRowHeight * k, 15,
                       editor::ink(200), gui::kBoldFace);
    if (item_ != 0) {
      const double top = r.top + kRowHeight * item_;
      context->setFillColor(editor::ink(100));
      context->drawRect(gui::CRect(r.left + 2, top, r.right - 1, top + kRowHeight),
                        gui::kDrawFilled);
      editor::drawText(context, items_[item_ - 1], r.left + 3, r.top + 15 + kRowHeight * item_, 15,
                       gui::CColor(190, 150, 60, 200), gui::kBoldFace);
    }
  }
  context->setLineWidth(2);
  context->drawRect(gui::CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1),
                    gui::kDrawStroked);
  context->setLineWidth(1);
  setDirty(false);
}

gui::CMouseEventResult mt_Pulldown::onMouseDown(gui::CPoint&, const gui::CButtonState&) {
  open_ = true;
  gui::CRect opened = closedRect_;
  opened.bottom = opened.top + kOpenHeight;
  setViewSize(opened);
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult mt_Pulldown::onMouseMoved(gui::CPoint& where,
                                                 const gui::CButtonState& buttons) {
  if (!open_ || !buttons.isLeftButton()) return gui::kMouseEventHandled;
  const double top = getViewSize().top;
  if (where.y > top) {
    // Below the last row the pointer is off the list: nothing is chosen.
    const int row = static_cast<int>((where.y - top) / kRowHeight);
    const int item = row > kItems ? 0 : row;
    if (item != item_) {
      item_ = static_cast<uint8_t>(item);
      invalid();
    }
  }
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult mt_Pulldown::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  if (!open_) return gui::kMouseEventHandled;
  open_ = false;
  setViewSize(closedRect_);
  setValue(item_);
  valueChanged();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult mt_Pulldown::onMouseEntered(gui::CPoint&, const gui::CButtonState&) {
  hover_ = 1;
  invalid();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult mt_Pulldown::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  hover_ = 0;
  invalid();
  return gui::kMouseEventHandled;
}
