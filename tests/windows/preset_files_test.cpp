// Program, bank and template file paths on Windows: backslash folders, whole
// files written through the Windows file services.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "params/program_record.h"
#include "presets/program_files.h"
#include "presets/template_files.h"

namespace fs = std::filesystem;

namespace {

struct Folder {
  Folder() {
    path = fs::temp_directory_path() / "vellmark-windows-presets";
    fs::remove_all(path);
    fs::create_directories(path / "sub");
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::string file(const char* name) const { return (path / name).string(); }
  fs::path path;
};

params::ProgramRecord recordWith(float value, const char* name) {
  params::ProgramRecord record{};
  record.version = 1;
  for (float& v : record.values) v = value;
  params::setRecordName(record, name);
  return record;
}

}  // namespace

TEST(WindowsPresetFiles, ProgramAndBankFilesRoundTripUnderBackslashPaths) {
  Folder folder;
  params::ProgramRecord saved = recordWith(0.25f, "Saved");
  const std::string path = folder.file("Saved.vkp");
  ASSERT_NE(path.find('\\'), std::string::npos);
  ASSERT_TRUE(presets::saveProgramFile(saved, path.c_str()));
  EXPECT_EQ(fs::file_size(path), 1500u);
  EXPECT_EQ(saved.version, 2);
  EXPECT_STREQ(saved.path, path.c_str());

  params::ProgramRecord loaded = recordWith(0.75f, "Other");
  ASSERT_TRUE(presets::loadProgramFile(loaded, path.c_str()));
  EXPECT_EQ(std::memcmp(&loaded, &saved, sizeof loaded), 0);

  auto bank = std::make_unique<params::BankImage>();
  std::memset(bank.get(), 0, sizeof *bank);
  bank->programs[63] = recordWith(0.5f, "Last");
  const std::string bankPath = folder.file("Mine.vkb");
  ASSERT_TRUE(presets::saveBankFile(*bank, bankPath.c_str()));
  EXPECT_EQ(fs::file_size(bankPath), 97024u);
  auto again = std::make_unique<params::BankImage>();
  std::memset(again.get(), 0xFF, sizeof *again);
  ASSERT_TRUE(presets::loadBankFile(*again, bankPath.c_str()));
  EXPECT_EQ(std::memcmp(again.get(), bank.get(), sizeof *bank), 0);
  EXPECT_STREQ(again->bankPath, bankPath.c_str());
}

TEST(WindowsPresetFiles, FailedSavesAndLoadsKeepTheRecord) {
  Folder folder;
  params::ProgramRecord record = recordWith(0.5f, "Kept");
  const params::ProgramRecord before = record;
  EXPECT_FALSE(presets::saveProgramFile(record, folder.file("sub").c_str())) << "a folder";
  EXPECT_FALSE(presets::saveProgramFile(record, folder.file("missing\\x.vkp").c_str()));
  EXPECT_FALSE(presets::loadProgramFile(record, folder.file("missing.vkp").c_str()));
  EXPECT_EQ(std::memcmp(&record, &before, sizeof record), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1)
      << "no file was left behind";
}

TEST(WindowsPresetFiles, TemplateDialogFoldersFollowBackslashPaths) {
  EXPECT_EQ(presets::templateSavePath("C:\\VST\\presets\\scale", presets::TemplateMode::Notes),
            "C:\\VST\\presets\\scale.vkt");
  EXPECT_EQ(presets::dialogFolderOf("C:\\VST\\presets\\scale.vkm"), "C:\\VST\\presets");
}
