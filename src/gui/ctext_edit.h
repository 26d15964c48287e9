// A one-line text field. A click (or takeFocus) starts editing: printable
// ASCII inserts at the caret, backspace / delete / left / right / home / end
// edit and move it. Return, or losing the focus (a click elsewhere), ends the
// edit and reports valueChanged; Escape ends it and restores the old text.
// Draws its background, its frame and its text.
#pragma once

#include <string>

#include "gui/ccolor.h"
#include "gui/ccontrol.h"
#include "gui/cdraw_context.h"
#include "gui/cfont_desc.h"

namespace gui {

class CTextEdit : public CControl {
 public:
  CTextEdit(const CRect& size, IControlListener* listener, int32_t tag, const char* text = nullptr,
            CBitmap* background = nullptr);
  CTextEdit(const CTextEdit& other);
  CView* newCopy() const override { return new CTextEdit(*this); }

  // Texts are kept up to getMaxLength() bytes; null is the empty text.
  virtual void setText(const char* text);
  const char* getText() const { return text_.c_str(); }
  void setMaxLength(size_t length);
  size_t getMaxLength() const { return maxLength_; }

  void setFont(const CFontDesc& font);
  void setFont(const CFontDesc* font) {
    if (font) setFont(*font);
  }
  const CFontDesc& getFont() const { return font_; }
  void setFontColor(const CColor& color);
  const CColor& getFontColor() const { return fontColor_; }
  void setBackColor(const CColor& color);
  const CColor& getBackColor() const { return backColor_; }
  void setFrameColor(const CColor& color);
  const CColor& getFrameColor() const { return frameColor_; }
  void setHoriAlign(CHoriTxtAlign align);
  CHoriTxtAlign getHoriAlign() const { return align_; }

  bool isEditing() const { return editing_; }
  // Caret position in bytes from the start of the text.
  size_t getCaretPosition() const { return caret_; }

  void takeFocus() override;
  void looseFocus() override;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override;
  int32_t onKeyUp(VstKeyCode& keyCode) override;

 private:
  void endEditing(bool commit);
  size_t caretFromX(double x);
  double textStartX(double textWidth) const;

  std::string text_;
  std::string textBeforeEdit_;
  size_t maxLength_ = 255;
  size_t caret_ = 0;
  bool editing_ = false;
  CFontDesc font_;
  CColor fontColor_ = kWhiteCColor;
  CColor backColor_ = kBlackCColor;
  CColor frameColor_ = kBlackCColor;
  CHoriTxtAlign align_ = kCenterText;
};

}  // namespace gui
