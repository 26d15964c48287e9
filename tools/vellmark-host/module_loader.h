// Finds a VST 2.4 module's entry point the way hosts do: "VSTPluginMain",
// else the older "main".
#pragma once

#include <memory>
#include <string>

#include "dynamic_library.h"
#include "vst/aeffect.h"

namespace vhost {

using PluginEntry = AEffect* (*)(audioMasterCallback);

struct LoadedModule {
  std::unique_ptr<DynamicLibrary> library;  // must outlive every instance
  PluginEntry entry = nullptr;
  std::string entryName;
};

bool loadModule(const std::string& path, LoadedModule& module, std::string& error);

}  // namespace vhost
