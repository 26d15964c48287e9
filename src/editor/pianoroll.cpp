#include "editor/pianoroll.h"

#include <algorithm>

#include "editor/control_support.h"
#include "editor/editor_tags.h"
#include "editor/qua_gui.h"
#include "gui/cdraw_context.h"
#include "gui/cgradient.h"
#include "gui/cgraphics_path.h"

namespace {

constexpr double kUnit = 1.3913044;  // pixels per key-width unit
constexpr double kLeft = 42;
constexpr double kTop = 360;
constexpr double kBottom = 479;
constexpr double kBlackKeyWidth = 21;
constexpr double kFirstBlackKeyLeft = 65.5;

// Key-number steps and widths of the white keys from the A, and the
// distances between black keys from the A#.
constexpr int kWhiteSteps[7] = {2, 1, 2, 2, 1, 2, 2};
constexpr double kWhiteWidths[7] = {23, 24, 23, 24, 23, 24, 23};
constexpr int kBlackSteps[5] = {3, 2, 3, 2, 2};
constexpr double kBlackGaps[5] = {44, 26, 42, 26, 26};

}  // namespace

Pianoroll::Pianoroll(const gui::CRect& size, gui::IControlListener* listener)
    : CControl(size, listener, editor::kTagKeyboard), rect_(size) {
  double x = kLeft;
  for (int key = 1, i = 0; key <= kKeys; key += kWhiteSteps[i % 7], ++i) {
    const double width = kWhiteWidths[i % 7] * kUnit;
    keys_[key] = {gui::CRect(x, kTop, x + width, kBottom), key};
    x += width;
  }
  x = kFirstBlackKeyLeft;
  for (int key = 2, i = 0; key <= kKeys; key += kBlackSteps[i % 5], ++i) {
    keys_[key] = {gui::CRect(x, kTop, x + kBlackKeyWidth, kBlackKeyBottom), key};
    x += kBlackGaps[i % 5] * kUnit;
  }
}

bool Pianoroll::isBlackKey(int key) {
  if (key < 1 || key > kKeys) return false;
  const int inOctave = (key - 1) % 12;  // 0 is an A
  return inOctave == 1 || inOctave == 4 || inOctave == 6 || inOctave == 9 || inOctave == 11;
}

int Pianoroll::keyAt(const gui::CPoint& where) const {
  // Black keys lie over the white ones; they win where they reach.
  const int first = std::clamp(static_cast<int>((where.x - kLeft) / 30), 1, kKeys);
  int white = 0;
  for (int key = first; key <= kKeys; ++key) {
    if (!keys_[key].rect.pointInside(where)) continue;
    if (isBlackKey(key)) return key;
    if (!white) white = key;
  }
  return white;
}

float Pianoroll::velocityAt(const gui::CPoint& where) {
  return static_cast<float>(std::clamp((where.y - kTop) * 0.0125, 0.0, 1.0));
}

void Pianoroll::play(int key, const gui::CPoint& where) {
  currentKey_ = key;
  if (key == 0) return;
  if (QuaGui* editor = editor::editorOf(this))
    if (editor::Instrument* plugin = editor->getPlugin())
      plugin->noteOn(key + kFirstNote - 1, velocityAt(where));
}

void Pianoroll::release(int key) {
  if (key == 0) return;
  if (QuaGui* editor = editor::editorOf(this))
    if (editor::Instrument* plugin = editor->getPlugin()) plugin->noteOff(key + kFirstNote - 1);
}

void Pianoroll::releaseCurrent() {
  release(currentKey_);
  currentKey_ = 0;
  setDirty(true);
}

gui::CMouseEventResult Pianoroll::onMouseDown(gui::CPoint& where,
                                              const gui::CButtonState& buttons) {
  // A latched note ends with the next click.
  if (latched_ && currentKey_) release(currentKey_);
  play(keyAt(where), where);
  latched_ = buttons.getButtonState() == gui::kRButton;
  setDirty(true);
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Pianoroll::onMouseMoved(gui::CPoint& where,
                                               const gui::CButtonState& buttons) {
  if (buttons.getButtonState() == gui::kLButton && rect_.pointInside(where)) {
    const int key = keyAt(where);
    if (key != currentKey_) {
      release(currentKey_);
      currentKey_ = 0;
      if (key) play(key, where);
      setDirty(true);
    }
  } else if (currentKey_ && (!latched_ || keyAt(where) == 0)) {
    // Moving off the keys ends a latched note too.
    releaseCurrent();
    latched_ = false;
  }
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Pianoroll::onMouseUp(gui::CPoint&, const gui::CButtonState&) {
  if (latched_) return gui::kMouseEventHandled;
  // The key sounding is released, wherever the pointer went.
  releaseCurrent();
  return gui::kMouseEventHandled;
}

gui::CMouseEventResult Pianoroll::onMouseEntered(gui::CPoint&, const gui::CButtonState&) {
  editor::setCursor(this, gui::kCursorHand);
  return gui::kMouseMoveEventHandledButDontNeedMoreEvents;
}

gui::CMouseEventResult Pianoroll::onMouseExited(gui::CPoint&, const gui::CButtonState& buttons) {
  editor::setCursor(this, gui::kCursorDefault);
  if (buttons.getButtonState() == gui::kLButton && !latched_) releaseCurrent();
  return gui::kMouseMoveEventHandledButDontNeedMoreEvents;
}

void Pianoroll::draw(gui::CDrawContext* context) {
  if (currentKey_ >= 1 && currentKey_ <= kKeys) {
    const gui::CRect& r = keys_[currentKey_].rect;
    gui::CGraphicsPath* path = context->createGraphicsPath();
    path->addRoundRect(r, 8);
    const gui::CGradient shade(0, 1, gui::CColor(30, 15, 5, 0), gui::CColor(30, 15, 5, 70));
    context->fillLinearGradient(path, shade, r.getTopLeft(), r.getBottomLeft());
    path->forget();
  }
  setDirty(false);
}
