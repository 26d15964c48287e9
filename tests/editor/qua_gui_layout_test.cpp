// The editor's frame: its reported size, every view in creation order with
// its tag, class, rectangle and hidden flag, and the control table.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "editor/dial.h"
#include "editor/display.h"
#include "editor/editor_fixture.h"
#include "editor/lcd_dial.h"
#include "editor/lcd_display.h"
#include "editor/lcd_presets.h"
#include "editor/lcd_slider.h"
#include "editor/midi_signal.h"
#include "editor/mt_display.h"
#include "editor/mt_pulldown.h"
#include "editor/pianoroll.h"
#include "editor/prog_number.h"
#include "editor/scrubber.h"
#include "editor/slider.h"
#include "editor/switcher.h"
#include "editor/trigger.h"
#include "gui/ctext_edit.h"

namespace {

using editor_test::OpenEditor;
using gui::CRect;

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// The tag of every view in creation order; -1 for views without one.
std::vector<int> expectedTags() {
  std::vector<int> tags = {119, 120, 121, 122, 123, 124, -1};
  for (int tag = 51; tag <= 86; ++tag) tags.push_back(tag);
  for (int tag :
       {125, 126, 127, 101, 102, 103, 100, 106, 108, 109, 128, 129, 93, 94, 96, 97, 95, 87, 91, 92})
    tags.push_back(tag);
  for (int tag :
       {-1, -1, 10, 16, 130, -1, 9,  6,  0,  7,  8,  11,  12,  -1,  13,  14,  15,  20,  22, 17, 18,
        19, 23, 21, -1, 1,   40, 41, 42, 43, 39, 44, 45,  46,  47,  24,  25,  26,  27,  28, 29, 30,
        31, 32, 33, 34, 35,  38, 37, 36, 48, 49, 50, 114, 114, 116, 115, 118, 117, 112, -1, -1})
    tags.push_back(tag);
  return tags;
}

int tagOf(gui::CView* view) {
  auto* control = dynamic_cast<gui::CControl*>(view);
  return control ? control->getTag() : -1;
}

TEST(EditorFrame, ReportsTheTallRectangleUntilTheFirstOpen) {
  testing_support::PluginHarness harness;
  QuaGui* editor = harness.plugin().gui();
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(harness.plugin().getAeffect()->flags & effFlagsHasEditor);
  ERect* rect = nullptr;
  ASSERT_TRUE(editor->getRect(&rect));
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->right, 1024);
  EXPECT_EQ(rect->bottom, 640);
  EXPECT_FALSE(editor->isOpen());

  ASSERT_TRUE(editor->open(nullptr));
  ASSERT_TRUE(editor->getRect(&rect));
  EXPECT_EQ(rect->right, 1024);
  EXPECT_EQ(rect->bottom, 480);
  EXPECT_TRUE(editor->isOpen());
  EXPECT_EQ(editor->getFrame()->getViewSize(), CRect(0, 0, 1024, 480));
  EXPECT_EQ(gui::AEffGUIEditor::getKnobMode(), 2);

  editor->close();
  EXPECT_FALSE(editor->isOpen());
  EXPECT_EQ(editor->getFrame(), nullptr);
  EXPECT_EQ(editor->control(9), nullptr);
  ASSERT_TRUE(editor->getRect(&rect));
  EXPECT_EQ(rect->bottom, 480);
}

TEST(EditorFrame, CreatesEveryViewInDrawingOrder) {
  OpenEditor e;
  gui::CFrame* frame = e.frame();
  const std::vector<int> tags = expectedTags();
  ASSERT_EQ(frame->getNbViews(), static_cast<int32_t>(tags.size()));
  ASSERT_EQ(tags.size(), 125u);
  for (int i = 0; i < frame->getNbViews(); ++i)
    EXPECT_EQ(tagOf(frame->getView(i)), tags[i]) << "view " << i;

  // Page views are hidden until their page opens; everything else shows.
  for (int i = 0; i < frame->getNbViews(); ++i) {
    const bool onPage = (i >= 1 && i <= 62) && tags[i] != 121 && tags[i] != 126 && tags[i] != 128;
    EXPECT_EQ(frame->getView(i)->isVisible(), !onPage) << "view " << i << " tag " << tags[i];
  }

  // A representative view of each class, with its rectangle.
  EXPECT_NE(dynamic_cast<LCD_presets*>(frame->getView(1)), nullptr);
  EXPECT_EQ(frame->getView(1)->getViewSize(), CRect(480, 74, 946, 200));
  EXPECT_NE(dynamic_cast<mt_Display*>(frame->getView(6)), nullptr);
  EXPECT_EQ(frame->getView(6)->getViewSize(), CRect(637, 178, 837, 194));
  EXPECT_NE(dynamic_cast<Display*>(frame->getView(63)), nullptr);
  EXPECT_EQ(frame->getView(63)->getViewSize(), CRect(43, 319, 984, 445));
  EXPECT_EQ(frame->getView(64)->getViewSize(), CRect(541, 235, 710, 268));
  EXPECT_EQ(frame->getView(68)->getViewSize(), CRect(83, 57, 252, 90));
  EXPECT_EQ(frame->getView(76)->getViewSize(), CRect(83, 139, 252, 172));
  EXPECT_EQ(frame->getView(87)->getViewSize(), CRect(83, 221, 252, 254));
  EXPECT_NE(dynamic_cast<Pianoroll*>(frame->getView(67)), nullptr);
  EXPECT_EQ(frame->getView(67)->getViewSize(), CRect(42, 360, 1002, 479));
  EXPECT_NE(dynamic_cast<ProgNumber*>(frame->getView(123)), nullptr);
  EXPECT_EQ(frame->getView(123)->getViewSize(), CRect(630, 11, 650, 30));
  EXPECT_NE(dynamic_cast<MidiSignal*>(frame->getView(124)), nullptr);
  EXPECT_EQ(frame->getView(124)->getViewSize(), CRect(1000, 21, 1006, 27));
  for (int section = 1; section <= 4; ++section)
    ASSERT_NE(e.gui().sectionDisplay(section), nullptr);
  EXPECT_EQ(e.gui().sectionDisplay(3), frame->getView(64));

  EXPECT_EQ(e.control(10)->getViewSize(), CRect(50, 340, 990, 350));
  EXPECT_EQ(e.view<Slider>(16)->getSection(), 2);
  EXPECT_EQ(e.control(44)->getViewSize(), CRect(6, 389, 32, 424));
  EXPECT_NE(e.view<Scrubber>(44), nullptr);
  EXPECT_EQ(e.view<Switcher>(19)->getSteps(), 1);
  EXPECT_EQ(e.view<Switcher>(36)->getSteps(), 2);
  EXPECT_EQ(e.view<Switcher>(36)->getReadoutIndex(), 13);
  EXPECT_EQ(e.control(24)->getViewSize(), CRect(486, 253, 536, 303));
  EXPECT_EQ(e.view<Dial>(45)->getViewSize(), CRect(6, 439, 33, 466));
  EXPECT_EQ(e.view<Dial>(6)->getSection(), 1);
  EXPECT_EQ(e.view<Dial>(6)->getReadoutIndex(), 7);
  EXPECT_EQ(e.view<Dial>(31)->getReadoutIndex(), 15);
}

TEST(EditorFrame, ControlTableHoldsEveryControlAtItsTag) {
  OpenEditor e;
  const std::set<int> withoutControl = {2, 3, 4, 5, 88, 89, 90, 98, 99, 104, 105, 107, 110, 111};
  int filled = 0;
  for (int entry = 0; entry < 130; ++entry) {
    gui::CControl* c = e.control(entry);
    if (withoutControl.count(entry)) {
      EXPECT_EQ(c, nullptr) << entry;
      continue;
    }
    ASSERT_NE(c, nullptr) << entry;
    ++filled;
    EXPECT_TRUE(e.frame()->isChild(c));
    EXPECT_EQ(c->getTag(), entry == 113 ? 114 : entry);
  }
  EXPECT_EQ(filled, 116);
  EXPECT_EQ(e.control(130), nullptr);

  // The web-address button sits in entry 113 with the panic tag.
  auto* web = e.view<Trigger>(113);
  ASSERT_NE(web, nullptr);
  EXPECT_EQ(web->getKind(), Trigger::kWebAddress);
  EXPECT_EQ(web->getViewSize(), CRect(345, 11, 469, 26));
  EXPECT_EQ(e.view<Trigger>(114)->getKind(), Trigger::kPanic);
  EXPECT_EQ(e.view<Trigger>(114)->getViewSize(), CRect(525, 11, 580, 26));
  EXPECT_EQ(e.view<Trigger>(116)->getKind(), Trigger::kNextProgram);
  EXPECT_EQ(e.view<Trigger>(115)->getKind(), Trigger::kPreviousProgram);
  EXPECT_EQ(e.view<Trigger>(118)->getKind(), Trigger::kLoadMenu);
  EXPECT_EQ(e.view<Trigger>(117)->getKind(), Trigger::kSaveMenu);
  EXPECT_EQ(e.view<Trigger>(118)->getMenuRect(), CRect(805, 38, 985, 82));
  EXPECT_EQ(e.view<Trigger>(21)->getKind(), Trigger::kLinkToggle);
  EXPECT_EQ(e.view<Trigger>(95)->getKind(), Trigger::kEchoSyncToggle);
  EXPECT_EQ(e.view<Trigger>(100)->getKind(), Trigger::kLfoSyncToggle);
  EXPECT_EQ(e.view<Trigger>(127)->getKind(), Trigger::kModulationSelector);
  EXPECT_EQ(e.view<Trigger>(129)->getKind(), Trigger::kEffectsSelector);
  EXPECT_EQ(e.view<Trigger>(122)->getKind(), Trigger::kNotesSelector);
  EXPECT_EQ(e.view<Trigger>(124)->getViewSize(), CRect(485, 136, 504, 155));
}

TEST(EditorFrame, DialsCarryTheirWheelIncrementsAndColourDialsCommitOnRelease) {
  OpenEditor e;
  EXPECT_EQ(bitsOf(e.control(14)->getWheelInc()), 0x389DE676u);
  EXPECT_EQ(bitsOf(e.control(15)->getWheelInc()), 0x389DE676u);
  EXPECT_EQ(bitsOf(e.control(32)->getWheelInc()), 0x389DE676u);
  EXPECT_EQ(bitsOf(e.control(25)->getWheelInc()), 0x3A5EBDB8u);
  EXPECT_FLOAT_EQ(e.control(9)->getWheelInc(), 0.005f);
  EXPECT_FLOAT_EQ(e.control(6)->getWheelInc(), 0.0005f);
  EXPECT_FLOAT_EQ(e.control(39)->getWheelInc(), 0.0025f);
  EXPECT_EQ(e.control(30)->getWheelInc(), 1.0f / 128);
  for (int tag = 0; tag <= 50; ++tag) {
    auto* dial = e.view<Dial>(tag);
    if (!dial) continue;
    EXPECT_EQ(dial->isCommitOnRelease(), tag >= 48) << tag;
    if (tag >= 48) {
      EXPECT_FLOAT_EQ(dial->getWheelInc(), 0.01f);
    }
  }
  EXPECT_FLOAT_EQ(e.control(102)->getWheelInc(), 0.001f);
}

TEST(EditorFrame, PageViewsHaveTheirPlacesLabelsAndKeyColours) {
  OpenEditor e;
  for (int i = 0; i < 12; ++i) {
    const bool black = i == 1 || i == 3 || i == 6 || i == 8 || i == 10;
    auto* note = e.view<LCDSlider>(51 + i);
    auto* up = e.view<LCDSlider>(63 + i);
    auto* down = e.view<LCDSlider>(75 + i);
    ASSERT_TRUE(note && up && down);
    const double left = 505 + 35 * i;
    EXPECT_EQ(note->getViewSize(), CRect(left, 98, left + 31, 172));
    EXPECT_EQ(up->getViewSize(), CRect(left, 98, left + 31, 134));
    EXPECT_EQ(down->getViewSize(), CRect(left, 136, left + 31, 172));
    EXPECT_EQ(note->isBlackKey(), black) << i;
    EXPECT_EQ(down->isBlackKey(), black) << i;
    EXPECT_FALSE(note->isInverted());
    EXPECT_FALSE(up->isInverted());
    EXPECT_TRUE(down->isInverted());
  }
  EXPECT_STREQ(e.view<LCDDial>(101)->getLabel(), "LFO RATE");
  EXPECT_EQ(e.view<LCDDial>(101)->getLabelOffset(), 2);
  EXPECT_STREQ(e.view<LCDDial>(97)->getLabel(), "  WET");
  EXPECT_EQ(e.view<LCDDial>(97)->getLabelOffset(), 5);
  EXPECT_STREQ(e.view<LCDDial>(106)->getLabel(), "ENV DECAY ");
  EXPECT_EQ(e.view<LCDDial>(109)->getViewSize(), CRect(718, 145, 908, 185));
  EXPECT_EQ(e.view<LCDDial>(94)->getKnobCentre(), gui::CPoint(488 + 20 + 90, 165));
  EXPECT_EQ(e.control(125)->getViewSize(), CRect(837, 74, 937, 94));
}

TEST(EditorFrame, ProgramNameFieldAndNumberShowTheCurrentProgram) {
  OpenEditor e;
  gui::CTextEdit* field = e.gui().programNameField();
  ASSERT_EQ(field, e.control(112));
  EXPECT_STREQ(field->getText(), "Init");
  EXPECT_EQ(field->getFont().getName(), "Times New Roman");
  EXPECT_EQ(field->getFont().getSize(), 18);
  EXPECT_EQ(field->getFontColor(), gui::CColor(250, 210, 100, 108));
  EXPECT_EQ(field->getBackColor(), gui::CColor(60, 47, 20, 0));
  EXPECT_EQ(field->getFrameColor(), gui::CColor(150, 110, 50, 0));
  EXPECT_FALSE(field->wantsFocus());
  EXPECT_FALSE(e.frame()->wantsFocus());
  EXPECT_EQ(e.gui().programNumber()->number, 0);

  char name[] = "Bright";
  e.plugin().setProgramName(name);
  EXPECT_STREQ(field->getText(), "Bright");
  // A program change by the host shows the new number too.
  e.plugin().setProgram(12);
  EXPECT_EQ(e.gui().programNumber()->number, 12);
  EXPECT_STREQ(field->getText(), "-");
  EXPECT_STREQ(e.gui().programFolder(), e.plugin().getDirectory(true).c_str());
  EXPECT_STREQ(e.gui().templateFolder(), e.plugin().getDirectory(true).c_str());
}

TEST(EditorFrame, OpeningAgainWithoutCloseBuildsOneFreshFrame) {
  OpenEditor e;
  gui::CFrame* first = e.frame();
  first->remember();
  ASSERT_TRUE(e.gui().open(nullptr));
  EXPECT_NE(e.frame(), first);
  EXPECT_EQ(first->getNbReference(), 1);  // the editor let go of the old frame
  first->forget();
  EXPECT_EQ(e.frame()->getNbViews(), 125);
  EXPECT_TRUE(e.gui().isOpen());
}

}  // namespace
