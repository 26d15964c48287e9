// The extended VST 2.x plug-in class: opcodes 25 to 79 as virtual operations
// with the conventional default answers.
#pragma once

#include "vst/audioeffect.h"

class AudioEffectX : public AudioEffect {
 public:
  AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  ~AudioEffectX() override = default;

  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                       float opt) override;

  void resume() override;

  virtual VstInt32 processEvents(VstEvents*) { return 0; }
  virtual bool canParameterBeAutomated(VstInt32) { return true; }
  virtual bool string2parameter(VstInt32, char*) { return false; }
  virtual VstInt32 getNumCategories() { return 1; }
  virtual bool getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
  virtual bool copyProgram(VstInt32) { return false; }
  virtual bool getInputProperties(VstInt32, VstPinProperties*) { return false; }
  virtual bool getOutputProperties(VstInt32, VstPinProperties*) { return false; }
  virtual VstInt32 getPlugCategory();
  virtual bool setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
    return false;
  }
  virtual bool getSpeakerArrangement(VstSpeakerArrangement** in, VstSpeakerArrangement** out);
  virtual bool setBypass(bool) { return false; }
  virtual bool getEffectName(char*) { return false; }
  virtual bool getVendorString(char*) { return false; }
  virtual bool getProductString(char*) { return false; }
  virtual VstInt32 getVendorVersion() { return 0; }
  virtual VstIntPtr vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
  virtual VstInt32 canDo(char*) { return 0; }
  virtual VstInt32 getGetTailSize() { return 0; }
  virtual bool getParameterProperties(VstInt32, VstParameterProperties*) { return false; }
  virtual VstInt32 getVstVersion() { return kVstVersion; }
  virtual VstInt32 getMidiProgramName(VstInt32, void*) { return 0; }
  virtual VstInt32 getCurrentMidiProgram(VstInt32, void*) { return -1; }
  virtual VstInt32 getMidiProgramCategory(VstInt32, void*) { return 0; }
  virtual bool hasMidiProgramsChanged(VstInt32) { return false; }
  virtual bool getMidiKeyName(VstInt32, void*) { return false; }
  virtual bool beginSetProgram() { return false; }
  virtual bool endSetProgram() { return false; }
  virtual VstInt32 startProcess() { return 0; }
  virtual VstInt32 stopProcess() { return 0; }
  virtual bool setPanLaw(VstInt32, float) { return false; }
  virtual VstInt32 beginLoadBank(VstPatchChunkInfo*) { return 0; }
  virtual VstInt32 beginLoadProgram(VstPatchChunkInfo*) { return 0; }
  virtual bool setProcessPrecision(VstInt32) { return false; }
  virtual VstInt32 getNumMidiInputChannels() { return 0; }
  virtual VstInt32 getNumMidiOutputChannels() { return 0; }

  // Record setup and host requests.
  virtual void isSynth(bool state = true);
  virtual void noTail(bool state = true);
  virtual VstTimeInfo* getTimeInfo(VstInt32 filter);
  virtual bool sendVstEventsToHost(VstEvents* events);
  virtual VstInt32 canHostDo(char* text);
  virtual bool ioChanged();
  virtual bool updateDisplay();
  virtual bool sizeWindow(VstInt32 width, VstInt32 height);

  // Deprecated request, still answered by many hosts.
  virtual void wantEvents(VstInt32 filter = 1);
};
