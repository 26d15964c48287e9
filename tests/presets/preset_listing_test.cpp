// Listing preset files: the order people expect, the extension rule, a
// user's file hiding a shared one of the same name, the cap; and file
// names made safe from any program or bank name.
#include "presets/preset_listing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "host/host_test_support.h"
#include "presets/safe_file_name.h"

using presets::naturalLess;

TEST(PresetListing, NaturalOrderIgnoresCaseAndComparesNumbersByValue) {
  std::vector<std::string> names{"pad 10", "Pad 2", "bell", "Bell 01", "Bell 1",
                                 "b",      "a9z",   "a10",  ""};
  std::sort(names.begin(), names.end(), naturalLess);
  EXPECT_EQ(names, (std::vector<std::string>{"", "a9z", "a10", "b", "bell", "Bell 1", "Bell 01",
                                             "Pad 2", "pad 10"}));
  EXPECT_FALSE(naturalLess("x", "x"));
  EXPECT_TRUE(naturalLess("X", "x") != naturalLess("x", "X")) << "a total order";
  EXPECT_TRUE(naturalLess("9", "18446744073709551616000"));  // no overflow on long runs
}

TEST(PresetListing, ListsExactExtensionsWithUserFilesHidingSharedOnesUpToTheCap) {
  host_test::ScratchFolder user, shared;
  for (const char* name : {"Mine.vkp", "Same.vkp", "upper.VKP", ".vkp", "bank.vkb"})
    host_test::writeBytes(user.file(name), {1});
  for (const char* name : {"Same.vkp", "Factory.vkp"})
    host_test::writeBytes(shared.file(name), {1});
  const std::string userPath = user.file("x").substr(0, user.file("x").size() - 2);
  const std::string sharedPath = shared.file("x").substr(0, shared.file("x").size() - 2);
  const std::vector<presets::PresetFolder> folders{{userPath, false}, {sharedPath, true}};

  const auto files = presets::listPresetFiles(folders, ".vkp", 100);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].name, "Factory");
  EXPECT_TRUE(files[0].readOnly);
  EXPECT_EQ(files[0].path, sharedPath + "/Factory.vkp");
  EXPECT_EQ(files[1].name, "Mine");
  EXPECT_EQ(files[2].name, "Same");
  EXPECT_EQ(files[2].path, userPath + "/Same.vkp");
  EXPECT_FALSE(files[2].readOnly);

  EXPECT_EQ(presets::listPresetFiles(folders, ".vkp", 2).size(), 2u);
  EXPECT_TRUE(presets::listPresetFiles({{userPath + "/missing", false}}, ".vkp", 100).empty());
}

TEST(SafeFileName, KeepsFilesInsideTheFolderAndVisible) {
  using presets::safeFileName;
  EXPECT_EQ(safeFileName("Bright Bell"), "Bright Bell");
  EXPECT_EQ(safeFileName("../../etc/passwd"), "_.._etc_passwd");
  EXPECT_EQ(safeFileName(".."), "Untitled");
  EXPECT_EQ(safeFileName(""), "Untitled");
  EXPECT_EQ(safeFileName(" . "), "Untitled");
  EXPECT_EQ(safeFileName(".profile"), "profile");
  EXPECT_EQ(safeFileName("a\\b/c"), "a_b_c");
  EXPECT_EQ(safeFileName(std::string("new\nline\x7f", 9)), "new_line_");
  const std::string longName = safeFileName(std::string(300, 'x') + "\xc3\xa9");
  EXPECT_EQ(longName.size(), presets::kMaxFileNameStem);
  const std::string cut = safeFileName(std::string(119, 'x') + "\xc3\xa9\xc3\xa9");
  EXPECT_EQ(cut, std::string(119, 'x')) << "never half a character";
}
