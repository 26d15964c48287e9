// "cmake --install" gives a fresh install its preset folder with the
// factory library, and the installed module finds it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host/host_test_support.h"
#include "presets/file_test_support.h"

TEST(Install, AFreshInstallFindsItsPresetFolder) {
  host_test::ScratchFolder scratch;
  const std::string destination = std::filesystem::canonical(scratch.file("")).string();
  const std::string command = std::string("'") + VELLMARK_CMAKE_COMMAND +
                              "' -E env 'DESTDIR=" + destination + "' '" + VELLMARK_CMAKE_COMMAND +
                              "' --install '" + VELLMARK_BUILD_DIR + "' > '" + destination +
                              "/install.log' 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::string expected = destination + VELLMARK_INSTALLED_DIR;
  ASSERT_TRUE(std::filesystem::is_directory(expected)) << expected;
  const std::string installed = std::filesystem::canonical(expected).string();
  ASSERT_TRUE(std::filesystem::is_regular_file(installed + "/vellmark.so"));
  ASSERT_TRUE(std::filesystem::is_directory(installed + "/presets"));
  // The factory library comes with it.
  EXPECT_TRUE(std::filesystem::is_regular_file(installed + "/presets/Vellmark Factory.vkb"));
  EXPECT_TRUE(std::filesystem::is_regular_file(installed + "/presets/Glass Bell.vkp"));
  // And the user manual with its pictures.
  EXPECT_TRUE(std::filesystem::is_regular_file(installed + "/manual/index.html"));
  EXPECT_TRUE(std::filesystem::is_regular_file(installed + "/manual/page-presets.png"));

  std::string moduleDirectory, presetDirectory;
  ASSERT_TRUE(presets_test::directoriesFoundBy(installed + "/vellmark.so", moduleDirectory,
                                               presetDirectory));
  EXPECT_EQ(moduleDirectory, installed);
  EXPECT_EQ(presetDirectory, installed + "/presets");
}
