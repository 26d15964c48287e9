// The frame embedded in a host's X11 window, as a host would use it.
#include <gtest/gtest.h>

#include "gui/color_printer.h"

#include <cstdint>
#include <memory>

#include "gui/test_display.h"
#include "gui/test_views.h"

// Xlib's macros (None, Bool, Status...) clash with other headers; last.
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "gui/x_host_window.h"

namespace {

using namespace gui;
using gui_test::RecordingView;

constexpr int kWidth = 200;
constexpr int kHeight = 100;

// The host's window, white behind the frame.
struct FakeHost : gui_test::XHostWindow {
  explicit FakeHost(int x = 0, int y = 0) : XHostWindow(x, y, kWidth, kHeight, 0xffffff) {}
};

// A frame with a coloured background and two views.
CFrame* makeFrame(RecordingView** first = nullptr) {
  auto* frame = new CFrame(CRect(0, 0, kWidth, kHeight), nullptr);
  frame->setBackgroundColor(CColor(20, 40, 60));
  auto* a = new RecordingView(CRect(10, 10, 60, 50), CColor(200, 30, 30));
  auto* b = new RecordingView(CRect(80, 20, 190, 90), CColor(30, 160, 90));
  frame->addView(a);
  frame->addView(b);
  if (first) *first = a;
  return frame;
}

// Pumps idle until the child window shows what the back buffer holds.
void pump(CFrame* frame, Display* display) {
  for (int i = 0; i < 5; ++i) {
    frame->idle();
    XSync(display, False);
  }
}

TEST(X11Embed, ChildWindowShowsTheOffscreenRenderAndCarriesHostProperties) {
  SKIP_WITHOUT_DISPLAY();
  FakeHost host(1040, 880);
  ASSERT_NE(host.display(), nullptr);
  CFrame* frame = makeFrame();
  ASSERT_TRUE(frame->open(host.handle()));
  ASSERT_TRUE(frame->isOpen());
  const Window child = static_cast<Window>(frame->getPlatformWindowHandle());
  ASSERT_NE(child, 0u);
  EXPECT_EQ(host.onlyChild(), child);
  pump(frame, host.display());

  const std::vector<unsigned long> embed = host.property(child, "_XEMBED_INFO");
  ASSERT_EQ(embed.size(), 2u);
  EXPECT_EQ(embed[0], 0u);       // protocol version
  EXPECT_EQ(embed[1] & 1u, 1u);  // XEMBED_MAPPED
  const std::vector<unsigned long> proc = host.property(child, "_XEventProc");
  ASSERT_EQ(proc.size(), 2u);
  EXPECT_NE(proc[0] | proc[1], 0u);

  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(host.display(), child, &attributes));
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);
  EXPECT_EQ(attributes.map_state, IsViewable);

  CBitmap* expected = frame->renderOffscreen();
  ASSERT_NE(expected, nullptr);
  pump(frame, host.display());
  XImage* image = XGetImage(host.display(), child, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
  ASSERT_NE(image, nullptr);
  if (attributes.depth < 24 || attributes.visual->c_class != TrueColor) {
    XDestroyImage(image);
    frame->forget();
    GTEST_SKIP() << "pixel comparison needs a 24-bit TrueColor display";
  }
  {
    int mismatches = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const unsigned long pixel = XGetPixel(image, x, y);
        const CColor want = expected->getPixel(x, y);
        const auto red = static_cast<uint8_t>((pixel & image->red_mask) >> 16);
        const auto green = static_cast<uint8_t>((pixel & image->green_mask) >> 8);
        const auto blue = static_cast<uint8_t>(pixel & image->blue_mask);
        if (red != want.red || green != want.green || blue != want.blue) ++mismatches;
      }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(expected->getPixel(30, 30), CColor(200, 30, 30));
    EXPECT_EQ(expected->getPixel(5, 5), CColor(20, 40, 60));
  }
  XDestroyImage(image);

  frame->close();
  EXPECT_FALSE(frame->isOpen());
  XSync(host.display(), False);
  EXPECT_EQ(host.onlyChild(), 0u);
  frame->forget();
}

TEST(X11Embed, ClicksAndWheelFromTheServerReachTheViews) {
  SKIP_WITHOUT_DISPLAY();
  FakeHost host;
  ASSERT_NE(host.display(), nullptr);
  RecordingView* view = nullptr;
  CFrame* frame = makeFrame(&view);
  ASSERT_TRUE(frame->open(host.handle()));
  const Window child = static_cast<Window>(frame->getPlatformWindowHandle());
  pump(frame, host.display());

  host.sendButton(child, ButtonPress, Button1, 20, 30);
  host.sendButton(child, ButtonRelease, Button1, 22, 31);
  host.sendButton(child, ButtonPress, Button4, 20, 30);
  host.sendButton(child, ButtonRelease, Button4, 20, 30);
  host.sendButton(child, ButtonPress, Button5, 20, 30);
  host.sendButton(child, ButtonPress, Button5, 20, 30);
  pump(frame, host.display());

  EXPECT_EQ(view->joinedLog(), "entered down up wheel wheel wheel");
  EXPECT_EQ(view->lastPoint, CPoint(22, 31));
  EXPECT_FLOAT_EQ(view->wheelTotal, -1.f);
  frame->forget();
}

TEST(X11Embed, KeysFromTheServerEditTheFocusedTextField) {
  SKIP_WITHOUT_DISPLAY();
  FakeHost host;
  ASSERT_NE(host.display(), nullptr);
  CFrame* frame = makeFrame();
  auto* field = new CTextEdit(CRect(0, 60, 100, 80), nullptr, 112, "ab");
  frame->addView(field);
  ASSERT_TRUE(frame->open(host.handle()));
  const Window child = static_cast<Window>(frame->getPlatformWindowHandle());
  pump(frame, host.display());
  frame->setFocusView(field);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(host.display(), &focus, &revert);
  EXPECT_EQ(focus, child);
  for (KeySym sym : {XK_c, XK_BackSpace, XK_BackSpace, XK_Z, XK_space, XK_1}) {
    const unsigned int state = sym == XK_Z ? ShiftMask : 0;
    host.sendKey(child, KeyPress, sym, state);
    host.sendKey(child, KeyRelease, sym, state);
  }
  pump(frame, host.display());
  EXPECT_STREQ(field->getText(), "aZ 1");
  EXPECT_TRUE(field->isEditing());
  host.sendKey(child, KeyPress, XK_Return);
  pump(frame, host.display());
  EXPECT_FALSE(field->isEditing());
  XGetInputFocus(host.display(), &focus, &revert);
  EXPECT_EQ(focus, host.window());  // keys go back to the host
  frame->forget();
}

TEST(X11Embed, HostDestroyingItsWindowFirstIsSurvived) {
  SKIP_WITHOUT_DISPLAY();
  RecordingView* view = nullptr;
  CFrame* frame = makeFrame(&view);
  {
    FakeHost host;
    ASSERT_NE(host.display(), nullptr);
    ASSERT_TRUE(frame->open(host.handle()));
    pump(frame, host.display());
  }  // the host closes its window (and connection) without telling us
  view->invalid();
  frame->setCursorVisible(false);
  frame->setFocusView(view);
  for (int i = 0; i < 3; ++i) frame->idle();
  frame->close();
  EXPECT_FALSE(frame->isOpen());
  frame->forget();
}

TEST(X11Embed, EventProcedurePublishedOnTheWindowDispatchesHostEvents) {
  SKIP_WITHOUT_DISPLAY();
  FakeHost host;
  ASSERT_NE(host.display(), nullptr);
  RecordingView* view = nullptr;
  CFrame* frame = makeFrame(&view);
  ASSERT_TRUE(frame->open(host.handle()));
  const Window child = static_cast<Window>(frame->getPlatformWindowHandle());
  pump(frame, host.display());

  // Hosts that read only the first 32-bit item must get a callable address.
  const std::vector<unsigned long> proc = host.property(child, "_XEventProc");
  ASSERT_EQ(proc.size(), 2u);
  const uintptr_t address = proc[0] | (static_cast<uintptr_t>(proc[1]) << 32);
  EXPECT_EQ(proc[1], 0u) << "address above 4 GB: one-item readers would truncate it";
  auto eventProc = reinterpret_cast<void (*)(XEvent*)>(address);

  XEvent press{};
  press.xbutton.type = ButtonPress;
  press.xbutton.display = host.display();
  press.xbutton.window = child;
  press.xbutton.time = 42;
  press.xbutton.x = 15;
  press.xbutton.y = 15;
  press.xbutton.button = Button1;
  eventProc(&press);
  EXPECT_EQ(view->joinedLog(), "entered down");

  // Events for windows that are not ours are ignored.
  press.xbutton.window = host.window();
  press.xbutton.time = 43;
  eventProc(&press);
  EXPECT_EQ(view->joinedLog(), "entered down");
  frame->forget();
}

TEST(X11Embed, ReopeningAndRepeatedOpenCloseLeaveNothingBehind) {
  SKIP_WITHOUT_DISPLAY();
  FakeHost host;
  ASSERT_NE(host.display(), nullptr);
  CFrame* frame = makeFrame();
  // A second open without close replaces the window.
  ASSERT_TRUE(frame->open(host.handle()));
  ASSERT_TRUE(frame->open(host.handle()));
  XSync(host.display(), False);
  EXPECT_NE(host.onlyChild(), 0u);  // exactly one child
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(frame->open(host.handle()));
    frame->idle();
    frame->close();
  }
  XSync(host.display(), False);
  EXPECT_EQ(host.onlyChild(), 0u);
  frame->forget();

  // The same through the editor, as the host drives it.
  gui_test::StubEffect effect;
  auto* editor = new gui_test::StubEditor(&effect, kWidth, kHeight);
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(editor->open(host.handle()));
    editor->idle();
    editor->close();
  }
  XSync(host.display(), False);
  EXPECT_EQ(host.onlyChild(), 0u);
}

TEST(X11Embed, InvalidParentFallsBackToWindowless) {
  SKIP_WITHOUT_DISPLAY();
  CFrame* frame = makeFrame();
  // An id no window has: the failure is reported, the process lives on.
  EXPECT_FALSE(frame->open(reinterpret_cast<void*>(static_cast<uintptr_t>(0x7FFFFF01))));
  EXPECT_FALSE(frame->isOpen());
  ASSERT_NE(frame->renderOffscreen(), nullptr);
  frame->forget();
}

}  // namespace
