// A plug-in instance with its editor open windowless, for driving the
// editor the way its window would.
#pragma once

#include <gtest/gtest.h>

#include "editor/qua_gui.h"
#include "gui/cframe.h"
#include "gui/ccontrol.h"
#include "gui/cnew_file_selector.h"
#include "plugin/quarnel.h"
#include "support/plugin_harness.h"

namespace editor_test {

// File dialogs are cancelled unless a test answers them itself: an editor
// test never waits for a real dialog.
struct CancelledDialogs {
  CancelledDialogs() {
    gui::CNewFileSelector::setTestResponder(
        [](const gui::CNewFileSelector::Request&, std::vector<std::string>&) { return false; });
  }
  ~CancelledDialogs() { gui::CNewFileSelector::setTestResponder(nullptr); }
};

class OpenEditor {
 public:
  OpenEditor() : editor_(harness_.plugin().gui()) {
    if (editor_) editor_->open(nullptr);
  }
  // An editor whose plug-in keeps its files in the given folders.
  explicit OpenEditor(const presets::PresetDirectories& directories)
      : editor_(harness_.plugin().gui()) {
    harness_.plugin().usePresetDirectories(directories);
    if (editor_) editor_->open(nullptr);
  }
  ~OpenEditor() {
    if (editor_) editor_->close();
  }

  QuaGui& gui() { return *editor_; }
  Quarnel& plugin() { return harness_.plugin(); }
  testing_support::FakeHost& host() { return harness_.host(); }
  gui::CFrame* frame() { return editor_->getFrame(); }
  gui::CControl* control(int entry) { return editor_->control(entry); }
  template <typename View>
  View* view(int entry) {
    return dynamic_cast<View*>(editor_->control(entry));
  }

  void click(double x, double y, int buttons = gui::kLButton) {
    frame()->dispatchMouseDown(gui::CPoint(x, y), buttons);
    frame()->dispatchMouseUp(gui::CPoint(x, y), buttons);
  }
  void move(double x, double y, int buttons = 0) {
    frame()->dispatchMouseMoved(gui::CPoint(x, y), buttons);
  }

 private:
  CancelledDialogs dialogs_;
  testing_support::PluginHarness harness_;
  QuaGui* editor_;
};

}  // namespace editor_test
