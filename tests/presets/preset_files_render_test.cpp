// Program and bank files saved by the plug-in object drive the command-line
// host's render, as a user would use them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "host/host_test_support.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

namespace {

std::string quote(const std::string& text) { return "'" + text + "'"; }

// Renders the demo phrase with a chunk file; returns the host's report, or
// an empty text when it failed.
std::string renderWith(const host_test::ScratchFolder& folder, const std::string& arguments) {
  const std::string log = folder.file("render.txt");
  const std::string command =
      quote(VELLMARK_HOST_PATH) + " render -o " + quote(folder.file("out.wav")) + " --tail 0.2 " +
      arguments + " --module " + quote(VELLMARK_MODULE_PATH) + " > " + quote(log) + " 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream file(log);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command << "\n" << text.str();
  return text.str();
}

bool silent(const std::string& report) {
  return report.find("peak            L 0 (silent)   R 0 (silent)") != std::string::npos;
}

}  // namespace

TEST(PresetFilesRender, TheHostRendersWithSavedProgramAndBankFiles) {
  host_test::ScratchFolder folder;
  testing_support::PluginHarness h;
  Quarnel& q = h.plugin();
  // Program 3 is muted, program 0 is not.
  q.setProgram(3);
  h.setParameter(params::kVolume, 0.0f);
  ASSERT_TRUE(q.saveProgramFile(3, folder.file("muted.vkp").c_str()));
  ASSERT_TRUE(q.saveBankFile(folder.file("set.vkb").c_str()));

  std::string report = renderWith(folder, "--chunk " + quote(folder.file("muted.vkp")));
  EXPECT_TRUE(silent(report)) << report;
  report = renderWith(folder, "--chunk " + quote(folder.file("set.vkb")) + " --program 3");
  EXPECT_TRUE(silent(report)) << report;
  report = renderWith(folder, "--chunk " + quote(folder.file("set.vkb")) + " --program 0");
  EXPECT_FALSE(silent(report)) << report;
  EXPECT_NE(report.find("non-finite      0"), std::string::npos) << report;
}
