#include "platform/module_path.h"

#include <windows.h>

namespace platform {

namespace {
// Any address inside this module identifies it to the loader.
void anchor() {}

constexpr DWORD kPathCapacity = 2048;
}  // namespace

std::string modulePath() {
  HMODULE module = nullptr;
  // The handle is only looked at, so the module's reference count stays as
  // it is (otherwise the host could never unload it).
  const DWORD flags =
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!GetModuleHandleExA(flags, reinterpret_cast<LPCSTR>(&anchor), &module)) return {};
  char path[kPathCapacity];
  const DWORD length = GetModuleFileNameA(module, path, kPathCapacity);
  // A full buffer means the name was cut: a wrong folder is worse than none.
  if (length == 0 || length >= kPathCapacity) return {};
  return std::string(path, length);
}

}  // namespace platform
