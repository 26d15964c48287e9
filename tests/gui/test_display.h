// Finds the X display the tests may use: the one named by DISPLAY (as
// xvfb-run sets it), checked by connecting to it.
#pragma once

typedef struct _XDisplay Display;

namespace gui_test {

// True when DISPLAY names a display that accepts connections.
bool displayAvailable();

// A new connection to that display, or null.
Display* openTestDisplay();

}  // namespace gui_test

#define SKIP_WITHOUT_DISPLAY()                                                         \
  do {                                                                                 \
    if (!gui_test::displayAvailable()) GTEST_SKIP() << "no X display (DISPLAY unset)"; \
  } while (0)
