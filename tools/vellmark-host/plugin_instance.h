// One instance of a loaded plug-in, driven only through its effect record.
// Creation checks the record before anything trusts it; destruction suspends
// and closes the instance, after which the record is never touched again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_context.h"
#include "module_loader.h"
#include "vst/aeffect.h"

namespace vhost {

// Bounds for the counts a module reports; anything beyond is a broken record.
constexpr VstInt32 kMaxPrograms = 4096;
constexpr VstInt32 kMaxParameters = 100000;
constexpr VstInt32 kMaxChannels = 256;
// A chunk larger than this is taken as a broken answer, not copied.
constexpr VstIntPtr kMaxChunkBytes = 64 * 1024 * 1024;

class PluginInstance {
 public:
  // Calls the entry point, checks the record and sends effOpen.
  static std::unique_ptr<PluginInstance> create(PluginEntry entry, HostContext& host,
                                                std::string& error);
  // Loads the module at `modulePath` into `module` and creates an instance.
  static std::unique_ptr<PluginInstance> load(const std::string& modulePath, LoadedModule& module,
                                              HostContext& host, std::string& error);
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  const AEffect& effect() const { return *effect_; }
  AEffect* record() { return effect_; }
  HostContext& host() { return host_; }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);

  // A text answer read into a zeroed 256-byte buffer, cut at `limit`
  // characters, with anything unprintable shown as '?'. `result` receives
  // the dispatcher's answer.
  std::string text(VstInt32 opcode, VstInt32 index, size_t limit, VstIntPtr value = 0,
                   VstIntPtr* result = nullptr);

  // Sample rate, block size; then resume/suspend (effMainsChanged 1/0).
  void prepare(double sampleRate, VstInt32 maxBlockSize);
  void resume();
  void suspend();

  bool canSetParameters() const { return effect_->setParameter && effect_->getParameter; }
  void setParameter(VstInt32 index, float value) { effect_->setParameter(effect_, index, value); }
  float getParameter(VstInt32 index) { return effect_->getParameter(effect_, index); }

  // Copies the module's chunk (bank or current program); false with a
  // reason when the answer is implausible.
  bool readChunk(bool bank, std::vector<uint8_t>& bytes, std::string& error);

 private:
  PluginInstance(AEffect* effect, HostContext& host) : effect_(effect), host_(host) {}

  AEffect* effect_;
  HostContext& host_;
  bool running_ = false;
};

// Module text made safe to print: at most `limit` characters of `buffer`
// (which need not be terminated within `capacity`), unprintable bytes as '?'.
std::string printableText(const char* buffer, size_t capacity, size_t limit);

// A four-character code as text, first character from the high byte.
std::string fourCharCode(VstInt32 code);

}  // namespace vhost
