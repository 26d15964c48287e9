// What the common file dialogs are given and what is read from their answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/file_selector_internal.h"

using gui::CFileExtension;

TEST(CommonFileDialog, FiltersArePairsEndedByAnEmptyString) {
  const std::string filter = gui::commonDialogFilter(
      {CFileExtension("Velk Program", "vkp"), CFileExtension("Other Files", "*")});
  const std::string expected("Velk Program\0*.vkp\0Other Files\0*.*\0\0", 36);
  EXPECT_EQ(filter, expected);
  EXPECT_EQ(gui::commonDialogFilter({}), std::string(1, '\0'));
}

TEST(CommonFileDialog, AnswersGiveOnePathOrTheFolderJoinedToEachName) {
  const char single[] = "C:\\Presets\\Bright.vkp\0";
  EXPECT_EQ(gui::commonDialogPaths(single), std::vector<std::string>{"C:\\Presets\\Bright.vkp"});
  const char several[] = "C:\\Presets\0A.vkp\0B.vkp\0";
  EXPECT_EQ(gui::commonDialogPaths(several),
            (std::vector<std::string>{"C:\\Presets\\A.vkp", "C:\\Presets\\B.vkp"}));
  // A drive's root already ends in its separator.
  const char root[] = "D:\\\0A.vkp\0B.vkp\0";
  EXPECT_EQ(gui::commonDialogPaths(root), (std::vector<std::string>{"D:\\A.vkp", "D:\\B.vkp"}));
  EXPECT_TRUE(gui::commonDialogPaths("").empty());
}
