// Plays a host's side of an embedded editor: its own connection to the test
// display and a top-level window that the frame under test goes in, with
// the queries and synthetic events the window tests need. Tests run in
// parallel on one server, so each places its window where no other test's
// window covers it.
#pragma once

#include <vector>

// Xlib's macros clash with other headers; include this header last.
#include <X11/Xlib.h>

namespace gui_test {

class XHostWindow {
 public:
  XHostWindow(int x, int y, int width, int height, unsigned long background);
  ~XHostWindow();
  XHostWindow(const XHostWindow&) = delete;
  XHostWindow& operator=(const XHostWindow&) = delete;

  // Null when the display cannot be opened.
  Display* display() const { return display_; }
  Window window() const { return window_; }
  // The window as the host hands it to effEditOpen.
  void* handle() const;
  // True when every pixel of the window lies on the screen.
  bool fullyOnScreen() const { return fullyOnScreen_; }

  int childCount();
  // The window's single child, or 0 when it has none or several.
  Window onlyChild();
  // A property as 32-bit items, or empty.
  std::vector<unsigned long> property(Window window, const char* name);

  void sendButton(Window window, int type, unsigned int button, int x, int y);
  void sendKey(Window window, int type, KeySym sym, unsigned int state = 0);
  // A press and release of the first button.
  void click(Window window, int x, int y);

 private:
  std::vector<Window> children();

  Display* display_;
  Window window_ = 0;
  bool fullyOnScreen_ = false;
  Time time_ = 1000;
};

}  // namespace gui_test
