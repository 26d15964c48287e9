// The plug-in object: one per instance. It owns the engine state read by
// the audio path, the two echo lines (inside the engine), the program store
// and the editor, and answers the host through the VST 2.4 base classes.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "engine/engine.h"
#include "params/program_store.h"
#include "plugin/engine_writer.h"
#include "vst/audioeffectx.h"

class QuaGui;

class Quarnel : public AudioEffectX {
 public:
  static constexpr int32_t kNumPrograms = params::kNumPrograms;
  static constexpr int32_t kNumParams = params::kNumParams;
  static constexpr VstInt32 kUniqueId = vstFourCC('V', 'L', 'K', '2');
  // effVendorSpecific request: value = page (0 none, 1 presets, 2
  // microtuning, 3 modulation, 4 effects), ptr = PNG path. Answers 1 when
  // the file was written, else 0.
  static constexpr VstInt32 kSnapshotRequest = vstFourCC('V', 'k', 'S', 'n');

  explicit Quarnel(audioMasterCallback audioMaster);
  ~Quarnel() override;

  // False when construction could not complete (memory ran out); the entry
  // point then deletes the object and reports failure to the host.
  bool constructed() const { return constructed_; }

  // --- Overrides of the SDK operations ------------------------------------
  void resume() override;
  void suspend() override;
  void setSampleRate(float rate) override;
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void setProgram(VstInt32 program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;
  void getParameterName(VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset = false) override;
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset = false) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  bool getOutputProperties(VstInt32 index, VstPinProperties* properties) override;
  VstInt32 getNumMidiInputChannels() override { return 1; }
  VstInt32 processEvents(VstEvents* events) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override { return 1; }
  VstInt32 canDo(char* text) override;
  VstInt32 getPlugCategory() override { return kPlugCategSynth; }
  // 'VkSn' draws the editor offscreen into a PNG file (see kSnapshotRequest).
  VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

  // --- Own operations, called by the editor and by the plug-in itself -----
  virtual void locateDirectories();
  virtual std::string getDirectory(bool preset);
  virtual bool getBankPath(char* text);
  virtual params::BankImage* getStoredPrograms();
  virtual bool saveProgramFile(int index, const char* path);
  virtual bool loadProgramFile(int index, const char* path);
  virtual bool saveBankFile(const char* path);
  virtual bool loadBankFile(const char* path);
  virtual void noteOn(int key, float velocity);
  virtual void noteOff(int key);
  virtual void showMidiActivity(bool hasEvents);
  virtual void clearVoices();
  virtual void storeProgram(int program);
  virtual void deleteProgram(int program);
  virtual void getCurrentProgramName(char* text);
  virtual float getStoredParameter(int index);
  virtual void getProgramPath(char* text);
  virtual void reapplyParameters();
  virtual float queryHostTempo();
  virtual void querySongPosition();
  virtual float getConcertA();
  virtual float getPitchRange();
  virtual int getSpringBLink();
  virtual int getEchoSync();
  virtual int getLfoSync();
  virtual void initBank();

  int32_t instanceNumber() const { return instanceNumber_; }
  static int32_t liveInstances();

  // The engine itself, for tests and benchmarks that drive it on one
  // thread. Everything else changes it through the writer.
  engine::Engine& engineState() { return engine_; }
  QuaGui* gui();

  // Tempo accepted from the host, in BPM; anything else keeps the last one.
  static constexpr double kMinTempo = 1.0;
  static constexpr double kMaxTempo = 999.0;

 private:
  bool editorOpen();
  // Tempo and song position for one block, read once from the host.
  engine::BlockContext hostTime();
  // Song position accepted from the host, or false.
  static bool usableSongPosition(double ppq, float& position);
  // The values a program selection applies: finite, within 0..1, written
  // back into both copies of the current program.
  void sanitiseCurrentProgram(float* values);

  std::string moduleDirectory_;
  std::string presetDirectory_;
  engine::Engine engine_;
  plugin::EngineWriter writer_{engine_};
  params::ProgramStore programs_;
  // The current program for setParameter and getParameter, which may run
  // on the audio thread; curProgram itself belongs to the host's threads.
  std::atomic<int32_t> currentProgram_{0};
  // Program, chunk, name and file operations come from the host's and the
  // editor's threads; they take turns here. The audio thread never does.
  std::recursive_mutex storeMutex_;
  // What getChunk hands out: a copy, so the host reads it while other
  // threads go on changing the programs.
  params::BankImage chunkBank_;
  params::ProgramRecord chunkProgram_;
  int32_t instanceNumber_ = 0;
  bool constructed_ = false;

  static std::atomic<int32_t> liveInstances_;
};
