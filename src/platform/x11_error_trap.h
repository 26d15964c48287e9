// Keeps X protocol errors on our own display connection from reaching the
// process's error handler, whose default ends the process. Every call into
// Xlib on our connection runs inside a trap, because errors are read (and
// handled) whenever Xlib reads from the connection. Errors on other
// connections are passed on to the handler that was installed before.
#pragma once

#include <X11/Xlib.h>

namespace platform {

class X11ErrorTrap {
 public:
  explicit X11ErrorTrap(Display* display);
  ~X11ErrorTrap();
  X11ErrorTrap(const X11ErrorTrap&) = delete;
  X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

  // Waits for the server to process every request so far and tells whether
  // any of them failed since the trap was set (or since the last check).
  bool syncAndCheck();

 private:
  Display* display_;
  bool outermost_;
};

}  // namespace platform
