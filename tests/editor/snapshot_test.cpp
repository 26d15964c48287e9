// The offscreen snapshot: through the module's effVendorSpecific request,
// and through the command-line host as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "editor/module_editor.h"
#include "gui/cbitmap.h"
#include "host/host_test_support.h"

namespace {

using editor_test::ModuleInstance;

int differingPixels(gui::CBitmap* a, gui::CBitmap* b, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += a->getPixel(x, y) != b->getPixel(x, y);
  return count;
}

TEST(EditorSnapshot, TheModuleDrawsEachPageIntoAPng) {
  ModuleInstance instance;
  ASSERT_NE(instance.effect(), nullptr);
  EXPECT_TRUE(instance.effect()->flags & effFlagsHasEditor);
  host_test::ScratchFolder folder;
  gui::CBitmap* pages[5] = {};
  for (int page = 0; page < 5; ++page) {
    const std::string path = folder.file("page" + std::to_string(page) + ".png");
    ASSERT_EQ(instance.snapshot(page, path.c_str()), 1) << page;
    pages[page] = gui::CBitmap::readPng(path.c_str());
    ASSERT_NE(pages[page], nullptr) << page;
    EXPECT_EQ(pages[page]->getPixelWidth(), 1024);
    EXPECT_EQ(pages[page]->getPixelHeight(), 480);
  }
  // The panel is opaque; every page changes the page area and nothing of
  // the keyboard or the section screens; two snapshots agree.
  for (int y = 0; y < 480; y += 13)
    for (int x = 0; x < 1024; x += 13) ASSERT_EQ(pages[0]->getPixel(x, y).alpha, 255);
  for (int page = 1; page < 5; ++page) {
    EXPECT_GT(differingPixels(pages[0], pages[page], 476, 74, 952, 200), 10000) << page;
    EXPECT_EQ(differingPixels(pages[0], pages[page], 0, 360, 1024, 480), 0) << page;
    EXPECT_EQ(differingPixels(pages[0], pages[page], 83, 57, 252, 254), 0) << page;
  }
  const std::string again = folder.file("again.png");
  ASSERT_EQ(instance.snapshot(0, again.c_str()), 1);
  gui::CBitmap* repeat = gui::CBitmap::readPng(again.c_str());
  ASSERT_NE(repeat, nullptr);
  EXPECT_EQ(differingPixels(pages[0], repeat, 0, 0, 1024, 480), 0);
  repeat->forget();
  for (gui::CBitmap* page : pages) page->forget();

  // The editor was only borrowed: it is closed again.
  ERect* rect = nullptr;
  ASSERT_EQ(instance.dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->bottom, 480);
}

TEST(EditorSnapshot, BadRequestsAnswerZero) {
  ModuleInstance instance;
  ASSERT_NE(instance.effect(), nullptr);
  host_test::ScratchFolder folder;
  EXPECT_EQ(instance.snapshot(0, nullptr), 0);
  EXPECT_EQ(instance.snapshot(0, ""), 0);
  EXPECT_EQ(instance.snapshot(5, folder.file("x.png").c_str()), 0);
  EXPECT_EQ(instance.snapshot(-1, folder.file("x.png").c_str()), 0);
  EXPECT_EQ(instance.snapshot(0, folder.file("no-such-folder/x.png").c_str()), 0);
  const std::string path = folder.file("other.png");
  EXPECT_EQ(instance.dispatch(effVendorSpecific, vstFourCC('V', 'k', 'S', 'x'), 0,
                              const_cast<char*>(path.c_str())),
            0);
  EXPECT_FALSE(std::ifstream(path).good());
}

TEST(EditorSnapshot, TheCommandLineHostWritesTheTintedEditor) {
  host_test::ScratchFolder folder;
  const std::string grey = folder.file("grey.png");
  const std::string copper = folder.file("copper.png");
  const auto run = [&](const std::string& arguments) {
    const std::string command = std::string("'") + VELLMARK_HOST_PATH + "' snapshot " + arguments +
                                " --module '" + VELLMARK_MODULE_PATH + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  ASSERT_EQ(run("-o '" + grey + "' --page presets"), 0);
  ASSERT_EQ(run("-o '" + copper + "' --page presets --colour 200,120,40"), 0);
  gui::CBitmap* a = gui::CBitmap::readPng(grey.c_str());
  gui::CBitmap* b = gui::CBitmap::readPng(copper.c_str());
  ASSERT_TRUE(a && b);
  EXPECT_EQ(b->getPixelWidth(), 1024);
  EXPECT_EQ(b->getPixelHeight(), 480);
  // Plain panel beside the body screen: neutral grey, then copper.
  const gui::CColor before = a->getPixel(450, 300), after = b->getPixel(450, 300);
  EXPECT_LT(std::abs(before.red - before.blue), 25);
  EXPECT_GT(after.red - after.blue, 40);
  a->forget();
  b->forget();
}

}  // namespace
