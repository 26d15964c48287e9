#include "gui/x_host_window.h"

#include <cstdint>

#include "gui/test_display.h"

namespace gui_test {

XHostWindow::XHostWindow(int x, int y, int width, int height, unsigned long background)
    : display_(openTestDisplay()) {
  if (!display_) return;
  const int screen = DefaultScreen(display_);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = background;
  window_ =
      XCreateWindow(display_, RootWindow(display_, screen), x, y, width, height, 0, CopyFromParent,
                    InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
  XMapRaised(display_, window_);
  XSync(display_, False);
  fullyOnScreen_ = x >= 0 && y >= 0 && x + width <= DisplayWidth(display_, screen) &&
                   y + height <= DisplayHeight(display_, screen);
}

XHostWindow::~XHostWindow() {
  if (!display_) return;
  XDestroyWindow(display_, window_);
  XCloseDisplay(display_);
}

void* XHostWindow::handle() const {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(window_));
}

std::vector<Window> XHostWindow::children() {
  std::vector<Window> list;
  Window root, parent, *items = nullptr;
  unsigned int count = 0;
  XSync(display_, False);
  if (XQueryTree(display_, window_, &root, &parent, &items, &count))
    list.assign(items, items + count);
  if (items) XFree(items);
  return list;
}

int XHostWindow::childCount() { return static_cast<int>(children().size()); }

Window XHostWindow::onlyChild() {
  const std::vector<Window> list = children();
  return list.size() == 1 ? list[0] : 0;
}

std::vector<unsigned long> XHostWindow::property(Window window, const char* name) {
  std::vector<unsigned long> items;
  const Atom atom = XInternAtom(display_, name, False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display_, window, atom, 0, 16, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) == Success &&
      data && format == 32) {
    const auto* longs = reinterpret_cast<const unsigned long*>(data);
    items.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return items;
}

void XHostWindow::sendButton(Window window, int type, unsigned int button, int x, int y) {
  XEvent event{};
  event.xbutton.type = type;
  event.xbutton.display = display_;
  event.xbutton.window = window;
  event.xbutton.root = DefaultRootWindow(display_);
  event.xbutton.time = ++time_;
  event.xbutton.x = x;
  event.xbutton.y = y;
  event.xbutton.button = button;
  event.xbutton.same_screen = True;
  XSendEvent(display_, window, False, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask,
             &event);
  XSync(display_, False);
}

void XHostWindow::sendKey(Window window, int type, KeySym sym, unsigned int state) {
  XEvent event{};
  event.xkey.type = type;
  event.xkey.display = display_;
  event.xkey.window = window;
  event.xkey.root = DefaultRootWindow(display_);
  event.xkey.time = ++time_;
  event.xkey.state = state;
  event.xkey.keycode = XKeysymToKeycode(display_, sym);
  event.xkey.same_screen = True;
  XSendEvent(display_, window, False, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
  XSync(display_, False);
}

void XHostWindow::click(Window window, int x, int y) {
  sendButton(window, ButtonPress, Button1, x, y);
  sendButton(window, ButtonRelease, Button1, x, y);
}

}  // namespace gui_test
