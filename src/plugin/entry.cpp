// The module's exported entry point: one call per instance.
#include "plugin/create_instance.h"

extern "C" {

VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
  return createInstance(audioMaster);
}

// Older hosts look for the same function under the name "main".
VST_EXPORT AEffect* vellmarkLegacyMain(audioMasterCallback audioMaster) __asm__("main");
VST_EXPORT AEffect* vellmarkLegacyMain(audioMasterCallback audioMaster) {
  return createInstance(audioMaster);
}

}  // extern "C"
