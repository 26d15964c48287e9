#include "plugin_instance.h"

#include <cstdio>
#include <cstring>

namespace vhost {

namespace {

constexpr size_t kTextBufferBytes = 256;

bool plausibleCount(VstInt32 count, VstInt32 limit) { return count >= 0 && count <= limit; }

}  // namespace

std::string printableText(const char* buffer, size_t capacity, size_t limit) {
  std::string text;
  for (size_t i = 0; i < capacity && i < limit && buffer[i]; ++i) {
    const unsigned char c = static_cast<unsigned char>(buffer[i]);
    text += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  return text;
}

std::string fourCharCode(VstInt32 code) {
  const uint32_t bits = static_cast<uint32_t>(code);
  const char chars[4] = {static_cast<char>(bits >> 24), static_cast<char>(bits >> 16),
                         static_cast<char>(bits >> 8), static_cast<char>(bits)};
  return printableText(chars, 4, 4);
}

std::unique_ptr<PluginInstance> PluginInstance::load(const std::string& modulePath,
                                                     LoadedModule& module, HostContext& host,
                                                     std::string& error) {
  if (!loadModule(modulePath, module, error)) return nullptr;
  return create(module.entry, host, error);
}

std::unique_ptr<PluginInstance> PluginInstance::create(PluginEntry entry, HostContext& host,
                                                       std::string& error) {
  AEffect* effect = host.createEffect(entry);
  if (!effect) {
    error = "the module returned no effect record (the entry point answered null)";
    return nullptr;
  }
  // With a wrong magic nothing in the record can be trusted, not even its
  // dispatcher for effClose: the instance is abandoned.
  if (effect->magic != kEffectMagic) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<uint32_t>(effect->magic));
    error = std::string("the module's effect record has a wrong magic number ") + hex +
            " (expected 'VstP')";
    return nullptr;
  }
  if (!effect->dispatcher) {
    error = "the module's effect record has no dispatcher";
    return nullptr;
  }
  std::unique_ptr<PluginInstance> instance(new PluginInstance(effect, host));
  if (!plausibleCount(effect->numPrograms, kMaxPrograms) ||
      !plausibleCount(effect->numParams, kMaxParameters) ||
      !plausibleCount(effect->numInputs, kMaxChannels) ||
      !plausibleCount(effect->numOutputs, kMaxChannels)) {
    error = "the module's effect record reports implausible counts (programs " +
            std::to_string(effect->numPrograms) + ", parameters " +
            std::to_string(effect->numParams) + ", inputs " + std::to_string(effect->numInputs) +
            ", outputs " + std::to_string(effect->numOutputs) + ")";
    return nullptr;  // the destructor still closes the instance
  }
  instance->dispatch(effOpen);
  return instance;
}

PluginInstance::~PluginInstance() {
  if (running_) suspend();
  dispatch(effClose);
}

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
  return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index, size_t limit, VstIntPtr value,
                                 VstIntPtr* result) {
  char buffer[kTextBufferBytes] = {};
  const VstIntPtr answer = dispatch(opcode, index, value, buffer);
  if (result) *result = answer;
  return printableText(buffer, sizeof buffer, limit);
}

void PluginInstance::prepare(double sampleRate, VstInt32 maxBlockSize) {
  host_.setSampleRate(sampleRate);
  host_.setBlockSize(maxBlockSize);
  dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
  dispatch(effSetBlockSize, 0, maxBlockSize);
}

void PluginInstance::resume() {
  dispatch(effMainsChanged, 0, 1);
  running_ = true;
}

void PluginInstance::suspend() {
  dispatch(effMainsChanged, 0, 0);
  running_ = false;
}

bool PluginInstance::readChunk(bool bank, std::vector<uint8_t>& bytes, std::string& error) {
  void* data = nullptr;
  const VstIntPtr size = dispatch(effGetChunk, bank ? 0 : 1, 0, &data);
  bytes.clear();
  if (size < 0 || size > kMaxChunkBytes) {
    error = "the module reported an implausible chunk size " + std::to_string(size);
    return false;
  }
  if (size > 0 && !data) {
    error = "the module reported a chunk of " + std::to_string(size) + " bytes but no data";
    return false;
  }
  if (size > 0) {
    const auto* first = static_cast<const uint8_t*>(data);
    bytes.assign(first, first + size);
  }
  return true;
}

}  // namespace vhost
