#include "platform/native_window.h"

// Placeholder until the X11 window exists: every frame works windowless.
namespace platform {

std::unique_ptr<NativeWindow> NativeWindow::create(void*, int, int, NativeWindowListener*) {
  return nullptr;
}

}  // namespace platform
