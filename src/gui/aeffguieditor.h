// The VST 2.4 editor built on a toolkit frame: reports its rectangle, keeps
// the frame, forwards idle and keys to it and turns the controls' edit
// gestures into the effect's beginEdit / endEdit (host automation gestures).
// A subclass builds its frame in open() and releases it in close().
#pragma once

#include <cstdint>

#include "vst/aeffeditor.h"

namespace gui {

class CFrame;

class AEffGUIEditor : public AEffEditor {
 public:
  // Stores the effect and registers as its editor (the effect then owns and
  // deletes the editor).
  explicit AEffGUIEditor(AudioEffect* effect);
  ~AEffGUIEditor() override;

  // Points at the editor's rectangle, valid before the first open too.
  bool getRect(ERect** rect) override;
  // Stores the system window; subclasses build the frame.
  bool open(void* ptr) override;
  // Releases the frame if the subclass has not, and clears the window.
  void close() override;
  void idle() override;
  bool onKeyDown(VstKeyCode& keyCode) override;
  bool onKeyUp(VstKeyCode& keyCode) override;
  bool setKnobMode(VstInt32 mode) override;
  static int32_t getKnobMode();

  // Forwarded to the effect for parameter indices only.
  virtual bool beginEdit(int32_t index);
  virtual bool endEdit(int32_t index);

  CFrame* getFrame() const { return frame; }

 protected:
  ERect rect;
  CFrame* frame = nullptr;
};

}  // namespace gui
