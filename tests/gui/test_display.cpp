#include "gui/test_display.h"

#include <X11/Xlib.h>

#include <cstdlib>

namespace gui_test {

bool displayAvailable() {
  static const bool available = [] {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return false;
    Display* display = XOpenDisplay(name);
    if (!display) return false;
    XCloseDisplay(display);
    return true;
  }();
  return available;
}

Display* openTestDisplay() { return displayAvailable() ? XOpenDisplay(nullptr) : nullptr; }

}  // namespace gui_test
