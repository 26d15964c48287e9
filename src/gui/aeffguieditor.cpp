#include "gui/aeffguieditor.h"

#include "gui/cframe.h"
#include "vst/audioeffect.h"

namespace gui {

namespace {

int32_t knobMode = 0;

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {
  rect.top = 0;
  rect.left = 0;
  rect.bottom = 0;
  rect.right = 0;
  if (effect) effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor() {
  if (frame) {
    frame->forget();
    frame = nullptr;
  }
  // An editor deleted before its effect must not stay registered there.
  if (effect && effect->getEditor() == this) effect->setEditor(nullptr);
}

bool AEffGUIEditor::getRect(ERect** out) {
  if (!out) return false;
  *out = &rect;
  return true;
}

bool AEffGUIEditor::open(void* ptr) {
  systemWindow = ptr;
  return true;
}

void AEffGUIEditor::close() {
  if (frame) {
    CFrame* closing = frame;
    frame = nullptr;
    closing->forget();
  }
  systemWindow = nullptr;
}

void AEffGUIEditor::idle() {
  if (frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
  return frame && frame->dispatchKeyDown(keyCode) != -1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) {
  return frame && frame->dispatchKeyUp(keyCode) != -1;
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
  knobMode = mode;
  return true;
}

int32_t AEffGUIEditor::getKnobMode() { return knobMode; }

// Only parameters have automation gestures; command tags and views without a
// parameter send nothing to the host.
bool AEffGUIEditor::beginEdit(int32_t index) {
  if (!effect || index < 0 || index >= effect->getAeffect()->numParams) return false;
  return effect->beginEdit(index);
}

bool AEffGUIEditor::endEdit(int32_t index) {
  if (!effect || index < 0 || index >= effect->getAeffect()->numParams) return false;
  return effect->endEdit(index);
}

}  // namespace gui
