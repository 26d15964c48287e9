#include "host_context.h"

#include <cstdio>
#include <cstring>

namespace vhost {

namespace {

// The context answering while an entry point runs: the plug-in may call back
// before the host has seen its effect record.
thread_local HostContext* creatingHost = nullptr;

// Requests our interface declarations do not name.
constexpr VstInt32 kGetInputLatency = 18;
constexpr VstInt32 kGetOutputLatency = 19;

// Plug-ins hand over 64-byte buffers for the vendor and product texts; the
// terminator stays inside them.
constexpr size_t kHostStringBytes = 64;

void copyHostString(void* ptr, const char* text) {
  std::snprintf(static_cast<char*>(ptr), kHostStringBytes, "%s", text);
}

}  // namespace

HostContext::HostContext() { transport_.configure(sampleRate_, 120.0); }

AEffect* HostContext::createEffect(PluginEntry entry) {
  HostContext* previous = creatingHost;
  creatingHost = this;
  AEffect* effect = entry(vellmarkHostCallback);
  creatingHost = previous;
  if (effect && effect->magic == kEffectMagic) effect->resvd1 = reinterpret_cast<VstIntPtr>(this);
  return effect;
}

void HostContext::setSampleRate(double rate) {
  sampleRate_ = rate;
  transport_.configure(rate, transport_.tempo());
}

void HostContext::setBlockSize(VstInt32 frames) { blockSize_ = frames; }

bool HostContext::supports(const char* text) {
  static const char* const kSupported[] = {"sendVstEvents", "sendVstMidiEvent", "sendVstTimeInfo"};
  if (!text) return false;
  for (const char* known : kSupported)
    if (std::strcmp(text, known) == 0) return true;
  return false;
}

int HostContext::requestCount(VstInt32 opcode) const {
  return opcode >= 0 && opcode < static_cast<VstInt32>(requests_.size()) ? requests_[opcode] : 0;
}

VstIntPtr HostContext::answer(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
  if (opcode >= 0 && opcode < static_cast<VstInt32>(requests_.size())) ++requests_[opcode];
  switch (opcode) {
    case audioMasterVersion:
      return kVstVersion;
    case audioMasterGetTime:
      return reinterpret_cast<VstIntPtr>(transport_.record());
    case audioMasterTempoAt:
      return static_cast<VstIntPtr>(transport_.tempo() * 10000.0);
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(sampleRate_);
    case audioMasterGetBlockSize:
      return blockSize_;
    case audioMasterGetCurrentProcessLevel:
      return static_cast<VstIntPtr>(level_);
    case audioMasterGetAutomationState:
      return 1;  // automation off: the host neither reads nor writes it
    case audioMasterGetVendorString:
      if (!ptr) return 0;
      copyHostString(ptr, kVendor);
      return 1;
    case audioMasterGetProductString:
      if (!ptr) return 0;
      copyHostString(ptr, kProduct);
      return 1;
    case audioMasterGetVendorVersion:
      return kVendorVersion;
    case audioMasterCanDo:
      return supports(static_cast<const char*>(ptr)) ? 1 : 0;
    case audioMasterGetLanguage:
      return 1;  // English
    case kGetInputLatency:
    case kGetOutputLatency:
      return 0;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
    case audioMasterWantMidi:
    case audioMasterIdle:
      // Noted in the request count; an offline host has nothing more to do.
      return 0;
    default:
      return 0;
  }
}

extern "C" VstIntPtr vellmarkHostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                          VstIntPtr value, void* ptr, float opt) {
  HostContext* host = nullptr;
  if (effect && effect->resvd1) host = reinterpret_cast<HostContext*>(effect->resvd1);
  if (!host) host = creatingHost;
  if (host) return host->answer(effect, opcode, index, value, ptr, opt);
  // A plug-in calling from a thread of its own before it was tied to a host
  // still learns the version it runs under.
  return opcode == audioMasterVersion ? kVstVersion : 0;
}

}  // namespace vhost
