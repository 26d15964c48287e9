#include "dynamic_library.h"

#include <windows.h>

namespace vhost {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& path, std::string& error) {
  // A failing DLL load must come back as an error, not as a message box.
  const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE handle = LoadLibraryA(path.c_str());
  const DWORD reason = handle ? 0 : GetLastError();
  SetErrorMode(previousMode);
  if (!handle) {
    error = "cannot load module " + path + ": Windows error " + std::to_string(reason);
    return nullptr;
  }
  return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

// Modules stay loaded until the process ends, as on Linux.
DynamicLibrary::~DynamicLibrary() = default;

void* DynamicLibrary::symbol(const char* name) const {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

}  // namespace vhost
