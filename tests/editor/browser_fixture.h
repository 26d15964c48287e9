// The presets page open on a scratch preset folder, driven through the
// frame as the window drives it, with file dialogs answered by script.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/editor_fixture.h"
#include "editor/lcd_presets.h"
#include "gui/cnew_file_selector.h"
#include "gui/ctext_edit.h"
#include "host/host_test_support.h"
#include "params/program_record.h"
#include "vst/vst_keys.h"

namespace editor_test {

class BrowserPage {
 public:
  static constexpr double kPresetX = 700;
  static constexpr double kBankX = 520;

  // `shared`: a second, read-only folder listed after the preset folder.
  explicit BrowserPage(bool withSharedFolder = false)
      : shared_(withSharedFolder ? std::make_unique<host_test::ScratchFolder>() : nullptr),
        editor_(directories()) {
    gui().pageTab(editor::Page::Presets);
    redraw();
  }
  ~BrowserPage() { gui::CNewFileSelector::setTestResponder(nullptr); }

  OpenEditor& editor() { return editor_; }
  QuaGui& gui() { return editor_.gui(); }
  Quarnel& plugin() { return editor_.plugin(); }
  LCD_presets& browser() { return *editor_.gui().presetBrowser(); }
  gui::CFrame* frame() { return editor_.frame(); }
  std::string file(const std::string& name) const { return folder_.file(name); }
  std::string sharedFile(const std::string& name) const { return shared_->file(name); }
  std::string folder() const { return folder_.file(""); }

  // What the next redraw of the page does (rescan, hover, inertia).
  void redraw() { frame()->updateDirtyViews(); }
  // The page as it shows after the folder changed behind its back.
  void rescan() {
    browser().rescanPending = true;
    browser().invalid();
    redraw();
  }

  // Pointer heights of list rows (as drawn with the list unscrolled).
  static double rowY(int row) { return 100 + 20.0 * row; }

  void click(double x, double y, int buttons = gui::kLButton) {
    editor_.move(x, y);
    frame()->dispatchMouseDown(gui::CPoint(x, y), buttons);
    frame()->dispatchMouseUp(gui::CPoint(x, y), buttons);
    redraw();
  }
  void doubleClick(double x, double y) { click(x, y, gui::kLButton | gui::kDoubleClick); }
  void rightClick(double x, double y) { click(x, y, gui::kRButton); }
  void clickPreset(int row) { click(kPresetX, rowY(row)); }
  void doubleClickPreset(int row) { doubleClick(kPresetX, rowY(row)); }
  void doubleClickBank(int row) { doubleClick(kBankX, rowY(row)); }
  void clickSave() {
    const gui::CRect save =
        browser().isBankOpen() ? LCD_presets::kBankSaveButton : LCD_presets::kFilesSaveButton;
    click(save.getCenter().x, save.getCenter().y);
  }
  void answer(const gui::CRect& button) { click(button.getCenter().x, button.getCenter().y); }

  // Types into the focused text field (after clearing it, with `replace`)
  // and ends with Return.
  void type(const std::string& text, bool replace = false) {
    while (replace && std::strlen(gui().programNameField()->getText()) > 0) {
      VstKeyCode back{};
      back.virt = VKEY_BACK;
      frame()->dispatchKeyDown(back);
    }
    for (char c : text) {
      VstKeyCode key{};
      key.character = c;
      frame()->dispatchKeyDown(key);
    }
    VstKeyCode enter{};
    enter.virt = VKEY_RETURN;
    frame()->dispatchKeyDown(enter);
    redraw();
  }
  // A click on "   NEW BANK" and the name typed into the field over it.
  void newBank(const std::string& name) {
    click(kBankX, rowY(static_cast<int>(browser().bankRows().size())));
    type(name, true);
  }

  void rename(const char* name) {
    std::string copy = name;
    plugin().setProgramName(&copy[0]);
  }
  // Writes a program file holding program `program`'s record with a name
  // and one parameter value changed.
  void writeProgramFile(const std::string& path, const char* name, int parameter, float value,
                        int program = 0) {
    params::ProgramRecord record = plugin().getStoredPrograms()->programs[program];
    params::setRecordName(record, name);
    record.values[parameter] = value;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    host_test::writeBytes(path, std::vector<uint8_t>(bytes, bytes + sizeof record));
  }
  std::vector<std::string> presetNames() {
    std::vector<std::string> names;
    for (const auto& row : browser().presetRows()) names.push_back(row.name);
    return names;
  }
  std::vector<std::string> bankNames() {
    std::vector<std::string> names;
    for (const auto& row : browser().bankRows()) names.push_back(row.name);
    return names;
  }

  // Answers every file dialog with `path` (empty: cancel) and records the
  // requests.
  void answerDialogsWith(const std::string& path) {
    gui::CNewFileSelector::setTestResponder(
        [this, path](const gui::CNewFileSelector::Request& request,
                     std::vector<std::string>& chosen) {
          requests.push_back(request);
          if (path.empty()) return false;
          chosen.push_back(path);
          return true;
        });
  }
  std::vector<gui::CNewFileSelector::Request> requests;

 private:
  presets::PresetDirectories directories() const {
    presets::PresetDirectories d;
    d.moduleDirectory = folder_.file("");
    d.presetDirectory = folder_.file("");
    if (!d.presetDirectory.empty() && d.presetDirectory.back() == '/') d.presetDirectory.pop_back();
    if (shared_) {
      d.sharedDirectory = shared_->file("");
      if (d.sharedDirectory.back() == '/') d.sharedDirectory.pop_back();
    }
    return d;
  }

  host_test::ScratchFolder folder_;
  std::unique_ptr<host_test::ScratchFolder> shared_;
  OpenEditor editor_;
};

}  // namespace editor_test
