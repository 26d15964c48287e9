#include "plugin/quarnel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "editor/qua_gui.h"
#include "params/midi_intake.h"
#include "params/parameter_application.h"
#include "params/parameter_table.h"
#include "platform/fp_mode.h"

using params::ProgramRecord;

std::atomic<int32_t> Quarnel::liveInstances_{0};

namespace {

constexpr int kHostTextLength = 16;

}  // namespace

Quarnel::Quarnel(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams), renderHost_(*this) {
  // Denormal results are flushed while the programs are applied; the
  // caller's mode is restored when construction ends.
  platform::ScopedFlushToZero flushToZero;

  programsAreChunks(true);
  AudioEffect::setSampleRate(48000.0f);
  engine_.engineRate = 48000.0f;
  engine_.invRate = 1.0f / 48000.0f;
  engine_.invRate2 = 1.0f / (48000.0f * 48000.0f);

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

  setEditor(constructed_ ? createEditor(this) : nullptr);
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

void Quarnel::resume() { AudioEffectX::resume(); }

// --- Audio --------------------------------------------------------------------

void Quarnel::setSampleRate(float rate) {
  AudioEffect::setSampleRate(rate);
  engine_.setSampleRate(rate);
  setProgram(curProgram);
}

void Quarnel::processReplacing(float**, float** outputs, VstInt32 sampleFrames) {
  if (!outputs || !outputs[0] || !outputs[1]) return;
  engine_.render(outputs[0], outputs[1], sampleFrames, renderHost_);
}

VstInt32 Quarnel::processEvents(VstEvents* events) {
  if (!events) return 1;
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
  return 1;
}

void Quarnel::noteOn(int key, float velocity) { engine_.startKey(key, velocity, 0, false); }

void Quarnel::noteOff(int key) { engine_.stopKey(key); }

void Quarnel::showMidiActivity(bool hasEvents) {
  if (editorOpen()) gui()->showMidiActivity(hasEvents);
}

void Quarnel::clearVoices() { engine_.clearVoices(); }

void Quarnel::storeSongPosition(double ppq) {
  // Absurd positions would only overflow the tremolo phase; a week of
  // quarter notes at the fastest tempo is far beyond any song.
  if (!std::isfinite(ppq)) return;
  engine_.songPosition = static_cast<float>(std::min(std::max(ppq, -1.0e7), 1.0e7));
}

float Quarnel::queryHostTempo() {
  const VstTimeInfo* info = getTimeInfo(kVstTempoValid);
  if (!info) return engine_.tempo;
  storeSongPosition(info->ppqPos);
  const double tempo = info->tempo;
  // A tempo of 0, a negative or non-finite one keeps the last tempo.
  if (!(tempo > 0.0) || !std::isfinite(tempo)) return engine_.tempo;
  return static_cast<float>(std::min(std::max(tempo, kMinTempo), kMaxTempo));
}

void Quarnel::querySongPosition() {
  if (const VstTimeInfo* info = getTimeInfo(kVstTempoValid)) storeSongPosition(info->ppqPos);
}

void Quarnel::RenderHostAdapter::reapplyTempoSynced(int index, float value) {
  params::applyParameter(plugin_.engine_, index, value);
}

float Quarnel::RenderHostAdapter::tremoloDepth() {
  return plugin_.getParameter(params::kBodyTremolo);
}

// --- Parameters -------------------------------------------------------------------

void Quarnel::setParameter(VstInt32 index, float value) {
  if (index < 0 || index >= kNumParams || !programs_.hasWorkingPrograms()) return;
  // Hosts may send anything: a non-finite value is ignored, others are kept
  // to the 0..1 range every rule is written for.
  if (!std::isfinite(value)) return;
  value = std::min(std::max(value, 0.0f), 1.0f);
  programs_.stored(curProgram).values[index] = value;
  programs_.working(curProgram).values[index] = value;
  params::applyParameter(engine_, index, value);
  if (editorOpen()) gui()->parameterChanged(index, value);
}

float Quarnel::getParameter(VstInt32 index) {
  if (index < 0 || index >= kNumParams || !programs_.hasWorkingPrograms()) return 0.0f;
  return programs_.working(curProgram).values[index];
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
  context.concertA = engine_.concertA;
  context.tremoloSync = engine_.phaser.tremoloSync != 0;
  context.echoSync = engine_.echoSync != 0;
  params::parameterDisplay(index, getParameter(index), context, text);
}

void Quarnel::reapplyParameters() {
  for (int i = 0; i < kNumParams; ++i) setParameter(i, getParameter(i));
}

float Quarnel::getConcertA() { return engine_.concertA; }

float Quarnel::getPitchRange() { return engine_.pitchRangeCopy; }

int Quarnel::getSpringBLink() { return engine_.springBLink; }

int Quarnel::getEchoSync() { return engine_.echoSync; }

int Quarnel::getLfoSync() { return engine_.lfoSync; }

// --- Programs -------------------------------------------------------------------------

void Quarnel::setProgram(VstInt32 program) {
  suspend();
  if (static_cast<uint32_t>(program) >= static_cast<uint32_t>(kNumPrograms) ||
      !programs_.hasWorkingPrograms())
    return;
  curProgram = program;
  ProgramRecord& stored = programs_.stored(program);
  programs_.working(program) = stored;
  params::readTextField(stored.name, params::kNameLength + 1, programs_.currentProgramName);
  engine_.noiseMode = 0;
  // Index order matters: concert pitch and the tuning passes depend on it.
  for (int i = 0; i < kNumParams; ++i) {
    const float value = stored.values[i];
    setParameter(i, std::isfinite(value) ? value : params::defaultValue(i));
  }
  if (editorOpen()) {
    gui()->showProgramName(programs_.currentProgramName);
    gui()->showProgramSelected();
    gui()->showReadout(1, 0);
    gui()->showReadout(2, 0);
    gui()->showReadout(3, 1);
    gui()->showReadout(4, 2);
  }
  // Held keys keep sounding with the new hold decay; the others move to the
  // new release.
  for (engine::KeyState& k : engine_.keys) {
    if (k.held) continue;
    k.damp = engine_.releaseCoef;
    k.dampSquared = engine_.releaseCoef * engine_.releaseCoef;
    k.bDamp = engine_.springBDecay * engine_.releaseCoef;
    k.sympDamp = engine_.bodyDecay;
  }
  engine_.modWheelUnset = 1;
  engine_.noiseTuneLatch = 1;
  engine_.echoLeft.clear();
  engine_.echoRight.clear();
}

void Quarnel::setProgramName(char* name) {
  if (!name || !programs_.hasWorkingPrograms()) return;
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
  params::readTextField(programs_.stored(curProgram).name, params::kNameLength + 1, name);
}

bool Quarnel::getProgramNameIndexed(VstInt32, VstInt32 index, char* text) {
  if (!text || !params::validProgram(index)) return false;
  params::readTextField(programs_.stored(index).name, params::kNameLength + 1, text);
  return true;
}

void Quarnel::getCurrentProgramName(char* text) {
  if (text) std::memcpy(text, programs_.currentProgramName, sizeof programs_.currentProgramName);
}

float Quarnel::getStoredParameter(int index) {
  if (index < 0 || index >= kNumParams) return 0.0f;
  return programs_.stored(curProgram).values[index];
}

void Quarnel::getProgramPath(char* text) {
  if (text) params::readTextField(programs_.stored(curProgram).path, params::kPathLength, text);
}

bool Quarnel::getBankPath(char* text) {
  const char* bankPath = programs_.storedPrograms.bankPath;
  if (!text || bankPath[0] == 0) return false;
  params::readTextField(bankPath, params::kPathLength, text);
  return true;
}

params::BankImage* Quarnel::getStoredPrograms() { return &programs_.storedPrograms; }

void Quarnel::storeProgram(int program) {
  if (!params::validProgram(program) || !programs_.hasWorkingPrograms()) return;
  ProgramRecord& target = programs_.stored(program);
  for (int i = 0; i < kNumParams; ++i) target.values[i] = getParameter(i);
  curProgram = program;
  params::setRecordName(target, programs_.currentProgramName);
  setProgram(program);
}

void Quarnel::deleteProgram(int program) {
  if (!params::validProgram(program) || !programs_.hasWorkingPrograms()) return;
  // Later programs move down one place; version bytes and paths stay put.
  for (int i = program; i < kNumPrograms - 1; ++i) {
    ProgramRecord& to = programs_.stored(i);
    const ProgramRecord& from = programs_.stored(i + 1);
    std::memcpy(to.values, from.values, sizeof to.values);
    std::memcpy(to.name, from.name, sizeof to.name);
  }
  params::setRecordName(programs_.stored(kNumPrograms - 1), "-");
  curProgram = program;
  setProgram(program);
}

void Quarnel::initBank() {
  if (!programs_.hasWorkingPrograms()) return;
  std::memcpy(programs_.stored(0).values, programs_.defaultProgram.values,
              sizeof programs_.defaultProgram.values);
  std::memcpy(programs_.working(0).values, programs_.defaultProgram.values,
              sizeof programs_.defaultProgram.values);
  curProgram = 0;
  char init[] = "Init";
  setProgramName(init);
  char empty[] = "-";
  for (int p = 1; p < kNumPrograms; ++p) {
    std::memcpy(programs_.stored(p).values, programs_.stored(0).values,
                sizeof programs_.stored(0).values);
    std::memcpy(programs_.working(p).values, programs_.stored(0).values,
                sizeof programs_.stored(0).values);
    curProgram = p;
    setProgramName(empty);
  }
}

VstInt32 Quarnel::getChunk(void** data, bool isPreset) {
  if (!data) return 0;
  if (isPreset) {
    *data = &programs_.stored(curProgram);
    return static_cast<VstInt32>(sizeof(ProgramRecord));
  }
  *data = &programs_.storedPrograms;
  return static_cast<VstInt32>(sizeof(params::BankImage));
}

VstInt32 Quarnel::setChunk(void* data, VstInt32 byteSize, bool isPreset) {
  if (!data) return 0;
  if (isPreset) {
    if (byteSize != static_cast<VstInt32>(sizeof(ProgramRecord))) return 0;
    std::memcpy(&programs_.stored(curProgram), data, sizeof(ProgramRecord));
  } else {
    if (byteSize != static_cast<VstInt32>(sizeof(params::BankImage))) return 0;
    std::memcpy(&programs_.storedPrograms, data, sizeof(params::BankImage));
  }
  setProgram(curProgram);
  return 1;
}
