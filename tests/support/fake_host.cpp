#include "support/fake_host.h"

#include <cstring>

namespace testing_support {

namespace {
thread_local FakeHost* currentHost = nullptr;
}

FakeHost::FakeHost() {
  time.sampleRate = 48000.0;
  time.tempo = 120.0;
  time.timeSigNumerator = 4;
  time.timeSigDenominator = 4;
  time.flags = kVstTempoValid | kVstPpqPosValid | kVstTransportPlaying;
  makeCurrent();
}

FakeHost::~FakeHost() {
  if (currentHost == this) currentHost = nullptr;
}

void FakeHost::makeCurrent() { currentHost = this; }

int FakeHost::count(VstInt32 opcode) const {
  int n = 0;
  for (const HostCall& c : calls) n += c.opcode == opcode;
  return n;
}

VstIntPtr FakeHost::dispatch(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt) {
  FakeHost* host = currentHost;
  if (!host) return 0;
  host->calls.push_back({opcode, index, value, opt});
  switch (opcode) {
    case audioMasterVersion:
      return host->version;
    case audioMasterGetTime:
      return host->provideTime ? reinterpret_cast<VstIntPtr>(&host->time) : 0;
    case audioMasterCanDo:
      return ptr && std::strcmp(static_cast<const char*>(ptr), "sendVstMidiEvent") == 0 ? 1 : 0;
    default:
      return 0;
  }
}

MidiBatch& MidiBatch::add(unsigned char status, unsigned char data1, unsigned char data2,
                          int deltaFrames) {
  VstMidiEvent e{};
  e.type = kVstMidiType;
  e.byteSize = sizeof(VstMidiEvent);
  e.deltaFrames = deltaFrames;
  e.midiData[0] = static_cast<char>(status);
  e.midiData[1] = static_cast<char>(data1);
  e.midiData[2] = static_cast<char>(data2);
  midi_.push_back(e);
  return *this;
}

VstEvents* MidiBatch::events() {
  const size_t n = midi_.size();
  storage_.assign(sizeof(VstEvents) + (n > 2 ? n - 2 : 0) * sizeof(VstEvent*), 0);
  auto* list = reinterpret_cast<VstEvents*>(storage_.data());
  list->numEvents = static_cast<VstInt32>(n);
  for (size_t i = 0; i < n; ++i) list->events[i] = reinterpret_cast<VstEvent*>(&midi_[i]);
  return list;
}

}  // namespace testing_support
