#include "module_loader.h"

#include <cstring>

namespace vhost {

bool loadModule(const std::string& path, LoadedModule& module, std::string& error) {
  module = LoadedModule();
  module.library = DynamicLibrary::open(path, error);
  if (!module.library) return false;
  for (const char* name : {"VSTPluginMain", "main"}) {
    void* address = module.library->symbol(name);
    if (!address) continue;
    // Object and function pointers have the same size on every platform the
    // loader runs on; copying the bits avoids a conditionally supported cast.
    static_assert(sizeof(address) == sizeof(PluginEntry), "function pointer size");
    std::memcpy(&module.entry, &address, sizeof address);
    module.entryName = name;
    return true;
  }
  error = "module " + path + " exports neither VSTPluginMain nor main";
  module.library.reset();
  return false;
}

}  // namespace vhost
