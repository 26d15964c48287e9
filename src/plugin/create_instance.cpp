#include "plugin/create_instance.h"

#include <new>

#include "plugin/quarnel.h"

AEffect* createInstance(audioMasterCallback audioMaster) {
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
