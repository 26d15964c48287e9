// The editor mirroring parameter changes on its own thread: the control
// moves, and the change shows as a read-out in its section display, as the
// value text of a page dial, or in the microtuning display. Colour changes
// re-render the panel.
#include <cmath>
#include <cstdio>

#include "editor/display.h"
#include "editor/lcd_dial.h"
#include "editor/lcd_display.h"
#include "editor/lcd_presets.h"
#include "editor/mt_display.h"
#include "editor/qua_gui.h"
#include "editor/readout_texts.h"
#include "gui/cframe.h"
#include "params/parameter_ids.h"
#include "params/parameter_readings.h"

using namespace editor;

namespace {

constexpr int kLinkParameter = params::kSpringBLink;
constexpr int kNoiseReadout = 5;  // spring B display: diffusion, noise at 1
constexpr int kBodySyncParameter = params::kBodyTremoloSync;
constexpr int kBodySyncReadout = 13;
constexpr int kFirstColourParameter = params::kGuiRed;
constexpr int kFirstMicrotuning = params::kMicrotuneFirst;
constexpr int kFirstBend = params::kBendUpFirst;
constexpr int kLastBend = params::kBendDownLast;
constexpr int kEchoRateLeft = 93, kEchoRateRight = 94, kEchoSync = 95;
constexpr int kLfoSync = 100, kLfoRate = 101;

double needlePosition(float v) { return 917.0 * v + 55.0; }

}  // namespace

void QuaGui::applyParameter(int index, float value) {
  gui::CControl* c = control(index);
  if (!frame || !c || index >= kParameterCount) return;
  if (presetBrowser_ && trackEdits_) presetBrowser_->setModified(true);
  c->setValue(value);

  if (index == kLinkParameter) {
    if (LCD_Display* springB = sectionDisplay(2))
      springB->setText(plugin->getSpringBLink() == 1 ? "link: ON" : "link: OFF");
  } else if (index == kBodySyncParameter) {
    if (LCD_Display* body = sectionDisplay(3)) {
      body->bodySyncMode = static_cast<uint8_t>(bodySyncModeOf(value));
      body->cache[kBodySyncReadout] = value;
      formatReadoutNow(3, kBodySyncReadout);
    }
  } else if (index < kFirstColourParameter) {
    ReadoutSlot slot;
    if (readoutSlotOf(index, slot)) updateSection(slot.section, slot.index, value);
  } else if (index < kFirstMicrotuning) {
    applyColour(index, value);
  } else if (index <= kLastBend) {
    updateMicrotuning(index, value);
  } else {
    updatePageDial(index, value);
  }

  if (index == params::kSpringANoteOffset || index == params::kSpringBNoteOffset) {
    if (noteOffsetDisplay_) {
      (index == params::kSpringANoteOffset ? noteOffsetDisplay_->needleA
                                           : noteOffsetDisplay_->needleB) = needlePosition(value);
      noteOffsetDisplay_->setDirty(true);
    }
  }
  if (index == params::kConcertA) concertA_ = params::concertAOf(value);
}

void QuaGui::updateSection(int section, int readout, float value) {
  LCD_Display* display = sectionDisplay(section);
  if (!display || readout < 0 || readout >= kReadoutSlots) return;
  if (value == display->cache[readout]) return;
  ReadoutState state;
  state.concertA = plugin->getConcertA();
  state.noiseMode = sectionDisplays_[1] && sectionDisplays_[1]->cache[kNoiseReadout] >= 1;
  state.bodySyncMode = sectionDisplays_[2] ? sectionDisplays_[2]->bodySyncMode : 0;
  char text[kReadoutTextSize];
  formatReadout(section, readout, value, state, false, text, sizeof text);
  display->setText(text);
  display->cache[readout] = value;
}

void QuaGui::formatReadoutNow(int section, int index) {
  LCD_Display* display = sectionDisplay(section);
  if (!display) return;
  char text[kReadoutTextSize] = "";
  if (index >= 0 && index < kReadoutSlots) {
    ReadoutState state;
    state.concertA = plugin->getConcertA();
    state.noiseMode = sectionDisplays_[1] && sectionDisplays_[1]->cache[kNoiseReadout] >= 1;
    state.bodySyncMode = sectionDisplays_[2] ? sectionDisplays_[2]->bodySyncMode : 0;
    formatReadout(section, index, display->cache[index], state, true, text, sizeof text);
  }
  display->setText(text);
}

void QuaGui::updatePageDial(int index, float value) {
  char text[LCDDial::kTextCapacity + 1];
  const auto setText = [this, &text](int tag) {
    if (auto* dial = dynamic_cast<LCDDial*>(control(tag))) dial->setValueText(text);
  };
  const auto echoRate = [&](int tag, bool sync) {
    if (const gui::CControl* dial = control(tag)) {
      formatEchoRate(dial->getValue(), sync, text, sizeof text);
      setText(tag);
    }
  };
  switch (index) {
    case kEchoRateLeft:
    case kEchoRateRight:
      formatEchoRate(value, plugin->getEchoSync() != 0, text, sizeof text);
      return setText(index);
    case kEchoSync: {
      // Synced rates step through note divisions: one step per notch.
      const float wheel = value == 0 ? 0.01f : 1.0f / 18.0f;
      for (int tag : {kEchoRateLeft, kEchoRateRight})
        if (gui::CControl* dial = control(tag)) dial->setWheelInc(wheel);
      echoRate(kEchoRateLeft, value != 0);
      echoRate(kEchoRateRight, value != 0);
      return;
    }
    case kLfoSync:
      if (const gui::CControl* rate = control(kLfoRate)) {
        formatLfoRate(rate->getValue(), value != 0, text, sizeof text);
        setText(kLfoRate);
      }
      return;
    case kLfoRate:
      formatLfoRate(value, plugin->getLfoSync() != 0, text, sizeof text);
      return setText(index);
    default:
      formatPageDialValue(index, value, plugin->getConcertA(), text, sizeof text);
      return setText(index);
  }
}

void QuaGui::applyColour(int index, float value) {
  const auto component = static_cast<uint8_t>(255.0f * value);
  if (index == kFirstColourParameter)
    colour_.red = component;
  else if (index == kFirstColourParameter + 1)
    colour_.green = component;
  else
    colour_.blue = component;
  backgroundStale_ = true;
  // A batch renders once at its end.
  if (!batching_) flushBackground();
}

void QuaGui::highlightNeedle(int section) {
  if (!noteOffsetDisplay_) return;
  const uint8_t highlight = section == 1 || section == 2 ? static_cast<uint8_t>(section) : 0;
  if (noteOffsetDisplay_->highlight == highlight) return;
  noteOffsetDisplay_->highlight = highlight;
  noteOffsetDisplay_->setDirty(true);
}

void QuaGui::showMicrotuning(int tag, float value) {
  if (!microtuningDisplay_) return;
  updateMicrotuning(tag, value);
  microtuningDisplay_->setVisible(true);
}

// The display stays hidden: it only shows while the pointer is over a
// microtuning slider.
void QuaGui::updateMicrotuning(int tag, float value) {
  if (!microtuningDisplay_ || tag < kFirstMicrotuning || tag > kLastBend) return;
  if (tag < kFirstBend) {
    const int pitchClass = tag - kFirstMicrotuning;  // 0 for C
    const float tuning = 2.0f * value - 1.0f;
    microtuningDisplay_->first = tuning;
    microtuningDisplay_->second = static_cast<float>(std::pow(2.0, (pitchClass - 9) / 12.0) *
                                                     concertA_ * std::pow(2.0, tuning / 6.0));
  } else {
    microtuningDisplay_->first = value;
    microtuningDisplay_->second = plugin->getPitchRange() * value;
  }
  microtuningDisplay_->setDirty(true);
}

void QuaGui::hideMicrotuning() {
  if (microtuningDisplay_) microtuningDisplay_->setVisible(false);
}
