#include "platform/module_path.h"

#include <dlfcn.h>
#include <stdlib.h>

namespace platform {

namespace {
// Any address inside this module identifies it to dladdr.
void anchor() {}
}  // namespace

std::string modulePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&anchor), &info) == 0 || !info.dli_fname) return {};
  // dladdr reports the name the module was loaded under, which may be
  // relative to the host's working directory at load time.
  if (char* resolved = realpath(info.dli_fname, nullptr)) {
    std::string path(resolved);
    free(resolved);
    return path;
  }
  return info.dli_fname;
}

}  // namespace platform
