// The tags the editor's views report with, and the size of its control
// table. Parameter controls carry their parameter index (0 to 110); command
// controls carry these ids.
#pragma once

#include "params/parameter_ids.h"

namespace editor {

constexpr int kControlTableSize = 130;
constexpr int kParameterCount = params::kNumParams;
static_assert(kParameterCount < 112, "parameter tags end below the first command tag");

enum CommandTag : int {
  kTagProgramName = 112,
  kTagWebAddressEntry = 113,  // table entry of the web-address button
  kTagPanic = 114,            // also the web-address button's tag
  kTagPreviousProgram = 115,
  kTagNextProgram = 116,
  kTagSaveMenu = 117,
  kTagLoadMenu = 118,
  kTagPresetsTab = 119,
  kTagPresetBrowser = 120,
  kTagMicrotuningTab = 121,
  kTagNotesSelector = 122,
  kTagShiftUp = 123,
  kTagShiftDown = 124,
  kTagTemplates = 125,
  kTagModulationTab = 126,
  kTagModulationSelector = 127,
  kTagEffectsTab = 128,
  kTagEffectsSelector = 129,
  kTagKeyboard = 130,
};

// The four pages under the tab row, in tab order.
enum class Page : int { None = 0, Presets = 1, Microtuning = 2, Modulation = 3, Effects = 4 };

}  // namespace editor
