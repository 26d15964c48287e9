// The editor of vellmark.dll on Windows, through the dispatcher only: the
// panel drawn offscreen with GDI+ held to the Linux (cairo) snapshot, and the
// editor's window in a parent window this test makes, driven by window
// messages as a user's clicks and wheel would drive it.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <string>

#include "dll_fixture.h"
#include "gui/cbitmap.h"

using windows_test::Instance;

namespace {

constexpr VstInt32 kSnapshotRequest = vstFourCC('V', 'k', 'S', 'n');
constexpr int kWidth = 1024;
constexpr int kHeight = 480;

// A Linux path from the environment as wine's Z: drive sees it.
std::string windowsPathOf(const char* linuxPath) {
  std::string path = linuxPath;
  if (!path.empty() && path[0] == '/') {
    std::replace(path.begin(), path.end(), '/', '\\');
    path = "Z:" + path;
  }
  return path;
}

struct Difference {
  double differingFraction = 1.0;  // pixels with a channel off by more than the tolerance
  double meanChannelDifference = 255.0;
};

Difference compare(gui::CBitmap& a, gui::CBitmap& b, int tolerance) {
  Difference d;
  if (a.getPixelWidth() != b.getPixelWidth() || a.getPixelHeight() != b.getPixelHeight()) return d;
  long differing = 0;
  double sum = 0.0;
  for (int y = 0; y < a.getPixelHeight(); ++y) {
    for (int x = 0; x < a.getPixelWidth(); ++x) {
      const gui::CColor p = a.getPixel(x, y), q = b.getPixel(x, y);
      const int dr = std::abs(p.red - q.red), dg = std::abs(p.green - q.green),
                db = std::abs(p.blue - q.blue), da = std::abs(p.alpha - q.alpha);
      sum += dr + dg + db;
      differing += std::max({dr, dg, db, da}) > tolerance;
    }
  }
  const double pixels = static_cast<double>(a.getPixelWidth()) * a.getPixelHeight();
  d.differingFraction = differing / pixels;
  d.meanChannelDifference = sum / (3.0 * pixels);
  return d;
}

// A host's window: a plain top-level window the editor opens in.
class HostWindow {
 public:
  HostWindow() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VellmarkTestHost";
    RegisterClassExA(&wc);
    hwnd_ = CreateWindowExA(0, "VellmarkTestHost", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                            0, kWidth + 40, kHeight + 60, nullptr, nullptr, wc.hInstance, nullptr);
    if (hwnd_) ShowWindow(hwnd_, SW_SHOWNORMAL);
  }
  ~HostWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  HWND handle() const { return hwnd_; }
  HWND onlyChild() const { return hwnd_ ? GetWindow(hwnd_, GW_CHILD) : nullptr; }

 private:
  HWND hwnd_ = nullptr;
};

// What a host does between events: its message loop, then the editor's idle.
void pump(Instance& instance, int times = 3) {
  for (int i = 0; i < times; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    instance->dispatch(effEditIdle);
  }
}

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

std::string temporaryFile(const char* name) {
  char folder[MAX_PATH + 1] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "vellmark-" + std::to_string(GetCurrentProcessId()) + "-" + name;
}

// Pixels of the window (read back from the screen) that differ from the
// image.
int mismatchesOnScreen(HWND window, gui::CBitmap& image) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kWidth;
  info.bmiHeader.biHeight = -kHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int mismatches = kWidth * kHeight;
  if (section && bits) {
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, kWidth, kHeight, screen, 0, 0, SRCCOPY);
    GdiFlush();
    mismatches = 0;
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const uint8_t* p = pixels + (static_cast<size_t>(y) * kWidth + x) * 4;
        const gui::CColor want = image.getPixel(x, y);
        mismatches += p[2] != want.red || p[1] != want.green || p[0] != want.blue;
      }
    }
    SelectObject(memory, old);
  }
  if (section) DeleteObject(section);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return mismatches;
}

}  // namespace

// The same editor code draws the panel on both systems; only the drawing
// library differs. Text and antialiased edges rasterise differently, so the
// images are held to a bound on the share of pixels that differ clearly and
// on the mean difference, not to identity.
TEST(WindowsEditorSnapshot, PanelAndPagesMatchTheLinuxSnapshots) {
  const char* folder = std::getenv("VELLMARK_PANEL_DIR");
  if (!folder || !*folder) GTEST_SKIP() << "VELLMARK_PANEL_DIR (with linux-*.png) is not set";
  // The pages' numbers in the snapshot request.
  const struct {
    const char* name;
    VstIntPtr page;
  } pages[] = {{"none", 0}, {"microtuning", 2}, {"modulation", 3}, {"effects", 4}};
  for (const auto& p : pages) {
    SCOPED_TRACE(p.name);
    const std::string linuxPng = windowsPathOf(folder) + "\\linux-" + p.name + ".png";
    const std::string windowsPng = windowsPathOf(folder) + "\\windows-" + p.name + ".png";
    std::remove(windowsPng.c_str());
    Instance instance;
    ASSERT_EQ(instance->dispatch(effVendorSpecific, kSnapshotRequest, p.page,
                                 const_cast<char*>(windowsPng.c_str())),
              1);
    gui::CBitmap* windows = gui::CBitmap::readPng(windowsPng.c_str());
    gui::CBitmap* linux = gui::CBitmap::readPng(linuxPng.c_str());
    ASSERT_NE(windows, nullptr);
    ASSERT_NE(linux, nullptr) << linuxPng;
    EXPECT_EQ(windows->getPixelWidth(), kWidth);
    EXPECT_EQ(windows->getPixelHeight(), kHeight);
    const Difference d = compare(*windows, *linux, 48);
    std::printf("%s: %.3f%% of pixels differ by more than 48, mean channel difference %.3f\n",
                p.name, 100.0 * d.differingFraction, d.meanChannelDifference);
    EXPECT_LT(d.differingFraction, 0.01);
    EXPECT_LT(d.meanChannelDifference, 1.0);
    windows->forget();
    linux->forget();
  }
}

TEST(WindowsEditorWindow, OpensInTheHostsWindowTakesInputAndCloses) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display for wine's windows";
  HostWindow host;
  ASSERT_NE(host.handle(), nullptr);
  Instance instance;

  ERect* rect = nullptr;
  ASSERT_EQ(instance->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_EQ(instance->dispatch(effEditOpen, 0, 0, host.handle()), 1);
  ASSERT_EQ(instance->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, kWidth);
  EXPECT_EQ(rect->bottom - rect->top, kHeight);
  const HWND child = host.onlyChild();
  ASSERT_NE(child, nullptr);
  RECT client;
  ASSERT_TRUE(GetClientRect(child, &client));
  EXPECT_EQ(client.right, kWidth);
  EXPECT_EQ(client.bottom, kHeight);
  EXPECT_TRUE(IsWindowVisible(child));
  pump(instance);

  // The window shows the module's own offscreen render of the open editor.
  const std::string png = temporaryFile("open.png");
  ASSERT_EQ(
      instance->dispatch(effVendorSpecific, kSnapshotRequest, 0, const_cast<char*>(png.c_str())),
      1);
  gui::CBitmap* expected = gui::CBitmap::readPng(png.c_str());
  ASSERT_NE(expected, nullptr);
  pump(instance);
  EXPECT_EQ(mismatchesOnScreen(child, *expected), 0);
  // Pixels the system lost (here painted over) come back with WM_PAINT.
  HDC dc = GetDC(child);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ReleaseDC(child, dc);
  EXPECT_GT(mismatchesOnScreen(child, *expected), kWidth * kHeight / 2);
  InvalidateRect(child, nullptr, FALSE);
  UpdateWindow(child);
  EXPECT_EQ(mismatchesOnScreen(child, *expected), 0);
  expected->forget();
  std::remove(png.c_str());

  // A drag across the whole two-position switch (parameter 19, 37 pixels
  // wide) flips it.
  const float before = instance->getParameter(19);
  const int from = before < 0.5f ? 331 : 366, to = before < 0.5f ? 370 : 327;
  SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at(from, 189));
  SendMessageA(child, WM_MOUSEMOVE, MK_LBUTTON, at(to, 189));
  SendMessageA(child, WM_LBUTTONUP, 0, at(to, 189));
  pump(instance);
  EXPECT_NEAR(std::abs(instance->getParameter(19) - before), 1.0f, 1e-6f);

  // One wheel notch over the first dial (parameter 9) moves it by 0.005;
  // wheel messages carry screen coordinates.
  const float dialBefore = instance->getParameter(9);
  POINT over{51, 93};
  ClientToScreen(child, &over);
  SendMessageA(child, WM_MOUSEMOVE, 0, at(51, 93));
  // Over a dial the pointer shows it can be dragged.
  SendMessageA(child, WM_SETCURSOR, reinterpret_cast<WPARAM>(child),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZEALL));
  SendMessageA(child, WM_MOUSEWHEEL, MAKEWPARAM(0, dialBefore < 0.5f ? WHEEL_DELTA : -WHEEL_DELTA),
               MAKELPARAM(over.x, over.y));
  pump(instance);
  EXPECT_NEAR(std::abs(instance->getParameter(9) - dialBefore), 0.005f, 1e-4f);

  // The pointer leaving the window takes the dial's hover (and its
  // cursor) away.
  SendMessageA(child, WM_MOUSELEAVE, 0, 0);
  pump(instance);
  SendMessageA(child, WM_SETCURSOR, reinterpret_cast<WPARAM>(child),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));

  instance->dispatch(effEditClose);
  EXPECT_EQ(host.onlyChild(), nullptr);
  instance->dispatch(effEditIdle);  // idle after close is harmless
}

TEST(WindowsEditorWindow, OpensAndClosesRepeatedlyAndAfterTheHostLetsGo) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display for wine's windows";
  HostWindow host;
  ASSERT_NE(host.handle(), nullptr);
  Instance instance;
  for (int i = 0; i < 20; ++i) {
    ASSERT_EQ(instance->dispatch(effEditOpen, 0, 0, host.handle()), 1) << i;
    pump(instance, 1);
    instance->dispatch(effEditClose);
    EXPECT_EQ(host.onlyChild(), nullptr) << i;
  }
  // A second open without a close replaces the window.
  ASSERT_EQ(instance->dispatch(effEditOpen, 0, 0, host.handle()), 1);
  ASSERT_EQ(instance->dispatch(effEditOpen, 0, 0, host.handle()), 1);
  const HWND first = host.onlyChild();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), nullptr);
  pump(instance, 1);
  instance->dispatch(effEditClose);
  instance->dispatch(effEditClose);  // a second close changes nothing
  EXPECT_EQ(host.onlyChild(), nullptr);

  // A host that destroys its window before closing the editor: the editor's
  // window went with it, idle and close still work.
  {
    HostWindow shortLived;
    ASSERT_EQ(instance->dispatch(effEditOpen, 0, 0, shortLived.handle()), 1);
    pump(instance, 1);
  }
  instance->setParameter(9, 0.25f);  // something to redraw
  pump(instance, 2);
  instance->dispatch(effEditClose);
  ASSERT_EQ(instance->dispatch(effEditOpen, 0, 0, host.handle()), 1);
  EXPECT_NE(host.onlyChild(), nullptr);
  instance->dispatch(effEditClose);
}

TEST(WindowsEditorWindow, TheNameFieldTakesKeysAndGivesTheFocusBackToTheHost) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display for wine's windows";
  HostWindow host;
  ASSERT_NE(host.handle(), nullptr);
  Instance instance;
  ASSERT_EQ(instance->dispatch(effEditOpen, 0, 0, host.handle()), 1);
  const HWND child = host.onlyChild();
  ASSERT_NE(child, nullptr);
  pump(instance);

  // A click at the right end of the name field starts editing there and
  // brings the keys to the editor's window.
  SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at(845, 20));
  SendMessageA(child, WM_LBUTTONUP, 0, at(845, 20));
  pump(instance);
  EXPECT_EQ(GetFocus(), child);
  SendMessageA(child, WM_KEYDOWN, '2', 0x00030001);
  SendMessageA(child, WM_KEYUP, '2', 0xC0030001);
  SendMessageA(child, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  SendMessageA(child, WM_KEYUP, VK_RETURN, 0xC01C0001);
  pump(instance);

  char name[64] = {};
  instance->dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "Init2");
  EXPECT_EQ(GetFocus(), host.handle());
  instance->dispatch(effEditClose);
}
