#include <gtest/gtest.h>
#include <unistd.h>

#include "gui/cnew_file_selector.h"
#include "gui/fake_programs.h"
#include "platform/child_process.h"
#include "platform/shell_open.h"

namespace {

using gui::CFileExtension;
using gui::CNewFileSelector;

// Clears the scripted answer whatever the test does.
struct ResponderGuard {
  ~ResponderGuard() { CNewFileSelector::setTestResponder(nullptr); }
};

TEST(FileSelector, ScriptedResponderSeesTheWholeRequest) {
  ResponderGuard guard;
  CNewFileSelector::Request seen;
  CNewFileSelector::setTestResponder(
      [&](const CNewFileSelector::Request& request, std::vector<std::string>& chosen) {
        seen = request;
        chosen.push_back("/presets/Bright.vkp");
        return true;
      });
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectSaveFile);
  ASSERT_NE(selector, nullptr);
  selector->setTitle("Save A Program File");
  selector->setInitialDirectory("/presets");
  selector->setDefaultSaveName("Init");
  selector->addFileExtension(CFileExtension("Other Files", "*"));
  selector->setDefaultExtension(CFileExtension("Velk Program", "vkp"));
  ASSERT_TRUE(selector->runModal());
  ASSERT_EQ(selector->getNumSelectedFiles(), 1);
  EXPECT_STREQ(selector->getSelectedFile(0), "/presets/Bright.vkp");
  EXPECT_EQ(selector->getSelectedFile(1), nullptr);
  EXPECT_EQ(selector->getSelectedFile(-1), nullptr);
  selector->forget();

  EXPECT_EQ(seen.style, CNewFileSelector::kSelectSaveFile);
  EXPECT_EQ(seen.title, "Save A Program File");
  EXPECT_EQ(seen.initialDirectory, "/presets");
  EXPECT_EQ(seen.defaultSaveName, "Init");
  ASSERT_EQ(seen.extensions.size(), 2u);  // the default extension comes first
  EXPECT_EQ(seen.extensions[0], CFileExtension("Velk Program", "vkp"));
  EXPECT_EQ(seen.extensions[1].getPattern(), "*");
}

TEST(FileSelector, CancelChoosesNothing) {
  ResponderGuard guard;
  CNewFileSelector::setTestResponder(
      [](const CNewFileSelector::Request&, std::vector<std::string>&) { return false; });
  CNewFileSelector* selector = CNewFileSelector::create(nullptr);
  ASSERT_NE(selector, nullptr);
  EXPECT_FALSE(selector->runModal());
  EXPECT_EQ(selector->getNumSelectedFiles(), 0);
  selector->forget();
}

TEST(FileSelector, ZenityGetsItsOptionsAsSeparateArgumentsUntouched) {
  gui_test::FakePrograms fakes;
  fakes.add("zenity", "/home/u/it's $(x) \"quoted\".vkb\n");
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectSaveFile);
  ASSERT_NE(selector, nullptr);
  selector->setTitle("Save; rm -rf \"$HOME\"");
  selector->setInitialDirectory("/tmp/my presets");
  selector->setDefaultSaveName("A 'name'");
  selector->setDefaultExtension(CFileExtension("Velk Banks", "vkb"));
  selector->addFileExtension(CFileExtension("Other Files", "*"));
  ASSERT_TRUE(selector->runModal());
  EXPECT_STREQ(selector->getSelectedFile(0), "/home/u/it's $(x) \"quoted\".vkb");
  selector->forget();
  const std::vector<std::string> expected{"--file-selection",
                                          "--save",
                                          "--confirm-overwrite",
                                          "--title=Save; rm -rf \"$HOME\"",
                                          "--filename=/tmp/my presets/A 'name'",
                                          "--file-filter=Velk Banks | *.vkb",
                                          "--file-filter=Other Files | *"};
  EXPECT_EQ(fakes.argumentsOf("zenity"), expected);
}

TEST(FileSelector, CancelledDialogAndMissingProgramsChooseNothing) {
  gui_test::FakePrograms fakes;
  fakes.add("zenity", "", 1);
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectFile);
  ASSERT_NE(selector, nullptr);
  selector->setInitialDirectory("/tmp");
  EXPECT_FALSE(selector->runModal());
  EXPECT_EQ(fakes.argumentsOf("zenity"),
            (std::vector<std::string>{"--file-selection", "--filename=/tmp/"}));
  selector->forget();

  fakes.hideRealPrograms();
  fakes.add("zenity", "", 0);
  unlink(platform::findExecutable("zenity").c_str());
  EXPECT_EQ(CNewFileSelector::create(nullptr), nullptr);
}

TEST(FileSelector, KdialogCommandLine) {
  ResponderGuard guard;
  CNewFileSelector::setTestResponder(
      [](const CNewFileSelector::Request&, std::vector<std::string>&) { return false; });
  CNewFileSelector* selector = CNewFileSelector::create(nullptr, CNewFileSelector::kSelectFile);
  selector->setTitle("Choose A Bank File");
  selector->setInitialDirectory("-odd");
  selector->setDefaultExtension(CFileExtension("Velk Banks", "vkb"));
  selector->addFileExtension(CFileExtension("Other Files", "*"));
  const std::vector<std::string> expected{
      "kdialog",           "--title", "Choose A Bank File",
      "--getopenfilename", "./-odd/", "*.vkb|Velk Banks\n*|Other Files"};
  EXPECT_EQ(selector->buildCommandLine("kdialog"), expected);
  selector->forget();
}

TEST(ShellOpen, WebAddressesGoToTheOpenerDetached) {
  gui_test::FakePrograms fakes;
  fakes.add("xdg-open", "");
  EXPECT_TRUE(platform::openUrl("https://example.org/a?b=c&d=$(e)"));
  EXPECT_EQ(fakes.argumentsOf("xdg-open"),
            (std::vector<std::string>{"https://example.org/a?b=c&d=$(e)"}));
  EXPECT_FALSE(platform::openUrl(nullptr));
  EXPECT_FALSE(platform::openUrl("file:///etc/passwd"));
  EXPECT_FALSE(platform::openUrl("https://"));
  EXPECT_FALSE(platform::openUrl("https://a b"));
  EXPECT_FALSE(platform::openUrl("-https://x"));
  fakes.hideRealPrograms();
  unlink(platform::findExecutable("xdg-open").c_str());
  EXPECT_FALSE(platform::openUrl("https://example.org"));
}

TEST(ShellOpen, LocalDocumentsGoToTheOpenerOnlyAsExistingFilesByAbsolutePath) {
  gui_test::FakePrograms fakes;
  fakes.add("xdg-open", "");
  const std::string document = std::string(VELLMARK_SOURCE_DIR) + "/docs/manual/index.html";
  EXPECT_FALSE(platform::openDocument("docs/manual/index.html"));
  EXPECT_FALSE(platform::openDocument(std::string(VELLMARK_SOURCE_DIR) + "/docs"));
  EXPECT_FALSE(platform::openDocument("/no/such/manual.html"));
  EXPECT_TRUE(platform::openDocument(document));
  EXPECT_EQ(fakes.argumentsOf("xdg-open"), (std::vector<std::string>{document}));
}

}  // namespace
