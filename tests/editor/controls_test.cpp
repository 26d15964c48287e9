// The controls under the pointer, through the frame as the window drives
// them: dragging dials and switches, menus, toggles, the keyboard and the
// templates pull-down, and what reaches the plug-in and the host.
#include <gtest/gtest.h>

#include "editor/dial.h"
#include "editor/editor_fixture.h"
#include "editor/lcd_dial.h"
#include "editor/lcd_display.h"
#include "editor/mt_pulldown.h"
#include "editor/pianoroll.h"
#include "editor/prog_number.h"
#include "editor/trigger.h"
#include "gui/ctext_edit.h"

namespace {

using editor_test::OpenEditor;
using gui::kLButton;
using gui::kShift;

// Drag steps of a dial: positions relative to where the drag started.
struct Drag {
  OpenEditor& e;
  gui::CPoint start;
  Drag(OpenEditor& e, gui::CPoint start) : e(e), start(start) {
    e.move(start.x, start.y);
    e.frame()->dispatchMouseDown(start, kLButton);
  }
  void to(double dy, int modifiers = 0) { e.move(start.x, start.y + dy, kLButton | modifiers); }
  void release() { e.frame()->dispatchMouseUp(start, kLButton); }
};

TEST(EditorControls, DraggingADialUpRaisesItsParameterWithAutomation) {
  OpenEditor e;
  e.plugin().setParameter(7, 0.2f);
  const gui::CPoint centre = e.control(7)->getViewSize().getCenter();
  e.host().calls.clear();
  Drag drag(e, centre);
  EXPECT_TRUE(e.view<Dial>(7)->isHovered());
  EXPECT_EQ(e.gui().sectionDisplay(1)->getText(), std::string("decay:0.200"));
  drag.to(-100);
  EXPECT_FLOAT_EQ(e.control(7)->getValue(), 0.7f);
  EXPECT_FLOAT_EQ(e.plugin().getParameter(7), 0.7f);
  EXPECT_GT(e.host().count(audioMasterAutomate), 0);
  EXPECT_GT(e.host().count(audioMasterBeginEdit), 0);
  EXPECT_EQ(e.host().count(audioMasterBeginEdit), e.host().count(audioMasterEndEdit));
  drag.to(-400);  // past the end
  EXPECT_EQ(e.control(7)->getValue(), 1.0f);
  drag.release();
  EXPECT_FALSE(e.view<Dial>(7)->isDragging());
  EXPECT_TRUE(e.frame()->isCursorVisible());
}

TEST(EditorControls, ADialGrabbedOutsideItsCircleDoesNotMove) {
  OpenEditor e;
  e.plugin().setParameter(7, 0.2f);
  const gui::CRect r = e.control(7)->getViewSize();
  Drag drag(e, gui::CPoint(r.left + 1, r.top + 1));
  EXPECT_FALSE(e.view<Dial>(7)->isHovered());
  drag.to(-50);
  drag.release();
  EXPECT_FLOAT_EQ(e.plugin().getParameter(7), 0.2f);
}

TEST(EditorControls, ShiftDragsFinelyWithoutJumps) {
  OpenEditor e;
  e.plugin().setParameter(7, 0.2f);
  Drag drag(e, e.control(7)->getViewSize().getCenter());
  drag.to(-10);
  EXPECT_NEAR(e.control(7)->getValue(), 0.25f, 1e-6);
  drag.to(-20, kShift);  // the movement so far counts in full
  EXPECT_NEAR(e.control(7)->getValue(), 0.30f, 1e-6);
  drag.to(-30, kShift);  // then a tenth: 0.0005 per pixel
  EXPECT_NEAR(e.control(7)->getValue(), 0.305f, 1e-6);
  drag.to(-40);  // letting go of Shift changes nothing by itself
  EXPECT_NEAR(e.control(7)->getValue(), 0.305f, 1e-6);
  drag.to(-50);
  EXPECT_NEAR(e.control(7)->getValue(), 0.355f, 1e-6);
  drag.release();
}

// The dials on the page screens are grabbed at their knob, not their
// middle, and report every step of the drag.
TEST(EditorControls, APageDialDragsLikeThePanelKnobs) {
  OpenEditor e;
  const gui::CPoint tab = e.control(editor::kTagModulationTab)->getViewSize().getCenter();
  e.click(tab.x, tab.y);
  e.plugin().setParameter(103, 0.2f);
  e.host().calls.clear();
  Drag drag(e, e.view<LCDDial>(103)->getKnobCentre());
  EXPECT_TRUE(e.view<LCDDial>(103)->isHovered());
  drag.to(-10);
  drag.to(-20, kShift);
  drag.to(-30, kShift);
  drag.to(-40);
  EXPECT_NEAR(e.plugin().getParameter(103), 0.305f, 1e-6);
  EXPECT_EQ(e.host().count(audioMasterAutomate), 3);
  drag.release();
  EXPECT_TRUE(e.frame()->isCursorVisible());
}

TEST(EditorControls, AColourDialReportsOnceOnRelease) {
  OpenEditor e;
  e.plugin().setParameter(48, 0.5f);
  e.host().calls.clear();
  Drag drag(e, e.control(48)->getViewSize().getCenter());
  drag.to(-10);
  drag.to(-20);
  EXPECT_FLOAT_EQ(e.control(48)->getValue(), 0.6f);
  EXPECT_FLOAT_EQ(e.plugin().getParameter(48), 0.5f);
  EXPECT_EQ(e.host().count(audioMasterAutomate), 0);
  drag.release();
  EXPECT_FLOAT_EQ(e.plugin().getParameter(48), 0.6f);
  EXPECT_EQ(e.host().count(audioMasterAutomate), 1);
  EXPECT_EQ(e.gui().getGuiColour().red, static_cast<uint8_t>(255 * 0.6f));
}

TEST(EditorControls, ASwitchMovesOneStepPerStepWidthAndPerNotch) {
  OpenEditor e;
  e.plugin().setParameter(36, 0.0f);
  const gui::CRect r = e.control(36)->getViewSize();  // two steps, 47 wide
  const gui::CPoint start(r.left + 5, r.top + 5);
  e.move(start.x, start.y);
  e.frame()->dispatchMouseDown(start, kLButton);
  e.move(start.x + 23, start.y, kLButton);
  EXPECT_EQ(e.plugin().getParameter(36), 0.0f);
  e.move(start.x + 24, start.y, kLButton);
  EXPECT_EQ(e.plugin().getParameter(36), 0.5f);
  e.move(start.x + 48, start.y, kLButton);
  EXPECT_EQ(e.plugin().getParameter(36), 1.0f);
  e.frame()->dispatchMouseUp(start, kLButton);
  EXPECT_EQ(e.gui().sectionDisplay(3)->getText(), std::string("sync: Song"));
  e.frame()->dispatchWheel(start, -3.0f, 0);
  EXPECT_EQ(e.plugin().getParameter(36), 0.5f);
  e.frame()->dispatchWheel(start, 0.2f, 0);
  EXPECT_EQ(e.plugin().getParameter(36), 1.0f);
}

TEST(EditorControls, WheelOnADialStepsByItsIncrement) {
  OpenEditor e;
  e.plugin().setParameter(9, 0.5f);
  const gui::CPoint centre = e.control(9)->getViewSize().getCenter();
  e.frame()->dispatchWheel(centre, 2.0f, 0);
  EXPECT_NEAR(e.plugin().getParameter(9), 0.51f, 1e-6);
  e.frame()->dispatchWheel(centre, -2.0f, kShift);
  EXPECT_NEAR(e.plugin().getParameter(9), 0.5099f, 1e-6);
}

TEST(EditorControls, AMenuReleasedOutsideItsItemsReportsZero) {
  OpenEditor e;
  auto* load = e.view<Trigger>(editor::kTagLoadMenu);
  const gui::CPoint button = load->getViewSize().getCenter();
  e.frame()->dispatchMouseDown(button, kLButton);
  EXPECT_EQ(load->getKind(), Trigger::kLoadMenuOpen);
  e.frame()->dispatchMouseUp(button, kLButton);
  EXPECT_EQ(load->getKind(), Trigger::kLoadMenu) << "closed once the choice is reported";
  EXPECT_EQ(load->getValue(), 0.f);
  e.frame()->renderOffscreen();
  EXPECT_EQ(load->getKind(), Trigger::kLoadMenu) << "drawing changes nothing";

  e.frame()->dispatchMouseDown(button, kLButton);
  const gui::CRect menu = load->getMenuRect();
  e.move(menu.left + 20, menu.top + 30, kLButton);  // "LOAD BANK"
  EXPECT_EQ(load->getHoveredItem(), 2);
  e.frame()->renderOffscreen();  // draws the open menu over the panel
  e.frame()->dispatchMouseUp(gui::CPoint(menu.left + 20, menu.top + 30), kLButton);
  EXPECT_EQ(load->getValue(), 2.f);
}

TEST(EditorControls, TogglesAndArrowsActOnThePlugin) {
  OpenEditor e;
  const gui::CPoint link = e.control(21)->getViewSize().getCenter();
  e.click(link.x, link.y);
  EXPECT_EQ(e.plugin().getParameter(21), 1.0f);
  EXPECT_EQ(e.gui().sectionDisplay(2)->getText(), std::string("link: ON"));
  e.click(link.x, link.y);
  EXPECT_EQ(e.plugin().getParameter(21), 0.0f);

  // Programs 1 to 63 are empty slots: the arrows stay on program 0 ...
  const gui::CPoint next = e.control(editor::kTagNextProgram)->getViewSize().getCenter();
  const gui::CPoint previous = e.control(editor::kTagPreviousProgram)->getViewSize().getCenter();
  e.click(next.x, next.y);
  e.click(previous.x, previous.y);
  EXPECT_EQ(e.plugin().getProgram(), 0);
  // ... until program 1 has a name.
  e.plugin().setProgram(1);
  char name[] = "Second";
  e.plugin().setProgramName(name);
  e.plugin().setProgram(0);
  e.click(next.x, next.y);
  EXPECT_EQ(e.plugin().getProgram(), 1);
  EXPECT_EQ(e.gui().programNumber()->number, 1);
  EXPECT_STREQ(e.gui().programNameField()->getText(), "Second");
  char text[8];
  ProgNumber::format(7, text, sizeof text);
  EXPECT_STREQ(text, "07:");
  ProgNumber::format(12, text, sizeof text);
  EXPECT_STREQ(text, "12:");
}

TEST(EditorControls, TheKeyboardPlaysAndLatchesNotes) {
  OpenEditor e;
  engine::Engine& engine = e.plugin().engineState();
  Pianoroll* keyboard = e.gui().keyboard();
  EXPECT_EQ(keyboard->keyAt(gui::CPoint(50, 470)), 1);
  EXPECT_EQ(Pianoroll::velocityAt(gui::CPoint(50, 470)), 1.0f);
  EXPECT_TRUE(Pianoroll::isBlackKey(2));
  EXPECT_FALSE(Pianoroll::isBlackKey(3));
  EXPECT_EQ(keyboard->keyAt(gui::CPoint(70, 380)), 2);    // the first black key
  EXPECT_EQ(keyboard->keyAt(gui::CPoint(70, 460)), 1);    // below it, the white A
  EXPECT_EQ(keyboard->keyAt(gui::CPoint(980, 470)), 49);  // the highest key, an A
  EXPECT_EQ(keyboard->keyAt(gui::CPoint(995, 470)), 0);   // the bed beyond it

  e.frame()->dispatchMouseDown(gui::CPoint(50, 470), kLButton);
  EXPECT_TRUE(engine.keys[45].held);
  // Moving to the next key releases the first and plays the second.
  e.move(90, 470, kLButton);
  EXPECT_FALSE(engine.keys[45].held);
  EXPECT_TRUE(engine.keys[47].held);
  e.frame()->dispatchMouseUp(gui::CPoint(90, 470), kLButton);
  EXPECT_FALSE(engine.keys[47].held);

  // The right button latches until the next left click ends.
  e.frame()->dispatchMouseDown(gui::CPoint(50, 470), gui::kRButton);
  e.frame()->dispatchMouseUp(gui::CPoint(50, 470), gui::kRButton);
  EXPECT_TRUE(engine.keys[45].held);
  EXPECT_TRUE(keyboard->isLatched());
  e.frame()->dispatchMouseDown(gui::CPoint(130, 470), kLButton);
  EXPECT_FALSE(engine.keys[45].held);
  e.frame()->dispatchMouseUp(gui::CPoint(130, 470), kLButton);
  for (const auto& key : engine.keys) EXPECT_FALSE(key.held);
  e.frame()->renderOffscreen();
}

TEST(EditorControls, TheTemplatesPullDownReportsTheRowUnderThePointer) {
  OpenEditor e;
  e.gui().pageTab(editor::Page::Microtuning);
  mt_Pulldown* templates = e.gui().templatesPulldown();
  const gui::CRect closed = templates->getViewSize();
  const gui::CPoint title(closed.left + 10, closed.top + 8);
  e.frame()->dispatchMouseDown(title, kLButton);
  EXPECT_TRUE(templates->isOpen());
  EXPECT_DOUBLE_EQ(templates->getViewSize().getHeight(), 121.1);
  e.frame()->dispatchMouseUp(title, kLButton);  // no movement: the title row
  EXPECT_FALSE(templates->isOpen());
  EXPECT_EQ(templates->getViewSize(), closed);
  EXPECT_EQ(templates->getValue(), 0.f);

  e.frame()->dispatchMouseDown(title, kLButton);
  e.move(title.x, closed.top + 17 * 5 + 4, kLButton);
  EXPECT_EQ(templates->getItem(), 5);
  e.frame()->renderOffscreen();
  e.move(title.x, closed.top + 400, kLButton);  // far below the list
  EXPECT_EQ(templates->getItem(), 0);
  e.move(title.x, closed.top + 17 * 5 + 4, kLButton);
  e.frame()->dispatchMouseUp(title, kLButton);
  EXPECT_EQ(templates->getValue(), 5.f);
}

TEST(EditorControls, PanicRecommitsTheFieldsNameAndSilences) {
  OpenEditor e;
  e.gui().programNameField()->setText("Renamed");
  e.plugin().noteOn(60, 1.0f);
  const gui::CPoint panic = e.control(editor::kTagPanic)->getViewSize().getCenter();
  e.click(panic.x, panic.y);
  char name[32] = {};
  e.plugin().getProgramName(name);
  EXPECT_STREQ(name, "Renamed");
  EXPECT_FALSE(e.plugin().engineState().keys[60].held);
}

}  // namespace
