// The editor in a real X window, opened through the module's dispatcher
// the way a host opens it: the test makes the parent window, asks for the
// rectangle, opens, pumps idle, and closes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "editor/module_editor.h"
#include "gui/cbitmap.h"
#include "gui/test_display.h"
#include "host/host_test_support.h"
#include "vst/vst_keys.h"

// Xlib's macros clash with other headers; last.
#include <X11/Xutil.h>

#include "gui/x_host_window.h"

namespace {

using editor_test::ModuleInstance;

constexpr int kWidth = 1024;
constexpr int kHeight = 480;

// The host's window, placed low on the screen, away from the toolkit tests'
// small windows.
struct HostWindow : gui_test::XHostWindow {
  HostWindow(int x, int y) : XHostWindow(x, y, kWidth, kHeight, 0x000000) {}
};

void pumpIdle(ModuleInstance& instance, Display* display, int times = 5) {
  for (int i = 0; i < times; ++i) {
    instance.dispatch(effEditIdle);
    XSync(display, False);
  }
}

TEST(EditorWindow, ShowsTheOffscreenRenderInTheHostsWindow) {
  SKIP_WITHOUT_DISPLAY();
  HostWindow host(0, 540);
  ASSERT_NE(host.display(), nullptr);
  ModuleInstance instance;
  ASSERT_NE(instance.effect(), nullptr);

  ERect* rect = nullptr;
  ASSERT_EQ(instance.dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, 1024);
  EXPECT_EQ(rect->bottom - rect->top, 640);  // before the first open

  ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, host.handle()), 1);
  ASSERT_EQ(instance.dispatch(effEditGetRect, 0, 0, &rect), 1);
  EXPECT_EQ(rect->bottom - rect->top, 480);
  const Window child = host.onlyChild();
  ASSERT_NE(child, 0u);
  pumpIdle(instance, host.display());

  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(host.display(), child, &attributes));
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);
  EXPECT_EQ(attributes.map_state, IsViewable);

  if (!host.fullyOnScreen() || attributes.depth < 24 || attributes.visual->c_class != TrueColor) {
    instance.dispatch(effEditClose);
    GTEST_SKIP() << "pixel comparison needs the whole window on a 24-bit TrueColor screen";
  }
  // The module's own offscreen render of the open editor.
  host_test::ScratchFolder folder;
  const std::string path = folder.file("open.png");
  ASSERT_EQ(instance.snapshot(0, path.c_str()), 1);
  gui::CBitmap* expected = gui::CBitmap::readPng(path.c_str());
  ASSERT_NE(expected, nullptr);
  pumpIdle(instance, host.display());

  XImage* image = XGetImage(host.display(), child, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  int mismatches = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      const gui::CColor want = expected->getPixel(x, y);
      mismatches += ((pixel >> 16) & 0xFF) != want.red || ((pixel >> 8) & 0xFF) != want.green ||
                    (pixel & 0xFF) != want.blue;
    }
  }
  EXPECT_EQ(mismatches, 0);
  XDestroyImage(image);
  expected->forget();

  instance.dispatch(effEditClose);
  EXPECT_EQ(host.childCount(), 0);
}

TEST(EditorWindow, OpeningAndClosingRepeatedlyLeavesNothingBehind) {
  SKIP_WITHOUT_DISPLAY();
  HostWindow host(0, 0);
  ASSERT_NE(host.display(), nullptr);
  ModuleInstance instance;
  ASSERT_NE(instance.effect(), nullptr);
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, host.handle()), 1) << i;
    instance.dispatch(effEditIdle);
    instance.dispatch(effEditClose);
  }
  EXPECT_EQ(host.childCount(), 0);

  // A second open without a close replaces the window.
  ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, host.handle()), 1);
  ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, host.handle()), 1);
  EXPECT_EQ(host.childCount(), 1);
  pumpIdle(instance, host.display(), 2);
  instance.dispatch(effEditClose);
  instance.dispatch(effEditClose);  // a second close changes nothing
  EXPECT_EQ(host.childCount(), 0);
  instance.dispatch(effEditIdle);  // idle after close is harmless
}

TEST(EditorWindow, HostKeysReachTheProgramNameFieldWhileItEdits) {
  SKIP_WITHOUT_DISPLAY();
  HostWindow host(0, 0);
  ASSERT_NE(host.display(), nullptr);
  ModuleInstance instance;
  ASSERT_NE(instance.effect(), nullptr);
  ASSERT_EQ(instance.dispatch(effEditOpen, 0, 0, host.handle()), 1);
  pumpIdle(instance, host.display(), 2);

  // Not editing: the key is not used.
  EXPECT_EQ(instance.dispatch(effEditKeyDown, 'Q', 0), 0);
  // A click at the right end of the name field starts editing there.
  host.click(host.onlyChild(), 845, 20);
  pumpIdle(instance, host.display(), 2);
  EXPECT_EQ(instance.dispatch(effEditKeyDown, '2', 0), 1);
  EXPECT_EQ(instance.dispatch(effEditKeyUp, '2', 0), 1);
  EXPECT_EQ(instance.dispatch(effEditKeyDown, 0, VKEY_RETURN), 1);
  pumpIdle(instance, host.display(), 2);

  char name[64] = {};
  instance.dispatch(effGetProgramName, 0, 0, name);
  EXPECT_STREQ(name, "Init2");
  instance.dispatch(effEditClose);
}

TEST(EditorWindow, AHostWindowThatCannotTakeTheEditorIsReported) {
  SKIP_WITHOUT_DISPLAY();
  ModuleInstance instance;
  ASSERT_NE(instance.effect(), nullptr);
  EXPECT_EQ(instance.dispatch(effEditOpen, 0, 0,
                              reinterpret_cast<void*>(static_cast<uintptr_t>(0x7FFFFF01))),
            0);
  instance.dispatch(effEditIdle);
  instance.dispatch(effEditClose);
}

}  // namespace
