#include "dll_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "platform/module_path.h"

namespace windows_test {

std::string modulePathOfThisBuild() {
  return platform::folderOf(platform::folderOf(platform::modulePath())) + "\\lib\\vellmark.dll";
}

const vhost::LoadedModule& loadedModule() {
  static vhost::LoadedModule module;
  static bool loaded = false;
  if (!loaded) {
    std::string error;
    loaded = vhost::loadModule(modulePathOfThisBuild(), module, error);
    if (!loaded) ADD_FAILURE() << error;
  }
  return module;
}

Instance::Instance(double sampleRate, VstInt32 maxBlock) {
  std::string error;
  plugin_ = vhost::PluginInstance::create(loadedModule().entry, host_, error);
  // gtest reports an exception from a test's body as that test's failure.
  if (!plugin_) throw std::runtime_error(error);
  plugin_->prepare(sampleRate, maxBlock);
  plugin_->resume();
}

std::vector<float> Instance::render(VstInt32 frames, const std::vector<uint8_t>& midi) {
  const size_t count = midi.size() / 3;
  std::vector<VstMidiEvent> events(count);
  // VstEvents ends in a two-pointer array; room for any number of events.
  std::vector<char> listBytes(sizeof(VstEvents) + count * sizeof(VstEvent*));
  auto* list = reinterpret_cast<VstEvents*>(listBytes.data());
  list->numEvents = static_cast<VstInt32>(count);
  for (size_t i = 0; i < count; ++i) {
    events[i].type = kVstMidiType;
    events[i].byteSize = sizeof(VstMidiEvent);
    std::memcpy(events[i].midiData, &midi[i * 3], 3);
    list->events[i] = reinterpret_cast<VstEvent*>(&events[i]);
  }
  plugin_->dispatch(effProcessEvents, 0, 0, list);
  const size_t length = frames > 0 ? static_cast<size_t>(frames) : 0;
  std::vector<float> left(length + 1, 7.0f), right(length + 1, 7.0f);
  float* outputs[2] = {left.data(), right.data()};
  plugin_->record()->processReplacing(plugin_->record(), nullptr, outputs, frames);
  std::vector<float> interleaved;
  for (size_t i = 0; i < length; ++i) {
    interleaved.push_back(left[i]);
    interleaved.push_back(right[i]);
  }
  // The sample after the block is the guard: nothing may write past it.
  EXPECT_EQ(left[length], 7.0f);
  EXPECT_EQ(right[length], 7.0f);
  return interleaved;
}

bool allFiniteAndInRange(const std::vector<float>& samples) {
  for (float x : samples) {
    if (!std::isfinite(x) || std::fabs(x) > 1.0f) return false;
  }
  return true;
}

}  // namespace windows_test
