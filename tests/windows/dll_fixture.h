// The Windows tests drive vellmark.dll the way a host does: loaded with
// LoadLibraryA (through the host tool's loader), spoken to only through the
// effect record and the dispatcher.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vellmark-host/host_context.h"
#include "vellmark-host/module_loader.h"
#include "vellmark-host/plugin_instance.h"

namespace windows_test {

// The DLL of this build: ..\lib\vellmark.dll seen from the test program.
std::string modulePathOfThisBuild();

// The module, loaded once for the whole test program.
const vhost::LoadedModule& loadedModule();

// One instance with its own host context, prepared at `sampleRate` for
// blocks of up to `maxBlock` frames and resumed.
class Instance {
 public:
  explicit Instance(double sampleRate = 48000.0, VstInt32 maxBlock = 4096);
  vhost::PluginInstance& operator*() { return *plugin_; }
  vhost::PluginInstance* operator->() { return plugin_.get(); }

  // Renders `frames` frames (after the given MIDI bytes, 3 per event, all at
  // offset 0) and returns the interleaved output.
  std::vector<float> render(VstInt32 frames, const std::vector<uint8_t>& midi = {});

 private:
  vhost::HostContext host_;
  std::unique_ptr<vhost::PluginInstance> plugin_;
};

// True when every sample is finite and within full scale.
bool allFiniteAndInRange(const std::vector<float>& samples);

}  // namespace windows_test
