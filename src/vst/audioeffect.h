// The basic plug-in class of the VST 2.4 interface: owns the effect record,
// routes the record's entry points and the dispatcher opcodes 0 to 24 to
// virtual operations, and gives every operation the conventional default.
#pragma once

#include "vst/aeffect.h"

class AEffEditor;

class AudioEffect {
 public:
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  virtual ~AudioEffect();

  // Opcodes 0 to 24; AudioEffectX extends the switch.
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt);

  virtual void open() {}
  virtual void close() {}
  virtual void suspend() {}
  virtual void resume() {}

  virtual float getSampleRate() { return sampleRate; }
  virtual void setSampleRate(float rate) { sampleRate = rate; }
  virtual VstInt32 getBlockSize() { return blockSize; }
  virtual void setBlockSize(VstInt32 size) { blockSize = size; }

  virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames);
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processDoubleReplacing(double**, double**, VstInt32) {}

  virtual void setParameter(VstInt32 index, float value);
  virtual float getParameter(VstInt32 index);
  virtual void setParameterAutomated(VstInt32 index, float value);

  virtual VstInt32 getProgram() { return curProgram; }
  virtual void setProgram(VstInt32 program) { curProgram = program; }
  virtual void setProgramName(char* name);
  virtual void getProgramName(char* name);
  virtual void getParameterLabel(VstInt32 index, char* label);
  virtual void getParameterDisplay(VstInt32 index, char* text);
  virtual void getParameterName(VstInt32 index, char* text);

  virtual VstInt32 getChunk(void** data, bool isPreset = false);
  virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset = false);

  // Record setup.
  virtual void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
  virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
  virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
  virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
  virtual void canProcessReplacing(bool state = true);
  virtual void programsAreChunks(bool state = true);
  virtual void setEditor(AEffEditor* newEditor);

  virtual AEffect* getAeffect() { return &cEffect; }
  virtual AEffEditor* getEditor() { return editor; }
  audioMasterCallback getAudioMaster() const { return audioMaster; }

  // Requests to the host; all answer 0 without a host callback.
  virtual VstInt32 getMasterVersion();
  virtual void masterIdle();
  virtual bool beginEdit(VstInt32 index);
  virtual bool endEdit(VstInt32 index);

 protected:
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);

  float sampleRate;
  AEffEditor* editor;
  audioMasterCallback audioMaster;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram;
  VstInt32 blockSize;
  AEffect cEffect;
};

// Copies at most maxChars characters of src into dst and always terminates
// dst at maxChars; the host string convention.
char* vstStrncpy(char* dst, const char* src, int maxChars);
