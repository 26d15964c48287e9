#include "support/module_loader.h"

#include <dlfcn.h>

namespace testing_support {

LoadedModule::LoadedModule(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}

LoadedModule::~LoadedModule() {
  if (handle_) dlclose(handle_);
}

EntryPoint LoadedModule::entry(const char* name) const {
  return handle_ ? reinterpret_cast<EntryPoint>(dlsym(handle_, name)) : nullptr;
}

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt) {
  return e->dispatcher(e, opcode, index, value, ptr, opt);
}

}  // namespace testing_support
