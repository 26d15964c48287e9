// The load and save menus, the shift buttons and the template pull-down,
// chosen through the frame with the file dialogs answered by script.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "editor/browser_fixture.h"
#include "editor/mt_pulldown.h"
#include "editor/trigger.h"
#include "presets/file_test_support.h"

namespace {

using editor_test::BrowserPage;
using presets_test::fileExists;
using presets_test::readAll;

// Presses a menu button, moves onto the item and releases there.
void chooseMenu(BrowserPage& page, int tag, int item) {
  auto* menu = dynamic_cast<Trigger*>(page.gui().control(tag));
  ASSERT_NE(menu, nullptr);
  const gui::CPoint button = menu->getViewSize().getCenter();
  const gui::CPoint target(menu->getMenuRect().left + 30,
                           menu->getMenuRect().top + 12 + 20 * (item - 1));
  page.editor().move(button.x, button.y);
  page.frame()->dispatchMouseDown(button, gui::kLButton);
  page.frame()->dispatchMouseMoved(target, gui::kLButton);
  page.frame()->dispatchMouseUp(target, gui::kLButton);
}

// Presses the templates pull-down and releases over item 1 to 6.
void chooseTemplate(BrowserPage& page, int item) {
  mt_Pulldown* templates = page.gui().templatesPulldown();
  const gui::CRect closed = templates->getViewSize();
  const gui::CPoint title(closed.left + 10, closed.top + 8);
  const gui::CPoint row(title.x, closed.top + 17 * item + 4);
  page.editor().move(title.x, title.y);
  page.frame()->dispatchMouseDown(title, gui::kLButton);
  page.frame()->dispatchMouseMoved(row, gui::kLButton);
  page.frame()->dispatchMouseUp(row, gui::kLButton);
}

TEST(EditorFileMenus, SavePresetNamesTheProgramAfterTheFileAndTheFolderFollows) {
  BrowserPage page;
  std::filesystem::create_directory(page.file("sub"));
  page.answerDialogsWith(page.file("sub/Bright"));
  page.plugin().setParameter(7, 0.3f);
  chooseMenu(page, editor::kTagSaveMenu, 1);
  ASSERT_EQ(page.requests.size(), 1u);
  EXPECT_EQ(page.requests[0].title, "Save A Program File");
  EXPECT_EQ(page.requests[0].defaultSaveName, "Init");
  EXPECT_EQ(page.requests[0].initialDirectory + "/", page.folder());
  ASSERT_TRUE(fileExists(page.file("sub/Bright.vkp")));
  char name[32] = {};
  page.plugin().getProgramName(name);
  EXPECT_STREQ(name, "Bright");
  EXPECT_EQ(std::string(page.gui().programFolder()), page.file("sub")) << "cut at the last '/'";
  EXPECT_FALSE(page.browser().isModified());

  // Load it back after a change: the values are the file's again.
  page.plugin().setParameter(7, 0.9f);
  page.answerDialogsWith(page.file("sub/Bright.vkp"));
  chooseMenu(page, editor::kTagLoadMenu, 1);
  EXPECT_EQ(page.plugin().getParameter(7), 0.3f);
  EXPECT_EQ(page.requests.back().title, "Choose A Program File");
}

TEST(EditorFileMenus, FailuresAndWrongFilesAreShownOnThePresetsPage) {
  BrowserPage page;
  page.gui().pageTab(editor::Page::Presets);  // closes the page
  host_test::writeBytes(page.file("x.VKP"), std::vector<uint8_t>(1500, 0));
  page.answerDialogsWith(page.file("x.VKP"));
  const float before = page.plugin().getParameter(7);
  chooseMenu(page, editor::kTagLoadMenu, 1);
  EXPECT_EQ(page.plugin().getParameter(7), before);
  EXPECT_EQ(page.browser().message(), "Not a program file: x.VKP");
  EXPECT_TRUE(page.gui().isPageOpen(editor::Page::Presets)) << "the page opens to show it";

  page.answerDialogsWith(page.file("missing.vkp"));
  chooseMenu(page, editor::kTagLoadMenu, 1);
  EXPECT_EQ(page.browser().message(), "Could not read missing.vkp");

  page.answerDialogsWith(page.file("no/such/folder/Bank"));
  chooseMenu(page, editor::kTagSaveMenu, 2);
  EXPECT_EQ(page.browser().message(), "Could not save Bank.vkb");
}

TEST(EditorFileMenus, AMenuClickedBeforeItsRedrawDoesNotRepeatTheLastCommand) {
  BrowserPage page;
  page.answerDialogsWith("");
  chooseMenu(page, editor::kTagSaveMenu, 1);
  ASSERT_EQ(page.requests.size(), 1u);
  // Clicked again at once and released on the button: no item chosen.
  auto* menu = dynamic_cast<Trigger*>(page.gui().control(editor::kTagSaveMenu));
  const gui::CPoint button = menu->getViewSize().getCenter();
  page.frame()->dispatchMouseDown(button, gui::kLButton);
  EXPECT_EQ(menu->getKind(), Trigger::kSaveMenuOpen);
  page.frame()->dispatchMouseUp(button, gui::kLButton);
  EXPECT_EQ(page.requests.size(), 1u);
}

TEST(EditorFileMenus, LoadBankClosesTheBrowsersBankSoItsFileKeepsItsPrograms) {
  BrowserPage page;
  page.newBank("Open");
  const std::vector<uint8_t> open = readAll(page.file("Open.vkb"));
  // Another bank with two programs, saved through the menu.
  params::setRecordName(page.plugin().getStoredPrograms()->programs[1], "Other");
  page.answerDialogsWith(page.file("Other"));
  chooseMenu(page, editor::kTagSaveMenu, 2);
  ASSERT_TRUE(fileExists(page.file("Other.vkb")));
  EXPECT_EQ(page.requests.back().title, "Save A Bank File");

  page.answerDialogsWith(page.file("Other.vkb"));
  chooseMenu(page, editor::kTagLoadMenu, 2);
  EXPECT_FALSE(page.browser().isBankOpen());
  EXPECT_EQ(page.plugin().getProgram(), 0);
  const gui::CPoint next = page.gui().control(editor::kTagNextProgram)->getViewSize().getCenter();
  page.click(next.x, next.y);
  EXPECT_EQ(page.plugin().getProgram(), 1);
  EXPECT_EQ(readAll(page.file("Open.vkb")), open)
      << "the loaded programs went into the open bank's file";
}

TEST(EditorTemplates, ShiftButtonsAndTemplateItemsActOnTheSelectedGroup) {
  BrowserPage page;
  page.gui().pageTab(editor::Page::Microtuning);
  for (int i = 0; i < 12; ++i) page.plugin().setParameter(51 + i, 0.04f * i);
  const gui::CPoint up = page.gui().control(editor::kTagShiftUp)->getViewSize().getCenter();
  const gui::CPoint down = page.gui().control(editor::kTagShiftDown)->getViewSize().getCenter();
  page.click(up.x, up.y);
  EXPECT_EQ(page.plugin().getParameter(51), 0.04f * 11) << "B wraps round to C";
  EXPECT_EQ(page.plugin().getParameter(52), 0.0f);
  page.click(down.x, down.y);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(page.plugin().getParameter(51 + i), 0.04f * i) << i;

  chooseTemplate(page, 2);  // MEAN
  EXPECT_NEAR(page.plugin().getParameter(51), 0.4778f, 1e-6);
  EXPECT_EQ(page.plugin().getParameter(60), 0.5f);

  // SAVE then LOAD a notes template through the dialogs.
  page.answerDialogsWith(page.file("scale"));
  chooseTemplate(page, 6);
  ASSERT_TRUE(fileExists(page.file("scale.vkt")));
  EXPECT_EQ(page.requests.back().title, "Save A Notes Template");
  chooseTemplate(page, 1);  // RESET
  EXPECT_EQ(page.plugin().getParameter(51), 0.5f);
  page.answerDialogsWith(page.file("scale.vkt"));
  chooseTemplate(page, 5);
  EXPECT_NEAR(page.plugin().getParameter(51), 0.4778f, 1e-6);
  EXPECT_EQ(std::string(page.gui().templateFolder()) + "/", page.folder());

  // Pitch-bend mode: RESET sets the 24 bend depths.
  const gui::CRect selector = page.gui().control(editor::kTagNotesSelector)->getViewSize();
  page.click(selector.right - 10, selector.getCenter().y);
  for (int i = 63; i <= 86; ++i) page.plugin().setParameter(i, 0.2f);
  chooseTemplate(page, 1);
  for (int i = 63; i <= 86; ++i) EXPECT_EQ(page.plugin().getParameter(i), 1.0f) << i;
}

}  // namespace
