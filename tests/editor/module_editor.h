// One instance of the built module, driven only through its effect record,
// as a host drives it.
#pragma once

#include "plugin/quarnel.h"
#include "support/fake_host.h"
#include "support/module_loader.h"

namespace editor_test {

class ModuleInstance {
 public:
  // The built module, or a copy of it elsewhere.
  explicit ModuleInstance(const char* path = VELLMARK_MODULE_PATH) : module_(path) {
    if (testing_support::EntryPoint entry = module_.entry()) effect_ = entry(host_.callback());
    if (effect_) dispatch(effOpen);
  }
  ~ModuleInstance() {
    if (effect_) dispatch(effClose);
  }
  ModuleInstance(const ModuleInstance&) = delete;
  ModuleInstance& operator=(const ModuleInstance&) = delete;

  AEffect* effect() const { return effect_; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    return testing_support::dispatch(effect_, opcode, index, value, ptr, opt);
  }
  // Asks the module to draw its editor with the page open into a PNG.
  VstIntPtr snapshot(VstIntPtr page, const char* path) {
    return dispatch(effVendorSpecific, Quarnel::kSnapshotRequest, page, const_cast<char*>(path));
  }

 private:
  testing_support::LoadedModule module_;
  testing_support::FakeHost host_;
  AEffect* effect_ = nullptr;
};

}  // namespace editor_test
