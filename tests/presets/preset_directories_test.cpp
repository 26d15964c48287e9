// The module folder and the preset folder beside it.
#include "presets/preset_directories.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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
  const std::string folder = std::filesystem::canonical(scratch.file("")).string();
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

// Runs locatePresetDirectories in a child process under the unprivileged
// user "nobody"; false when that is not possible.
bool locateAsNobody(const std::string& module, const std::string& user,
                    presets::PresetDirectories& found) {
  int channel[2];
  if (::pipe(channel) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(channel[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(1);
    const presets::PresetDirectories d = locatePresetDirectories(module, user);
    const std::string answer = d.presetDirectory + "\n" + d.sharedDirectory + "\n";
    const bool written =
        ::write(channel[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
    ::_exit(written ? 0 : 1);
  }
  ::close(channel[1]);
  std::string answer;
  char buffer[512];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    answer.append(buffer, static_cast<size_t>(got));
  ::close(channel[0]);
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0)
    return false;
  const size_t line = answer.find('\n');
  if (line == std::string::npos) return false;
  found.presetDirectory = answer.substr(0, line);
  found.sharedDirectory = answer.substr(line + 1, answer.size() - line - 2);
  return true;
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
  presets::PresetDirectories found;
  if (readOnly.enforced()) {
    found = locatePresetDirectories(module, user);
  } else if (::getuid() == 0) {
    // Root writes anywhere: ask as an ordinary user, as a system-wide
    // install's users are.
    ::chmod(moduleFolder.c_str(), 0755);
    ASSERT_EQ(::mkdir(folder.file("home").c_str(), 0777), 0);
    ::chmod(folder.file("home").c_str(), 0777);  // past the umask
    ASSERT_TRUE(locateAsNobody(module, user, found));
  } else {
    GTEST_SKIP() << "this process may write to read-only folders";
  }
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
