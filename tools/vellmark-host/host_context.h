// What the host answers when a plug-in calls back: version, time, sample
// rate, block size, capabilities and identity. One context serves one
// instance; the instance finds it through the effect record's host field.
#pragma once

#include <array>
#include <cstdint>

#include "module_loader.h"
#include "transport_clock.h"
#include "vst/aeffect.h"

namespace vhost {

enum class ProcessLevel : VstIntPtr {
  Unknown = 0,
  User = 1,
  Realtime = 2,
  Prefetch = 3,
  Offline = 4
};

class HostContext {
 public:
  static constexpr const char* kVendor = "Ostrel";
  static constexpr const char* kProduct = "vellmark-host";
  static constexpr VstIntPtr kVendorVersion = 1;

  HostContext();

  // Calls the entry point with this context answering the plug-in's first
  // requests, then ties the returned record to this context.
  AEffect* createEffect(PluginEntry entry);

  void setSampleRate(double rate);
  void setBlockSize(VstInt32 frames);
  void setProcessLevel(ProcessLevel level) { level_ = level; }
  TransportClock& transport() { return transport_; }
  double sampleRate() const { return sampleRate_; }
  VstInt32 blockSize() const { return blockSize_; }

  VstIntPtr answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt);

  // How often the plug-in made each request (opcodes 0..63).
  int requestCount(VstInt32 opcode) const;

  // The host capability texts answered with 1; every other text gets 0.
  static bool supports(const char* text);

 private:
  double sampleRate_ = 48000.0;
  VstInt32 blockSize_ = 256;
  ProcessLevel level_ = ProcessLevel::User;
  TransportClock transport_;
  std::array<int, 64> requests_{};
};

// The callback handed to every entry point.
extern "C" VstIntPtr vellmarkHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                          VstIntPtr value, void* ptr, float opt);

}  // namespace vhost
