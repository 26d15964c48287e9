// Linux only; other systems bring their own implementation.
#if defined(__linux__)

#include "platform/x11_error_trap.h"

#include <algorithm>

namespace platform {

namespace {

// Only touched on the thread that runs the editor. Traps nest (an event of
// one window may lead to calls on another editor's connection); the
// displays of all open traps are kept.
struct TrapState {
  static constexpr int kMaxDepth = 16;
  int depth = 0;
  XErrorHandler previous = nullptr;
  Display* displays[kMaxDepth] = {};
  bool failed[kMaxDepth] = {};

  int indexOf(Display* display) const {
    for (int i = std::min(depth, kMaxDepth) - 1; i >= 0; --i)
      if (displays[i] == display) return i;
    return -1;
  }
};

TrapState& state() {
  static TrapState s;
  return s;
}

int onXError(Display* display, XErrorEvent* event) {
  TrapState& s = state();
  const int index = s.indexOf(display);
  if (index >= 0) {
    s.failed[index] = true;
    return 0;
  }
  return s.previous ? s.previous(display, event) : 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
  TrapState& s = state();
  outermost_ = s.depth == 0;
  if (outermost_) s.previous = XSetErrorHandler(onXError);
  if (s.depth < TrapState::kMaxDepth) {
    s.displays[s.depth] = display;
    s.failed[s.depth] = false;
  }
  ++s.depth;
}

X11ErrorTrap::~X11ErrorTrap() {
  TrapState& s = state();
  --s.depth;
  if (s.depth < TrapState::kMaxDepth) s.displays[s.depth] = nullptr;
  if (outermost_) {
    XSetErrorHandler(s.previous);
    s.previous = nullptr;
  }
}

bool X11ErrorTrap::syncAndCheck() {
  XSync(display_, False);
  TrapState& s = state();
  const int index = s.indexOf(display_);
  if (index < 0) return false;
  const bool failed = s.failed[index];
  s.failed[index] = false;
  return failed;
}

}  // namespace platform

#endif  // __linux__
