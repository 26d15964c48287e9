#include "platform/native_window.h"

// Systems without a native window implementation yet: every frame works
// windowless.
#if !defined(__linux__)
namespace platform {

std::unique_ptr<NativeWindow> NativeWindow::create(void*, int, int, NativeWindowListener*) {
  return nullptr;
}

}  // namespace platform
#endif
