// Whole-file replacement, bounded reads and folder listings on real files.
#include "platform/file_system.h"
#include "platform/user_folders.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "host/host_test_support.h"
#include "presets/file_test_support.h"

using presets_test::entriesOf;
using presets_test::readAll;

namespace {

std::vector<uint8_t> pattern(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7);
  return bytes;
}

bool replace(const std::string& path, const std::vector<uint8_t>& bytes) {
  return platform::replaceFileContents(path, bytes.data(), bytes.size());
}

mode_t permissionsOf(const std::string& path) {
  struct stat info;
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

}  // namespace

TEST(FileSystem, ReplacesWholeFilesKeepingPermissionsAndLinks) {
  host_test::ScratchFolder folder;
  const std::string path = folder.file("a.vkb");
  ASSERT_TRUE(replace(path, pattern(3000, 1)));
  EXPECT_EQ(readAll(path), pattern(3000, 1));
  // A new file gets the permissions any other new file gets, not the
  // private ones of a temporary file.
  std::ofstream(folder.file("plain")).put('x');
  EXPECT_EQ(permissionsOf(path), permissionsOf(folder.file("plain")));

  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(replace(path, pattern(10, 9)));
  EXPECT_EQ(readAll(path), pattern(10, 9));
  EXPECT_EQ(permissionsOf(path), 0640u);

  // A link keeps pointing at the file, which receives the bytes.
  ASSERT_EQ(::symlink(path.c_str(), folder.file("link.vkb").c_str()), 0);
  ASSERT_TRUE(replace(folder.file("link.vkb"), pattern(20, 3)));
  EXPECT_EQ(readAll(path), pattern(20, 3));
  struct stat info;
  ASSERT_EQ(::lstat(folder.file("link.vkb").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(entriesOf(folder.file("")), (std::vector<std::string>{"a.vkb", "link.vkb", "plain"}));
}

TEST(FileSystem, FailedWritesReportFalseAndLeaveNothingBehind) {
  host_test::ScratchFolder folder;
  const std::vector<uint8_t> bytes = pattern(1500, 5);
  EXPECT_FALSE(replace(folder.file("missing/x.vkp"), bytes));
  std::ofstream(folder.file("regular")).put('r');
  EXPECT_FALSE(replace(folder.file("regular/x.vkp"), bytes)) << "a folder that is a file";
  EXPECT_FALSE(replace("", bytes));
  ASSERT_EQ(::mkdir(folder.file("sub").c_str(), 0755), 0);
  EXPECT_FALSE(replace(folder.file("sub"), bytes)) << "a folder is never replaced";
  ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0644), 0);
  EXPECT_FALSE(replace(folder.file("pipe"), bytes)) << "refused without waiting for a reader";
  EXPECT_EQ(entriesOf(folder.file("")), (std::vector<std::string>{"pipe", "regular", "sub"}));

  // A full disk: the device refuses the bytes.
  if (presets_test::fileExists("/dev/full")) {
    EXPECT_FALSE(replace("/dev/full", bytes));
  }

  const std::string kept = folder.file("sub/kept.vkp");
  ASSERT_TRUE(replace(kept, pattern(100, 1)));
  presets_test::ReadOnlyFolder readOnly(folder.file("sub"));
  if (!readOnly.enforced()) GTEST_SKIP() << "permissions do not bind this process (root)";
  EXPECT_FALSE(replace(kept, bytes));
  EXPECT_FALSE(replace(folder.file("sub/new.vkp"), bytes));
  EXPECT_EQ(readAll(kept), pattern(100, 1));
  EXPECT_EQ(entriesOf(folder.file("sub")), std::vector<std::string>{"kept.vkp"});
}

TEST(FileSystem, AWriteCutShortLeavesTheOldFileWhole) {
  host_test::ScratchFolder folder;
  const std::string path = folder.file("bank.vkb");
  ASSERT_TRUE(replace(path, pattern(2000, 4)));

  // The file-size limit makes the system stop the write part way, as a
  // full disk would.
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct sigaction ignore = {}, previous = {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &previous);
  struct rlimit limited = saved;
  limited.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool written = replace(path, pattern(97024, 8));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_FALSE(written);
  EXPECT_EQ(readAll(path), pattern(2000, 4));
  EXPECT_EQ(entriesOf(folder.file("")), std::vector<std::string>{"bank.vkb"});
}

TEST(FileSystem, ReadsTheStartOfRegularFilesOnly) {
  host_test::ScratchFolder folder;
  host_test::writeBytes(folder.file("short"), pattern(10, 1));
  host_test::writeBytes(folder.file("long"), pattern(2000, 2));
  std::vector<uint8_t> buffer(1500, 0xEE);
  EXPECT_EQ(platform::readFileStart(folder.file("short"), buffer.data(), buffer.size()), 10);
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 10, pattern(10, 1).begin()));
  EXPECT_EQ(buffer[10], 0xEE);
  EXPECT_EQ(platform::readFileStart(folder.file("long"), buffer.data(), buffer.size()), 1500);
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.end(), pattern(2000, 2).begin()));

  EXPECT_EQ(platform::readFileStart(folder.file("missing"), buffer.data(), buffer.size()), -1);
  EXPECT_EQ(platform::readFileStart(folder.file(""), buffer.data(), buffer.size()), -1);
  ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0644), 0);
  EXPECT_EQ(platform::readFileStart(folder.file("pipe"), buffer.data(), buffer.size()), -1);
}

TEST(FileSystem, ListsFilesButNotFolders) {
  host_test::ScratchFolder folder;
  host_test::writeBytes(folder.file("a.vkp"), {1});
  host_test::writeBytes(folder.file("b.vkb"), {2});
  ASSERT_EQ(::mkdir(folder.file("folder.vkb").c_str(), 0755), 0);
  ASSERT_EQ(::symlink(folder.file("a.vkp").c_str(), folder.file("link.vkp").c_str()), 0);
  ASSERT_EQ(::symlink(folder.file("nowhere").c_str(), folder.file("dangling.vkp").c_str()), 0);
  std::vector<std::string> names = platform::listFiles(folder.file(""));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a.vkp", "b.vkb", "link.vkp"}));
  EXPECT_TRUE(platform::listFiles(folder.file("missing")).empty());
}

TEST(FileSystem, RemovesFilesAndLinksButNotFolders) {
  host_test::ScratchFolder folder;
  host_test::writeBytes(folder.file("a.vkp"), {1});
  ASSERT_EQ(::symlink(folder.file("a.vkp").c_str(), folder.file("link.vkp").c_str()), 0);
  EXPECT_TRUE(platform::removeFile(folder.file("link.vkp")));
  EXPECT_TRUE(presets_test::fileExists(folder.file("a.vkp"))) << "the link goes, not its target";
  EXPECT_TRUE(platform::removeFile(folder.file("a.vkp")));
  EXPECT_FALSE(platform::removeFile(folder.file("a.vkp")));
  ASSERT_EQ(::mkdir(folder.file("sub").c_str(), 0755), 0);
  EXPECT_FALSE(platform::removeFile(folder.file("sub")));
  EXPECT_FALSE(platform::removeFile(""));
  EXPECT_EQ(entriesOf(folder.file("")), std::vector<std::string>{"sub"});
}

TEST(FileSystem, MakesMissingFoldersAndTellsWhatIsWritable) {
  host_test::ScratchFolder folder;
  const std::string deep = folder.file("a/b/c");
  EXPECT_TRUE(platform::makeFolders(deep));
  EXPECT_TRUE(platform::makeFolders(deep)) << "an existing folder is fine";
  EXPECT_TRUE(platform::isWritable(deep));
  host_test::writeBytes(folder.file("file"), {1});
  EXPECT_FALSE(platform::makeFolders(folder.file("file"))) << "a file is not a folder";
  EXPECT_FALSE(platform::makeFolders(folder.file("file/sub")));
  EXPECT_FALSE(platform::makeFolders(""));
  EXPECT_FALSE(platform::isWritable(folder.file("missing")));
  EXPECT_FALSE(platform::isWritable(""));
}

TEST(FileSystem, UserDataFolderFollowsTheDesktopRules) {
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string data = savedData ? savedData : "", home = savedHome ? savedHome : "";
  ::setenv("XDG_DATA_HOME", "/data/home", 1);
  ::setenv("HOME", "/home/user", 1);
  EXPECT_EQ(platform::userDataFolder(), "/data/home");
  ::setenv("XDG_DATA_HOME", "relative", 1);
  EXPECT_EQ(platform::userDataFolder(), "/home/user/.local/share") << "only absolute paths count";
  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("HOME");
  EXPECT_EQ(platform::userDataFolder(), "");
  if (savedData) ::setenv("XDG_DATA_HOME", data.c_str(), 1);
  if (savedHome) ::setenv("HOME", home.c_str(), 1);
}
