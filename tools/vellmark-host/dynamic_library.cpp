#include "dynamic_library.h"

#include <dlfcn.h>

namespace vhost {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& path, std::string& error) {
  // A bare file name would make the loader search the library path instead
  // of the current folder, which is never what the user meant.
  const std::string where = path.find('/') == std::string::npos ? "./" + path : path;
  dlerror();
  void* handle = dlopen(where.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* reason = dlerror();
    error = "cannot load module " + path + ": " + (reason ? reason : "unknown reason");
    return nullptr;
  }
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

// Modules stay loaded until the process ends. Unloading one also unloads the
// libraries only it pulled in, and some of those keep tables allocated at
// load time (pixman does), which then turn into leaks; a short-lived tool
// gains nothing by unloading.
DynamicLibrary::~DynamicLibrary() = default;

void* DynamicLibrary::symbol(const char* name) const {
  dlerror();
  return dlsym(handle_, name);
}

}  // namespace vhost
