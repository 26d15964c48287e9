#include "chunk_scenario.h"

#include <cstdio>

#include "scenarios.h"
#include "vellmark-host/host_context.h"
#include "vellmark-host/plugin_instance.h"

namespace scenarios {

namespace {

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

const std::vector<std::string>& chunkFileNames() {
  static const std::vector<std::string> names = {"bank.chunk", "program.chunk"};
  return names;
}

bool writeChunks(vhost::PluginEntry entry, const std::string& folder, std::string& error) {
  vhost::HostContext host;
  std::unique_ptr<vhost::PluginInstance> plugin = vhost::PluginInstance::create(entry, host, error);
  if (!plugin) return false;
  plugin->dispatch(effSetProgram, 0, 9);
  char name[] = "Exchanged";
  plugin->dispatch(effSetProgramName, 0, 0, name);
  for (const vhost::ParameterSetting& setting : drawnParameters(29))
    plugin->setParameter(setting.index, setting.value);
  for (size_t i = 0; i < chunkFileNames().size(); ++i) {
    std::vector<uint8_t> bytes;
    if (!plugin->readChunk(i == 0, bytes, error)) return false;
    if (!writeBytes(folder + "/" + chunkFileNames()[i], bytes)) {
      error = "cannot write " + chunkFileNames()[i];
      return false;
    }
  }
  return true;
}

}  // namespace scenarios
