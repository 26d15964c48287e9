// Small views and an effect stub shared by the toolkit tests.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gui/gui.h"
#include "vst/audioeffect.h"

namespace gui_test {

// A view that fills its rectangle with one colour and records what happens
// to it.
class RecordingView : public gui::CView {
 public:
  RecordingView(const gui::CRect& size, gui::CColor color,
                gui::CMouseEventResult downResult = gui::kMouseEventHandled)
      : CView(size), color(color), downResult(downResult) {}

  void draw(gui::CDrawContext* context) override {
    ++draws;
    context->setFillColor(color);
    context->drawRect(getViewSize(), gui::kDrawFilled);
    setDirty(false);
  }
  gui::CMouseEventResult onMouseDown(gui::CPoint& where, const gui::CButtonState& b) override {
    log.push_back("down");
    lastPoint = where;
    lastButtons = b;
    return downResult;
  }
  gui::CMouseEventResult onMouseUp(gui::CPoint& where, const gui::CButtonState& b) override {
    log.push_back("up");
    lastPoint = where;
    lastButtons = b;
    return gui::kMouseEventHandled;
  }
  gui::CMouseEventResult onMouseMoved(gui::CPoint& where, const gui::CButtonState& b) override {
    log.push_back("moved");
    lastPoint = where;
    lastButtons = b;
    return gui::kMouseEventHandled;
  }
  gui::CMouseEventResult onMouseEntered(gui::CPoint&, const gui::CButtonState&) override {
    log.push_back("entered");
    return gui::kMouseEventHandled;
  }
  gui::CMouseEventResult onMouseExited(gui::CPoint&, const gui::CButtonState&) override {
    log.push_back("exited");
    return gui::kMouseEventHandled;
  }
  bool onWheel(const gui::CPoint&, const float& distance, const gui::CButtonState&) override {
    log.push_back("wheel");
    wheelTotal += distance;
    return takesWheel;
  }

  std::string joinedLog() const {
    std::string all;
    for (const std::string& entry : log) all += (all.empty() ? "" : " ") + entry;
    return all;
  }

  gui::CColor color;
  gui::CMouseEventResult downResult;
  std::vector<std::string> log;
  gui::CPoint lastPoint;
  int32_t lastButtons = 0;
  int draws = 0;
  float wheelTotal = 0;
  bool takesWheel = true;
};

// Records host callbacks (opcode, index).
struct HostLog {
  static std::vector<std::pair<VstInt32, VstInt32>>& calls() {
    static std::vector<std::pair<VstInt32, VstInt32>> log;
    return log;
  }
  static VstIntPtr callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float) {
    calls().emplace_back(opcode, index);
    return 1;
  }
};

class StubEffect : public AudioEffect {
 public:
  StubEffect() : AudioEffect(&HostLog::callback, 1, 111) { HostLog::calls().clear(); }
  void processReplacing(float**, float**, VstInt32) override {}
};

// An editor that builds a frame of the given size on open.
class StubEditor : public gui::AEffGUIEditor {
 public:
  explicit StubEditor(AudioEffect* effect, int width = 200, int height = 100)
      : AEffGUIEditor(effect) {
    rect.right = static_cast<VstInt16>(width);
    rect.bottom = static_cast<VstInt16>(height);
  }
  bool open(void* parent) override {
    AEffGUIEditor::open(parent);
    if (frame) frame->forget();
    frame = new gui::CFrame(gui::CRect(0, 0, rect.right, rect.bottom), this);
    frame->open(parent);
    return true;
  }
};

}  // namespace gui_test
