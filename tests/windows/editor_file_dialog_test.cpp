// The editor's file menus with the answers Windows' dialogs give: full
// paths with "\" between folders.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "editor/editor_tags.h"
#include "editor/qua_gui.h"
#include "editor/trigger.h"
#include "gui/cframe.h"
#include "gui/cnew_file_selector.h"
#include "plugin/quarnel.h"
#include "support/plugin_harness.h"

namespace {

// A fresh folder under the temporary folder, removed with what is in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "vellmark-dialog-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    for (const char* name : {"Bright.vkp", "Dark.vkp"}) DeleteFileA(file(name).c_str());
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& path() const { return path_; }
  std::string file(const char* name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// Presses the save menu, moves onto its first item (program file) and
// releases there, as a user does.
void chooseSaveProgram(QuaGui& editor) {
  auto* menu = dynamic_cast<Trigger*>(editor.control(editor::kTagSaveMenu));
  ASSERT_NE(menu, nullptr);
  gui::CFrame* frame = editor.getFrame();
  const gui::CPoint button = menu->getViewSize().getCenter();
  const gui::CPoint item(menu->getMenuRect().left + 30, menu->getMenuRect().top + 12);
  frame->dispatchMouseMoved(button, 0);
  frame->dispatchMouseDown(button, gui::kLButton);
  frame->dispatchMouseMoved(item, gui::kLButton);
  frame->dispatchMouseUp(item, gui::kLButton);
}

bool fileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TEST(WindowsEditorFiles, SavedProgramsAreNamedAfterTheFileNotItsFolders) {
  ScratchFolder folder;
  testing_support::PluginHarness harness;
  Quarnel& plugin = harness.plugin();
  presets::PresetDirectories directories;
  directories.moduleDirectory = folder.path();
  directories.presetDirectory = folder.path();
  plugin.usePresetDirectories(directories);
  QuaGui* editor = plugin.gui();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(editor->open(nullptr));

  std::string answer = folder.file("Bright");
  gui::CNewFileSelector::setTestResponder(
      [&answer](const gui::CNewFileSelector::Request&, std::vector<std::string>& chosen) {
        chosen.push_back(answer);
        return true;
      });
  chooseSaveProgram(*editor);
  EXPECT_TRUE(fileExists(folder.file("Bright.vkp")));
  char name[32] = {};
  plugin.getProgramName(name);
  EXPECT_STREQ(name, "Bright");
  EXPECT_EQ(std::string(editor->programFolder()), folder.path());

  // A forward slash, which Windows takes too, ends the folder part as well.
  answer = folder.path() + "/Dark";
  chooseSaveProgram(*editor);
  plugin.getProgramName(name);
  EXPECT_STREQ(name, "Dark");
  EXPECT_TRUE(fileExists(folder.file("Dark.vkp")));

  gui::CNewFileSelector::setTestResponder(nullptr);
  editor->close();
}
