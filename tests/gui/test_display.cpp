#include "gui/test_display.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace gui_test {

namespace {

// An X server resets when its last client disconnects, and refuses
// connections while it does. The probe connection stays open for the whole
// test process so the server never runs out of clients between tests.
Display* probeConnection() {
  static Display* const probe = [] {
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) return static_cast<Display*>(nullptr);
    for (int attempt = 0; attempt < 20; ++attempt) {
      if (Display* display = XOpenDisplay(name)) return display;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return static_cast<Display*>(nullptr);
  }();
  return probe;
}

}  // namespace

bool displayAvailable() { return probeConnection() != nullptr; }

Display* openTestDisplay() {
  if (!displayAvailable()) return nullptr;
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (Display* display = XOpenDisplay(nullptr)) return display;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return nullptr;
}

}  // namespace gui_test
