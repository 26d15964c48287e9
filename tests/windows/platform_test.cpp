// The Windows platform services on a real (wine) file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/crt_random.h"
#include "platform/file_system.h"
#include "platform/fp_mode.h"
#include "platform/module_path.h"
#include "platform/shell_open.h"
#include "platform/user_folders.h"
#include "presets/preset_directories.h"
#include "presets/safe_file_name.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    static int count = 0;
    path_ = fs::temp_directory_path() / ("vellmark-windows-test-" + std::to_string(std::rand()) +
                                         "-" + std::to_string(++count));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::permissions(path_ / "locked.vkp", fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
  }
  std::string path() const { return path_.string(); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

std::vector<std::string> sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::string contentsOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool replace(const std::string& path, const std::string& bytes) {
  return platform::replaceFileContents(path, bytes.data(), bytes.size());
}

}  // namespace

TEST(WindowsPlatform, ModulePathAndFoldersUseBackslashes) {
  const std::string self = platform::modulePath();
  ASSERT_GE(self.size(), 4u);
  EXPECT_EQ(self.substr(self.size() - 4), ".exe");
  EXPECT_EQ(self[1], ':') << "a full path with a drive: " << self;
  EXPECT_EQ(platform::pathSeparator(), '\\');
  EXPECT_EQ(platform::folderOf("C:\\Program Files\\VST\\vellmark.dll"), "C:\\Program Files\\VST");
  EXPECT_EQ(platform::folderOf("C:/VST/vellmark.dll"), "C:/VST");
  EXPECT_EQ(platform::folderOf("vellmark.dll"), "vellmark.dll");
}

TEST(WindowsPlatform, PresetFolderIsBesideTheModuleWhenItExists) {
  ScratchFolder folder;
  const std::string module = folder.file("vellmark.dll");
  presets::PresetDirectories found = presets::locatePresetDirectories(module);
  EXPECT_EQ(found.moduleDirectory, folder.path());
  EXPECT_EQ(found.presetDirectory, folder.path());
  fs::create_directory(folder.file("presets"));
  found = presets::locatePresetDirectories(module);
  EXPECT_EQ(found.presetDirectory, folder.path() + "\\presets");
}

TEST(WindowsPlatform, ReplacesFilesWholeAndRefusesFoldersAndReadOnlyFiles) {
  ScratchFolder folder;
  const std::string path = folder.file("a.vkb");
  ASSERT_TRUE(replace(path, std::string(3000, 'a')));
  ASSERT_TRUE(replace(path, "shorter"));
  EXPECT_EQ(contentsOf(path), "shorter");
  ASSERT_TRUE(replace(folder.file("empty.vkp"), ""));
  EXPECT_EQ(fs::file_size(folder.file("empty.vkp")), 0u);

  fs::create_directory(folder.file("sub"));
  EXPECT_FALSE(replace(folder.file("sub"), "x")) << "a folder is never replaced";
  EXPECT_FALSE(replace(folder.file("missing\\x.vkp"), "x"));
  EXPECT_FALSE(replace("", "x"));
  ASSERT_TRUE(replace(folder.file("locked.vkp"), "old"));
  fs::permissions(folder.file("locked.vkp"), fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_FALSE(replace(folder.file("locked.vkp"), "new"));
  EXPECT_EQ(contentsOf(folder.file("locked.vkp")), "old");

  // Only files are listed, and no temporary file is left behind.
  EXPECT_EQ(sorted(platform::listFiles(folder.path())),
            (std::vector<std::string>{"a.vkb", "empty.vkp", "locked.vkp"}));
  EXPECT_EQ(platform::listFiles(folder.path() + "\\").size(), 3u) << "with a trailing separator";
  EXPECT_TRUE(platform::listFiles(folder.file("missing")).empty());
}

TEST(WindowsPlatform, ReadsBoundedStartsOfRegularFilesOnly) {
  ScratchFolder folder;
  ASSERT_TRUE(replace(folder.file("p.vkp"), "0123456789"));
  char buffer[4] = {};
  EXPECT_EQ(platform::readFileStart(folder.file("p.vkp"), buffer, 4), 4);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  char large[64] = {};
  EXPECT_EQ(platform::readFileStart(folder.file("p.vkp"), large, sizeof large), 10);
  EXPECT_EQ(platform::readFileStart(folder.file("nothing"), large, sizeof large), -1);
  EXPECT_EQ(platform::readFileStart(folder.path(), large, sizeof large), -1) << "a folder";
  EXPECT_EQ(platform::readFileStart("NUL", large, sizeof large), -1) << "a device";
  EXPECT_EQ(platform::readFileStart("CON", large, sizeof large), -1) << "the console";
}

TEST(WindowsPlatform, RemovesFilesButNotFolders) {
  ScratchFolder folder;
  ASSERT_TRUE(replace(folder.file("gone.vkp"), "x"));
  EXPECT_TRUE(platform::removeFile(folder.file("gone.vkp")));
  EXPECT_FALSE(platform::pathExists(folder.file("gone.vkp")));
  EXPECT_FALSE(platform::removeFile(folder.file("gone.vkp")));
  fs::create_directory(folder.file("sub"));
  EXPECT_FALSE(platform::removeFile(folder.file("sub")));
  EXPECT_TRUE(platform::pathExists(folder.file("sub")));
}

TEST(WindowsPlatform, MakesMissingFoldersAndTellsWhatIsWritable) {
  ScratchFolder folder;
  const std::string deep = folder.file("a\\b/c\\");
  EXPECT_TRUE(platform::makeFolders(deep)) << "either separator, a trailing one too";
  EXPECT_TRUE(platform::makeFolders(deep));
  EXPECT_TRUE(fs::is_directory(folder.file("a\\b\\c")));
  EXPECT_TRUE(platform::isWritable(deep));
  EXPECT_TRUE(platform::listFiles(deep).empty()) << "the write probe leaves nothing";
  ASSERT_TRUE(replace(folder.file("file"), "x"));
  EXPECT_FALSE(platform::makeFolders(folder.file("file"))) << "a file is not a folder";
  EXPECT_FALSE(platform::makeFolders(folder.file("file\\sub")));
  EXPECT_TRUE(platform::isWritable(folder.file("file")));
  ASSERT_TRUE(replace(folder.file("locked.vkp"), "old"));
  fs::permissions(folder.file("locked.vkp"), fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_FALSE(platform::isWritable(folder.file("locked.vkp")));
  EXPECT_FALSE(platform::isWritable(folder.file("missing")));
  EXPECT_FALSE(platform::makeFolders(""));
}

TEST(WindowsPlatform, UserDataFolderIsTheRoamingApplicationData) {
  const std::string folder = platform::userDataFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
  EXPECT_TRUE(fs::is_directory(folder));
}

TEST(WindowsPlatform, HostileNamesStayInsideThePresetFolder) {
  ScratchFolder outer;
  fs::create_directory(outer.file("presets"));
  const std::string presetsFolder = outer.file("presets");
  const std::vector<std::string> names = {"..\\escape", "../escape", "C:\\escape", "CON",
                                          "nul",        "COM1",      "lpt9.txt",   "..",
                                          "a:b",        "what?*",    "aux . "};
  for (const std::string& name : names) {
    const std::string path = presets::presetFilePath(presetsFolder, name, ".vkp");
    EXPECT_TRUE(replace(path, name)) << name << " as " << path;
    EXPECT_EQ(contentsOf(path), name) << path;
  }
  EXPECT_EQ(platform::listFiles(outer.path()), std::vector<std::string>{})
      << "nothing was written beside the preset folder";
  EXPECT_EQ(platform::listFiles(presetsFolder).size(), names.size() - 1)
      << "\"../escape\" and \"..\\escape\" name the same file";
}

TEST(WindowsPlatform, RandomGeneratorFollowsTheRuntimeLibrarysRule) {
  // The engine's own generator must give the bits the Windows C runtime's
  // rand gives, on every thread and from every seed.
  for (unsigned seed : {1u, 0u, 12345u, 0xFFFFFFFFu}) {
    std::srand(seed);
    platform::CrtRandom own(seed);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(own.rand(), std::rand()) << seed << " draw " << i;
  }
  // Each new thread starts from seed 1 without calling srand.
  std::srand(99);
  int mismatches = -1;
  std::thread([&mismatches] {
    mismatches = 0;
    for (int i = 0; i < 1000; ++i) mismatches += platform::rand() != std::rand();
  }).join();
  EXPECT_EQ(mismatches, 0);
}

TEST(WindowsPlatform, FlushToZeroIsScopedAndOnlyWebAddressesAreOpened) {
  const uint32_t before = platform::floatingPointMode();
  {
    platform::ScopedFlushToZero scope;
    EXPECT_TRUE(platform::flushToZeroEnabled());
  }
  EXPECT_EQ(platform::floatingPointMode(), before);
  for (const char* refused : {"C:\\Windows\\system32\\calc.exe", "file:///C:/x", "cmd /c dir",
                              "http://", "http://a b", "https://x\n", ""}) {
    EXPECT_FALSE(platform::openUrl(refused)) << refused;
  }
  EXPECT_FALSE(platform::openUrl(nullptr));
}
