// The editor's child window on X11: its own display connection, a child of
// the host's window with the properties Linux hosts look for (_XEMBED_INFO,
// _XEventProc), pixels copied from the frame's back buffer (XPutImage on
// the usual 24-bit visuals, cairo on others), and events read without ever
// waiting.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "platform/native_window.h"

namespace platform {

class X11Window : public NativeWindow {
 public:
  static std::unique_ptr<X11Window> create(Window parent, int width, int height,
                                           NativeWindowListener* listener);
  ~X11Window() override;

  void processEvents() override;
  void present(cairo_surface_t* image, int x, int y, int width, int height) override;
  void setCursor(PointerShape shape) override;
  void setCursorVisible(bool visible) override;
  void takeKeyboardFocus() override;
  void releaseKeyboardFocus() override;
  uintptr_t handle() const override { return window_; }

  // Stops delivering events (the owner is letting go of the window while one
  // of its events is being handled).
  void detachListener() override { listener_ = nullptr; }

  // Handles one event for this window, from our connection or from a host
  // that calls the window's event procedure.
  void handleEvent(const XEvent& event);

  // The window registered for an X window id, or null.
  static X11Window* find(Window window);

 private:
  X11Window(Display* display, int width, int height, NativeWindowListener* listener);
  bool build(Window parent);
  void applyCursor();
  // Copies the rectangle straight from the image's memory; false when the
  // image or the visual does not allow it.
  bool putImage(cairo_surface_t* image, int x, int y, int width, int height);
  bool isRepeatOfLastInput(const XEvent& event);

  Display* display_;
  Window parent_ = 0;
  Window window_ = 0;
  bool windowDestroyed_ = false;
  Colormap ownColormap_ = 0;
  cairo_surface_t* target_ = nullptr;
  // Set when the window's visual stores pixels as cairo's images do. Cairo's
  // own upload goes through shared memory and leaves a little of it behind
  // whenever a connection closes, once per editor window.
  bool directPresent_ = false;
  int depth_ = 0;
  GC gc_ = nullptr;
  int width_;
  int height_;
  NativeWindowListener* listener_;
  Cursor cursors_[5] = {0, 0, 0, 0, 0};
  Cursor invisibleCursor_ = 0;
  PointerShape shape_ = PointerShape::kArrow;
  bool cursorVisible_ = true;
  struct LastInput {
    int type = 0;
    Time time = 0;
    unsigned int detail = 0;
    int x = 0, y = 0;
  } lastInput_;
};

}  // namespace platform
