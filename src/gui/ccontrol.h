// A view holding a value between a minimum and a maximum (0 and 1 unless
// set), with a tag and a listener. A control is dirty while its value differs
// from the value it was last drawn with. Edit gestures (beginEdit / endEdit)
// nest; the outermost pair reaches the listener and, through the frame's
// editor, the host as the parameter's automation gesture.
#pragma once

#include <cstdint>

#include "gui/cview.h"
#include "gui/icontrol_listener.h"

namespace gui {

class CBitmap;

class CControl : public CView {
 public:
  CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
           CBitmap* background = nullptr);
  CControl(const CControl& other);
  ~CControl() override;

  // Clamped to [min, max]; NaN becomes the minimum.
  virtual void setValue(float value);
  virtual float getValue() const { return value_; }
  // The value mapped to 0 to 1 and back.
  virtual void setValueNormalized(float normalized);
  virtual float getValueNormalized() const;
  virtual void setMin(float value);
  virtual float getMin() const { return min_; }
  virtual void setMax(float value);
  virtual float getMax() const { return max_; }
  float getRange() const { return max_ - min_; }
  virtual void setDefaultValue(float value) { default_ = value; }
  virtual float getDefaultValue() const { return default_; }
  // Puts the value back inside [min, max].
  void bounceValue();

  virtual void setTag(int32_t tag) { tag_ = tag; }
  int32_t getTag() const { return tag_; }
  IControlListener* getListener() const { return listener_; }
  void setListener(IControlListener* listener) { listener_ = listener; }

  virtual void setWheelInc(float increment) { wheelInc_ = increment; }
  virtual float getWheelInc() const { return wheelInc_; }

  // Tells the listener the value changed.
  virtual void valueChanged();
  virtual void beginEdit();
  virtual void endEdit();
  bool isInEditGesture() const { return editing_ > 0; }

  // The bitmap drawn by the default draw (remembered; null removes it).
  virtual void setBackground(CBitmap* background);
  CBitmap* getBackground() const { return background_; }

  // A control taken out of its frame in the middle of an edit gesture ends
  // it, so the host is not left waiting for the end.
  void removed(CView* parent) override;
  bool isDirty() const override;
  void setDirty(bool state = true) override;
  void draw(CDrawContext* context) override;

 protected:
  float value_ = 0.f;
  float oldValue_ = 1.f;
  float min_ = 0.f;
  float max_ = 1.f;
  float default_ = 0.5f;
  float wheelInc_ = 0.1f;
  int32_t tag_;
  int32_t editing_ = 0;
  IControlListener* listener_;
  CBitmap* background_ = nullptr;
};

}  // namespace gui
