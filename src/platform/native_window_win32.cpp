// The editor's child window on Windows: a child of the host's HWND, pixels
// copied from the frame's back buffer with SetDIBitsToDevice, mouse, wheel
// and key messages handed to the listener. The host's message loop delivers
// the messages; nothing here waits or pumps the host's queue.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <mutex>

#include "platform/native_window.h"
#include "vst/vst_keys.h"

namespace platform {

namespace {

const char kClassName[] = "VellmarkEditorWindow";

HMODULE thisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&thisModule), &module);
  return module;
}

unsigned char modifiersOfKeys() {
  unsigned char m = 0;
  if (GetKeyState(VK_SHIFT) < 0) m |= MODIFIER_SHIFT;
  if (GetKeyState(VK_CONTROL) < 0) m |= MODIFIER_CONTROL;
  if (GetKeyState(VK_MENU) < 0) m |= MODIFIER_ALTERNATE;
  return m;
}

uint32_t pointerModifiers(WPARAM wParam) {
  uint32_t m = 0;
  if (wParam & MK_SHIFT) m |= kModShift;
  if (wParam & MK_CONTROL) m |= kModControl;
  if (GetKeyState(VK_MENU) < 0) m |= kModAlt;
  if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) m |= kModSuper;
  return m;
}

uint32_t buttonsHeld(WPARAM wParam) {
  uint32_t b = 0;
  if (wParam & MK_LBUTTON) b |= kPointerLeft;
  if (wParam & MK_MBUTTON) b |= kPointerMiddle;
  if (wParam & MK_RBUTTON) b |= kPointerRight;
  return b;
}

unsigned char virtualKeyOf(WPARAM vk) {
  switch (vk) {
    case VK_BACK:
      return VKEY_BACK;
    case VK_TAB:
      return VKEY_TAB;
    case VK_CLEAR:
      return VKEY_CLEAR;
    case VK_RETURN:
      return VKEY_RETURN;
    case VK_PAUSE:
      return VKEY_PAUSE;
    case VK_ESCAPE:
      return VKEY_ESCAPE;
    case VK_SPACE:
      return VKEY_SPACE;
    case VK_END:
      return VKEY_END;
    case VK_HOME:
      return VKEY_HOME;
    case VK_LEFT:
      return VKEY_LEFT;
    case VK_UP:
      return VKEY_UP;
    case VK_RIGHT:
      return VKEY_RIGHT;
    case VK_DOWN:
      return VKEY_DOWN;
    case VK_PRIOR:
      return VKEY_PAGEUP;
    case VK_NEXT:
      return VKEY_PAGEDOWN;
    case VK_PRINT:
      return VKEY_PRINT;
    case VK_INSERT:
      return VKEY_INSERT;
    case VK_DELETE:
      return VKEY_DELETE;
    case VK_HELP:
      return VKEY_HELP;
    case VK_SHIFT:
      return VKEY_SHIFT;
    case VK_CONTROL:
      return VKEY_CONTROL;
    case VK_MENU:
      return VKEY_ALT;
    default:
      break;
  }
  if (vk >= VK_F1 && vk <= VK_F12) return static_cast<unsigned char>(VKEY_F1 + (vk - VK_F1));
  return 0;
}

LPCSTR cursorNameOf(PointerShape shape) {
  switch (shape) {
    case PointerShape::kMove:
      return IDC_SIZEALL;
    case PointerShape::kHorizontalResize:
      return IDC_SIZEWE;
    case PointerShape::kVerticalResize:
      return IDC_SIZENS;
    case PointerShape::kHand:
      return IDC_HAND;
    case PointerShape::kArrow:
      break;
  }
  return IDC_ARROW;
}

// The window class is registered while at least one window exists, so a
// module that is unloaded leaves no class pointing into it.
std::mutex& classMutex() {
  static std::mutex mutex;
  return mutex;
}
int classUsers = 0;

class Win32Window : public NativeWindow {
 public:
  Win32Window(int width, int height, NativeWindowListener* listener)
      : width_(width), height_(height), listener_(listener) {}
  ~Win32Window() override;

  bool build(HWND parent);

  void processEvents() override {}
  void present(gui::NativeSurface* image, int x, int y, int width, int height) override;
  void setCursor(PointerShape shape) override;
  void setCursorVisible(bool visible) override;
  void takeKeyboardFocus() override;
  void releaseKeyboardFocus() override;
  uintptr_t handle() const override { return reinterpret_cast<uintptr_t>(hwnd_); }
  void detachListener() override { listener_ = nullptr; }

  static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  PointerEvent pointerAt(LPARAM lParam, WPARAM wParam) const;
  void pointerButton(WPARAM wParam, LPARAM lParam, uint32_t button, bool down);
  void key(WPARAM wParam, LPARAM lParam, bool down);
  void applyCursor();

  HWND hwnd_ = nullptr;
  HWND parent_ = nullptr;
  int width_;
  int height_;
  NativeWindowListener* listener_;
  PointerShape shape_ = PointerShape::kArrow;
  bool cursorVisible_ = true;
  bool trackingLeave_ = false;
  uint32_t capturedButtons_ = 0;
  bool holdsClass_ = false;
};

bool Win32Window::build(HWND parent) {
  if (!IsWindow(parent)) return false;
  HINSTANCE instance = thisModule();
  {
    std::lock_guard<std::mutex> lock(classMutex());
    if (classUsers == 0) {
      WNDCLASSEXA wc;
      ZeroMemory(&wc, sizeof wc);
      wc.cbSize = sizeof wc;
      wc.style = CS_DBLCLKS;
      wc.lpfnWndProc = &Win32Window::windowProc;
      wc.hInstance = instance;
      wc.hCursor = nullptr;  // set on WM_SETCURSOR
      wc.hbrBackground = nullptr;
      wc.lpszClassName = kClassName;
      if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    }
    ++classUsers;
    holdsClass_ = true;
  }
  parent_ = parent;
  hwnd_ = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, width_,
                          height_, parent, nullptr, instance, this);
  return hwnd_ != nullptr;
}

Win32Window::~Win32Window() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    if (GetCapture() == hwnd_) ReleaseCapture();
    if (GetFocus() == hwnd_ && IsWindow(parent_)) SetFocus(parent_);
    DestroyWindow(hwnd_);
  }
  if (!holdsClass_) return;
  std::lock_guard<std::mutex> lock(classMutex());
  if (--classUsers == 0) UnregisterClassA(kClassName, thisModule());
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* window = reinterpret_cast<Win32Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (window && window->hwnd_ == nullptr) window->hwnd_ = hwnd;
  if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
  return window->handle(message, wParam, lParam);
}

PointerEvent Win32Window::pointerAt(LPARAM lParam, WPARAM wParam) const {
  PointerEvent p;
  p.x = GET_X_LPARAM(lParam);
  p.y = GET_Y_LPARAM(lParam);
  p.buttons = buttonsHeld(wParam);
  p.modifiers = pointerModifiers(wParam);
  p.timeMs = static_cast<uint64_t>(GetMessageTime()) & 0xFFFFFFFFu;
  return p;
}

void Win32Window::pointerButton(WPARAM wParam, LPARAM lParam, uint32_t button, bool down) {
  PointerEvent p = pointerAt(lParam, wParam);
  p.buttons = button;
  if (down) {
    // Keeps the drag going when the pointer leaves the window.
    if (capturedButtons_ == 0) SetCapture(hwnd_);
    capturedButtons_ |= button;
    if (listener_) listener_->onPointerDown(p);
  } else {
    capturedButtons_ &= ~button;
    if (capturedButtons_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
    if (listener_) listener_->onPointerUp(p);
  }
}

void Win32Window::key(WPARAM wParam, LPARAM lParam, bool down) {
  if (!listener_) return;
  VstKeyCode code;
  code.character = 0;
  code.virt = virtualKeyOf(wParam);
  code.modifier = modifiersOfKeys();
  if (code.virt == VKEY_SPACE) {
    code.character = ' ';
  } else if (code.virt == 0) {
    // The character the key makes with the current shift state; read here
    // rather than from WM_CHAR, which only comes when the host translates.
    BYTE state[256];
    WORD chars = 0;
    if (GetKeyboardState(state) &&
        ToAscii(static_cast<UINT>(wParam), (static_cast<UINT>(lParam) >> 16) & 0xFF, state, &chars,
                0) == 1) {
      const auto c = static_cast<unsigned char>(chars & 0xFF);
      if (c >= 0x20 && c < 0x7F) code.character = static_cast<char>(c);
    }
  }
  if (code.virt == 0 && code.character == 0) return;
  listener_->onKey(code, down);
}

LRESULT Win32Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd_, &paint);
      const RECT& r = paint.rcPaint;
      if (listener_ && r.right > r.left && r.bottom > r.top)
        listener_->onExpose(r.left, r.top, r.right - r.left, r.bottom - r.top);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the copy from the back buffer covers everything
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pointerButton(wParam, lParam, kPointerLeft, true);
      return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      pointerButton(wParam, lParam, kPointerMiddle, true);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      pointerButton(wParam, lParam, kPointerRight, true);
      return 0;
    case WM_LBUTTONUP:
      pointerButton(wParam, lParam, kPointerLeft, false);
      return 0;
    case WM_MBUTTONUP:
      pointerButton(wParam, lParam, kPointerMiddle, false);
      return 0;
    case WM_RBUTTONUP:
      pointerButton(wParam, lParam, kPointerRight, false);
      return 0;
    case WM_CAPTURECHANGED:
      capturedButtons_ = 0;
      return 0;
    case WM_MOUSEMOVE:
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track;
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = hwnd_;
        track.dwHoverTime = 0;
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      if (listener_) listener_->onPointerMove(pointerAt(lParam, wParam));
      return 0;
    case WM_MOUSELEAVE: {
      trackingLeave_ = false;
      POINT where;
      GetCursorPos(&where);
      ScreenToClient(hwnd_, &where);
      PointerEvent p;
      p.x = where.x;
      p.y = where.y;
      p.timeMs = static_cast<uint64_t>(GetMessageTime()) & 0xFFFFFFFFu;
      if (listener_) listener_->onPointerLeave(p);
      return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
      // Wheel messages carry screen coordinates.
      POINT where{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(hwnd_, &where);
      PointerEvent p;
      p.x = where.x;
      p.y = where.y;
      p.buttons = buttonsHeld(GET_KEYSTATE_WPARAM(wParam));
      p.modifiers = pointerModifiers(GET_KEYSTATE_WPARAM(wParam));
      p.timeMs = static_cast<uint64_t>(GetMessageTime()) & 0xFFFFFFFFu;
      const float notches = static_cast<float>(GET_WHEEL_DELTA_WPARAM(wParam)) / WHEEL_DELTA;
      if (listener_) listener_->onWheel(p, notches, message == WM_MOUSEHWHEEL);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      key(wParam, lParam, true);
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      key(wParam, lParam, false);
      return 0;
    case WM_CHAR:
      return 0;  // keys are read from WM_KEYDOWN
    case WM_GETDLGCODE:
      // Hosts that run plug-in windows in dialogs would otherwise keep the
      // arrows, tab and return for themselves.
      return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        applyCursor();
        return TRUE;
      }
      break;
    case WM_KILLFOCUS:
      if (listener_) listener_->onFocusLost();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Win32Window::present(gui::NativeSurface* image, int x, int y, int width, int height) {
  if (!hwnd_ || !image || !image->data) return;
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min({x + width, image->width, width_});
  const int bottom = std::min({y + height, image->height, height_});
  if (right <= left || bottom <= top) return;
  // A top-down DIB made of the rows from `top` on; the stride is width * 4,
  // which is what DIBs of 32-bit pixels use.
  BITMAPINFO info;
  ZeroMemory(&info, sizeof info);
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image->width;
  info.bmiHeader.biHeight = -(bottom - top);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(hwnd_);
  if (!dc) return;
  SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(right - left),
                    static_cast<DWORD>(bottom - top), left, 0, 0, static_cast<UINT>(bottom - top),
                    image->data + static_cast<size_t>(top) * image->stride, &info, DIB_RGB_COLORS);
  ReleaseDC(hwnd_, dc);
}

void Win32Window::applyCursor() {
  SetCursor(cursorVisible_ ? LoadCursorA(nullptr, cursorNameOf(shape_)) : nullptr);
}

void Win32Window::setCursor(PointerShape shape) {
  shape_ = shape;
  POINT where;
  // Change it now only while the pointer is over (or captured by) us.
  if (GetCursorPos(&where) && (WindowFromPoint(where) == hwnd_ || GetCapture() == hwnd_))
    applyCursor();
}

void Win32Window::setCursorVisible(bool visible) {
  cursorVisible_ = visible;
  if (GetCapture() == hwnd_ || !visible) applyCursor();
}

void Win32Window::takeKeyboardFocus() {
  if (hwnd_) SetFocus(hwnd_);
}

void Win32Window::releaseKeyboardFocus() {
  // Back to the host's window that holds us, so its shortcuts work again.
  if (hwnd_ && GetFocus() == hwnd_ && IsWindow(parent_)) SetFocus(parent_);
}

}  // namespace

std::unique_ptr<NativeWindow> NativeWindow::create(void* parent, int width, int height,
                                                   NativeWindowListener* listener) {
  if (!parent || width < 1 || height < 1 || width > 32767 || height > 32767) return nullptr;
  std::unique_ptr<Win32Window> window(new Win32Window(width, height, listener));
  if (!window->build(static_cast<HWND>(parent))) return nullptr;
  return window;
}

}  // namespace platform
