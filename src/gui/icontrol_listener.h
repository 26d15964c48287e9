// What a control reports to: every value change, and the begin and end of an
// edit gesture.
#pragma once

namespace gui {

class CControl;

class IControlListener {
 public:
  virtual ~IControlListener() = default;
  virtual void valueChanged(CControl* control) = 0;
  virtual void controlBeginEdit(CControl*) {}
  virtual void controlEndEdit(CControl*) {}
};

}  // namespace gui
