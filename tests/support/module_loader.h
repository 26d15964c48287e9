// Loads the built plug-in module with dlopen, as a host does.
#pragma once

#include "vst/aeffect.h"

namespace testing_support {

typedef AEffect* (*EntryPoint)(audioMasterCallback);

class LoadedModule {
 public:
  // The built module, or a copy of it elsewhere.
  explicit LoadedModule(const char* path = VELLMARK_MODULE_PATH);
  ~LoadedModule();
  bool ok() const { return handle_ != nullptr; }
  EntryPoint entry(const char* name = "VSTPluginMain") const;

 private:
  void* handle_;
};

// Dispatcher shorthand.
VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void* ptr = nullptr, float opt = 0.0f);

}  // namespace testing_support
