// A scriptable host callback for tests: answers the version request,
// records what the plug-in asks for, and serves time information.
#pragma once

#include <vector>

#include "vst/aeffect.h"

namespace testing_support {

struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  float opt;
};

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();

  audioMasterCallback callback() const { return &FakeHost::dispatch; }

  // The host that answers callbacks on this thread.
  void makeCurrent();

  VstIntPtr version = 2400;
  bool provideTime = true;
  VstTimeInfo time{};
  std::vector<HostCall> calls;

  int count(VstInt32 opcode) const;

 private:
  static VstIntPtr dispatch(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                            void* ptr, float opt);
};

// Builds a VstEvents list of MIDI messages.
class MidiBatch {
 public:
  MidiBatch& add(unsigned char status, unsigned char data1, unsigned char data2,
                 int deltaFrames = 0);
  VstEvents* events();
  size_t size() const { return midi_.size(); }

 private:
  std::vector<VstMidiEvent> midi_;
  std::vector<unsigned char> storage_;
};

}  // namespace testing_support
