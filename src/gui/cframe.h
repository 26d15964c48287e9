// The top view: holds every view of an editor, owns the window it shows them
// in and the back buffer they are drawn into.
//
// open(parent) embeds a child window in the host's window (on X11 the parent
// is the host's Window id cast to a pointer). A frame that is never opened, or
// opened with a null parent, works windowless: it renders into its back
// buffer only, for tests and command-line hosts. Either way idle() handles
// pending window events, redraws what is marked dirty and calls the views'
// onIdle. Events can also be injected with the dispatch operations (frame
// coordinates).
//
// Threads: everything runs on the editor's (host window's) thread, except
// invalid(), setBackground() and the views' own value and dirty marks, which
// a host's automation thread may set; the frame picks them up at idle.
//
// Release a frame with forget(); close() only takes it out of its window.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "gui/cbutton_state.h"
#include "gui/cview_container.h"
#include "gui/double_click_detector.h"

namespace platform {
class NativeWindow;
}

namespace gui {

class AEffGUIEditor;
class CBitmap;
class FrameWindowBridge;

class CFrame : public CViewContainer {
 public:
  CFrame(const CRect& size, AEffGUIEditor* editor);
  ~CFrame() override;

  // Embeds the frame in the parent window (closing any window it had first).
  // A null parent gives windowless operation and returns true; false when
  // the window cannot be created (the frame then works windowless).
  bool open(void* parentWindow);
  // Destroys the window, if any; the views stay.
  void close();
  // True while the frame has a window.
  bool isOpen() const;
  // The platform window's id (the X11 Window), 0 when windowless.
  uintptr_t getPlatformWindowHandle() const;

  // Handles window events, redraws dirty views and runs onIdle hooks.
  void idle();
  // Redraws whatever is dirty now (part of idle).
  void updateDirtyViews();

  AEffGUIEditor* getEditor() const { return editor_; }
  CFrame* getFrame() const override { return const_cast<CFrame*>(this); }
  CPoint getChildOrigin() const override { return CPoint(0, 0); }

  // --- Cursor and focus -----------------------------------------------------
  bool setCursor(CCursorType type);
  CCursorType getCursor() const { return cursor_; }
  // Hides the pointer (e.g. while dragging a knob); it is shown again at the
  // latest when the mouse button is released.
  void setCursorVisible(bool visible);
  bool isCursorVisible() const { return cursorVisible_; }
  // The view that receives keys first; the old one loses the focus, the new
  // one takes it. Null clears it.
  bool setFocusView(CView* view);
  CView* getFocusView() const { return focusView_; }
  // Called by containers when a view (and everything in it) leaves the
  // frame: forgets it as the focus view without notifying it.
  void onViewRemoved(CView* view);

  // --- Redraw ---------------------------------------------------------------
  // Marks the whole frame for redraw (from any thread).
  void invalid() override;
  // Marks a rectangle (frame coordinates) for redraw.
  void invalidRect(const CRect& rect) override;
  void invalidChildRect(const CRect& rect) override { invalidRect(rect); }
  // May be called from any thread (a host thread re-rendering the panel):
  // the frame takes the bitmap over at its next idle or render, on its own
  // thread, and then redraws everything.
  void setBackground(CBitmap* background) override;
  CBitmap* getBackground() const override;

  // --- Windowless rendering -------------------------------------------------
  // Redraws the whole frame into the back buffer and returns it (owned by
  // the frame, valid until the next render or the frame's end).
  CBitmap* renderOffscreen();
  // A copy of the current back buffer after redrawing what is dirty (the
  // caller forgets it).
  CBitmap* snapshot();
  bool writePng(const char* path);

  // --- Events in frame coordinates -----------------------------------------
  CMouseEventResult dispatchMouseDown(CPoint where, CButtonState buttons);
  CMouseEventResult dispatchMouseUp(CPoint where, CButtonState buttons);
  CMouseEventResult dispatchMouseMoved(CPoint where, CButtonState buttons);
  // The pointer left the frame.
  CMouseEventResult dispatchMouseExited(CPoint where, CButtonState buttons);
  bool dispatchWheel(CPoint where, float distance, CButtonState buttons);
  // The focus view first; -1 when nobody used the key.
  int32_t dispatchKeyDown(VstKeyCode& keyCode);
  int32_t dispatchKeyUp(VstKeyCode& keyCode);
  // A mouse down with its time in milliseconds: adds kDoubleClick when it
  // completes a double click.
  CMouseEventResult dispatchTimedMouseDown(CPoint where, CButtonState buttons, uint64_t timeMs);

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override { return dispatchKeyDown(keyCode); }
  int32_t onKeyUp(VstKeyCode& keyCode) override { return dispatchKeyUp(keyCode); }

 private:
  friend class FrameWindowBridge;

  bool ensureBackBuffer();
  void render(const std::vector<CRect>& rects);
  void presentRect(const CRect& rect);
  void releaseWindow();
  void addDirtyRect(const CRect& rect);
  void applyPendingBackground();

  AEffGUIEditor* editor_;
  CBitmap* backBuffer_ = nullptr;
  std::vector<CRect> invalidRects_;  // frame coordinates, not overlapping
  std::atomic<bool> wholeFrameInvalid_{true};
  // A background handed over by setBackground and not yet taken; the
  // sentinel stands for "no change".
  std::atomic<CBitmap*> pendingBackground_;
  bool inIdle_ = false;
  CView* focusView_ = nullptr;
  CCursorType cursor_ = kCursorDefault;
  bool cursorVisible_ = true;
  DoubleClickDetector doubleClick_;
  std::unique_ptr<FrameWindowBridge> bridge_;
  std::unique_ptr<platform::NativeWindow> window_;
  // A window closed while one of its events was being handled; destroyed
  // once that call has returned.
  std::unique_ptr<platform::NativeWindow> retiredWindow_;
  int windowCallDepth_ = 0;
};

}  // namespace gui
