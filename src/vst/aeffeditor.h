// Base class of a plug-in editor as the VST 2.4 dispatcher sees it. The
// effect forwards the editor opcodes (get rect, open, close, idle, keys, knob
// mode) to these operations.
#pragma once

#include "vst/aeffect.h"

class AudioEffect;

class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* effect = nullptr) : effect(effect), systemWindow(nullptr) {}
  virtual ~AEffEditor() = default;

  virtual AudioEffect* getEffect() { return effect; }
  virtual bool getRect(ERect** rect) {
    *rect = nullptr;
    return false;
  }
  virtual bool open(void* ptr) {
    systemWindow = ptr;
    return false;
  }
  virtual void close() { systemWindow = nullptr; }
  virtual bool isOpen() { return systemWindow != nullptr; }
  virtual void idle() {}
  virtual bool onKeyDown(VstKeyCode&) { return false; }
  virtual bool onKeyUp(VstKeyCode&) { return false; }
  virtual bool onWheel(float) { return false; }
  virtual bool setKnobMode(VstInt32) { return false; }

 protected:
  AudioEffect* effect;
  void* systemWindow;
};
