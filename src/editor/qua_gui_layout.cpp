// The editor's views, created in drawing order (later views draw over
// earlier ones): the four pages under the tab row, the note-offset display,
// sliders and keyboard, the three section screens each followed by their
// controls, the body and colour dials, and the top bar.
#include <cstdint>
#include <initializer_list>
#include <type_traits>

#include "editor/dial.h"
#include "editor/display.h"
#include "editor/lcd_dial.h"
#include "editor/lcd_display.h"
#include "editor/lcd_presets.h"
#include "editor/lcd_slider.h"
#include "editor/midi_signal.h"
#include "editor/mt_display.h"
#include "editor/mt_pulldown.h"
#include "editor/pianoroll.h"
#include "editor/prog_number.h"
#include "editor/qua_gui.h"
#include "editor/scrubber.h"
#include "editor/slider.h"
#include "editor/switcher.h"
#include "editor/trigger.h"
#include "gui/cfont_desc.h"
#include "gui/cframe.h"
#include "gui/ctext_edit.h"

using gui::CRect;
using namespace editor;

namespace {

constexpr bool kHidden = true;

// One dial, switch or scrubber of the main panel.
struct PanelControl {
  enum Kind { kDial, kSwitcher, kScrubber, kColourDial } kind;
  int tag;
  CRect rect;
  int section, readout;
  float wheel;  // wheel increment of dials; steps of switchers
};

// Float bits of the two wheel increments that are not round numbers.
float floatFromBits(uint32_t bits) {
  float value;
  static_assert(sizeof value == sizeof bits, "32-bit float");
  __builtin_memcpy(&value, &bits, sizeof value);
  return value;
}

const float kFrequencyWheel = floatFromBits(0x389DE676);  // about 7.5293e-5
const float kBodyTuneWheel = floatFromBits(0x3A5EBDB8);   // about 8.4969e-4

const PanelControl kSpringA[] = {
    {PanelControl::kDial, 9, {25, 67, 77, 119}, 1, 0, 0.005f},
    {PanelControl::kDial, 6, {90, 95, 120, 125}, 1, 7, 0.0005f},
    {PanelControl::kDial, 0, {130, 95, 160, 125}, 1, 2, 0.001f},
    {PanelControl::kDial, 7, {170, 95, 200, 125}, 1, 4, 0.001f},
    {PanelControl::kDial, 8, {210, 95, 240, 125}, 1, 5, 0.001f},
    {PanelControl::kDial, 11, {260, 95, 285, 120}, 1, 6, 0.001f},
    {PanelControl::kDial, 12, {375, 95, 400, 120}, 1, 8, 0.001f},
};

const PanelControl kSpringB[] = {
    {PanelControl::kDial, 13, {25, 149, 77, 201}, 2, 0, 0.001f},
    {PanelControl::kDial, 14, {92, 179, 117, 204}, 2, 2, kFrequencyWheel},
    {PanelControl::kDial, 15, {122, 179, 147, 204}, 2, 3, kFrequencyWheel},
    {PanelControl::kDial, 20, {170, 177, 200, 207}, 2, 4, 0.001f},
    {PanelControl::kDial, 22, {210, 177, 240, 207}, 2, 5, 0.001f},
    {PanelControl::kDial, 17, {260, 177, 285, 202}, 2, 6, 0.001f},
    {PanelControl::kDial, 18, {290, 177, 315, 202}, 2, 7, 0.001f},
    {PanelControl::kSwitcher, 19, {330, 183, 367, 195}, 2, 8, 1},
    {PanelControl::kDial, 23, {375, 177, 400, 202}, 2, 10, 0.001f},
};

const PanelControl kGlobalBodyAndColour[] = {
    {PanelControl::kDial, 1, {30, 220, 70, 260}, 4, 6, 0.005f},
    {PanelControl::kDial, 40, {92, 261, 117, 286}, 4, 0, 0.001f},
    {PanelControl::kDial, 41, {122, 261, 147, 286}, 4, 1, 0.001f},
    {PanelControl::kDial, 42, {170, 259, 200, 289}, 4, 2, 0.001f},
    {PanelControl::kDial, 43, {210, 259, 240, 289}, 4, 9, 0.001f},
    {PanelControl::kDial, 39, {260, 259, 285, 284}, 4, 5, 0.0025f},
    {PanelControl::kScrubber, 44, {6, 389, 32, 424}, 4, 3, 0},
    {PanelControl::kDial, 45, {6, 439, 33, 466}, 4, 4, 0.001f},
    {PanelControl::kDial, 46, {345, 259, 370, 284}, 4, 7, 0.001f},
    {PanelControl::kDial, 47, {375, 259, 400, 284}, 4, 8, 0.001f},
    {PanelControl::kDial, 24, {486, 253, 536, 303}, 3, 1, 0.001f},
    {PanelControl::kDial, 25, {555, 276, 585, 306}, 3, 2, kBodyTuneWheel},
    {PanelControl::kDial, 26, {590, 276, 620, 306}, 3, 3, 0.001f},
    {PanelControl::kDial, 27, {625, 276, 655, 306}, 3, 4, 0.001f},
    {PanelControl::kDial, 28, {660, 276, 690, 306}, 3, 5, 0.001f},
    {PanelControl::kDial, 29, {715, 253, 765, 303}, 3, 6, 0.001f},
    {PanelControl::kDial, 30, {568, 208, 591, 231}, 3, 14, 0.0078125f},
    {PanelControl::kDial, 31, {598, 208, 621, 231}, 3, 15, 0.0078125f},
    {PanelControl::kDial, 32, {785, 234, 815, 264}, 3, 7, kFrequencyWheel},
    {PanelControl::kDial, 33, {820, 234, 850, 264}, 3, 8, 0.001f},
    {PanelControl::kDial, 34, {855, 234, 885, 264}, 3, 9, 0.001f},
    {PanelControl::kDial, 35, {905, 253, 955, 303}, 3, 10, 0.001f},
    {PanelControl::kDial, 38, {914, 216, 944, 246}, 3, 11, 0.001f},
    {PanelControl::kDial, 37, {865, 276, 895, 306}, 3, 12, 0.001f},
    {PanelControl::kSwitcher, 36, {811, 284, 858, 296}, 3, 13, 2},
    {PanelControl::kColourDial, 48, {985, 60, 1005, 80}, 0, 0, 0.01f},
    {PanelControl::kColourDial, 49, {985, 90, 1005, 110}, 0, 0, 0.01f},
    {PanelControl::kColourDial, 50, {985, 120, 1005, 140}, 0, 0, 0.01f},
};

struct PageDial {
  int tag;
  const char* label;
  CRect rect;
};

const PageDial kLfoDials[] = {
    {101, "LFO RATE", {488, 100, 678, 140}},
    {102, "SA BALANCE", {718, 100, 908, 140}},
    {103, "SA VIBRATO", {718, 145, 908, 185}},
};
const PageDial kEnvDials[] = {
    {106, "ENV DECAY ", {488, 100, 678, 140}},
    {108, "SA BALANCE", {718, 100, 908, 140}},
    {109, "SA PITCH ", {718, 145, 908, 185}},
};
const PageDial kDelayDials[] = {
    {93, "LEFT RATE", {488, 100, 678, 140}},
    {94, "RIGHT RATE", {488, 145, 678, 185}},
    {96, " FEEDBACK", {718, 100, 908, 140}},
    {97, "  WET", {718, 145, 908, 185}},
};
const PageDial kSandDials[] = {
    {87, "SAND NUM ", {488, 100, 678, 140}},
    {91, "SAND FRQ ", {718, 100, 908, 140}},
    {92, "SAND RES ", {718, 145, 908, 185}},
};

bool isBlackPitchClass(int i) { return i == 1 || i == 3 || i == 6 || i == 8 || i == 10; }

}  // namespace

template <typename View>
View* QuaGui::add(View* view, int entry, bool hidden) {
  if (hidden) view->setVisible(false);
  frame->addView(view);
  if constexpr (std::is_base_of_v<gui::CControl, View>) {
    if (entry >= 0 && entry < kControlTableSize) controls_[entry] = view;
  }
  return view;
}

void QuaGui::createViews() {
  createPageViews();
  createMainViews();
}

void QuaGui::createPageViews() {
  add(new Trigger(CRect(476, 44, 574, 71), this, kTagPresetsTab, Trigger::kPresetsTab),
      kTagPresetsTab);
  presetBrowser_ = add(new LCD_presets(CRect(480, 74, 946, 200), this, kTagPresetBrowser),
                       kTagPresetBrowser, kHidden);

  add(new Trigger(CRect(575, 44, 717, 71), this, kTagMicrotuningTab, Trigger::kMicrotuningTab),
      kTagMicrotuningTab);
  add(new Trigger(CRect(485, 74, 645, 94), this, kTagNotesSelector, Trigger::kNotesSelector),
      kTagNotesSelector, kHidden);
  add(new Trigger(CRect(485, 113, 504, 132), this, kTagShiftUp, Trigger::kShiftUp), kTagShiftUp,
      kHidden);
  add(new Trigger(CRect(485, 136, 504, 155), this, kTagShiftDown, Trigger::kShiftDown),
      kTagShiftDown, kHidden);
  microtuningDisplay_ = add(new mt_Display(CRect(637, 178, 837, 194)), -1, kHidden);
  struct SliderRow {
    int firstTag;
    double top, bottom;
    bool inverted;
  };
  for (const SliderRow& row : {SliderRow{51, 98, 172, false}, SliderRow{63, 98, 134, false},
                               SliderRow{75, 136, 172, true}}) {
    for (int i = 0; i < 12; ++i) {
      const double left = 505 + 35 * i;
      auto* slider = new LCDSlider(CRect(left, row.top, left + 31, row.bottom), this,
                                   row.firstTag + i, isBlackPitchClass(i));
      slider->setInverted(row.inverted);
      add(slider, row.firstTag + i, kHidden);
    }
  }
  templatesPulldown_ =
      add(new mt_Pulldown(CRect(837, 74, 937, 94), this, kTagTemplates), kTagTemplates, kHidden);

  const auto addPageDials = [this](const PageDial* dials, int count) {
    for (int i = 0; i < count; ++i) {
      auto* dial = new LCDDial(dials[i].rect, this, dials[i].tag);
      dial->setLabel(dials[i].label);
      add(dial, dials[i].tag, kHidden);
    }
  };
  add(new Trigger(CRect(718, 44, 848, 71), this, kTagModulationTab, Trigger::kModulationTab),
      kTagModulationTab);
  add(new Trigger(CRect(485, 74, 645, 94), this, kTagModulationSelector,
                  Trigger::kModulationSelector),
      kTagModulationSelector, kHidden);
  addPageDials(kLfoDials, 3);
  add(new Trigger(CRect(617, 133, 667, 153), this, 100, Trigger::kLfoSyncToggle), 100, kHidden);
  addPageDials(kEnvDials, 3);

  add(new Trigger(CRect(849, 44, 952, 71), this, kTagEffectsTab, Trigger::kEffectsTab),
      kTagEffectsTab);
  add(new Trigger(CRect(485, 74, 645, 94), this, kTagEffectsSelector, Trigger::kEffectsSelector),
      kTagEffectsSelector, kHidden);
  addPageDials(kDelayDials, 4);
  add(new Trigger(CRect(617, 133, 667, 153), this, 95, Trigger::kEchoSyncToggle), 95, kHidden);
  addPageDials(kSandDials, 3);
}

void QuaGui::createMainViews() {
  const auto addPanelControls = [this](const PanelControl* rows, int count) {
    for (int i = 0; i < count; ++i) {
      const PanelControl& c = rows[i];
      switch (c.kind) {
        case PanelControl::kDial:
        case PanelControl::kColourDial: {
          auto* dial = new Dial(c.rect, this, c.tag, c.section, c.readout, c.wheel);
          dial->setCommitOnRelease(c.kind == PanelControl::kColourDial);
          add(dial, c.tag);
          break;
        }
        case PanelControl::kSwitcher:
          add(new Switcher(c.rect, this, c.tag, c.section, c.readout, static_cast<int>(c.wheel)),
              c.tag);
          break;
        case PanelControl::kScrubber:
          add(new Scrubber(c.rect, this), c.tag);
          break;
      }
    }
  };

  noteOffsetDisplay_ = add(new Display(CRect(43, 319, 984, 445)));
  sectionDisplays_[2] = add(new LCD_Display(CRect(541, 235, 710, 268)));
  add(new Slider(CRect(50, 340, 990, 350), this, 10, 1), 10);
  add(new Slider(CRect(50, 325, 990, 337), this, 16, 2), 16);
  keyboard_ = add(new Pianoroll(CRect(42, 360, 1002, 479), this));

  sectionDisplays_[0] = add(new LCD_Display(CRect(83, 57, 252, 90)));
  addPanelControls(kSpringA, sizeof kSpringA / sizeof kSpringA[0]);
  sectionDisplays_[1] = add(new LCD_Display(CRect(83, 139, 252, 172)));
  addPanelControls(kSpringB, sizeof kSpringB / sizeof kSpringB[0]);
  add(new Trigger(CRect(200, 187, 210, 195), this, 21, Trigger::kLinkToggle), 21);
  sectionDisplays_[3] = add(new LCD_Display(CRect(83, 221, 252, 254)));
  addPanelControls(kGlobalBodyAndColour,
                   sizeof kGlobalBodyAndColour / sizeof kGlobalBodyAndColour[0]);

  // The web-address button shares the panic tag but opens the page itself.
  add(new Trigger(CRect(345, 11, 469, 26), this, kTagPanic, Trigger::kWebAddress),
      kTagWebAddressEntry);
  add(new Trigger(CRect(525, 11, 580, 26), this, kTagPanic, Trigger::kPanic), kTagPanic);
  add(new Trigger(CRect(860, 11, 872, 30), this, kTagNextProgram, Trigger::kNextProgram),
      kTagNextProgram);
  add(new Trigger(CRect(605, 11, 617, 30), this, kTagPreviousProgram, Trigger::kPreviousProgram),
      kTagPreviousProgram);
  add(new Trigger(CRect(900, 14, 919, 26), this, kTagLoadMenu, Trigger::kLoadMenu), kTagLoadMenu);
  add(new Trigger(CRect(930, 14, 949, 26), this, kTagSaveMenu, Trigger::kSaveMenu), kTagSaveMenu);

  char name[32] = {};
  plugin->getProgramName(name);
  programNameField_ = add(new gui::CTextEdit(CRect(650, 11, 850, 30), this, kTagProgramName, name),
                          kTagProgramName);
  programNameField_->setFont(gui::CFontDesc("Times New Roman", 18));
  programNameField_->setFontColor(gui::CColor(250, 210, 100, 108));
  programNameField_->setBackColor(gui::CColor(60, 47, 20, 0));
  programNameField_->setFrameColor(gui::CColor(150, 110, 50, 0));

  programNumber_ = add(new ProgNumber(CRect(630, 11, 650, 30)));
  programNumber_->number = static_cast<uint8_t>(plugin->getProgram());
  midiSignal_ = add(new MidiSignal(CRect(1000, 21, 1006, 27)));
}
