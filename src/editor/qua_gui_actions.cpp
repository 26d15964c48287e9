// What the editor does when a control reports: parameter controls write
// their parameter with host automation; command controls switch pages,
// step through programs, commit the program name, sound the panic reset,
// run the file menus and the microtuning page's template commands.
#include <cstdio>
#include <cstring>
#include <string>

#include "editor/lcd_presets.h"
#include "editor/qua_gui.h"
#include "gui/ccontrol.h"
#include "gui/ctext_edit.h"
#include "params/parameter_ids.h"
#include "presets/tuning_templates.h"

using namespace editor;

namespace {

constexpr int kProgramCount = params::kNumPrograms;
constexpr int kProgramNameLength = params::kNameLength;
constexpr gui::CRect kNameFieldHome(650, 11, 850, 30);
constexpr double kBankListEdge = 600;

}  // namespace

void QuaGui::valueChanged(gui::CControl* control) {
  if (!control) return;
  const int tag = control->getTag();
  if (tag >= 0 && tag < kParameterCount) {
    plugin->setParameterAutomated(tag, control->getValue());
    return;
  }
  switch (tag) {
    case kTagProgramName:
      nameCommit();
      break;
    case kTagPanic:
      plugin->clearVoices();
      nameCommit();
      break;
    case kTagPreviousProgram:
      stepProgram(-1);
      break;
    case kTagNextProgram:
      stepProgram(+1);
      break;
    case kTagPresetsTab:
      pageTab(Page::Presets);
      break;
    case kTagMicrotuningTab:
      pageTab(Page::Microtuning);
      break;
    case kTagModulationTab:
      pageTab(Page::Modulation);
      break;
    case kTagEffectsTab:
      pageTab(Page::Effects);
      break;
    // A selector lays its page out again for its new choice.
    case kTagNotesSelector:
      setMicrotuningPage(true);
      break;
    case kTagModulationSelector:
      setModulationPage(true);
      break;
    case kTagEffectsSelector:
      setEffectsPage(true);
      break;
    case kTagSaveMenu:
      saveMenu(static_cast<int>(control->getValue()));
      break;
    case kTagLoadMenu:
      loadMenu(static_cast<int>(control->getValue()));
      break;
    case kTagShiftUp:
      presets::shiftUp(*effect, pitchBendTemplates() ? presets::TemplateMode::PitchBend
                                                     : presets::TemplateMode::Notes);
      break;
    case kTagShiftDown:
      presets::shiftDown(*effect, pitchBendTemplates() ? presets::TemplateMode::PitchBend
                                                       : presets::TemplateMode::Notes);
      break;
    case kTagTemplates:
      templateCommand(static_cast<int>(control->getValue()));
      break;
    default:
      break;
  }
}

void QuaGui::nameCommit() {
  if (!programNameField_) return;
  if (programNameField_->getViewSize() == kNameFieldHome) {
    char name[kProgramNameLength + 1];
    std::snprintf(name, sizeof name, "%s", programNameField_->getText());
    plugin->setProgramName(name);
    if (presetBrowser_) presetBrowser_->programChanged();
  } else {
    // The field was lent to the browser for naming a new bank (it sits
    // over the bank list); then it goes back home.
    if (presetBrowser_ && programNameField_->getViewSize().left < kBankListEdge) {
      const std::string typed = programNameField_->getText();
      presetBrowser_->nameEditActive = false;
      presetBrowser_->commitBankName(typed.c_str());
    }
    char name[32] = {};
    plugin->getProgramName(name);
    programNameField_->setText(name);
    programNameField_->setViewSize(kNameFieldHome);
  }
  if (presetBrowser_) presetBrowser_->nameEditActive = false;
}

void QuaGui::stepProgram(int step) {
  int target = currentProgram() + step;
  if (target < 0) target = kProgramCount - 1;
  if (target >= kProgramCount) target = 0;
  // "-" marks an empty slot: the arrows stop at the end of the programs.
  char name[32] = {};
  if (!programName(target, name) || std::strcmp(name, "-") == 0) return;
  selectProgram(target);
  if (presetBrowser_) {
    presetBrowser_->programChanged();
    if (presetBrowser_->isVisible()) presetBrowser_->invalid();
    presetBrowser_->setModified(false);
  }
}
