#include "gui/ccontrol.h"

#include <cmath>

#include "gui/aeffguieditor.h"
#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"
#include "gui/cframe.h"

namespace gui {

CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), tag_(tag), listener_(listener) {
  setBackground(background);
}

CControl::CControl(const CControl& other)
    : CView(other),
      value_(other.value_),
      oldValue_(other.oldValue_),
      min_(other.min_),
      max_(other.max_),
      default_(other.default_),
      wheelInc_(other.wheelInc_),
      tag_(other.tag_),
      editing_(0),
      listener_(other.listener_) {
  setBackground(other.background_);
}

CControl::~CControl() {
  if (background_) background_->forget();
}

void CControl::setValue(float value) {
  if (std::isnan(value)) value = min_;
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  value_ = value;
}

void CControl::setValueNormalized(float normalized) {
  if (std::isnan(normalized)) normalized = 0.f;
  if (normalized < 0.f) normalized = 0.f;
  if (normalized > 1.f) normalized = 1.f;
  setValue(min_ + normalized * getRange());
}

float CControl::getValueNormalized() const {
  const float range = getRange();
  return range > 0.f ? (value_ - min_) / range : 0.f;
}

void CControl::setMin(float value) {
  if (std::isnan(value)) return;
  min_ = value;
  if (max_ < min_) max_ = min_;
  bounceValue();
}

void CControl::setMax(float value) {
  if (std::isnan(value)) return;
  max_ = value;
  if (min_ > max_) min_ = max_;
  bounceValue();
}

void CControl::bounceValue() { setValue(value_); }

void CControl::valueChanged() {
  if (listener_) listener_->valueChanged(this);
}

void CControl::beginEdit() {
  if (++editing_ != 1) return;
  if (listener_) listener_->controlBeginEdit(this);
  if (CFrame* frame = getFrame())
    if (AEffGUIEditor* editor = frame->getEditor()) editor->beginEdit(tag_);
}

void CControl::endEdit() {
  if (editing_ <= 0) return;
  if (--editing_ != 0) return;
  if (CFrame* frame = getFrame())
    if (AEffGUIEditor* editor = frame->getEditor()) editor->endEdit(tag_);
  if (listener_) listener_->controlEndEdit(this);
}

void CControl::removed(CView* parent) {
  if (editing_ > 0) {
    editing_ = 1;
    endEdit();
  }
  CView::removed(parent);
}

void CControl::setBackground(CBitmap* background) {
  if (background == background_) return;
  if (background) background->remember();
  if (background_) background_->forget();
  background_ = background;
  invalid();
}

bool CControl::isDirty() const { return value_ != oldValue_ || CView::isDirty(); }

void CControl::setDirty(bool state) {
  CView::setDirty(state);
  if (!state) oldValue_ = value_;
}

void CControl::draw(CDrawContext* context) {
  if (background_) context->drawBitmap(background_, getViewSize());
  setDirty(false);
}

}  // namespace gui
