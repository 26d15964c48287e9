// The preset browser on a scratch folder, through the frame: listing and
// order, loading and saving program files with the overwrite question,
// banks (create, open, store, delete), the delete question, scrolling, and
// the faults the browser must not have.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "editor/browser_fixture.h"
#include "presets/file_test_support.h"

namespace {

using editor_test::BrowserPage;
using presets_test::fileExists;
using presets_test::readAll;
using Question = LCD_presets::Question;

TEST(PresetBrowser, AnEmptyFolderListsNothingAndOffersSaveWithASaneScrollBar) {
  BrowserPage page;
  EXPECT_EQ(page.bankNames(), std::vector<std::string>{"..."});
  EXPECT_TRUE(page.presetNames().empty());
  EXPECT_TRUE(page.browser().isModified()) << "no file holds the current program";
  // An empty list once divided by zero rows.
  const gui::CRect thumb = page.browser().presetScroll().thumb();
  EXPECT_TRUE(std::isfinite(thumb.top) && std::isfinite(thumb.bottom));
  EXPECT_GT(thumb.getHeight(), 90);
  EXPECT_LE(thumb.getHeight(), 99);
  page.editor().frame()->renderOffscreen();

  // The pointer shows a hand over "SAVE" only.
  const gui::CPoint save = LCD_presets::kFilesSaveButton.getCenter();
  page.editor().move(save.x, save.y);
  EXPECT_EQ(page.frame()->getCursor(), gui::kCursorHand);
  page.editor().move(BrowserPage::kPresetX, BrowserPage::rowY(1));
  EXPECT_EQ(page.frame()->getCursor(), gui::kCursorDefault);
}

TEST(PresetBrowser, ListsByExtensionInNaturalCaseInsensitiveOrder) {
  BrowserPage page;
  for (const char* name :
       {"a.vkp", "b.VKP", "c.vkb", "pad 10.vkp", "Pad 2.vkp", "Bell.vkp", ".vkp", "x.vkp.old"})
    host_test::writeBytes(page.file(name), {1});
  std::filesystem::create_directory(page.file("folder.vkp"));
  page.rescan();
  EXPECT_EQ(page.presetNames(), (std::vector<std::string>{"a", "Bell", "Pad 2", "pad 10"}));
  EXPECT_EQ(page.bankNames(), (std::vector<std::string>{"...", "c"}));
}

TEST(PresetBrowser, ADoubleClickLoadsAProgramFileIntoTheCurrentProgram) {
  BrowserPage page;
  page.writeProgramFile(page.file("Glass.vkp"), "Glass", 7, 0.125f);
  page.writeProgramFile(page.file("Wood.vkp"), "Wood", 7, 0.75f);
  page.rescan();
  ASSERT_EQ(page.presetNames(), (std::vector<std::string>{"Glass", "Wood"}));

  page.clickPreset(1);  // a single click selects nothing
  EXPECT_NE(page.plugin().getParameter(7), 0.75f);
  page.doubleClickPreset(1);
  EXPECT_EQ(page.plugin().getParameter(7), 0.75f);
  EXPECT_EQ(page.browser().currentName(), "Wood");
  EXPECT_FALSE(page.browser().isModified()) << "a loaded program has no edits";
  EXPECT_EQ(page.gui().control(7)->getValue(), 0.75f);

  page.doubleClickPreset(4);  // below the last row
  EXPECT_EQ(page.browser().currentName(), "Wood");
}

TEST(PresetBrowser, OnlyChangesAfterOpeningMarkTheProgramEditedAndSavingClearsIt) {
  BrowserPage page;
  page.writeProgramFile(page.file("Init.vkp"), "Init", 7, 0.5f);
  page.rescan();
  page.gui().close();
  page.gui().open(nullptr);
  page.gui().pageTab(editor::Page::Presets);
  page.redraw();
  EXPECT_FALSE(page.gui().presetBrowser()->isModified()) << "opening the editor is no edit";

  page.plugin().setParameter(7, 0.3f);
  EXPECT_TRUE(page.gui().presetBrowser()->isModified());
  page.plugin().setProgram(0);
  EXPECT_FALSE(page.gui().presetBrowser()->isModified()) << "a selected program has no edits";
}

TEST(PresetBrowser, SavingOverAnExistingFileAsksFirst) {
  BrowserPage page;
  page.writeProgramFile(page.file("Init.vkp"), "Init", 7, 0.9f);
  page.plugin().setParameter(7, 0.2f);
  page.redraw();
  ASSERT_TRUE(page.browser().isModified());

  page.clickSave();
  EXPECT_EQ(page.browser().question(), Question::OverwriteProgram);
  page.answer(LCD_presets::kCancelButton);
  EXPECT_EQ(page.browser().question(), Question::None);
  EXPECT_EQ(readAll(page.file("Init.vkp")).size(), 1500u);
  params::ProgramRecord onDisk;
  std::memcpy(&onDisk, readAll(page.file("Init.vkp")).data(), sizeof onDisk);
  EXPECT_EQ(onDisk.values[7], 0.9f) << "CANCEL keeps the file";

  page.clickSave();
  page.answer(LCD_presets::kNoButton);
  gui::CTextEdit* field = page.gui().programNameField();
  EXPECT_EQ(field->getViewSize(), gui::CRect(650, 11, 850, 30));
  EXPECT_STREQ(field->getText(), "Init");
  EXPECT_TRUE(field->isEditing()) << "NO lets the user rename first";
  page.type("2");
  EXPECT_EQ(page.browser().currentName(), "Init2");
  page.clickSave();
  EXPECT_EQ(page.browser().question(), Question::None);
  EXPECT_TRUE(fileExists(page.file("Init2.vkp")));

  page.plugin().setParameter(7, 0.4f);
  page.rename("Init");
  page.redraw();
  page.clickSave();
  page.answer(LCD_presets::kOkButton);
  std::memcpy(&onDisk, readAll(page.file("Init.vkp")).data(), sizeof onDisk);
  EXPECT_EQ(onDisk.values[7], 0.4f) << "OK overwrites";
  EXPECT_FALSE(page.browser().isModified());
}

TEST(PresetBrowser, NamesNeverMakeFilesOutsideTheFolderOrHiddenFiles) {
  BrowserPage page;
  for (const char* name : {"../escape", "/etc/x", "..", ".hidden", "a\\b", "tab\tname"}) {
    page.rename(name);
    page.plugin().setParameter(7, 0.25f);
    page.redraw();
    page.clickSave();
    page.redraw();
  }
  const std::vector<std::string> entries = presets_test::entriesOf(page.folder());
  EXPECT_EQ(entries, (std::vector<std::string>{"Untitled.vkp", "_escape.vkp", "_etc_x.vkp",
                                               "a_b.vkp", "hidden.vkp", "tab_name.vkp"}));
  EXPECT_FALSE(fileExists(page.folder() + "../escape.vkp"));
  EXPECT_EQ(page.browser().message(), "Saved as tab_name.vkp") << "the changed name is told";
}

TEST(PresetBrowser, AFailedSaveIsShownNotIgnored) {
  BrowserPage page;
  std::filesystem::create_directory(page.file("Init.vkp"));  // a folder where the file would go
  page.plugin().setParameter(7, 0.2f);
  page.redraw();
  page.clickSave();
  page.answer(LCD_presets::kOkButton);
  EXPECT_EQ(page.browser().message(), "Could not save Init.vkp");
  EXPECT_TRUE(page.browser().isModified()) << "nothing was saved";
}

TEST(PresetBrowser, ANewBankIsNamedOverItsRowCreatedOpenedAndStored) {
  BrowserPage page;
  page.newBank("Mine");
  ASSERT_TRUE(fileExists(page.file("Mine.vkb")));
  EXPECT_EQ(readAll(page.file("Mine.vkb")).size(), sizeof(params::BankImage));
  EXPECT_TRUE(page.browser().isBankOpen());
  EXPECT_EQ(page.browser().bankName(), "Mine");
  EXPECT_EQ(page.bankNames(), (std::vector<std::string>{"...", "Mine"}));
  EXPECT_EQ(page.presetNames(), (std::vector<std::string>{"Init"}));
  EXPECT_EQ(page.gui().programNameField()->getViewSize(), gui::CRect(650, 11, 850, 30));
  EXPECT_FALSE(page.browser().nameEditActive);

  // A new preset from the current values, written into the bank's file.
  page.rename("Pad");
  page.plugin().setParameter(7, 0.33f);
  page.redraw();
  page.doubleClickPreset(1);
  EXPECT_EQ(page.presetNames(), (std::vector<std::string>{"Pad", "Pad"}))
      << "named as the current program";
  EXPECT_EQ(page.plugin().getProgram(), 1);
  params::BankImage onDisk;
  std::memcpy(&onDisk, readAll(page.file("Mine.vkb")).data(), sizeof onDisk);
  EXPECT_STREQ(onDisk.programs[1].name, "Pad");
  EXPECT_EQ(onDisk.programs[1].values[7], 0.33f);

  // "..." goes back to the program files; a double click opens the bank.
  page.doubleClickBank(0);
  EXPECT_FALSE(page.browser().isBankOpen());
  page.doubleClickBank(1);
  EXPECT_TRUE(page.browser().isBankOpen());
  page.doubleClickPreset(0);
  EXPECT_EQ(page.plugin().getProgram(), 0);
  EXPECT_EQ(page.browser().selectedPresetRow(), 0);
}

TEST(PresetBrowser, ANewBankKeepsItsOwnRowWhenThePointerLeftTheBrowser) {
  BrowserPage page;
  page.click(BrowserPage::kBankX, BrowserPage::rowY(1));
  ASSERT_TRUE(page.browser().nameEditActive);
  page.editor().frame()->dispatchMouseExited(gui::CPoint(1010, 470), 0);
  page.redraw();
  EXPECT_EQ(page.browser().hoveredBankRow(), -1);
  page.type("Away", true);
  EXPECT_TRUE(fileExists(page.file("Away.vkb")));
  EXPECT_EQ(page.bankNames(), (std::vector<std::string>{"...", "Away"}));
}

TEST(PresetBrowser, MovingBackIntoTheBrowserWhileNamingDropsTheNewBank) {
  BrowserPage page;
  page.click(BrowserPage::kBankX, BrowserPage::rowY(1));
  page.editor().move(800, 300);
  page.editor().move(800, 150);
  page.redraw();
  EXPECT_FALSE(page.browser().newBankPending);
  EXPECT_EQ(page.bankNames(), std::vector<std::string>{"..."});
  EXPECT_TRUE(presets_test::entriesOf(page.folder()).empty());
}

TEST(PresetBrowser, ANewBankNamedLikeAnExistingOneAsksBeforeReplacingIt) {
  BrowserPage page;
  page.newBank("Old");
  page.rename("Keep");
  page.redraw();
  page.doubleClickPreset(1);
  const std::vector<uint8_t> before = readAll(page.file("Old.vkb"));

  page.newBank("Old");
  EXPECT_EQ(page.browser().question(), Question::OverwriteBank);
  page.answer(LCD_presets::kCancelButton);
  EXPECT_EQ(readAll(page.file("Old.vkb")), before) << "CANCEL keeps the old bank";
  EXPECT_EQ(page.bankNames(), (std::vector<std::string>{"...", "Old"}));

  page.newBank("Old");
  page.answer(LCD_presets::kNoButton);
  EXPECT_TRUE(page.browser().nameEditActive) << "NO lets the user type another name";
  page.type("2");
  EXPECT_TRUE(fileExists(page.file("Old2.vkb")));
  EXPECT_EQ(readAll(page.file("Old.vkb")), before);

  page.newBank("Old");
  page.answer(LCD_presets::kOkButton);
  EXPECT_NE(readAll(page.file("Old.vkb")), before) << "OK replaces it";
  EXPECT_EQ(page.presetNames(), (std::vector<std::string>{"Init"}));
}

TEST(PresetBrowser, BankNamesAreMadeSafeAndABankBeingNamedSurvivesARescan) {
  BrowserPage page;
  page.newBank("../../Outside");
  EXPECT_TRUE(fileExists(page.file("_.._Outside.vkb")));
  EXPECT_EQ(page.browser().message(), "Saved as _.._Outside.vkb");
  EXPECT_EQ(presets_test::entriesOf(page.folder()), std::vector<std::string>{"_.._Outside.vkb"});

  page.newBank("_.._Outside");
  ASSERT_EQ(page.browser().question(), Question::OverwriteBank);
  page.rescan();  // the folder is listed again while the question is open
  page.answer(LCD_presets::kNoButton);
  EXPECT_TRUE(page.browser().nameEditActive);
  page.type("Inside", true);
  EXPECT_TRUE(fileExists(page.file("Inside.vkb")));
}

TEST(PresetBrowser, TheOpenBankIsTrackedByItsFileNotItsRow) {
  BrowserPage page;
  page.newBank("Bravo");
  page.newBank("Alpha");
  page.newBank("Charlie");
  ASSERT_EQ(page.bankNames(), (std::vector<std::string>{"...", "Alpha", "Bravo", "Charlie"}));
  const std::vector<uint8_t> bravo = readAll(page.file("Bravo.vkb"));

  // Delete Alpha, above the open bank, then change a program.
  page.rightClick(BrowserPage::kBankX, BrowserPage::rowY(1));
  EXPECT_EQ(page.browser().question(), Question::Delete);
  page.answer(LCD_presets::kOkButton);
  EXPECT_FALSE(fileExists(page.file("Alpha.vkb")));
  EXPECT_EQ(page.browser().bankName(), "Charlie");
  page.rename("Changed");
  page.gui().valueChanged(page.gui().programNameField());  // name commit
  page.redraw();
  EXPECT_EQ(readAll(page.file("Bravo.vkb")), bravo) << "another bank's file was written";
  params::BankImage onDisk;
  std::memcpy(&onDisk, readAll(page.file("Charlie.vkb")).data(), sizeof onDisk);
  EXPECT_STREQ(onDisk.programs[0].name, "Changed");
}

TEST(PresetBrowser, DeletingAsksAndRemovesFilesAndBankPrograms) {
  BrowserPage page;
  page.writeProgramFile(page.file("One.vkp"), "One", 7, 0.1f);
  page.rescan();
  page.rightClick(BrowserPage::kPresetX, BrowserPage::rowY(0));
  EXPECT_EQ(page.browser().question(), Question::Delete);
  page.answer(LCD_presets::kCancelButton);
  EXPECT_TRUE(fileExists(page.file("One.vkp")));
  page.rightClick(BrowserPage::kPresetX, BrowserPage::rowY(0));
  page.answer(LCD_presets::kOkButton);
  EXPECT_FALSE(fileExists(page.file("One.vkp")));
  EXPECT_TRUE(page.presetNames().empty());

  // In a bank: removing the last listed program selects the one before it.
  page.newBank("B");
  for (const char* name : {"P1", "P2"}) {
    page.doubleClickPreset(static_cast<int>(page.presetNames().size()));
    page.rename(name);
    page.browser().programChanged();
    page.redraw();
  }
  ASSERT_EQ(page.presetNames(), (std::vector<std::string>{"Init", "P1", "P2"}));
  page.rightClick(BrowserPage::kPresetX, BrowserPage::rowY(2));
  page.answer(LCD_presets::kOkButton);
  EXPECT_EQ(page.presetNames(), (std::vector<std::string>{"Init", "P1"}));
  EXPECT_EQ(page.plugin().getProgram(), 1);
  page.rightClick(BrowserPage::kPresetX, BrowserPage::rowY(0));
  page.answer(LCD_presets::kOkButton);
  EXPECT_EQ(page.presetNames(), (std::vector<std::string>{"P1"}));
  EXPECT_EQ(page.plugin().getProgram(), 0) << "the program that moved into the row";
  params::BankImage onDisk;
  std::memcpy(&onDisk, readAll(page.file("B.vkb")).data(), sizeof onDisk);
  EXPECT_STREQ(onDisk.programs[0].name, "P1");
  EXPECT_STREQ(onDisk.programs[1].name, "-");
}

TEST(PresetBrowser, AFullBankOffersNoNewPresetAndListsAtMost64Programs) {
  BrowserPage page;
  page.newBank("Full");
  for (int p = 0; p < 64; ++p)
    params::setRecordName(page.plugin().getStoredPrograms()->programs[p], "X");
  page.browser().programChanged();
  page.redraw();
  EXPECT_EQ(page.presetNames().size(), 64u);
  EXPECT_FALSE(page.browser().offersNewPreset());
  EXPECT_EQ(page.browser().presetScroll().rows(), 64);
}

TEST(PresetBrowser, WheelAndDragScrollOnlyListsLongerThanFiveRowsAndStopAtTheEnds) {
  BrowserPage page;
  for (int i = 0; i < 12; ++i)
    host_test::writeBytes(page.file("P" + std::to_string(i) + ".vkp"), {1});
  page.rescan();
  ASSERT_EQ(page.presetNames().size(), 12u);

  page.frame()->dispatchWheel(gui::CPoint(700, 150), -10, 0);
  for (int i = 0; i < 60; ++i) page.redraw();
  EXPECT_EQ(page.browser().presetScroll().offset(), -140) << "stops at the last row";
  EXPECT_FALSE(page.browser().presetScroll().moving());
  page.frame()->dispatchWheel(gui::CPoint(700, 150), 30, 0);
  for (int i = 0; i < 60; ++i) page.redraw();
  EXPECT_EQ(page.browser().presetScroll().offset(), 0);

  // The bank list has only "..." and "NEW BANK": the wheel does nothing.
  page.frame()->dispatchWheel(gui::CPoint(520, 150), -10, 0);
  page.redraw();
  EXPECT_EQ(page.browser().bankScroll().offset(), 0);

  // Hover follows the pointer; dragging the list up throws it on.
  page.editor().move(BrowserPage::kPresetX, BrowserPage::rowY(2));
  page.redraw();
  EXPECT_EQ(page.browser().hoveredPresetRow(), 2);
  page.frame()->dispatchMouseDown(gui::CPoint(BrowserPage::kPresetX, 180), gui::kLButton);
  page.frame()->dispatchMouseMoved(gui::CPoint(BrowserPage::kPresetX, 140), gui::kLButton);
  page.frame()->dispatchMouseUp(gui::CPoint(BrowserPage::kPresetX, 140), gui::kLButton);
  EXPECT_TRUE(page.browser().presetScroll().moving());
  for (int i = 0; i < 60; ++i) page.redraw();
  EXPECT_LT(page.browser().presetScroll().offset(), -20);
  EXPECT_FALSE(page.browser().presetScroll().moving());
  page.frame()->dispatchMouseExited(gui::CPoint(1010, 470), 0);
  page.redraw();
  EXPECT_EQ(page.browser().hoveredPresetRow(), -1);
  page.frame()->dispatchWheel(gui::CPoint(700, 150), 30, 0);
  for (int i = 0; i < 60; ++i) page.redraw();

  // Dragging the thumb down scrolls the list up.
  const gui::CRect thumb = page.browser().presetScroll().thumb();
  page.editor().move(thumb.getCenter().x, thumb.getCenter().y);
  page.frame()->dispatchMouseDown(thumb.getCenter(), gui::kLButton);
  page.frame()->dispatchMouseMoved(gui::CPoint(thumb.getCenter().x, thumb.getCenter().y + 20),
                                   gui::kLButton);
  page.frame()->dispatchMouseUp(gui::CPoint(thumb.getCenter().x, thumb.getCenter().y + 20),
                                gui::kLButton);
  EXPECT_NEAR(page.browser().presetScroll().offset(), -20 / page.browser().presetScroll().scale(),
              1e-9);
}

TEST(PresetBrowser, SharedFilesAreListedMarkedAndNeverDeletedOrOverwritten) {
  BrowserPage page(true);
  page.writeProgramFile(page.sharedFile("Factory.vkp"), "Factory", 7, 0.6f);
  page.writeProgramFile(page.sharedFile("Init.vkp"), "Init", 7, 0.6f);
  page.writeProgramFile(page.file("Init.vkp"), "Init", 7, 0.1f);  // the user's own copy wins
  page.plugin().getStoredPrograms();
  page.rescan();
  ASSERT_EQ(page.presetNames(), (std::vector<std::string>{"Factory", "Init"}));
  EXPECT_TRUE(page.browser().presetRows()[0].readOnly);
  EXPECT_FALSE(page.browser().presetRows()[1].readOnly);

  page.rightClick(BrowserPage::kPresetX, BrowserPage::rowY(0));
  EXPECT_EQ(page.browser().question(), Question::None);
  EXPECT_EQ(page.browser().message(), "Factory.vkp is read-only");
  EXPECT_TRUE(fileExists(page.sharedFile("Factory.vkp")));

  // Loading it and saving writes the user's copy, not the shared file.
  page.doubleClickPreset(0);
  page.plugin().setParameter(7, 0.7f);
  page.redraw();
  page.clickSave();
  EXPECT_TRUE(fileExists(page.file("Factory.vkp")));
  params::ProgramRecord shared;
  std::memcpy(&shared, readAll(page.sharedFile("Factory.vkp")).data(), sizeof shared);
  EXPECT_EQ(shared.values[7], 0.6f);

  // A shared bank stored after a change goes to the user's folder.
  std::filesystem::copy_file(page.sharedFile("Factory.vkp"), page.sharedFile("dummy"));
  page.plugin().saveBankFile(page.sharedFile("Lib.vkb").c_str());
  const std::vector<uint8_t> library = readAll(page.sharedFile("Lib.vkb"));
  page.rescan();
  page.doubleClickBank(1);
  ASSERT_TRUE(page.browser().isBankOpen());
  page.rename("Mine");
  page.browser().programChanged();
  EXPECT_EQ(readAll(page.sharedFile("Lib.vkb")), library);
  EXPECT_TRUE(fileExists(page.file("Lib.vkb")));
  EXPECT_EQ(page.browser().openBankPath(), page.file("Lib.vkb"));
}

}  // namespace
