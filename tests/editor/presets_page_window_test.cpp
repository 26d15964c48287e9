// The presets page of a real module: a copy of the module beside a preset
// folder of its own, its editor in an X window opened through the
// dispatcher, and a program file loaded from the page with pointer events
// the X server delivers; and the page's snapshot listing the folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/module_editor.h"
#include "gui/cbitmap.h"
#include "gui/fake_programs.h"
#include "gui/test_display.h"
#include "host/host_test_support.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

// Xlib's macros clash with other headers; last.
#include "gui/x_host_window.h"

namespace {

using editor_test::ModuleInstance;

// A copy of the built module with a "presets" folder beside it.
struct ModuleCopy {
  ModuleCopy() {
    folder = std::filesystem::canonical(scratch.file("")).string();
    module = folder + "/vellmark.so";
    std::filesystem::copy_file(VELLMARK_MODULE_PATH, module);
    std::filesystem::create_directory(folder + "/presets");
  }
  // Writes a program file whose Decay and Body Tune differ from a new
  // program's.
  void writeProgram(const std::string& name, float decay, float bodyTune) {
    testing_support::PluginHarness h;
    h.setParameter(params::kDecay, decay);
    h.setParameter(params::kBodyTune, bodyTune);
    std::string copy = name;
    h.plugin().setProgramName(&copy[0]);
    ASSERT_TRUE(h.plugin().saveProgramFile(0, (folder + "/presets/" + name + ".vkp").c_str()));
  }
  host_test::ScratchFolder scratch;
  std::string folder;
  std::string module;
};

void pumpIdle(ModuleInstance& instance, Display* display, int times = 4) {
  for (int i = 0; i < times; ++i) {
    instance.dispatch(effEditIdle);
    XSync(display, False);
  }
}

TEST(PresetsPageWindow, ADoubleClickOnTheModulesPresetFolderLoadsTheProgram) {
  SKIP_WITHOUT_DISPLAY();
  ModuleCopy copy;
  copy.writeProgram("Amber", 0.61f, 0.31f);
  copy.writeProgram("Birch", 0.72f, 0.42f);
  gui_test::XHostWindow host(0, 0, 1024, 480, 0x000000);
  ASSERT_NE(host.display(), nullptr);
  ModuleInstance instance(copy.module.c_str());
  ASSERT_NE(instance.effect(), nullptr);
  ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, host.handle()), 1);
  pumpIdle(instance, host.display());
  const Window editor = host.onlyChild();
  ASSERT_NE(editor, 0u);

  host.click(editor, 525, 57);  // the "PRESETS" tab
  pumpIdle(instance, host.display());
  // Rows are 20 pixels apart from the list's top; "Birch" is the second.
  host.click(editor, 700, 120);
  host.click(editor, 700, 120);
  pumpIdle(instance, host.display());

  AEffect* effect = instance.effect();
  EXPECT_FLOAT_EQ(effect->getParameter(effect, params::kDecay), 0.72f);
  EXPECT_FLOAT_EQ(effect->getParameter(effect, params::kBodyTune), 0.42f);
  char name[64] = {};
  instance.dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "Birch");
  instance.dispatch(effEditClose);
}

TEST(PresetsPageWindow, TheWebAddressButtonOpensTheManualBesideTheModule) {
  SKIP_WITHOUT_DISPLAY();
  ModuleCopy copy;
  const std::string builtManual =
      std::filesystem::path(VELLMARK_MODULE_PATH).parent_path() / "manual";
  std::filesystem::copy(builtManual, copy.folder + "/manual");
  gui_test::FakePrograms fakes;
  fakes.add("xdg-open", "");
  gui_test::XHostWindow host(0, 0, 1024, 480, 0x000000);
  ASSERT_NE(host.display(), nullptr);
  ModuleInstance instance(copy.module.c_str());
  ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, host.handle()), 1);
  pumpIdle(instance, host.display());
  host.click(host.onlyChild(), 400, 18);
  pumpIdle(instance, host.display());
  EXPECT_EQ(fakes.argumentsOf("xdg-open"),
            std::vector<std::string>{copy.folder + "/manual/index.html"});
  instance.dispatch(effEditClose);
}

TEST(PresetsPageWindow, TheSnapshotOfThePresetsPageListsTheModulesFolder) {
  ModuleCopy copy;
  host_test::ScratchFolder out;
  const std::string emptyPath = out.file("empty.png"), listedPath = out.file("listed.png");
  {
    ModuleInstance instance(copy.module.c_str());
    ASSERT_EQ(instance.snapshot(1, emptyPath.c_str()), 1);
  }
  copy.writeProgram("Amber", 0.61f, 0.31f);
  {
    ModuleInstance instance(copy.module.c_str());
    ASSERT_EQ(instance.snapshot(1, listedPath.c_str()), 1);
  }
  gui::CBitmap* empty = gui::CBitmap::readPng(emptyPath.c_str());
  gui::CBitmap* listed = gui::CBitmap::readPng(listedPath.c_str());
  ASSERT_TRUE(empty && listed);
  // The first preset row changes; the bank list does not.
  int rowPixels = 0, bankPixels = 0;
  for (int y = 94; y < 112; ++y) {
    for (int x = 637; x < 800; ++x) rowPixels += empty->getPixel(x, y) != listed->getPixel(x, y);
    for (int x = 484; x < 617; ++x) bankPixels += empty->getPixel(x, y) != listed->getPixel(x, y);
  }
  EXPECT_GT(rowPixels, 50);
  EXPECT_EQ(bankPixels, 0);
  empty->forget();
  listed->forget();
}

}  // namespace
