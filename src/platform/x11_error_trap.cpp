#include "platform/x11_error_trap.h"

namespace platform {

namespace {

// Only touched on the thread that runs the editor; nesting is counted so an
// event handler can trap again.
struct TrapState {
  int depth = 0;
  XErrorHandler previous = nullptr;
  Display* display = nullptr;
  bool failed = false;
};

TrapState& state() {
  static TrapState s;
  return s;
}

int onXError(Display* display, XErrorEvent* event) {
  TrapState& s = state();
  if (display == s.display) {
    s.failed = true;
    return 0;
  }
  return s.previous ? s.previous(display, event) : 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  TrapState& s = state();
  outermost_ = s.depth == 0;
  if (outermost_) {
    s.display = display;
    s.failed = false;
    s.previous = XSetErrorHandler(onXError);
  }
  ++s.depth;
}

X11ErrorTrap::~X11ErrorTrap() {
  TrapState& s = state();
  --s.depth;
  if (outermost_) {
    XSetErrorHandler(s.previous);
    s.previous = nullptr;
    s.display = nullptr;
  }
}

bool X11ErrorTrap::syncAndCheck() {
  TrapState& s = state();
  XSync(display_, False);
  const bool failed = s.failed && s.display == display_;
  s.failed = false;
  return failed;
}

}  // namespace platform
