// "snapshot": asks the module to draw its editor offscreen into a PNG file.
// The request is effVendorSpecific with index 'VkSn', the page in value and
// the file path in ptr; the module answers 1 when it wrote the file.
#include <cstdio>
#include <fstream>

#include "commands.h"
#include "plugin_instance.h"

namespace vhost {

namespace {

// Parameters holding the editor's panel colour, red, green and blue.
constexpr VstInt32 kColourParameters[3] = {48, 49, 50};

bool fileHasContent(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  return file && file.tellg() > 0;
}

}  // namespace

int runSnapshot(const std::string& modulePath, const SnapshotOptions& options, std::ostream& out,
                std::ostream& err) {
  LoadedModule module;
  std::string error;
  HostContext host;
  std::unique_ptr<PluginInstance> plugin = PluginInstance::load(modulePath, module, host, error);
  if (!plugin) {
    err << "error: " << error << "\n";
    return kExitFailure;
  }
  plugin->prepare(host.sampleRate(), host.blockSize());

  if (options.hasColour) {
    if (!plugin->canSetParameters() || plugin->effect().numParams <= kColourParameters[2]) {
      err << "error: the module has no colour parameters " << kColourParameters[0] << " to "
          << kColourParameters[2] << "\n";
      return kExitFailure;
    }
    for (int i = 0; i < 3; ++i)
      plugin->setParameter(kColourParameters[i], static_cast<float>(options.colour[i]) / 255.0f);
  }

  // Removing an old file first means a module that claims success without
  // writing is caught below.
  std::remove(options.outPath.c_str());
  const VstIntPtr answer =
      plugin->dispatch(effVendorSpecific, kSnapshotRequest, static_cast<VstIntPtr>(options.page),
                       const_cast<char*>(options.outPath.c_str()), 0.0f);
  if (answer != 1) {
    err << "error: the module cannot draw an offscreen snapshot (it answered " << answer
        << " to the 'VkSn' request)\n";
    return kExitFailure;
  }
  if (!fileHasContent(options.outPath)) {
    err << "error: the module answered the snapshot request but wrote nothing to "
        << options.outPath << "\n";
    return kExitFailure;
  }
  out << "wrote " << options.outPath << "\n";
  return kExitOk;
}

}  // namespace vhost
