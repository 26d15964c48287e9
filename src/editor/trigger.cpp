#include "editor/trigger.h"

#include <cmath>
#include <vector>

#include "editor/control_support.h"
#include "editor/ink.h"
#include "gui/cbitmap.h"
#include "gui/cgraphics_path.h"
#include "platform/module_path.h"
#include "platform/shell_open.h"

namespace {

const gui::CColor kButtonGold(230, 180, 70, 255);

}  // namespace

std::string Trigger::manualPath() {
  return platform::folderOf(platform::modulePath()) + "/manual/index.html";
}

// The label must stay within the button's 117 pixels of Arial 14 capitals.
const char* Trigger::webAddressLabel() { return "USER MANUAL"; }

Trigger::Trigger(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int kind)
    : CControl(size, listener, tag), kind_(static_cast<uint8_t>(kind)), rect_(size) {
  if (isMenuButton()) {
    // A menu reports its chosen item, 1 or 2.
    setMax(2);
    menuRect_ =
        gui::CRect(size.left - 95, size.bottom + 12, size.left - 95 + 180, size.bottom + 12 + 44);
    itemRects_[0] =
        gui::CRect(size.left - 93, size.bottom + 14, size.left - 93 + 176, size.bottom + 34);
    itemRects_[1] =
        gui::CRect(size.left - 93, size.bottom + 34, size.left - 93 + 176, size.bottom + 54);
  }
}

bool Trigger::isMenuButton() const { return kind_ >= kLoadMenu && kind_ <= kSaveMenuChosen; }

int Trigger::menuItemAt(const gui::CPoint& where) const {
  for (int i = 0; i < 2; ++i)
    if (itemRects_[i].pointInside(where)) return i + 1;
  return 0;
}

// --- Mouse ----------------------------------------------------------------

gui::CMouseEventResult Trigger::onMouseDown(gui::CPoint& where, const gui::CButtonState&) {
  switch (kind_) {
    // A menu chosen from and not yet redrawn is a closed menu: a new click
    // opens it again instead of repeating the last command.
    case kLoadMenu:
    case kSaveMenu:
    case kLoadMenuChosen:
    case kSaveMenuChosen:
      kind_ = kind_ == kLoadMenu || kind_ == kLoadMenuChosen ? kLoadMenuOpen : kSaveMenuOpen;
      hoveredItem_ = 0;
      invalid();
      invalidRect(menuRect_);
      return gui::kMouseEventHandled;  // the release picks the item
    case kLinkToggle:
    case kEchoSyncToggle:
    case kLfoSyncToggle:
      setValue(getValue() > 0 ? 0.f : 1.f);
      editor::reportEdit(this);
      break;
    case kNotesSelector:
      setValue(where.x < rect_.getCenter().x - 20 ? 0.f : 1.f);
      editor::reportEdit(this);
      break;
    case kEffectsSelector:
    case kModulationSelector:
      setValue(where.x < rect_.getCenter().x ? 0.f : 0.34f);
      editor::reportEdit(this);
      break;
    case kWebAddress:
      platform::openDocument(manualPath());
      break;
    default:
      valueChanged();
      break;
  }
  invalid();
  return gui::kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

gui::CMouseEventResult Trigger::onMouseMoved(gui::CPoint& where, const gui::CButtonState&) {
  if (!isMenuOpen()) return gui::kMouseEventHandled;
  const int item = menuItemAt(where);
  if (item != hoveredItem_) {
    hoveredItem_ = static_cast<uint8_t>(item);
    invalid();
    invalidRect(menuRect_);
  }
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Trigger::onMouseUp(gui::CPoint& where, const gui::CButtonState&) {
  if (!isMenuOpen()) return gui::kMouseEventHandled;
  const bool load = kind_ == kLoadMenuOpen;
  kind_ = load ? kLoadMenuChosen : kSaveMenuChosen;
  hoveredItem_ = static_cast<uint8_t>(menuItemAt(where));
  setValue(hoveredItem_);
  invalid();
  invalidRect(menuRect_);
  valueChanged();
  // The choice is reported: the menu is closed again, and the next click
  // opens it instead of repeating the command.
  kind_ = load ? kLoadMenu : kSaveMenu;
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Trigger::onMouseEntered(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorHand);
  hover_ = 1;
  invalid();
  return gui::kMouseMoveEventHandledButDontNeedMoreEvents;
}

gui::CMouseEventResult Trigger::onMouseExited(gui::CPoint&, const gui::CButtonState&) {
  hover_ = 0;
  editor::setCursor(this, gui::kCursorDefault);
  invalid();
  return gui::kMouseMoveEventHandledButDontNeedMoreEvents;
}

// --- Drawing --------------------------------------------------------------

void Trigger::draw(gui::CDrawContext* context) {
  context->setDrawMode(gui::kAntiAliasing);
  context->setLineWidth(1);
  switch (kind_) {
    case kNextProgram:
    case kPreviousProgram:
    case kLoadMenu:
    case kSaveMenu:
    case kLoadMenuChosen:
    case kSaveMenuChosen:
      drawTriangle(context);
      break;
    case kLoadMenuOpen:
    case kSaveMenuOpen:
      drawTriangle(context);
      drawMenu(context);
      break;
    case kPresetsTab:
    case kMicrotuningTab:
    case kModulationTab:
    case kEffectsTab:
      drawTab(context);
      break;
    case kNotesSelector:
    case kEffectsSelector:
    case kModulationSelector:
      drawSelector(context);
      break;
    case kLinkToggle:
    case kEchoSyncToggle:
    case kLfoSyncToggle:
      drawToggle(context);
      break;
    case kShiftUp:
    case kShiftDown:
      drawShiftArrow(context);
      break;
    case kWebAddress:
    case kPanic:
      editor::drawText(context, kind_ == kPanic ? "PANIC" : webAddressLabel(), rect_.left + 7,
                       rect_.bottom - 1, 14, editor::withAlpha(kButtonGold, 48 + 100 * hover_));
      break;
    default:
      break;
  }
  setDirty(false);
}

void Trigger::drawTriangle(gui::CDrawContext* context) {
  const gui::CRect& r = rect_;
  std::vector<gui::CPoint> corners;
  if (kind_ == kNextProgram)
    corners = {r.getTopLeft(), r.getBottomLeft(), gui::CPoint(r.right, (r.top + r.bottom) / 2)};
  else if (kind_ == kPreviousProgram)
    corners = {r.getTopRight(), r.getBottomRight(), gui::CPoint(r.left, (r.top + r.bottom) / 2)};
  else
    corners = {r.getTopLeft(), r.getTopRight(), gui::CPoint((r.left + r.right) / 2, r.bottom)};
  context->setFillColor(editor::withAlpha(editor::kGold, 48));
  context->drawPolygon(corners, gui::kDrawFilled);
}

void Trigger::drawMenu(gui::CDrawContext* context) {
  const bool load = kind_ == kLoadMenuOpen;
  const char* items[2] = {load ? "LOAD PRESET" : "SAVE PRESET", load ? "LOAD BANK" : "SAVE BANK"};
  context->saveGlobalState();
  context->setClipRect(menuRect_);
  // The menu lies outside the button: repaint the panel under it first so
  // its translucent box does not pile up over earlier draws.
  if (gui::CFrame* frame = getFrame())
    if (gui::CBitmap* background = frame->getBackground())
      context->drawBitmap(background, menuRect_, menuRect_.getTopLeft());
  context->setFillColor(editor::ink(128));
  context->drawRect(menuRect_, gui::kDrawFilled);
  context->setFrameColor(editor::ink(128));
  context->drawRect(menuRect_, gui::kDrawStroked);
  gui::CRect inner = menuRect_;
  inner.inset(4, 4);
  context->setFillColor(gui::CColor(255, 235, 180, 128));
  context->drawRect(inner, gui::kDrawFilled);
  if (hoveredItem_ >= 1 && hoveredItem_ <= 2) {
    context->setFillColor(editor::ink(70));
    context->drawRect(itemRects_[hoveredItem_ - 1], gui::kDrawFilled);
  }
  for (int i = 0; i < 2; ++i)
    editor::drawText(context, items[i], menuRect_.left + 4, menuRect_.top + 20 * (i + 1), 12,
                     editor::ink(155));
  context->restoreGlobalState();
}

void Trigger::drawTab(gui::CDrawContext* context) {
  const double v = getValue();
  if (!(v > 0)) return;  // a closed tab leaves the engraved word alone
  const char* word = "PRESETS";
  double x = 480;
  switch (kind_) {
    case kMicrotuningTab:
      word = "MICROTUNING", x = 579;
      break;
    case kModulationTab:
      word = "MODULATION", x = 724;
      break;
    case kEffectsTab:
      word = "EFFECTS", x = 857;
      break;
    default:
      break;
  }
  editor::drawText(context, word, x + 1, 64, 18,
                   gui::CColor(95, 40, 20, static_cast<uint8_t>(155 * v)));
  editor::drawText(context, word, x + 1, 64, 18,
                   gui::CColor(255, 80, 20, static_cast<uint8_t>(20 * v)));
  editor::drawText(context, word, x, 63, 18,
                   gui::CColor(255, 220, 120, static_cast<uint8_t>(155 * v)));
}

void Trigger::drawSelector(gui::CDrawContext* context) {
  const char* left = "NOTES";
  const char* right = "PITCH BEND";
  double divider = 60;
  bool rightChosen = getValue() != 0;
  if (kind_ == kEffectsSelector || kind_ == kModulationSelector) {
    left = kind_ == kEffectsSelector ? "DELAY" : "LFO";
    right = kind_ == kEffectsSelector ? "SAND" : "ENV";
    divider = 80;
    rightChosen = subPageOf(getValue()) != 0;
  }
  const double h = hover_;
  const gui::CRect& r = rect_;
  context->setFillColor(gui::CColor(150, 110, 40, 150));
  context->drawRect(r, gui::kDrawFilled);
  editor::drawText(context, left, r.left + 3, r.top + 15, 14,
                   editor::ink(140 + 40 * h + (rightChosen ? 0 : 60)));
  editor::drawText(context, right, r.left + divider + 3, r.top + 15, 14,
                   editor::ink(140 + 40 * h + (rightChosen ? 60 : 0)));
  context->setLineWidth(2);
  context->setFrameColor(editor::ink(90 + 40 * h));
  gui::CRect frame = r;
  frame.inset(1, 1);
  context->drawRect(frame, gui::kDrawStroked);
  context->drawLine(gui::CPoint(r.left + divider, r.top + 2),
                    gui::CPoint(r.left + divider, r.bottom - 3));
  gui::CRect chosen = frame;
  if (rightChosen)
    chosen.left = r.left + divider;
  else
    chosen.right = r.left + divider;
  context->setFillColor(editor::ink(30 * (h + 1)));
  context->drawRect(chosen, gui::kDrawFilled);
  context->setLineWidth(1);
}

void Trigger::drawToggle(gui::CDrawContext* context) {
  const double h = hover_;
  const double v = getValue();
  gui::CRect inner = rect_;
  inner.inset(1, 1);
  if (v > 0) {
    context->setFillColor(editor::ink(50 * h + 20 + 60 * v));
    context->drawRect(inner, gui::kDrawFilled);
  }
  context->setLineWidth(2);
  context->setFrameColor(editor::ink(40 * h + 30 + 60 * v));
  context->drawRect(inner, gui::kDrawStroked);
  context->setLineWidth(1);
  if (kind_ == kLinkToggle) {
    // A small lamp in the middle of the box.
    const gui::CPoint c = rect_.getCenter();
    context->setFillColor(gui::CColor(230, 180, 70, static_cast<uint8_t>(48 + 100 * v)));
    context->drawEllipse(gui::CRect(c.x - 2.5, c.y - 2.5, c.x + 2.5, c.y + 2.5), gui::kDrawFilled);
  } else {
    const gui::CColor colour(static_cast<uint8_t>(30 + 180 * v), static_cast<uint8_t>(20 + 150 * v),
                             static_cast<uint8_t>(10 + 100 * v),
                             static_cast<uint8_t>(140 + 40 * h + 60 * v));
    editor::drawText(context, "SYNC", rect_.left + 5, rect_.top + 15, 14, colour);
  }
}

void Trigger::drawShiftArrow(gui::CDrawContext* context) {
  // A round arrow: three quarters of a circle from the bottom, turning
  // clockwise (up) or anticlockwise (down), with its head at the end.
  const double h = hover_;
  gui::CRect ring = rect_;
  ring.inset(4, 4);
  const bool up = kind_ == kShiftUp;
  const gui::CColor colour = editor::ink(120 + 60 * h);
  context->setLineWidth(2);
  context->setFrameColor(colour);
  gui::CGraphicsPath* path = context->createGraphicsPath();
  path->addArc(ring, 90, up ? 360 : -180, up);
  context->drawGraphicsPath(path, gui::kPathStroked);
  path->forget();
  // Both ends of the arc lie level with the centre; the head points down
  // along the turning direction.
  const gui::CPoint c = ring.getCenter();
  const double x = up ? ring.right : ring.left;
  context->setFillColor(colour);
  context->drawPolygon(
      {gui::CPoint(x - 3.5, c.y - 1), gui::CPoint(x + 3.5, c.y - 1), gui::CPoint(x, c.y + 4)},
      gui::kDrawFilled);
  context->setLineWidth(1);
}
