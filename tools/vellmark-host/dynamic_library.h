// A loaded shared module and its exported functions. This is the only place
// the host talks to the operating system's loader, so a Windows build only
// needs another dynamic_library.cpp.
#pragma once

#include <memory>
#include <string>

namespace vhost {

class DynamicLibrary {
 public:
  // Null with a reason in `error` when the module cannot be loaded.
  static std::unique_ptr<DynamicLibrary> open(const std::string& path, std::string& error);
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // The address of an exported function, or null.
  void* symbol(const char* name) const;

 private:
  explicit DynamicLibrary(void* handle) : handle_(handle) {}
  void* handle_;  // never closed, see the destructor
};

}  // namespace vhost
