// The editor mirroring parameter changes: controls, section read-outs,
// page-dial texts, the needles, the colour, and changes arriving from
// other threads.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>

#include "editor/display.h"
#include "editor/editor_fixture.h"
#include "editor/lcd_dial.h"
#include "editor/lcd_display.h"
#include "editor/midi_signal.h"
#include "editor/mt_display.h"
#include "editor/panel_relief.h"
#include "gui/cbitmap.h"
#include "gui/ctext_edit.h"

namespace {

using editor_test::OpenEditor;

std::string text(OpenEditor& e, int section) { return e.gui().sectionDisplay(section)->getText(); }
std::string dialText(OpenEditor& e, int tag) { return e.view<LCDDial>(tag)->getValueText(); }

std::string format(const char* pattern, double value) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, pattern, value);
  return buffer;
}

TEST(EditorReadouts, AfterOpenControlsShowThePluginsValuesAndTheFourReadouts) {
  testing_support::PluginHarness harness;
  harness.setParameter(9, 0.3f);
  harness.setParameter(13, 0.45f);
  harness.setParameter(24, 0.7f);
  harness.setParameter(42, 0.9f);
  harness.setParameter(101, 0.25f);
  QuaGui* editor = harness.plugin().gui();
  ASSERT_TRUE(editor->open(nullptr));
  for (int i = 0; i < 111; ++i) {
    if (gui::CControl* c = editor->control(i)) {
      EXPECT_EQ(c->getValue(), harness.plugin().getParameter(i)) << i;
    }
  }
  EXPECT_STREQ(editor->sectionDisplay(1)->getText(), format("volume:%.3f", 2 * 0.3f).c_str());
  EXPECT_STREQ(editor->sectionDisplay(2)->getText(), format("volume:%.3f", 2 * 0.45f).c_str());
  EXPECT_STREQ(editor->sectionDisplay(3)->getText(), format("volume:%.3f", 0.7f).c_str());
  EXPECT_STREQ(editor->sectionDisplay(4)->getText(), format("stereo:%.3f", 2 * 0.9f - 1).c_str());
  auto* lfoRate = dynamic_cast<LCDDial*>(editor->control(101));
  EXPECT_STREQ(lfoRate->getValueText(), "0.250");
  editor->close();
}

TEST(EditorReadouts, NoteOffsetsPrintSemitonesAndMoveTheNeedles) {
  OpenEditor e;
  e.plugin().setParameter(10, 0.25f);
  EXPECT_EQ(text(e, 1), "note offset:0.0");
  EXPECT_DOUBLE_EQ(e.gui().noteOffsetDisplay()->needleA, 284.25);
  e.plugin().setParameter(10, 0.0f);
  EXPECT_EQ(text(e, 1), "note offset:-12.0");
  EXPECT_DOUBLE_EQ(e.gui().noteOffsetDisplay()->needleA, 55);
  e.plugin().setParameter(10, 1.0f);
  EXPECT_EQ(text(e, 1), "note offset:36.0");
  e.plugin().setParameter(16, 0.5f);
  EXPECT_EQ(text(e, 2), "note offset:12.0");
  EXPECT_DOUBLE_EQ(e.gui().noteOffsetDisplay()->needleB, 917 * 0.5 + 55);
}

TEST(EditorReadouts, NoiseModeSwitchesTheSpringBTextsAtTheirNextChange) {
  OpenEditor e;
  const float a = e.plugin().getConcertA();
  e.plugin().setParameter(14, 0.5f);
  EXPECT_EQ(text(e, 2), format("frq.lo:%.1fhz", a * std::pow(2.0, (128 * 0.5 - 69) / 12)));
  e.plugin().setParameter(22, 1.0f);
  EXPECT_EQ(text(e, 2), "NOISE:1.000");
  e.plugin().setParameter(14, 0.6f);
  EXPECT_EQ(text(e, 2), format("NOISE frq:%.1fhz", a * std::pow(2.0, (128 * 0.6f - 69) / 12)));
  e.plugin().setParameter(15, 0.25f);
  EXPECT_EQ(text(e, 2), "NOISE res:0.250");
  e.plugin().setParameter(22, 0.5f);
  EXPECT_EQ(text(e, 2), "diffuse:0.500");
  e.plugin().setParameter(15, 0.5f);
  EXPECT_EQ(text(e, 2).rfind("frq.hi:", 0), 0u) << text(e, 2);
}

TEST(EditorReadouts, UnchangedValuesKeepTheirTextAndHoverRebuildsItFromTheCache) {
  OpenEditor e;
  e.plugin().setParameter(44, 0.55f);
  EXPECT_EQ(text(e, 4), "pb.range:6.600");
  e.gui().sectionDisplay(4)->setText("elsewhere");
  e.plugin().setParameter(44, 0.55f);  // same value: no new text
  EXPECT_EQ(text(e, 4), "elsewhere");
  e.gui().showReadout(4, 3);  // hovering prints whole semitones
  EXPECT_EQ(text(e, 4), "pb.range:6.000");
  e.plugin().setParameter(46, 0.5f);
  EXPECT_EQ(text(e, 4), "bits:8");
  e.gui().showReadout(4, 7);
  EXPECT_EQ(text(e, 4), "bits:8");
  e.plugin().setParameter(30, 0.3f);
  EXPECT_EQ(text(e, 3), "lowest key:38");
  e.gui().showReadout(3, 14);
  EXPECT_EQ(text(e, 3), "lowest key:38");

  // Read-outs nobody lists leave an empty text; other sections do nothing.
  e.gui().showReadout(1, 3);
  EXPECT_EQ(text(e, 1), "");
  e.gui().showReadout(4, 99);
  EXPECT_EQ(text(e, 4), "");
  e.gui().showReadout(4, -2);
  EXPECT_EQ(text(e, 4), "");
  const std::string spring = text(e, 2);
  e.gui().showReadout(0, 0);
  e.gui().showReadout(5, 0);
  EXPECT_EQ(text(e, 2), spring);
}

TEST(EditorReadouts, BodySyncModeNamesTheTremoloRate) {
  OpenEditor e;
  e.plugin().setParameter(37, 0.3f);
  e.plugin().setParameter(36, 0.0f);
  EXPECT_EQ(text(e, 3), "sync: Off");
  e.gui().showReadout(3, 12);
  EXPECT_EQ(text(e, 3), "rate:0.300");
  e.plugin().setParameter(36, 0.5f);
  EXPECT_EQ(text(e, 3), "sync: Tempo");
  e.gui().showReadout(3, 12);
  EXPECT_EQ(text(e, 3), "rate:1/4");  // 2^int(2.4), int(4.8) even
  e.plugin().setParameter(37, 0.35f);
  EXPECT_EQ(text(e, 3), "rate:1/4T");  // int(5.6) odd
  e.plugin().setParameter(36, 1.0f);
  EXPECT_EQ(text(e, 3), "sync: Song");
}

TEST(EditorReadouts, SyncTogglesRewriteTheirRateDials) {
  OpenEditor e;
  e.plugin().setParameter(100, 0.0f);
  e.plugin().setParameter(101, 0.35f);
  EXPECT_EQ(dialText(e, 101), "0.350");
  e.plugin().setParameter(100, 1.0f);
  EXPECT_EQ(dialText(e, 101), "1/4T");
  e.plugin().setParameter(101, 0.3f);
  EXPECT_EQ(dialText(e, 101), "1/4");

  e.plugin().setParameter(95, 0.0f);
  e.plugin().setParameter(93, 0.25f);
  EXPECT_EQ(dialText(e, 93), "0.250s");
  EXPECT_FLOAT_EQ(e.control(93)->getWheelInc(), 0.01f);
  e.plugin().setParameter(95, 1.0f);
  // 2^int(9 * 0.75) = 64; int(18 * 0.75) = 13 is odd: a triplet.
  EXPECT_EQ(dialText(e, 93), "1/64T");
  EXPECT_FLOAT_EQ(e.control(94)->getWheelInc(), 1.0f / 18);

  e.plugin().setParameter(87, 0.456f);
  EXPECT_EQ(dialText(e, 87), "45");
  e.plugin().setParameter(92, 0.125f);
  EXPECT_EQ(dialText(e, 92), "0.125");
}

TEST(EditorReadouts, MicrotuningSlidersFeedTheHiddenMicrotuningDisplay) {
  OpenEditor e;
  e.plugin().setParameter(39, 0.5f);  // 440 Hz
  e.plugin().setParameter(60, 0.5f);  // A, untuned
  mt_Display* display = e.gui().microtuningDisplay();
  EXPECT_FLOAT_EQ(display->first, 0.0f);
  EXPECT_NEAR(display->second, 440.0f, 1e-3);
  EXPECT_FALSE(display->isVisible());
  e.plugin().setParameter(44, 0.5f);
  e.plugin().setParameter(70, 0.25f);
  EXPECT_FLOAT_EQ(display->first, 0.25f);
  EXPECT_FLOAT_EQ(display->second, e.plugin().getPitchRange() * 0.25f);
  char line[64];
  mt_Display::format(0.0f, 440.0f, line, sizeof line);
  EXPECT_STREQ(line, "0.0000 | 440.00hz");
  mt_Display::format(0.25f, 1.5f, line, sizeof line);
  EXPECT_STREQ(line, "0.2500 | 1.5000");
}

TEST(EditorReadouts, OutOfRangeOrClosedChangesAreIgnored) {
  OpenEditor e;
  const std::string before = text(e, 4);
  e.gui().parameterChanged(111, 0.5f);
  e.gui().parameterChanged(-1, 0.5f);
  e.gui().parameterChanged(1000000, 0.5f);
  e.gui().parameterChanged(42, std::nanf(""));
  EXPECT_EQ(text(e, 4), before);
  e.gui().parameterChanged(2, 0.5f);   // a parameter without a control
  e.gui().parameterChanged(42, 7.0f);  // kept to the range
  EXPECT_EQ(e.control(42)->getValue(), 1.0f);
  e.gui().close();
  e.gui().parameterChanged(42, 0.5f);
  e.gui().showReadout(1, 0);
  e.gui().showMidiActivity(true);
  e.gui().showProgramName("closed");
  e.gui().idle();
  EXPECT_EQ(e.gui().control(42), nullptr);
}

TEST(EditorReadouts, AColourChangeReTintsThePanelWithoutRebuildingTheRelief) {
  OpenEditor e;
  const int builds = editor::PanelRelief::shared().buildCount();
  EXPECT_EQ(e.gui().getGuiColour(), gui::CColor(191, 191, 191, 255));  // the programs' 0.75
  gui::CBitmap* before = e.frame()->getBackground();
  const gui::CColor panelBefore = before->getPixel(700, 300);
  e.plugin().setParameter(48, 1.0f);
  e.plugin().setParameter(50, 0.2f);
  EXPECT_EQ(e.gui().getGuiColour(), gui::CColor(255, 191, 51, 255));
  gui::CBitmap* after = e.frame()->getBackground();
  ASSERT_NE(after, before);
  const gui::CColor panelAfter = after->getPixel(700, 300);
  EXPECT_GT(panelAfter.red - panelAfter.blue, panelBefore.red - panelBefore.blue + 30);
  EXPECT_EQ(editor::PanelRelief::shared().buildCount(), builds);
}

// Hosts automate from their own threads: nothing there may touch a view.
TEST(EditorReadouts, ChangesFromOtherThreadsWaitForTheEditorsIdle) {
  OpenEditor e;
  e.frame()->renderOffscreen();
  gui::CBitmap* background = e.frame()->getBackground();
  std::thread automation([&] {
    e.plugin().setParameter(9, 0.15f);
    e.plugin().setParameter(9, 0.2f);  // the newer value wins
    e.plugin().setParameter(49, 0.1f);
    e.gui().showReadout(4, 3);
    char name[] = "From afar";
    e.plugin().setProgramName(name);
    testing_support::MidiBatch notes;
    notes.add(0x90, 60, 100);
    e.plugin().processEvents(notes.events());
  });
  automation.join();
  EXPECT_NE(e.control(9)->getValue(), 0.2f);
  EXPECT_EQ(e.frame()->getBackground(), background);
  EXPECT_EQ(e.gui().midiSignal()->level, 0.0f);
  EXPECT_STREQ(e.gui().programNameField()->getText(), "Init");

  e.gui().idle();
  EXPECT_EQ(e.control(9)->getValue(), 0.2f);
  EXPECT_EQ(text(e, 1), "volume:0.400");
  EXPECT_EQ(text(e, 4).rfind("pb.range:", 0), 0u);
  EXPECT_EQ(e.gui().getGuiColour().green, 25);
  EXPECT_NE(e.frame()->getBackground(), background);
  EXPECT_STREQ(e.gui().programNameField()->getText(), "From afar");
  // The light fades over twenty redraws.
  EXPECT_GT(e.gui().midiSignal()->level, 0.9f);
  int redraws = 1;
  while (e.gui().midiSignal()->level > 0 && redraws < 40) {
    e.gui().idle();
    ++redraws;
  }
  EXPECT_EQ(redraws, 20);
}

}  // namespace
