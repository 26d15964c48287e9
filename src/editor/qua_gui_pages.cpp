// The four pages under the tab row. At most one is open; opening the first
// page renders the panel with its recessed page area, switching between
// pages keeps it, and closing the open page renders the panel without it.
#include <initializer_list>

#include "editor/lcd_presets.h"
#include "editor/mt_display.h"
#include "editor/mt_pulldown.h"
#include "editor/qua_gui.h"
#include "editor/trigger.h"
#include "gui/cframe.h"

using namespace editor;

namespace {

constexpr int kLfoGroup[] = {101, 102, 103, 100};
constexpr int kEnvGroup[] = {106, 108, 109};
constexpr int kDelayGroup[] = {93, 94, 96, 97, 95};
constexpr int kSandGroup[] = {87, 91, 92};
constexpr int kFirstNoteSlider = 51, kLastNoteSlider = 62;
constexpr int kFirstBendSlider = 63, kLastBendSlider = 86;

template <int N>
constexpr int count(const int (&)[N]) {
  return N;
}

}  // namespace

void QuaGui::showGroup(const int* tags, int n, bool visible) {
  for (int i = 0; i < n; ++i)
    if (gui::CControl* c = control(tags[i])) c->setVisible(visible);
}

void QuaGui::finishPageShow(bool opened) {
  if (opened && !pagePanel_) {
    pagePanel_ = true;
    renderBackground(colour_);
  }
}

void QuaGui::setPresetsPage(bool open) {
  if (!frame) return;
  presetsOpen_ = open;
  if (gui::CControl* tab = control(kTagPresetsTab)) tab->setValue(open ? 1.f : 0.f);
  if (presetBrowser_) presetBrowser_->setVisible(open);
  finishPageShow(open);
}

void QuaGui::setMicrotuningPage(bool open) {
  if (!frame) return;
  microtuningOpen_ = open;
  if (gui::CControl* tab = control(kTagMicrotuningTab)) tab->setValue(open ? 1.f : 0.f);
  const gui::CControl* selector = control(kTagNotesSelector);
  const bool notes = !selector || selector->getValue() == 0;
  for (int tag = kFirstNoteSlider; tag <= kLastNoteSlider; ++tag)
    if (gui::CControl* c = control(tag)) c->setVisible(open && notes);
  for (int tag = kFirstBendSlider; tag <= kLastBendSlider; ++tag)
    if (gui::CControl* c = control(tag)) c->setVisible(open && !notes);
  const int pageControls[] = {kTagNotesSelector, kTagShiftUp, kTagShiftDown, kTagTemplates};
  showGroup(pageControls, count(pageControls), open);
  if (templatesPulldown_) templatesPulldown_->setPitchBendMode(!notes);
  if (!open) hideMicrotuning();
  finishPageShow(open);
}

void QuaGui::setModulationPage(bool open) {
  if (!frame) return;
  modulationOpen_ = open;
  if (gui::CControl* tab = control(kTagModulationTab)) tab->setValue(open ? 1.f : 0.f);
  gui::CControl* selector = control(kTagModulationSelector);
  if (selector) selector->setVisible(open);
  const bool envelope = selector && Trigger::subPageOf(selector->getValue()) != 0;
  showGroup(kLfoGroup, count(kLfoGroup), open && !envelope);
  showGroup(kEnvGroup, count(kEnvGroup), open && envelope);
  finishPageShow(open);
}

void QuaGui::setEffectsPage(bool open) {
  if (!frame) return;
  effectsOpen_ = open;
  if (gui::CControl* tab = control(kTagEffectsTab)) tab->setValue(open ? 1.f : 0.f);
  gui::CControl* selector = control(kTagEffectsSelector);
  if (selector) selector->setVisible(open);
  const bool sand = selector && Trigger::subPageOf(selector->getValue()) != 0;
  showGroup(kDelayGroup, count(kDelayGroup), open && !sand);
  showGroup(kSandGroup, count(kSandGroup), open && sand);
  finishPageShow(open);
}

bool QuaGui::isPageOpen(Page page) const {
  switch (page) {
    case Page::Presets:
      return presetsOpen_;
    case Page::Microtuning:
      return microtuningOpen_;
    case Page::Modulation:
      return modulationOpen_;
    case Page::Effects:
      return effectsOpen_;
    default:
      return false;
  }
}

void QuaGui::pageTab(Page page) {
  if (!frame || page == Page::None) return;
  const auto show = [this](Page which, bool open) {
    switch (which) {
      case Page::Presets:
        setPresetsPage(open);
        break;
      case Page::Microtuning:
        setMicrotuningPage(open);
        break;
      case Page::Modulation:
        setModulationPage(open);
        break;
      case Page::Effects:
        setEffectsPage(open);
        break;
      default:
        break;
    }
  };
  if (isPageOpen(page)) {
    show(page, false);
    pagePanel_ = false;
    renderBackground(colour_);
  } else {
    if (page == Page::Presets && presetBrowser_) presetBrowser_->rescanPending = true;
    show(page, true);
    for (Page other : {Page::Presets, Page::Microtuning, Page::Modulation, Page::Effects})
      if (other != page) show(other, false);
  }
  frame->invalid();
}
