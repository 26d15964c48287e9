// Linux only; other systems bring their own implementation.
#if defined(__linux__)

#include "platform/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/keysym.h>
#include <cairo-xlib.h>
#include <cairo.h>
#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

#include "platform/x11_error_trap.h"
#include "vst/vst_keys.h"

namespace platform {

namespace {

// --- Window registry -------------------------------------------------------
// Hosts call the event procedure with a bare XEvent; the window id leads
// back to our object. A fixed table of atomics: no allocation, no locks.
constexpr size_t kMaxWindows = 64;

struct RegistryEntry {
  std::atomic<Window> window{0};
  std::atomic<X11Window*> owner{nullptr};
};

std::array<RegistryEntry, kMaxWindows>& registry() {
  static std::array<RegistryEntry, kMaxWindows> entries;
  return entries;
}

void registerWindow(Window window, X11Window* owner) {
  for (RegistryEntry& e : registry()) {
    Window expected = 0;
    if (e.window.compare_exchange_strong(expected, window)) {
      e.owner.store(owner);
      return;
    }
  }
}

void unregisterWindow(Window window) {
  for (RegistryEntry& e : registry()) {
    if (e.window.load() == window) {
      e.owner.store(nullptr);
      e.window.store(0);
    }
  }
}

// --- Event procedure ---------------------------------------------------------
extern "C" void vellmarkXEventProc(XEvent* event) {
  if (!event) return;
  if (X11Window* window = X11Window::find(event->xany.window)) window->handleEvent(*event);
}

// Hosts read _XEventProc as one 32-bit item, so the address they call must
// fit in 32 bits. A small jump placed in the low 2 GB leads to the real
// procedure; elsewhere (or if that memory cannot be had) the real address is
// published and hosts that read both halves still work.
uintptr_t eventProcAddress() {
  static const uintptr_t address = [] {
    const auto target = reinterpret_cast<uintptr_t>(&vellmarkXEventProc);
#if defined(__x86_64__) && defined(MAP_32BIT)
    void* page =
        mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_32BIT, -1, 0);
    if (page != MAP_FAILED) {
      // movabs rax, target ; jmp rax
      unsigned char code[12] = {0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xE0};
      std::memcpy(code + 2, &target, sizeof target);
      std::memcpy(page, code, sizeof code);
      if (mprotect(page, 4096, PROT_READ | PROT_EXEC) == 0)
        return reinterpret_cast<uintptr_t>(page);
      munmap(page, 4096);
    }
#endif
    return target;
  }();
  return address;
}

// --- Keys ------------------------------------------------------------------
unsigned char modifiersOf(unsigned int state) {
  unsigned char m = 0;
  if (state & ShiftMask) m |= MODIFIER_SHIFT;
  if (state & ControlMask) m |= MODIFIER_CONTROL;
  if (state & Mod1Mask) m |= MODIFIER_ALTERNATE;
  return m;
}

uint32_t keyModifiersOf(unsigned int state) {
  uint32_t m = 0;
  if (state & ShiftMask) m |= kModShift;
  if (state & ControlMask) m |= kModControl;
  if (state & Mod1Mask) m |= kModAlt;
  if (state & Mod4Mask) m |= kModSuper;
  return m;
}

uint32_t buttonsHeld(unsigned int state) {
  uint32_t b = 0;
  if (state & Button1Mask) b |= kPointerLeft;
  if (state & Button2Mask) b |= kPointerMiddle;
  if (state & Button3Mask) b |= kPointerRight;
  return b;
}

unsigned char virtualKeyOf(KeySym sym) {
  switch (sym) {
    case XK_BackSpace:
      return VKEY_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return VKEY_TAB;
    case XK_Clear:
      return VKEY_CLEAR;
    case XK_Return:
      return VKEY_RETURN;
    case XK_Pause:
      return VKEY_PAUSE;
    case XK_Escape:
      return VKEY_ESCAPE;
    case XK_space:
      return VKEY_SPACE;
    case XK_End:
    case XK_KP_End:
      return VKEY_END;
    case XK_Home:
    case XK_KP_Home:
      return VKEY_HOME;
    case XK_Left:
    case XK_KP_Left:
      return VKEY_LEFT;
    case XK_Up:
    case XK_KP_Up:
      return VKEY_UP;
    case XK_Right:
    case XK_KP_Right:
      return VKEY_RIGHT;
    case XK_Down:
    case XK_KP_Down:
      return VKEY_DOWN;
    case XK_Page_Up:
    case XK_KP_Page_Up:
      return VKEY_PAGEUP;
    case XK_Page_Down:
    case XK_KP_Page_Down:
      return VKEY_PAGEDOWN;
    case XK_Print:
      return VKEY_PRINT;
    case XK_KP_Enter:
      return VKEY_ENTER;
    case XK_Insert:
    case XK_KP_Insert:
      return VKEY_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
      return VKEY_DELETE;
    case XK_Help:
      return VKEY_HELP;
    case XK_Shift_L:
    case XK_Shift_R:
      return VKEY_SHIFT;
    case XK_Control_L:
    case XK_Control_R:
      return VKEY_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
      return VKEY_ALT;
    default:
      break;
  }
  if (sym >= XK_F1 && sym <= XK_F12) return static_cast<unsigned char>(VKEY_F1 + (sym - XK_F1));
  return 0;
}

// --- Cursors -------------------------------------------------------------------
unsigned int fontCursorOf(PointerShape shape) {
  switch (shape) {
    case PointerShape::kMove:
      return XC_fleur;
    case PointerShape::kHorizontalResize:
      return XC_sb_h_double_arrow;
    case PointerShape::kVerticalResize:
      return XC_sb_v_double_arrow;
    case PointerShape::kHand:
      return XC_hand2;
    case PointerShape::kArrow:
      break;
  }
  return XC_left_ptr;
}

}  // namespace

std::unique_ptr<NativeWindow> NativeWindow::create(void* parent, int width, int height,
                                                   NativeWindowListener* listener) {
  return X11Window::create(static_cast<Window>(reinterpret_cast<uintptr_t>(parent)), width, height,
                           listener);
}

X11Window* X11Window::find(Window window) {
  if (window == 0) return nullptr;
  for (RegistryEntry& e : registry())
    if (e.window.load() == window) return e.owner.load();
  return nullptr;
}

std::unique_ptr<X11Window> X11Window::create(Window parent, int width, int height,
                                             NativeWindowListener* listener) {
  if (parent == 0 || width < 1 || height < 1 || width > 32767 || height > 32767) return nullptr;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  std::unique_ptr<X11Window> window(new X11Window(display, width, height, listener));
  if (!window->build(parent)) return nullptr;
  return window;
}

X11Window::X11Window(Display* display, int width, int height, NativeWindowListener* listener)
    : display_(display), width_(width), height_(height), listener_(listener) {}

bool X11Window::build(Window parent) {
  X11ErrorTrap trap(display_);
  parent_ = parent;
  XWindowAttributes parentAttributes;
  // A parent id that is not a window makes the request fail; the trap keeps
  // that from ending the process.
  const Status gotParent = XGetWindowAttributes(display_, parent, &parentAttributes);
  if (trap.syncAndCheck() || !gotParent || parentAttributes.c_class == InputOnly) return false;

  XSetWindowAttributes attributes;
  std::memset(&attributes, 0, sizeof attributes);
  // No background: the server never clears the window, so nothing flickers
  // between an exposure and our copy.
  attributes.background_pixmap = None;
  attributes.border_pixel = 0;
  attributes.colormap = parentAttributes.colormap;
  if (attributes.colormap == None) {
    ownColormap_ = XCreateColormap(display_, parent, parentAttributes.visual, AllocNone);
    attributes.colormap = ownColormap_;
  }
  attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                          EnterWindowMask | LeaveWindowMask | KeyPressMask | KeyReleaseMask |
                          FocusChangeMask | StructureNotifyMask;
  window_ = XCreateWindow(display_, parent, 0, 0, static_cast<unsigned>(width_),
                          static_cast<unsigned>(height_), 0, parentAttributes.depth, InputOutput,
                          parentAttributes.visual,
                          CWBackPixmap | CWBorderPixel | CWColormap | CWEventMask, &attributes);
  if (trap.syncAndCheck() || window_ == 0) {
    window_ = 0;
    return false;
  }

  // XEmbed: protocol version 0, mapped.
  const Atom xembedInfo = XInternAtom(display_, "_XEMBED_INFO", False);
  const long embedInfo[2] = {0, 1};
  XChangeProperty(display_, window_, xembedInfo, xembedInfo, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(embedInfo), 2);
  // The event procedure's address as two 32-bit halves, low half first.
  const Atom eventProc = XInternAtom(display_, "_XEventProc", False);
  const uintptr_t address = eventProcAddress();
  const long procHalves[2] = {
      static_cast<long>(address & 0xFFFFFFFFu),
      static_cast<long>((static_cast<uint64_t>(address) >> 32) & 0xFFFFFFFFu)};
  XChangeProperty(display_, window_, eventProc, eventProc, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(procHalves), 2);

  target_ = cairo_xlib_surface_create(display_, window_, parentAttributes.visual, width_, height_);
  if (cairo_surface_status(target_) != CAIRO_STATUS_SUCCESS) return false;
  const Visual* visual = parentAttributes.visual;
  depth_ = parentAttributes.depth;
  if ((depth_ == 24 || depth_ == 32) && visual->c_class == TrueColor &&
      visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF) {
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    directPresent_ = gc_ != nullptr;
  }
  XMapWindow(display_, window_);
  if (trap.syncAndCheck()) return false;
  registerWindow(window_, this);
  return true;
}

X11Window::~X11Window() {
  X11ErrorTrap trap(display_);
  if (window_) unregisterWindow(window_);
  if (target_) {
    cairo_surface_finish(target_);
    cairo_surface_destroy(target_);
  }
  if (window_ && !windowDestroyed_) XDestroyWindow(display_, window_);
  for (Cursor cursor : cursors_)
    if (cursor) XFreeCursor(display_, cursor);
  if (invisibleCursor_) XFreeCursor(display_, invisibleCursor_);
  if (ownColormap_) XFreeColormap(display_, ownColormap_);
  if (gc_) XFreeGC(display_, gc_);
  XCloseDisplay(display_);
}

void X11Window::processEvents() {
  X11ErrorTrap trap(display_);
  // Bounded, so a flood of events cannot keep the host's thread here.
  for (int handled = 0; handled < 1000 && listener_ && XPending(display_) > 0; ++handled) {
    XEvent event;
    XNextEvent(display_, &event);
    handleEvent(event);
  }
}

bool X11Window::isRepeatOfLastInput(const XEvent& e) {
  LastInput now;
  now.type = e.type;
  switch (e.type) {
    case KeyPress:
    case KeyRelease:
      now.time = e.xkey.time;
      now.detail = e.xkey.keycode;
      break;
    case ButtonPress:
    case ButtonRelease:
      now.time = e.xbutton.time;
      now.detail = e.xbutton.button;
      now.x = e.xbutton.x;
      now.y = e.xbutton.y;
      break;
    case MotionNotify:
      now.time = e.xmotion.time;
      now.x = e.xmotion.x;
      now.y = e.xmotion.y;
      break;
    default:
      return false;
  }
  // The same event can reach us twice: from our connection and from a host
  // that also forwards it to the event procedure.
  const bool repeat = now.type == lastInput_.type && now.time == lastInput_.time &&
                      now.detail == lastInput_.detail && now.x == lastInput_.x &&
                      now.y == lastInput_.y;
  lastInput_ = now;
  return repeat;
}

void X11Window::handleEvent(const XEvent& event) {
  if (!listener_ || event.xany.window != window_) return;
  X11ErrorTrap trap(display_);
  if (isRepeatOfLastInput(event)) return;
  switch (event.type) {
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      listener_->onExpose(e.x, e.y, e.width, e.height);
      break;
    }
    case ButtonPress:
    case ButtonRelease: {
      const XButtonEvent& e = event.xbutton;
      PointerEvent p;
      p.x = e.x;
      p.y = e.y;
      p.modifiers = keyModifiersOf(e.state);
      p.timeMs = e.time;
      if (e.button >= 4 && e.button <= 7) {
        // Wheel notches come as presses of buttons 4 (up), 5 (down),
        // 6 (left) and 7 (right); their releases carry nothing.
        if (event.type == ButtonPress) {
          p.buttons = buttonsHeld(e.state);
          const bool horizontal = e.button >= 6;
          const float distance = (e.button == 4 || e.button == 7) ? 1.f : -1.f;
          listener_->onWheel(p, distance, horizontal);
        }
        break;
      }
      if (e.button == Button1)
        p.buttons = kPointerLeft;
      else if (e.button == Button2)
        p.buttons = kPointerMiddle;
      else if (e.button == Button3)
        p.buttons = kPointerRight;
      else
        break;
      if (event.type == ButtonPress)
        listener_->onPointerDown(p);
      else
        listener_->onPointerUp(p);
      break;
    }
    case MotionNotify:
    case EnterNotify: {
      PointerEvent p;
      if (event.type == MotionNotify) {
        const XMotionEvent& e = event.xmotion;
        p.x = e.x;
        p.y = e.y;
        p.buttons = buttonsHeld(e.state);
        p.modifiers = keyModifiersOf(e.state);
        p.timeMs = e.time;
      } else {
        const XCrossingEvent& e = event.xcrossing;
        p.x = e.x;
        p.y = e.y;
        p.buttons = buttonsHeld(e.state);
        p.modifiers = keyModifiersOf(e.state);
        p.timeMs = e.time;
      }
      listener_->onPointerMove(p);
      break;
    }
    case LeaveNotify: {
      const XCrossingEvent& e = event.xcrossing;
      PointerEvent p;
      p.x = e.x;
      p.y = e.y;
      p.buttons = buttonsHeld(e.state);
      p.modifiers = keyModifiersOf(e.state);
      p.timeMs = e.time;
      listener_->onPointerLeave(p);
      break;
    }
    case KeyPress:
    case KeyRelease: {
      XKeyEvent e = event.xkey;
      char text[8] = {0};
      KeySym sym = NoSymbol;
      const int length = XLookupString(&e, text, sizeof text - 1, &sym, nullptr);
      VstKeyCode key;
      key.character = 0;
      key.virt = virtualKeyOf(sym);
      key.modifier = modifiersOf(e.state);
      if (key.virt == VKEY_SPACE)
        key.character = ' ';
      else if (key.virt == 0 && length == 1 && static_cast<unsigned char>(text[0]) >= 0x20 &&
               static_cast<unsigned char>(text[0]) < 0x7F)
        key.character = text[0];
      if (key.virt == 0 && key.character == 0) break;
      listener_->onKey(key, event.type == KeyPress);
      break;
    }
    case FocusOut:
      listener_->onFocusLost();
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == window_) windowDestroyed_ = true;
      break;
    case MappingNotify: {
      XMappingEvent e = event.xmapping;
      XRefreshKeyboardMapping(&e);
      break;
    }
    default:
      break;
  }
}

bool X11Window::putImage(cairo_surface_t* image, int x, int y, int width, int height) {
  if (!directPresent_ || cairo_surface_get_type(image) != CAIRO_SURFACE_TYPE_IMAGE) return false;
  const cairo_format_t format = cairo_image_surface_get_format(image);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) return false;
  cairo_surface_flush(image);
  unsigned char* data = cairo_image_surface_get_data(image);
  const int imageWidth = cairo_image_surface_get_width(image);
  const int imageHeight = cairo_image_surface_get_height(image);
  if (!data) return false;
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min({x + width, imageWidth, width_});
  const int bottom = std::min({y + height, imageHeight, height_});
  if (right <= left || bottom <= top) return true;
  // Cairo keeps each pixel as one native-endian 32-bit word 0xAARRGGBB.
  XImage ximage;
  std::memset(&ximage, 0, sizeof ximage);
  ximage.width = imageWidth;
  ximage.height = imageHeight;
  ximage.format = ZPixmap;
  ximage.data = reinterpret_cast<char*>(data);
  ximage.byte_order = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? LSBFirst : MSBFirst;
  ximage.bitmap_unit = 32;
  ximage.bitmap_bit_order = ximage.byte_order;
  ximage.bitmap_pad = 32;
  ximage.depth = depth_;
  ximage.bytes_per_line = cairo_image_surface_get_stride(image);
  ximage.bits_per_pixel = 32;
  ximage.red_mask = 0xFF0000;
  ximage.green_mask = 0xFF00;
  ximage.blue_mask = 0xFF;
  if (!XInitImage(&ximage)) return false;
  XPutImage(display_, window_, gc_, &ximage, left, top, left, top,
            static_cast<unsigned>(right - left), static_cast<unsigned>(bottom - top));
  return true;
}

void X11Window::present(cairo_surface_t* image, int x, int y, int width, int height) {
  if (!target_ || windowDestroyed_ || !image) return;
  X11ErrorTrap trap(display_);
  if (putImage(image, x, y, width, height)) {
    XFlush(display_);
    return;
  }
  cairo_t* cr = cairo_create(target_);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_rectangle(cr, x, y, width, height);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target_);
  XFlush(display_);
}

void X11Window::applyCursor() {
  if (windowDestroyed_) return;
  X11ErrorTrap trap(display_);
  Cursor cursor;
  if (!cursorVisible_) {
    if (!invisibleCursor_) {
      const char empty[1] = {0};
      Pixmap blank = XCreateBitmapFromData(display_, window_, empty, 1, 1);
      XColor black;
      std::memset(&black, 0, sizeof black);
      invisibleCursor_ = XCreatePixmapCursor(display_, blank, blank, &black, &black, 0, 0);
      XFreePixmap(display_, blank);
    }
    cursor = invisibleCursor_;
  } else {
    const auto index = static_cast<size_t>(shape_);
    if (!cursors_[index]) cursors_[index] = XCreateFontCursor(display_, fontCursorOf(shape_));
    cursor = cursors_[index];
  }
  XDefineCursor(display_, window_, cursor);
  XFlush(display_);
}

void X11Window::setCursor(PointerShape shape) {
  if (shape == shape_) return;
  shape_ = shape;
  applyCursor();
}

void X11Window::setCursorVisible(bool visible) {
  if (visible == cursorVisible_) return;
  cursorVisible_ = visible;
  applyCursor();
}

void X11Window::takeKeyboardFocus() {
  if (windowDestroyed_) return;
  X11ErrorTrap trap(display_);
  // Focusing a window that is not viewable is an error; ask first.
  XWindowAttributes attributes;
  if (XGetWindowAttributes(display_, window_, &attributes) && attributes.map_state == IsViewable)
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  XFlush(display_);
}

void X11Window::releaseKeyboardFocus() {
  if (windowDestroyed_) return;
  X11ErrorTrap trap(display_);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display_, &focus, &revert);
  XWindowAttributes attributes;
  if (focus == window_ && XGetWindowAttributes(display_, parent_, &attributes) &&
      attributes.map_state == IsViewable)
    XSetInputFocus(display_, parent_, RevertToParent, CurrentTime);
  XFlush(display_);
}

}  // namespace platform

#endif  // __linux__
