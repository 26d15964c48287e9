// The four pages: tabs open one page at a time, selectors swap a page's
// groups, and the panel behind the pages is rendered only when the first
// page opens and when the open page closes.
#include <gtest/gtest.h>

#include "editor/editor_fixture.h"
#include "editor/lcd_presets.h"
#include "editor/mt_pulldown.h"
#include "editor/panel_relief.h"
#include "editor/trigger.h"
#include "gui/cbitmap.h"

namespace {

using editor::Page;
using editor_test::OpenEditor;

bool visible(OpenEditor& e, int tag) { return e.control(tag)->isVisible(); }

// Clicks a control in its middle, as the user would.
void clickOn(OpenEditor& e, int tag, double dx = 0) {
  const gui::CPoint c = e.control(tag)->getViewSize().getCenter();
  e.click(c.x + dx, c.y);
}

TEST(EditorPages, ATabOpensItsPageAndClosesTheOthersKeepingThePanel) {
  OpenEditor e;
  gui::CBitmap* closedPanel = e.frame()->getBackground();
  ASSERT_NE(closedPanel, nullptr);
  EXPECT_FALSE(e.gui().hasPagePanel());

  clickOn(e, editor::kTagPresetsTab);
  EXPECT_TRUE(e.gui().isPageOpen(Page::Presets));
  EXPECT_TRUE(e.gui().presetBrowser()->isVisible());
  EXPECT_TRUE(e.gui().presetBrowser()->rescanPending);
  EXPECT_EQ(e.control(editor::kTagPresetsTab)->getValue(), 1.f);
  EXPECT_TRUE(e.gui().hasPagePanel());
  gui::CBitmap* pagePanel = e.frame()->getBackground();
  EXPECT_NE(pagePanel, closedPanel);

  // Switching to another page hides the browser and keeps the panel.
  clickOn(e, editor::kTagModulationTab);
  EXPECT_FALSE(e.gui().isPageOpen(Page::Presets));
  EXPECT_TRUE(e.gui().isPageOpen(Page::Modulation));
  EXPECT_FALSE(e.gui().presetBrowser()->isVisible());
  EXPECT_EQ(e.control(editor::kTagPresetsTab)->getValue(), 0.f);
  EXPECT_EQ(e.control(editor::kTagModulationTab)->getValue(), 1.f);
  EXPECT_TRUE(e.gui().hasPagePanel());
  EXPECT_EQ(e.frame()->getBackground(), pagePanel);
  for (int tag : {127, 101, 102, 103, 100}) EXPECT_TRUE(visible(e, tag)) << tag;
  for (int tag : {106, 108, 109}) EXPECT_FALSE(visible(e, tag)) << tag;

  // Its tab again closes it and removes the panel.
  clickOn(e, editor::kTagModulationTab);
  for (Page page : {Page::Presets, Page::Microtuning, Page::Modulation, Page::Effects})
    EXPECT_FALSE(e.gui().isPageOpen(page));
  EXPECT_FALSE(e.gui().hasPagePanel());
  EXPECT_NE(e.frame()->getBackground(), pagePanel);
  for (int tag : {127, 101, 102, 103, 100}) EXPECT_FALSE(visible(e, tag)) << tag;
}

TEST(EditorPages, ThePagePanelGlowsInThePageAreaOnly) {
  OpenEditor e;
  e.frame()->renderOffscreen();
  gui::CBitmap* closed = e.frame()->snapshot();
  e.gui().pageTab(Page::Effects);
  e.gui().pageTab(Page::Effects);
  gui::CBitmap* reclosed = e.frame()->snapshot();
  e.gui().pageTab(Page::Microtuning);
  gui::CBitmap* open = e.frame()->snapshot();
  // Inside the page area between the sliders the open panel differs; the
  // keyboard far below does not; closing restores the grille exactly.
  EXPECT_NE(open->getPixel(940, 190), closed->getPixel(940, 190));
  EXPECT_EQ(open->getPixel(500, 420), closed->getPixel(500, 420));
  EXPECT_EQ(reclosed->getPixel(940, 190), closed->getPixel(940, 190));
  closed->forget();
  reclosed->forget();
  open->forget();
}

TEST(EditorPages, TheNotesSelectorSwapsTheSliderGroupsAndTemplateLabels) {
  OpenEditor e;
  e.gui().pageTab(Page::Microtuning);
  for (int tag = 51; tag <= 62; ++tag) EXPECT_TRUE(visible(e, tag)) << tag;
  for (int tag = 63; tag <= 86; ++tag) EXPECT_FALSE(visible(e, tag)) << tag;
  for (int tag : {122, 123, 124, 125}) EXPECT_TRUE(visible(e, tag)) << tag;
  mt_Pulldown* templates = e.gui().templatesPulldown();
  EXPECT_FALSE(templates->isPitchBendMode());
  EXPECT_STREQ(templates->getItemText(2), "MEAN");

  clickOn(e, editor::kTagNotesSelector, +40);  // the "PITCH BEND" side
  EXPECT_EQ(e.control(editor::kTagNotesSelector)->getValue(), 1.f);
  for (int tag = 51; tag <= 62; ++tag) EXPECT_FALSE(visible(e, tag)) << tag;
  for (int tag = 63; tag <= 86; ++tag) EXPECT_TRUE(visible(e, tag)) << tag;
  EXPECT_TRUE(templates->isPitchBendMode());
  EXPECT_STREQ(templates->getItemText(2), "TONIC Cmaj");
  EXPECT_STREQ(templates->getItemText(3), "PENTATONIC");

  e.gui().pageTab(Page::Microtuning);
  for (int tag = 51; tag <= 86; ++tag) EXPECT_FALSE(visible(e, tag)) << tag;
  for (int tag : {122, 123, 124, 125}) EXPECT_FALSE(visible(e, tag)) << tag;
}

TEST(EditorPages, EffectsSelectorSwapsDelayAndSand) {
  OpenEditor e;
  e.gui().pageTab(Page::Effects);
  for (int tag : {93, 94, 96, 97, 95}) EXPECT_TRUE(visible(e, tag)) << tag;
  for (int tag : {87, 91, 92}) EXPECT_FALSE(visible(e, tag)) << tag;
  clickOn(e, editor::kTagEffectsSelector, +30);
  EXPECT_FLOAT_EQ(e.control(editor::kTagEffectsSelector)->getValue(), 0.34f);
  EXPECT_EQ(Trigger::subPageOf(0.34f), 1);
  for (int tag : {93, 94, 96, 97, 95}) EXPECT_FALSE(visible(e, tag)) << tag;
  for (int tag : {87, 91, 92}) EXPECT_TRUE(visible(e, tag)) << tag;
  clickOn(e, editor::kTagEffectsSelector, -30);
  EXPECT_TRUE(visible(e, 93));
  EXPECT_FALSE(visible(e, 87));
}

TEST(EditorPages, PagesReopenClosedWithEveryOpen) {
  OpenEditor e;
  e.gui().pageTab(Page::Presets);
  e.gui().close();
  ASSERT_TRUE(e.gui().open(nullptr));
  EXPECT_FALSE(e.gui().isPageOpen(Page::Presets));
  EXPECT_FALSE(e.gui().hasPagePanel());
  EXPECT_FALSE(e.gui().presetBrowser()->isVisible());
  EXPECT_EQ(e.control(editor::kTagPresetsTab)->getValue(), 0.f);
}

}  // namespace
