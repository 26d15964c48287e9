// The factory library beside the built module: a bank and the same
// programs as single files, each of which plays audibly, without clipping
// and without non-finite samples.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/module_path.h"
#include "presets/file_test_support.h"
#include "presets/preset_listing.h"
#include "support/plugin_harness.h"

namespace {

std::string libraryFolder() { return platform::folderOf(VELLMARK_MODULE_PATH) + "/presets"; }

TEST(FactoryLibrary, TheBankHoldsEveryProgramFileByteForByteInItsValues) {
  const auto files = presets::listPresetFiles({{libraryFolder(), false}}, ".vkp", 1024);
  ASSERT_GE(files.size(), 24u);
  const std::vector<uint8_t> bankBytes =
      presets_test::readAll(libraryFolder() + "/Vellmark Factory.vkb");
  ASSERT_EQ(bankBytes.size(), sizeof(params::BankImage));
  params::BankImage bank;
  std::memcpy(&bank, bankBytes.data(), sizeof bank);
  EXPECT_STREQ(bank.bankPath, "Vellmark Factory.vkb") << "no build folder inside the files";

  for (const presets::PresetFile& file : files) {
    const std::vector<uint8_t> bytes = presets_test::readAll(file.path);
    ASSERT_EQ(bytes.size(), sizeof(params::ProgramRecord)) << file.name;
    params::ProgramRecord record;
    std::memcpy(&record, bytes.data(), sizeof record);
    EXPECT_EQ(file.name, record.name);
    bool inBank = false;
    for (const params::ProgramRecord& stored : bank.programs)
      inBank |= std::strcmp(stored.name, record.name) == 0 &&
                std::memcmp(stored.values, record.values, sizeof record.values) == 0;
    EXPECT_TRUE(inBank) << file.name;
  }
}

TEST(FactoryLibrary, EveryProgramPlaysAudiblyCleanly) {
  for (const presets::PresetFile& file :
       presets::listPresetFiles({{libraryFolder(), false}}, ".vkp", 1024)) {
    testing_support::PluginHarness h;
    ASSERT_TRUE(h.plugin().loadProgramFile(0, file.path.c_str())) << file.name;
    h.plugin().setProgram(0);
    h.noteOn(48, 100);
    h.noteOn(64, 90);
    h.controller(1, 100);  // the scraped programs sound with the wheel
    const testing_support::Stereo out = h.render(36000);
    EXPECT_TRUE(testing_support::allFinite(out)) << file.name;
    const float peak = testing_support::peak(out);
    EXPECT_GT(peak, 0.01f) << file.name;
    EXPECT_LT(peak, 1.0f) << file.name;
  }
}

}  // namespace
