// Program and bank files written and read through the plug-in object, on
// real files in a scratch folder.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "host/host_test_support.h"
#include "params/parameter_table.h"
#include "presets/file_test_support.h"
#include "presets/program_files.h"
#include "support/plugin_harness.h"

using params::BankImage;
using params::ProgramRecord;
using presets_test::readAll;

namespace {

class ProgramFiles : public ::testing::Test {
 protected:
  Quarnel& q() { return h.plugin(); }
  ProgramRecord& stored(int p) { return q().getStoredPrograms()->programs[p]; }
  std::vector<uint8_t> bytesOf(const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
  }
  std::vector<uint8_t> storeBytes() { return bytesOf(q().getStoredPrograms(), sizeof(BankImage)); }
  std::string nameOf(int p) {
    char text[64];
    q().getProgramNameIndexed(0, p, text);
    return text;
  }
  void name(const char* text) {
    std::string copy = text;
    q().setProgramName(&copy[0]);
  }
  // A program file as an older version wrote it.
  std::string olderFile(const char* fileName, float diffusion) {
    ProgramRecord record = stored(0);
    record.version = params::kOlderVersion;
    record.values[params::kSpringBDiffusion] = diffusion;
    record.values[params::kSpringBFreqLow] = 0.3f;
    record.values[params::kSpringBFreqHigh] = 0.7f;
    const std::string path = folder.file(fileName);
    host_test::writeBytes(path, bytesOf(&record, sizeof record));
    return path;
  }

  testing_support::PluginHarness h;
  host_test::ScratchFolder folder;
};

TEST_F(ProgramFiles, SavingWritesTheRecordWithItsPathAndCurrentVersion) {
  q().setProgram(5);
  h.setParameter(7, 0.321f);
  name("Bright");
  stored(5).version = params::kOlderVersion;
  const std::string path = folder.file("Bright.vkp");
  ASSERT_TRUE(q().saveProgramFile(5, path.c_str()));

  const std::vector<uint8_t> file = readAll(path);
  ASSERT_EQ(file.size(), 1500u);
  EXPECT_EQ(file[0], 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[448])), path);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[1472])), "Bright");
  EXPECT_EQ(file, bytesOf(&stored(5), sizeof(ProgramRecord))) << "the record took path and version";
  char text[1024];
  q().getProgramPath(text);
  EXPECT_EQ(std::string(text), path);

  // A path longer than the field is cut to 1023 characters in the record.
  std::string deep = folder.file("");
  for (int level = 0; level < 6; ++level) {
    deep += std::string(200, static_cast<char>('a' + level)) + "/";
    std::filesystem::create_directory(deep);
  }
  const std::string longPath = deep + "Bright.vkp";
  ASSERT_TRUE(q().saveProgramFile(5, longPath.c_str()));
  EXPECT_EQ(std::string(stored(5).path), longPath.substr(0, 1023));
  EXPECT_EQ(readAll(longPath).size(), 1500u);

  EXPECT_FALSE(q().saveProgramFile(64, path.c_str()));
  EXPECT_FALSE(q().saveProgramFile(-1, path.c_str()));
  EXPECT_FALSE(q().saveProgramFile(0, nullptr));
}

TEST_F(ProgramFiles, OlderNoiseModeProgramsAreUpgradedWhenLoaded) {
  ASSERT_TRUE(q().loadProgramFile(2, olderFile("noise.vkp", 1.0f).c_str()));
  EXPECT_EQ(stored(2).values[params::kSpringBFreqLow], 1.0f);
  EXPECT_EQ(stored(2).values[params::kSpringBFreqHigh], 0.5f);
  EXPECT_EQ(stored(2).version, params::kOlderVersion) << "the version byte stays";
  EXPECT_EQ(std::string(stored(2).path), folder.file("noise.vkp"));
  q().setProgram(2);
  EXPECT_EQ(q().getParameter(params::kSpringBFreqLow), 1.0f);

  ASSERT_TRUE(q().loadProgramFile(3, olderFile("almost.vkp", 0.999f).c_str()));
  EXPECT_EQ(stored(3).values[params::kSpringBFreqLow], 0.3f);
  EXPECT_EQ(stored(3).values[params::kSpringBFreqHigh], 0.7f);

  // Only records of the older format are converted.
  ProgramRecord current = stored(0);
  current.values[params::kSpringBDiffusion] = 1.0f;
  current.values[params::kSpringBFreqLow] = 0.3f;
  host_test::writeBytes(folder.file("current.vkp"), bytesOf(&current, sizeof current));
  ASSERT_TRUE(q().loadProgramFile(4, folder.file("current.vkp").c_str()));
  EXPECT_EQ(stored(4).values[params::kSpringBFreqLow], 0.3f);

  // Records arriving in a bank are taken as they are.
  BankImage bank = *q().getStoredPrograms();
  std::memcpy(&bank.programs[6], readAll(folder.file("noise.vkp")).data(), sizeof(ProgramRecord));
  host_test::writeBytes(folder.file("old.vkb"), bytesOf(&bank, sizeof bank));
  ASSERT_TRUE(q().loadBankFile(folder.file("old.vkb").c_str()));
  EXPECT_EQ(stored(6).values[params::kSpringBFreqLow], 0.3f);
  EXPECT_EQ(stored(6).values[params::kSpringBFreqHigh], 0.7f);
}

TEST_F(ProgramFiles, LoadsThatFailChangeNothing) {
  q().setProgram(1);
  name("Keep");
  ASSERT_TRUE(q().saveProgramFile(1, folder.file("keep.vkp").c_str()));
  const std::vector<uint8_t> before = storeBytes();

  ProgramRecord other = stored(0);
  host_test::writeBytes(folder.file("short.vkp"), bytesOf(&other, 1499));
  host_test::writeBytes(folder.file("empty.vkp"), {});
  EXPECT_FALSE(q().loadProgramFile(1, folder.file("missing.vkp").c_str()));
  EXPECT_FALSE(q().loadProgramFile(1, folder.file("short.vkp").c_str()));
  EXPECT_FALSE(q().loadProgramFile(1, folder.file("empty.vkp").c_str()));
  EXPECT_FALSE(q().loadProgramFile(1, folder.file("").c_str())) << "a folder";
  EXPECT_FALSE(q().loadProgramFile(1, ""));
  EXPECT_FALSE(q().loadProgramFile(64, folder.file("keep.vkp").c_str()));
  EXPECT_EQ(storeBytes(), before) << "values, name and path all as they were";

  std::vector<uint8_t> bank = storeBytes();
  host_test::writeBytes(folder.file("short.vkb"),
                        std::vector<uint8_t>(bank.begin(), bank.end() - 1));
  EXPECT_FALSE(q().loadBankFile(folder.file("short.vkb").c_str()));
  EXPECT_FALSE(q().loadBankFile(folder.file("keep.vkp").c_str()));
  EXPECT_FALSE(q().loadBankFile(folder.file("missing.vkb").c_str()));
  EXPECT_FALSE(q().loadBankFile(nullptr));
  EXPECT_EQ(storeBytes(), before);
}

TEST_F(ProgramFiles, LongFilesAndUnterminatedTextsAreReadWithinTheirFields) {
  ProgramRecord record;
  std::memset(&record, 'A', sizeof record);  // no terminator in name or path
  record.version = params::kCurrentVersion;
  for (float& value : record.values) value = 0.25f;
  std::vector<uint8_t> file = bytesOf(&record, sizeof record);
  file.resize(2000, 0x7F);
  host_test::writeBytes(folder.file("long.vkp"), file);
  ASSERT_TRUE(q().loadProgramFile(0, folder.file("long.vkp").c_str()));
  EXPECT_EQ(stored(0).values[110], 0.25f);
  EXPECT_EQ(nameOf(0), std::string(24, 'A'));
  EXPECT_EQ(stored(0).name[24], 0);

  BankImage bank;
  std::memset(&bank, 'B', sizeof bank);
  for (ProgramRecord& program : bank.programs)
    for (float& value : program.values) value = 0.5f;
  file = bytesOf(&bank, sizeof bank);
  file.resize(sizeof bank + 100, 0);
  host_test::writeBytes(folder.file("long.vkb"), file);
  ASSERT_TRUE(q().loadBankFile(folder.file("long.vkb").c_str()));
  EXPECT_EQ(nameOf(63), std::string(24, 'B'));
  EXPECT_EQ(std::strlen(stored(9).path), 1023u);
  char text[1100];
  ASSERT_TRUE(q().getBankPath(text));
  EXPECT_EQ(std::strlen(text), 1023u);
}

TEST_F(ProgramFiles, BankRoundTripsByteForByteUnderItsSavedPath) {
  for (int p = 0; p < 64; p += 7) {
    q().setProgram(p);
    h.setParameter(p % 111, 0.01f * p);
    name(("Prog " + std::to_string(p)).c_str());
  }
  stored(9).version = params::kOlderVersion;  // written as held
  const std::string path = folder.file("set.vkb");
  ASSERT_TRUE(q().saveBankFile(path.c_str()));
  const std::vector<uint8_t> saved = storeBytes();
  EXPECT_EQ(readAll(path), saved);
  EXPECT_EQ(std::string(q().getStoredPrograms()->bankPath), path);
  for (int p = 0; p < 64; ++p) EXPECT_EQ(std::string(stored(p).path), path) << p;
  EXPECT_EQ(stored(9).version, params::kOlderVersion);

  std::filesystem::create_directory(folder.file("moved"));
  std::filesystem::rename(path, folder.file("moved/set.vkb"));
  testing_support::PluginHarness other;
  ASSERT_TRUE(other.plugin().loadBankFile(folder.file("moved/set.vkb").c_str()));
  EXPECT_EQ(bytesOf(other.plugin().getStoredPrograms(), sizeof(BankImage)), saved);
  char text[1024];
  ASSERT_TRUE(other.plugin().getBankPath(text));
  EXPECT_EQ(std::string(text), path) << "the path it was saved under";
  other.plugin().setProgram(14);
  EXPECT_EQ(other.plugin().getParameter(14), 0.01f * 14);
}

TEST_F(ProgramFiles, SavesThatFailKeepTheStoreAndTheOldFile) {
  const std::string path = folder.file("kept.vkp");
  ASSERT_TRUE(q().saveProgramFile(0, path.c_str()));
  const std::vector<uint8_t> oldFile = readAll(path);
  const std::vector<uint8_t> before = storeBytes();

  host_test::writeBytes(folder.file("file"), {1});
  EXPECT_FALSE(q().saveProgramFile(0, folder.file("missing/x.vkp").c_str()));
  EXPECT_FALSE(q().saveProgramFile(0, folder.file("file/x.vkp").c_str()));
  EXPECT_FALSE(q().saveBankFile(folder.file("missing/x.vkb").c_str()));
  EXPECT_FALSE(q().saveBankFile(folder.file("").c_str())) << "a folder";
  EXPECT_FALSE(q().saveBankFile(""));
  if (presets_test::fileExists("/dev/full")) {
    EXPECT_FALSE(q().saveProgramFile(0, "/dev/full"));
    EXPECT_FALSE(q().saveBankFile("/dev/full"));
  }
  EXPECT_EQ(storeBytes(), before) << "no record claims a file that was not written";

  presets_test::ReadOnlyFolder readOnly(folder.file(""));
  if (!readOnly.enforced()) GTEST_SKIP() << "permissions do not bind this process (root)";
  q().setProgram(0);
  h.setParameter(3, 0.5f);
  EXPECT_FALSE(q().saveProgramFile(0, path.c_str()));
  EXPECT_EQ(readAll(path), oldFile);
}

}  // namespace
