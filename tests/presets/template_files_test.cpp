// Notes (".vkt") and pitch-bend (".vkm") template files on real files.
#include "presets/template_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "host/host_test_support.h"
#include "presets/file_test_support.h"
#include "support/plugin_harness.h"

using presets::TemplateMode;
using presets_test::readAll;

namespace {

class TemplateFiles : public ::testing::Test {
 protected:
  float value(int index) { return h.plugin().getParameter(index); }
  std::vector<float> range(int first, int last) { return h.parameters(first, last); }
  std::vector<float> floatsIn(const std::string& path) {
    const std::vector<uint8_t> bytes = readAll(path);
    std::vector<float> values(bytes.size() / 4);
    std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
  }
  void writeFloats(const std::string& path, const std::vector<float>& values, size_t bytes) {
    std::vector<uint8_t> file(values.size() * 4);
    std::memcpy(file.data(), values.data(), file.size());
    file.resize(bytes, 0x3F);
    host_test::writeBytes(path, file);
  }
  testing_support::PluginHarness h;
  host_test::ScratchFolder folder;
};

TEST_F(TemplateFiles, WrittenTemplatesReadBackExactly) {
  for (int i = 51; i <= 86; ++i) h.setParameter(i, 1.0f / static_cast<float>(i));
  const std::vector<float> notes = range(51, 62), bends = range(63, 86);
  ASSERT_TRUE(
      presets::writeTemplateFile(h.plugin(), TemplateMode::Notes, folder.file("a.vkt").c_str()));
  ASSERT_TRUE(presets::writeTemplateFile(h.plugin(), TemplateMode::PitchBend,
                                         folder.file("a.vkm").c_str()));
  EXPECT_EQ(floatsIn(folder.file("a.vkt")), notes) << "48 bytes of raw floats";
  EXPECT_EQ(floatsIn(folder.file("a.vkm")), bends) << "96 bytes of raw floats";

  for (int i = 51; i <= 86; ++i) h.setParameter(i, 0.5f);
  EXPECT_TRUE(
      presets::readTemplateFile(h.plugin(), TemplateMode::Notes, folder.file("a.vkt").c_str()));
  EXPECT_EQ(range(51, 62), notes);
  EXPECT_EQ(range(63, 86), std::vector<float>(24, 0.5f)) << "a notes template leaves the bends";
  EXPECT_TRUE(
      presets::readTemplateFile(h.plugin(), TemplateMode::PitchBend, folder.file("a.vkm").c_str()));
  EXPECT_EQ(range(63, 86), bends);
}

TEST_F(TemplateFiles, ShortLongAndMissingFiles) {
  for (int i = 51; i <= 62; ++i) h.setParameter(i, 0.5f);
  // Two whole values and half of a third.
  writeFloats(folder.file("short.vkt"), {0.1f, 0.2f, 0.3f}, 10);
  EXPECT_FALSE(
      presets::readTemplateFile(h.plugin(), TemplateMode::Notes, folder.file("short.vkt").c_str()));
  std::vector<float> expected(12, 0.5f);
  expected[0] = 0.1f;
  expected[1] = 0.2f;
  EXPECT_EQ(range(51, 62), expected) << "positions the file does not hold keep their values";

  writeFloats(folder.file("long.vkt"), std::vector<float>(15, 0.75f), 60);
  EXPECT_TRUE(
      presets::readTemplateFile(h.plugin(), TemplateMode::Notes, folder.file("long.vkt").c_str()));
  EXPECT_EQ(range(51, 62), std::vector<float>(12, 0.75f));
  EXPECT_EQ(value(63), 1.0f) << "bytes beyond the template are ignored";

  EXPECT_FALSE(
      presets::readTemplateFile(h.plugin(), TemplateMode::Notes, folder.file("none.vkt").c_str()));
  EXPECT_FALSE(presets::readTemplateFile(h.plugin(), TemplateMode::Notes, nullptr));
  EXPECT_EQ(range(51, 62), std::vector<float>(12, 0.75f));
  EXPECT_FALSE(
      presets::writeTemplateFile(h.plugin(), TemplateMode::Notes, folder.file("no/a.vkt").c_str()));
  if (presets_test::fileExists("/dev/full")) {
    EXPECT_FALSE(presets::writeTemplateFile(h.plugin(), TemplateMode::PitchBend, "/dev/full"));
  }
}

TEST(TemplateNames, ExtensionIsAppendedUnlessItAppearsAnywhere) {
  EXPECT_EQ(presets::templateSavePath("/p/scale", TemplateMode::Notes), "/p/scale.vkt");
  EXPECT_EQ(presets::templateSavePath("/p/scale.vkt", TemplateMode::Notes), "/p/scale.vkt");
  EXPECT_EQ(presets::templateSavePath("/p/my.vkt.old", TemplateMode::Notes), "/p/my.vkt.old");
  EXPECT_EQ(presets::templateSavePath("/p/scale.VKT", TemplateMode::Notes), "/p/scale.VKT.vkt");
  EXPECT_EQ(presets::templateSavePath("/p/scale.vkt", TemplateMode::PitchBend), "/p/scale.vkt.vkm");
  EXPECT_EQ(presets::templateSavePath("/p/bend.vkm", TemplateMode::PitchBend), "/p/bend.vkm");
  EXPECT_EQ(presets::dialogFolderOf("/a/b/c.vkt"), "/a/b");
  EXPECT_EQ(presets::dialogFolderOf("/" + std::string(600, 'x') + "/c.vkt").size(), 512u);
}

TEST_F(TemplateFiles, TheFolderFollowsTheLastTemplateLoadedOrSaved) {
  std::filesystem::create_directory(folder.file("saved"));
  std::filesystem::create_directory(folder.file("loaded"));
  presets::TemplateFolder templates;
  templates.reset(folder.file("presets"));
  EXPECT_EQ(templates.path(), folder.file("presets"));

  ASSERT_TRUE(templates.save(h.plugin(), TemplateMode::Notes, folder.file("saved/scale").c_str()));
  EXPECT_EQ(readAll(folder.file("saved/scale.vkt")).size(), 48u);
  EXPECT_EQ(templates.path(), folder.file("saved"));

  writeFloats(folder.file("loaded/b.vkm"), std::vector<float>(24, 0.25f), 96);
  ASSERT_TRUE(
      templates.load(h.plugin(), TemplateMode::PitchBend, folder.file("loaded/b.vkm").c_str()));
  EXPECT_EQ(templates.path(), folder.file("loaded"));
  EXPECT_EQ(value(86), 0.25f);
  EXPECT_FALSE(
      templates.load(h.plugin(), TemplateMode::Notes, folder.file("saved/none.vkt").c_str()));
  EXPECT_EQ(templates.path(), folder.file("loaded"))
      << "a file that cannot be read is not followed";
}

}  // namespace
