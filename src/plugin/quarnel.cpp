#include "plugin/quarnel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "editor/qua_gui.h"
#include "params/midi_intake.h"
#include "params/parameter_application.h"
#include "params/parameter_readings.h"
#include "params/parameter_table.h"
#include "platform/fp_mode.h"

using params::ProgramRecord;

std::atomic<int32_t> Quarnel::liveInstances_{0};

namespace {

constexpr int kHostTextLength = 16;

}  // namespace

Quarnel::Quarnel(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams) {
  // Denormal results are flushed while the programs are applied; the
  // caller's mode is restored when construction ends.
  platform::ScopedFlushToZero flushToZero;

  programsAreChunks(true);
  AudioEffect::setSampleRate(48000.0f);

  if (programs_.allocateWorkingPrograms()) {
    for (int p = 1; p < kNumPrograms; ++p) {
      curProgram = p;
      std::memcpy(programs_.working(p).values, programs_.stored(p).values,
                  sizeof programs_.stored(p).values);
      params::setRecordName(programs_.stored(p), "-");
      params::setRecordName(programs_.working(p), "-");
    }
    curProgram = 0;
    std::memcpy(programs_.working(0).values, programs_.stored(0).values,
                sizeof programs_.stored(0).values);
    params::setRecordName(programs_.stored(0), "Init");
    params::setRecordName(programs_.working(0), "Init");
    setProgram(0);
    constructed_ = true;
  }
  curProgram = 0;

  if (audioMaster) {
    setNumInputs(0);
    setNumOutputs(2);
    isSynth();
    canProcessReplacing();
    setUniqueID(kUniqueId);
  }

  setEditor(constructed_ ? createEditor(this, this) : nullptr);
  locateDirectories();
  instanceNumber_ = liveInstances_.fetch_add(1) + 1;
}

Quarnel::~Quarnel() { liveInstances_.fetch_sub(1); }

int32_t Quarnel::liveInstances() { return liveInstances_.load(); }

QuaGui* Quarnel::gui() { return static_cast<QuaGui*>(editor); }

bool Quarnel::editorOpen() { return editor && editor->isOpen(); }

// --- Host identity ------------------------------------------------------------

bool Quarnel::getEffectName(char* name) {
  vstStrncpy(name, "Vellmark(x64)", kVstMaxEffectNameLen);
  return true;
}

bool Quarnel::getVendorString(char* text) {
  vstStrncpy(text, "Ostrel", kVstMaxVendorStrLen);
  return true;
}

bool Quarnel::getProductString(char* text) {
  vstStrncpy(text, "Vellmark v2.0.5(x64)", kVstMaxProductStrLen);
  return true;
}

VstInt32 Quarnel::canDo(char* text) {
  if (!text) return -1;
  static const char* const kAbilities[] = {"receiveVstEvents", "receiveVstMidiEvent",
                                           "midiProgramNames"};
  for (const char* ability : kAbilities)
    if (std::strcmp(text, ability) == 0) return 1;
  return -1;
}

bool Quarnel::getOutputProperties(VstInt32 index, VstPinProperties* properties) {
  if (index < 0 || index > 1 || !properties) return false;
  std::snprintf(properties->label, sizeof properties->label, "Velk %1d", index + 1);
  properties->flags = kVstPinIsActive | kVstPinIsStereo;
  return true;
}

void Quarnel::resume() {
  AudioEffectX::resume();
  writer_.setProcessing(true);
}

void Quarnel::suspend() { writer_.setProcessing(false); }

// --- Audio --------------------------------------------------------------------

void Quarnel::setSampleRate(float rate) {
  AudioEffect::setSampleRate(rate);
  writer_.setSampleRate(rate);
  setProgram(curProgram);
}

void Quarnel::processReplacing(float**, float** outputs, VstInt32 sampleFrames) {
  if (!outputs || !outputs[0] || !outputs[1]) return;
  if (!writer_.begin()) {
    // Another thread is applying changes while the host renders with its
    // processing switched off: this block stays silent.
    for (VstInt32 i = 0; i < sampleFrames; ++i) outputs[0][i] = outputs[1][i] = 0.0f;
    return;
  }
  // The host is asked for the time only when the block synthesises.
  const engine::BlockContext context =
      engine_.needsSynthesis() ? hostTime() : engine::BlockContext{};
  engine_.render(outputs[0], outputs[1], sampleFrames, context);
  writer_.end();
}

VstInt32 Quarnel::processEvents(VstEvents* events) {
  if (!events) return 1;
  if (!writer_.begin()) return 1;
  params::beginEventBatch(engine_);
  showMidiActivity(events->numEvents != 0);
  for (VstInt32 i = 0; i < events->numEvents; ++i) {
    const VstEvent* event = events->events[i];
    if (!event || event->type != kVstMidiType) continue;
    const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
    params::handleMidiMessage(engine_, static_cast<uint8_t>(midi->midiData[0]),
                              static_cast<uint8_t>(midi->midiData[1]),
                              static_cast<uint8_t>(midi->midiData[2]), midi->deltaFrames);
  }
  writer_.end();
  return 1;
}

void Quarnel::noteOn(int key, float velocity) { writer_.keyDown(key, velocity); }

void Quarnel::noteOff(int key) { writer_.keyUp(key); }

void Quarnel::showMidiActivity(bool hasEvents) {
  if (editorOpen()) gui()->showMidiActivity(hasEvents);
}

void Quarnel::clearVoices() { writer_.clearVoices(); }

bool Quarnel::usableSongPosition(double ppq, float& position) {
  // Absurd positions would only overflow the tremolo phase; a week of
  // quarter notes at the fastest tempo is far beyond any song.
  if (!std::isfinite(ppq)) return false;
  position = static_cast<float>(std::min(std::max(ppq, -1.0e7), 1.0e7));
  return true;
}

engine::BlockContext Quarnel::hostTime() {
  engine::BlockContext context;
  const VstTimeInfo* info = getTimeInfo(kVstTempoValid);
  if (!info) return context;
  context.hasSongPosition = usableSongPosition(info->ppqPos, context.songPosition);
  const double tempo = info->tempo;
  // A tempo of 0, a negative or non-finite one keeps the last tempo.
  if (tempo > 0.0 && std::isfinite(tempo)) {
    context.hasTempo = true;
    context.tempo = static_cast<float>(std::min(std::max(tempo, kMinTempo), kMaxTempo));
  }
  return context;
}

float Quarnel::queryHostTempo() {
  const engine::BlockContext context = hostTime();
  return context.hasTempo ? context.tempo : engine_.tempo();
}

void Quarnel::querySongPosition() {
  const engine::BlockContext context = hostTime();
  if (context.hasSongPosition) engine_.setSongPosition(context.songPosition);
}

// --- Parameters -------------------------------------------------------------------

void Quarnel::setParameter(VstInt32 index, float value) {
  if (index < 0 || index >= kNumParams || !programs_.hasWorkingPrograms()) return;
  // Hosts may send anything: a non-finite value is ignored, others are kept
  // to the 0..1 range every rule is written for.
  if (!std::isfinite(value)) return;
  value = std::min(std::max(value, 0.0f), 1.0f);
  const int32_t program = currentProgram_.load(std::memory_order_relaxed);
  params::storeValue(programs_.stored(program).values[index], value);
  params::storeValue(programs_.working(program).values[index], value);
  writer_.setParameter(index, value);
  if (editorOpen()) gui()->parameterChanged(index, value);
}

float Quarnel::getParameter(VstInt32 index) {
  if (index < 0 || index >= kNumParams || !programs_.hasWorkingPrograms()) return 0.0f;
  return params::loadValue(
      programs_.working(currentProgram_.load(std::memory_order_relaxed)).values[index]);
}

void Quarnel::getParameterName(VstInt32 index, char* text) {
  params::parameterName(index, getParameter(params::kSpringBDiffusion) >= 1.0f, text);
}

void Quarnel::getParameterLabel(VstInt32 index, char* label) {
  params::parameterLabel(index, getParameter(params::kSpringBDiffusion) >= 1.0f, label);
}

void Quarnel::getParameterDisplay(VstInt32 index, char* text) {
  params::DisplayContext context;
  context.noiseMode = getParameter(params::kSpringBDiffusion) >= 1.0f;
  context.concertA = getConcertA();
  context.tremoloSync = params::tremoloSyncOf(getParameter(params::kBodyTremoloSync)) != 0;
  context.echoSync = getEchoSync() != 0;
  params::parameterDisplay(index, getParameter(index), context, text);
}

void Quarnel::reapplyParameters() {
  for (int i = 0; i < kNumParams; ++i) setParameter(i, getParameter(i));
}

// The read-outs come from the current values, never from the engine, which
// the audio thread may be changing at this moment.
float Quarnel::getConcertA() { return params::concertAOf(getParameter(params::kConcertA)); }

float Quarnel::getPitchRange() { return params::pitchRangeOf(getParameter(params::kPitchRange)); }

int Quarnel::getSpringBLink() { return params::springBLinkOf(getParameter(params::kSpringBLink)); }

int Quarnel::getEchoSync() { return params::switchOf(getParameter(params::kEchoSync)); }

int Quarnel::getLfoSync() { return params::switchOf(getParameter(params::kLfoSync)); }

// --- Programs -------------------------------------------------------------------------

void Quarnel::setProgram(VstInt32 program) {
  // The SDK's suspend, which does nothing here; the host's processing
  // switch is not touched.
  AudioEffect::suspend();
  if (static_cast<uint32_t>(program) >= static_cast<uint32_t>(kNumPrograms) ||
      !programs_.hasWorkingPrograms())
    return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  curProgram = program;
  currentProgram_.store(program, std::memory_order_relaxed);
  ProgramRecord& stored = programs_.stored(program);
  params::copyRecord(programs_.working(program), stored);
  params::readTextField(stored.name, params::kNameLength + 1, programs_.currentProgramName);
  float values[kNumParams];
  sanitiseCurrentProgram(values);
  // Index order matters: concert pitch and the tuning passes depend on it.
  writer_.loadProgram(values);
  if (editorOpen()) {
    for (int i = 0; i < kNumParams; ++i) gui()->parameterChanged(i, values[i]);
    gui()->showProgramName(programs_.currentProgramName);
    gui()->showProgramSelected();
    gui()->showReadout(1, 0);
    gui()->showReadout(2, 0);
    gui()->showReadout(3, 1);
    gui()->showReadout(4, 2);
  }
}

void Quarnel::sanitiseCurrentProgram(float* values) {
  ProgramRecord& stored = programs_.stored(curProgram);
  ProgramRecord& working = programs_.working(curProgram);
  for (int i = 0; i < kNumParams; ++i) {
    float value = params::loadValue(stored.values[i]);
    if (!std::isfinite(value)) value = params::defaultValue(i);
    value = std::min(std::max(value, 0.0f), 1.0f);
    params::storeValue(stored.values[i], value);
    params::storeValue(working.values[i], value);
    values[i] = value;
  }
}

void Quarnel::setProgramName(char* name) {
  if (!name || !programs_.hasWorkingPrograms()) return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  params::setRecordName(programs_.stored(curProgram), name);
  params::setRecordName(programs_.working(curProgram), name);
  // The current-program name follows, so a program stored next carries the
  // name the user just gave.
  params::readTextField(programs_.stored(curProgram).name, params::kNameLength + 1,
                        programs_.currentProgramName);
  if (editorOpen()) gui()->showProgramName(programs_.currentProgramName);
}

void Quarnel::getProgramName(char* name) {
  if (!name) return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  params::readTextField(programs_.stored(curProgram).name, params::kNameLength + 1, name);
}

bool Quarnel::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
  if (!text || !params::validProgram(index)) return false;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  params::readTextField(programs_.stored(index).name, params::kNameLength + 1, text);
  return true;
}

void Quarnel::getCurrentProgramName(char* text) {
  if (!text) return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  std::memcpy(text, programs_.currentProgramName, sizeof programs_.currentProgramName);
}

float Quarnel::getStoredParameter(int index) {
  if (index < 0 || index >= kNumParams) return 0.0f;
  return params::loadValue(
      programs_.stored(currentProgram_.load(std::memory_order_relaxed)).values[index]);
}

void Quarnel::getProgramPath(char* text) {
  if (!text) return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  params::readTextField(programs_.stored(curProgram).path, params::kPathLength, text);
}

bool Quarnel::getBankPath(char* text) {
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  const char* bankPath = programs_.storedPrograms.bankPath;
  if (!text || bankPath[0] == 0) return false;
  params::readTextField(bankPath, params::kPathLength, text);
  return true;
}

params::BankImage* Quarnel::getStoredPrograms() { return &programs_.storedPrograms; }

void Quarnel::storeProgram(int program) {
  if (!params::validProgram(program) || !programs_.hasWorkingPrograms()) return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  ProgramRecord& target = programs_.stored(program);
  for (int i = 0; i < kNumParams; ++i) params::storeValue(target.values[i], getParameter(i));
  curProgram = program;
  currentProgram_.store(program, std::memory_order_relaxed);
  params::setRecordName(target, programs_.currentProgramName);
  setProgram(program);
}

void Quarnel::deleteProgram(int program) {
  if (!params::validProgram(program) || !programs_.hasWorkingPrograms()) return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  // Later programs move down one place; version bytes and paths stay put.
  for (int i = program; i < kNumPrograms - 1; ++i) {
    ProgramRecord& to = programs_.stored(i);
    const ProgramRecord& from = programs_.stored(i + 1);
    params::copyValues(to.values, from.values);
    std::memcpy(to.name, from.name, sizeof to.name);
  }
  params::setRecordName(programs_.stored(kNumPrograms - 1), "-");
  curProgram = program;
  currentProgram_.store(program, std::memory_order_relaxed);
  setProgram(program);
}

void Quarnel::initBank() {
  if (!programs_.hasWorkingPrograms()) return;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  params::copyValues(programs_.stored(0).values, programs_.defaultProgram.values);
  params::copyValues(programs_.working(0).values, programs_.defaultProgram.values);
  curProgram = 0;
  currentProgram_.store(0, std::memory_order_relaxed);
  char init[] = "Init";
  setProgramName(init);
  char empty[] = "-";
  for (int p = 1; p < kNumPrograms; ++p) {
    params::copyValues(programs_.stored(p).values, programs_.stored(0).values);
    params::copyValues(programs_.working(p).values, programs_.stored(0).values);
    curProgram = p;
    currentProgram_.store(p, std::memory_order_relaxed);
    setProgramName(empty);
  }
  // Nothing else reaches the engine until a program is selected, but the
  // render's tremolo depth is the current program's value as it stands.
  writer_.setParameter(params::kBodyTremolo, getParameter(params::kBodyTremolo));
}

VstInt32 Quarnel::getChunk(void** data, bool isPreset) {
  if (!data) return 0;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  if (isPreset) {
    params::copyRecord(chunkProgram_, programs_.stored(curProgram));
    *data = &chunkProgram_;
    return static_cast<VstInt32>(sizeof(ProgramRecord));
  }
  params::copyBank(chunkBank_, programs_.storedPrograms);
  *data = &chunkBank_;
  return static_cast<VstInt32>(sizeof(params::BankImage));
}

VstInt32 Quarnel::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
  if (!data) return 0;
  std::lock_guard<std::recursive_mutex> lock(storeMutex_);
  if (isPreset) {
    if (byteSize != static_cast<VstInt32>(sizeof(ProgramRecord))) return 0;
    // The host's bytes may lie anywhere, even in the copy getChunk gave out.
    std::memmove(&chunkProgram_, data, sizeof(ProgramRecord));
    params::copyRecord(programs_.stored(curProgram), chunkProgram_);
  } else {
    if (byteSize != static_cast<VstInt32>(sizeof(params::BankImage))) return 0;
    std::memmove(&chunkBank_, data, sizeof(params::BankImage));
    params::copyBank(programs_.storedPrograms, chunkBank_);
  }
  setProgram(curProgram);
  return 1;
}
