#include "gui/ctext_edit.h"

#include <cmath>

#include "gui/cbitmap.h"
#include "gui/cframe.h"
#include "vst/vst_keys.h"

namespace gui {

namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t previousBoundary(const std::string& text, size_t pos) {
  if (pos == 0) return 0;
  --pos;
  while (pos > 0 && isContinuationByte(text[pos])) --pos;
  return pos;
}

size_t nextBoundary(const std::string& text, size_t pos) {
  if (pos >= text.size()) return text.size();
  ++pos;
  while (pos < text.size() && isContinuationByte(text[pos])) ++pos;
  return pos;
}

// Cuts to at most maxLength bytes without splitting a UTF-8 sequence.
void truncateText(std::string& text, size_t maxLength) {
  if (text.size() <= maxLength) return;
  size_t cut = maxLength;
  while (cut > 0 && isContinuationByte(text[cut])) --cut;
  text.resize(cut);
}

constexpr double kTextInset = 2.0;

}  // namespace

CTextEdit::CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, const char* text,
                     CBitmap* background)
    : CControl(size, listener, tag, background) {
  setWantsFocus(true);
  setText(text);
}

CTextEdit::CTextEdit(const CTextEdit& other)
    : CControl(other),
      text_(other.text_),
      maxLength_(other.maxLength_),
      caret_(other.text_.size()),
      font_(other.font_),
      fontColor_(other.fontColor_),
      backColor_(other.backColor_),
      frameColor_(other.frameColor_),
      align_(other.align_) {}

void CTextEdit::setText(const char* text) {
  std::string next = text ? text : "";
  truncateText(next, maxLength_);
  if (next == text_) return;
  text_ = std::move(next);
  if (caret_ > text_.size()) caret_ = text_.size();
  invalid();
}

void CTextEdit::setMaxLength(size_t length) {
  maxLength_ = length;
  truncateText(text_, maxLength_);
  if (caret_ > text_.size()) caret_ = text_.size();
  invalid();
}

void CTextEdit::setFont(const CFontDesc& font) {
  font_ = font;
  invalid();
}

void CTextEdit::setFontColor(const CColor& color) {
  fontColor_ = color;
  invalid();
}

void CTextEdit::setBackColor(const CColor& color) {
  backColor_ = color;
  invalid();
}

void CTextEdit::setFrameColor(const CColor& color) {
  frameColor_ = color;
  invalid();
}

void CTextEdit::setHoriAlign(CHoriTxtAlign align) {
  align_ = align;
  invalid();
}

void CTextEdit::takeFocus() {
  if (editing_) return;
  editing_ = true;
  textBeforeEdit_ = text_;
  caret_ = text_.size();
  invalid();
  // Called directly (not by the frame): become the focus view so keys come
  // here.
  if (CFrame* frame = getFrame())
    if (frame->getFocusView() != this) frame->setFocusView(this);
}

void CTextEdit::looseFocus() { endEditing(true); }

void CTextEdit::endEditing(bool commit) {
  if (!editing_) return;
  editing_ = false;
  if (!commit) text_ = textBeforeEdit_;
  if (caret_ > text_.size()) caret_ = text_.size();
  invalid();
  // Give the focus back before reporting, so the listener can move it.
  if (CFrame* frame = getFrame())
    if (frame->getFocusView() == this) frame->setFocusView(nullptr);
  if (commit) valueChanged();
}

double CTextEdit::textStartX(double textWidth) const {
  const CRect& r = getViewSize();
  double x = r.left + kTextInset;
  const double width = r.getWidth() - 2 * kTextInset;
  if (align_ == kCenterText)
    x += (width - textWidth) / 2.0;
  else if (align_ == kRightText)
    x += width - textWidth;
  return std::round(x);
}

size_t CTextEdit::caretFromX(double x) {
  // Measure with a scratch context: widths depend only on the font.
  CBitmap scratch(1, 1);
  CDrawContext context(scratch.getSurface());
  context.setFont(font_);
  const double start = textStartX(context.getStringWidth(text_.c_str()));
  size_t best = 0;
  double bestDistance = std::fabs(x - start);
  for (size_t pos = nextBoundary(text_, 0); pos <= text_.size() && pos > 0;
       pos = nextBoundary(text_, pos)) {
    const double at = start + context.getStringWidth(text_.substr(0, pos).c_str());
    if (std::fabs(x - at) < bestDistance) {
      bestDistance = std::fabs(x - at);
      best = pos;
    }
    if (pos == text_.size()) break;
  }
  return best;
}

CMouseEventResult CTextEdit::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) return kMouseEventNotHandled;
  if (!editing_) {
    if (CFrame* frame = getFrame())
      frame->setFocusView(this);
    else
      takeFocus();
  }
  if (editing_) {
    caret_ = caretFromX(where.x);
    invalid();
  }
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key) {
  if (!editing_) return -1;
  if (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)) return -1;
  switch (key.virt) {
    case VKEY_RETURN:
    case VKEY_ENTER:
      endEditing(true);
      return 1;
    case VKEY_ESCAPE:
      endEditing(false);
      return 1;
    case VKEY_BACK:
      if (caret_ > 0) {
        const size_t from = previousBoundary(text_, caret_);
        text_.erase(from, caret_ - from);
        caret_ = from;
      }
      invalid();
      return 1;
    case VKEY_DELETE:
      if (caret_ < text_.size()) text_.erase(caret_, nextBoundary(text_, caret_) - caret_);
      invalid();
      return 1;
    case VKEY_LEFT:
      caret_ = previousBoundary(text_, caret_);
      invalid();
      return 1;
    case VKEY_RIGHT:
      caret_ = nextBoundary(text_, caret_);
      invalid();
      return 1;
    case VKEY_HOME:
      caret_ = 0;
      invalid();
      return 1;
    case VKEY_END:
      caret_ = text_.size();
      invalid();
      return 1;
    case VKEY_SPACE:
      key.character = ' ';
      break;
    case VKEY_TAB:
      return -1;
    default:
      break;
  }
  const int32_t c = key.character;
  if (c < 0x20 || c > 0x7E) return -1;
  if (text_.size() < maxLength_) {
    text_.insert(caret_, 1, static_cast<char>(c));
    ++caret_;
  }
  invalid();
  return 1;
}

int32_t CTextEdit::onKeyUp(VstKeyCode&) { return editing_ ? 1 : -1; }

void CTextEdit::draw(CDrawContext* context) {
  const CRect& r = getViewSize();
  context->saveGlobalState();
  context->setDrawMode(kAntiAliasing);
  if (backColor_.alpha) {
    context->setFillColor(backColor_);
    context->drawRect(r, kDrawFilled);
  }
  if (frameColor_.alpha) {
    context->setLineWidth(1.0);
    context->setFrameColor(frameColor_);
    context->drawRect(r, kDrawStroked);
  }
  context->setFont(font_);
  context->setFontColor(fontColor_);
  CRect textRect = r;
  textRect.inset(kTextInset, 0);
  context->drawString(text_.c_str(), textRect, align_);
  if (editing_) {
    const double width = context->getStringWidth(text_.c_str());
    const double x = textStartX(width) + context->getStringWidth(text_.substr(0, caret_).c_str());
    CColor caret = fontColor_;
    caret.alpha = 255;
    context->setFrameColor(caret);
    context->setLineWidth(1.0);
    context->drawLine(CPoint(std::floor(x) + 0.5, r.top + 3),
                      CPoint(std::floor(x) + 0.5, r.bottom - 3));
  }
  context->restoreGlobalState();
  setDirty(false);
}

}  // namespace gui
