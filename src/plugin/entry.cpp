// The module's exported entry point: one call per instance.
#include <new>

#include "plugin/quarnel.h"

extern "C" {

VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  // A host that answers 0 to the version request gets no instance. Without
  // a host callback the instance is still built (with the SDK defaults).
  if (audioMaster && audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
    return nullptr;
  Quarnel* plugin = new (std::nothrow) Quarnel(audioMaster);
  if (!plugin) return nullptr;
  if (!plugin->constructed()) {
    delete plugin;
    return nullptr;
  }
  return plugin->getAeffect();
}

// Older hosts look for the same function under the name "main".
VST_EXPORT AEffect* vellmarkLegacyMain(audioMasterCallback audioMaster) __asm__("main");
VST_EXPORT AEffect* vellmarkLegacyMain(audioMasterCallback audioMaster) {
  return VSTPluginMain(audioMaster);
}

}  // extern "C"
