// A panel control that belongs to a section of the panel: it shows its
// read-out in that section's display while the pointer is over it, and
// remembers whether it is hovered. The dials, switches, the pitch-bend
// scrubber and the note-offset sliders share this.
#pragma once

#include <cstdint>

#include "gui/ccontrol.h"

class SectionControl : public gui::CControl {
 public:
  SectionControl(const gui::CRect& size, gui::IControlListener* listener, int32_t tag, int section,
                 int readout)
      : CControl(size, listener, tag),
        section_(static_cast<uint8_t>(section)),
        readout_(static_cast<uint8_t>(readout)) {}

  virtual void setSection(int section) { section_ = static_cast<uint8_t>(section); }
  int getSection() const { return section_; }
  int getReadoutIndex() const { return readout_; }
  bool isHovered() const { return hover_; }

 protected:
  // Shows this control's read-out in its section's display.
  void showReadout();

  uint8_t section_;
  uint8_t readout_;
  bool hover_ = false;
};
