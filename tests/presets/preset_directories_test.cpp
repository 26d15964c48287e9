// The module folder and the preset folder beside it.
#include "presets/preset_directories.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "host/host_test_support.h"
#include "presets/file_test_support.h"

using presets::locatePresetDirectories;

TEST(PresetDirectories, PresetsFolderBesideTheModuleWhenItExists) {
  host_test::ScratchFolder folder;
  const std::string module = folder.file("vellmark.so");
  const std::string moduleFolder = module.substr(0, module.rfind('/'));
  presets::PresetDirectories found = locatePresetDirectories(module);
  EXPECT_EQ(found.moduleDirectory, moduleFolder);
  EXPECT_EQ(found.presetDirectory, moduleFolder) << "no presets folder: the module's folder";

  host_test::writeBytes(folder.file("presets"), {1});
  EXPECT_EQ(locatePresetDirectories(module).presetDirectory, moduleFolder + "/presets")
      << "any existing path counts";
  std::filesystem::remove(folder.file("presets"));
  ASSERT_EQ(::mkdir(folder.file("presets").c_str(), 0755), 0);
  EXPECT_EQ(locatePresetDirectories(module).presetDirectory, moduleFolder + "/presets");

  found = locatePresetDirectories("vellmark.so");
  EXPECT_EQ(found.moduleDirectory, "vellmark.so") << "a path without separator is kept whole";
  found = locatePresetDirectories("");
  EXPECT_TRUE(found.moduleDirectory.empty());
  EXPECT_TRUE(found.presetDirectory.empty());
}

TEST(PresetDirectories, AModuleLoadedFromAnotherFolderLooksBesideItself) {
  host_test::ScratchFolder scratch;
  const std::string folder =
      std::filesystem::canonical(scratch.file("")).string();
  const std::string copy = folder + "/vellmark.so";
  std::filesystem::copy_file(VELLMARK_MODULE_PATH, copy);

  std::string moduleDirectory, presetDirectory;
  ASSERT_TRUE(presets_test::directoriesFoundBy(copy, moduleDirectory, presetDirectory));
  EXPECT_EQ(moduleDirectory, folder);
  EXPECT_EQ(presetDirectory, folder);

  ASSERT_EQ(::mkdir((folder + "/presets").c_str(), 0755), 0);
  ASSERT_TRUE(presets_test::directoriesFoundBy(copy, moduleDirectory, presetDirectory));
  EXPECT_EQ(presetDirectory, folder + "/presets") << "a new instance finds the new folder";
}

TEST(PresetDirectories, AReadOnlyPresetFolderSendsTheUsersFilesToTheUserFolder) {
  host_test::ScratchFolder folder;
  const std::string module = folder.file("vellmark.so");
  const std::string moduleFolder = module.substr(0, module.rfind('/'));
  ASSERT_EQ(::mkdir(folder.file("presets").c_str(), 0755), 0);
  const std::string user = folder.file("home/data/vellmark/presets");
  EXPECT_EQ(locatePresetDirectories(module, user).presetDirectory, moduleFolder + "/presets")
      << "a writable folder beside the module stays the preset folder";
  EXPECT_TRUE(locatePresetDirectories(module, user).sharedDirectory.empty());

  presets_test::ReadOnlyFolder readOnly(folder.file("presets"));
  if (!readOnly.enforced()) GTEST_SKIP() << "this process may write to read-only folders";
  const presets::PresetDirectories found = locatePresetDirectories(module, user);
  EXPECT_EQ(found.presetDirectory, user);
  EXPECT_EQ(found.sharedDirectory, moduleFolder + "/presets");
  EXPECT_TRUE(std::filesystem::is_directory(user)) << "the user folder is made";
}

TEST(PresetDirectories, TheUserFolderFollowsXdgDataHomeElseHome) {
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string data = savedData ? savedData : "", home = savedHome ? savedHome : "";
  ::setenv("XDG_DATA_HOME", "/data", 1);
  ::setenv("HOME", "/home/u", 1);
  EXPECT_EQ(presets::userPresetDirectory(), "/data/vellmark/presets");
  ::setenv("XDG_DATA_HOME", "relative", 1);
  EXPECT_EQ(presets::userPresetDirectory(), "/home/u/.local/share/vellmark/presets");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(presets::userPresetDirectory(), "/home/u/.local/share/vellmark/presets");
  if (savedData) ::setenv("XDG_DATA_HOME", data.c_str(), 1);
  if (savedHome)
    ::setenv("HOME", home.c_str(), 1);
  else
    ::unsetenv("HOME");
}
