#include "gui/cframe.h"

#include <algorithm>
#include <cmath>

#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"
#include "platform/native_window.h"

namespace gui {

namespace {

// The invalid region is kept as a few rectangles; past this many they are
// merged into one.
constexpr size_t kMaxInvalidRects = 16;

CRect integralOutside(const CRect& r) {
  return CRect(std::floor(r.left), std::floor(r.top), std::ceil(r.right), std::ceil(r.bottom));
}

bool touches(const CRect& a, const CRect& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

int32_t buttonStateOf(const platform::PointerEvent& e) {
  int32_t state = 0;
  if (e.buttons & platform::kPointerLeft) state |= kLButton;
  if (e.buttons & platform::kPointerMiddle) state |= kMButton;
  if (e.buttons & platform::kPointerRight) state |= kRButton;
  if (e.modifiers & platform::kModShift) state |= kShift;
  if (e.modifiers & platform::kModControl) state |= kControl;
  if (e.modifiers & platform::kModAlt) state |= kAlt;
  if (e.modifiers & platform::kModSuper) state |= kApple;
  return state;
}

platform::PointerShape shapeOf(CCursorType type) {
  switch (type) {
    case kCursorSizeAll:
      return platform::PointerShape::kMove;
    case kCursorHSize:
      return platform::PointerShape::kHorizontalResize;
    case kCursorVSize:
      return platform::PointerShape::kVerticalResize;
    case kCursorHand:
      return platform::PointerShape::kHand;
    default:
      return platform::PointerShape::kArrow;
  }
}

// Marks "no background change pending"; never dereferenced.
CBitmap* noPendingBackground() {
  static char marker;
  return reinterpret_cast<CBitmap*>(&marker);
}

bool isDescendantOrSelf(const CView* view, const CView* ancestor) {
  for (const CView* v = view; v; v = v->getParentView())
    if (v == ancestor) return true;
  return false;
}

}  // namespace

// Turns the window's events into the frame's dispatch calls.
class FrameWindowBridge : public platform::NativeWindowListener {
 public:
  explicit FrameWindowBridge(CFrame* frame) : frame_(frame) {}

  // Marks the frame as being inside one of its window's calls.
  class Call {
   public:
    explicit Call(CFrame* frame) : frame_(frame) { ++frame_->windowCallDepth_; }
    ~Call() { --frame_->windowCallDepth_; }
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

   private:
    CFrame* frame_;
  };

  void onPointerDown(const platform::PointerEvent& e) override {
    Call call(frame_);
    frame_->dispatchTimedMouseDown(CPoint(e.x, e.y), buttonStateOf(e), e.timeMs);
  }
  void onPointerUp(const platform::PointerEvent& e) override {
    Call call(frame_);
    frame_->dispatchMouseUp(CPoint(e.x, e.y), buttonStateOf(e));
  }
  void onPointerMove(const platform::PointerEvent& e) override {
    Call call(frame_);
    frame_->dispatchMouseMoved(CPoint(e.x, e.y), buttonStateOf(e));
  }
  void onPointerLeave(const platform::PointerEvent& e) override {
    Call call(frame_);
    frame_->dispatchMouseExited(CPoint(e.x, e.y), buttonStateOf(e));
  }
  void onWheel(const platform::PointerEvent& e, float distance, bool horizontal) override {
    Call call(frame_);
    // Horizontal wheels move values the same way (right counts as up).
    (void)horizontal;
    frame_->dispatchWheel(CPoint(e.x, e.y), distance, buttonStateOf(e));
  }
  void onKey(VstKeyCode& key, bool down) override {
    Call call(frame_);
    if (down)
      frame_->dispatchKeyDown(key);
    else
      frame_->dispatchKeyUp(key);
  }
  void onExpose(int x, int y, int width, int height) override {
    Call call(frame_);
    frame_->presentRect(CRect(x, y, x + width, y + height));
  }
  void onFocusLost() override {}

 private:
  CFrame* frame_;
};

CFrame::CFrame(const CRect& size, AEffGUIEditor* editor)
    : CViewContainer(size),
      editor_(editor),
      pendingBackground_(noPendingBackground()),
      bridge_(new FrameWindowBridge(this)) {
  setBackgroundColor(kBlackCColor);
}

CFrame::~CFrame() {
  window_.reset();
  retiredWindow_.reset();
  focusView_ = nullptr;
  removeAll(true);
  CBitmap* pending = pendingBackground_.exchange(noPendingBackground());
  if (pending != noPendingBackground() && pending) pending->forget();
  if (backBuffer_) backBuffer_->forget();
}

bool CFrame::open(void* parentWindow) {
  releaseWindow();
  wholeFrameInvalid_ = true;
  if (!parentWindow) return true;
  const int width = static_cast<int>(std::lround(getWidth()));
  const int height = static_cast<int>(std::lround(getHeight()));
  if (width < 1 || height < 1 || !ensureBackBuffer()) return false;
  window_ = platform::NativeWindow::create(parentWindow, width, height, bridge_.get());
  if (!window_) return false;
  updateDirtyViews();
  return true;
}

void CFrame::close() { releaseWindow(); }

void CFrame::releaseWindow() {
  if (!window_) return;
  if (windowCallDepth_ > 0) {
    window_->detachListener();
    retiredWindow_ = std::move(window_);
  } else {
    window_.reset();
  }
}

bool CFrame::isOpen() const { return window_ != nullptr; }

uintptr_t CFrame::getPlatformWindowHandle() const { return window_ ? window_->handle() : 0; }

bool CFrame::ensureBackBuffer() {
  const int width = static_cast<int>(std::lround(getWidth()));
  const int height = static_cast<int>(std::lround(getHeight()));
  if (backBuffer_ && backBuffer_->getPixelWidth() == width &&
      backBuffer_->getPixelHeight() == height)
    return true;
  if (backBuffer_) backBuffer_->forget();
  backBuffer_ = nullptr;
  if (width < 1 || height < 1) return false;
  auto* bitmap = new CBitmap(width, height);
  if (!bitmap->isLoaded()) {
    bitmap->forget();
    return false;
  }
  backBuffer_ = bitmap;
  wholeFrameInvalid_ = true;
  return true;
}

void CFrame::idle() {
  if (inIdle_) return;
  inIdle_ = true;
  if (windowCallDepth_ == 0) retiredWindow_.reset();
  if (window_) {
    FrameWindowBridge::Call call(this);
    window_->processEvents();
  }
  if (windowCallDepth_ == 0) retiredWindow_.reset();
  std::vector<CView*> idlers;
  forEachDescendant([&](CView* view) {
    if (view->wantsIdle()) {
      view->remember();
      idlers.push_back(view);
    }
  });
  for (CView* view : idlers) {
    view->onIdle();
    view->forget();
  }
  updateDirtyViews();
  inIdle_ = false;
}

void CFrame::invalid() { wholeFrameInvalid_.store(true); }

void CFrame::invalidRect(const CRect& rect) {
  if (!std::isfinite(rect.left) || !std::isfinite(rect.top) || !std::isfinite(rect.right) ||
      !std::isfinite(rect.bottom))
    return;
  addDirtyRect(rect);
}

void CFrame::addDirtyRect(const CRect& rect) {
  CRect r = integralOutside(CRect(rect).normalize());
  r.bound(CRect(0, 0, getWidth(), getHeight()));
  if (r.isEmpty() || wholeFrameInvalid_) return;
  // Merge with every rectangle it touches, repeatedly, so the list stays
  // free of overlaps.
  bool merged = true;
  while (merged) {
    merged = false;
    for (auto it = invalidRects_.begin(); it != invalidRects_.end(); ++it) {
      if (touches(*it, r)) {
        r.unite(*it);
        invalidRects_.erase(it);
        merged = true;
        break;
      }
    }
  }
  invalidRects_.push_back(r);
  if (invalidRects_.size() > kMaxInvalidRects) {
    CRect all;
    for (const CRect& each : invalidRects_) all.unite(each);
    invalidRects_.assign(1, all);
  }
}

void CFrame::setBackground(CBitmap* background) {
  if (background) background->remember();
  CBitmap* replaced = pendingBackground_.exchange(background);
  // A background replaced before the frame took it was never drawn.
  if (replaced != noPendingBackground() && replaced) replaced->forget();
  invalid();
}

CBitmap* CFrame::getBackground() const {
  CBitmap* pending = pendingBackground_.load();
  return pending != noPendingBackground() ? pending : CViewContainer::getBackground();
}

void CFrame::applyPendingBackground() {
  CBitmap* pending = pendingBackground_.exchange(noPendingBackground());
  if (pending == noPendingBackground()) return;
  CViewContainer::setBackground(pending);
  if (pending) pending->forget();
  invalid();
}

void CFrame::updateDirtyViews() {
  applyPendingBackground();
  if (!ensureBackBuffer()) return;
  // Collect the views to draw; clear their marks first so a view that marks
  // itself again while drawing is drawn again next time.
  std::vector<CView*> dirty;
  forEachDescendant([&](CView* view) {
    if (!view->isDirty()) return;
    for (const CView* v = view; v && v != this; v = v->getParentView())
      if (!v->isVisible()) return;
    dirty.push_back(view);
  });
  for (CView* view : dirty) {
    addDirtyRect(view->localToFrame(view->getViewSize()));
    view->setDirty(false);
  }
  std::vector<CRect> rects;
  if (wholeFrameInvalid_.exchange(false) || isDirty()) {
    rects.assign(1, CRect(0, 0, getWidth(), getHeight()));
  } else {
    rects.swap(invalidRects_);
  }
  invalidRects_.clear();
  CView::setDirty(false);
  if (rects.empty()) return;
  render(rects);
  for (const CRect& r : rects) presentRect(r);
}

// One pass over all rectangles: every view is drawn at most once, and what
// a view draws outside its own rectangle stays within the update.
void CFrame::render(const std::vector<CRect>& rects) {
  CRect bounds;
  for (const CRect& r : rects) bounds.unite(r);
  CDrawContext context(backBuffer_->getSurface());
  context.setUpdateRegion(rects);
  context.setClipRect(bounds);
  // Start from opaque black so the window never shows stale pixels.
  context.setFillColor(kBlackCColor);
  context.drawRect(bounds, kDrawFilled);
  CViewContainer::drawRect(&context, bounds);
  context.endDraw();
}

void CFrame::presentRect(const CRect& rect) {
  if (!window_ || !backBuffer_) return;
  CRect r = integralOutside(rect);
  r.bound(CRect(0, 0, backBuffer_->getWidth(), backBuffer_->getHeight()));
  if (r.isEmpty()) return;
  window_->present(backBuffer_->getSurface(), static_cast<int>(r.left), static_cast<int>(r.top),
                   static_cast<int>(r.getWidth()), static_cast<int>(r.getHeight()));
}

CBitmap* CFrame::renderOffscreen() {
  if (!ensureBackBuffer()) return nullptr;
  wholeFrameInvalid_ = true;
  updateDirtyViews();
  return backBuffer_;
}

CBitmap* CFrame::snapshot() {
  if (!ensureBackBuffer()) return nullptr;
  updateDirtyViews();
  auto* copy = new CBitmap(backBuffer_->getPixelWidth(), backBuffer_->getPixelHeight());
  copy->copyFrom(*backBuffer_);
  return copy;
}

bool CFrame::writePng(const char* path) {
  CBitmap* image = snapshot();
  if (!image) return false;
  const bool ok = image->writePng(path);
  image->forget();
  return ok;
}

bool CFrame::setCursor(CCursorType type) {
  cursor_ = type;
  if (window_) window_->setCursor(shapeOf(type));
  return true;
}

void CFrame::setCursorVisible(bool visible) {
  cursorVisible_ = visible;
  if (window_) window_->setCursorVisible(visible);
}

bool CFrame::setFocusView(CView* view) {
  if (view == focusView_) return true;
  if (view && !isDescendantOrSelf(view, this)) return false;
  CView* old = focusView_;
  focusView_ = view;
  if (old) old->looseFocus();
  // looseFocus may have moved the focus elsewhere; that choice stands.
  if (focusView_ != view) return true;
  if (view) {
    view->takeFocus();
    if (window_) window_->takeKeyboardFocus();
  } else if (window_) {
    // Nothing here wants keys any more: give them back to the host.
    window_->releaseKeyboardFocus();
  }
  return true;
}

void CFrame::onViewRemoved(CView* view) {
  if (focusView_ && isDescendantOrSelf(focusView_, view)) focusView_ = nullptr;
}

CMouseEventResult CFrame::onMouseDown(CPoint& where, const CButtonState& buttons) {
  // A click outside the focus view takes the focus away (ending a text edit).
  if (focusView_) {
    const CRect focusArea = focusView_->localToFrame(focusView_->getViewSize());
    if (!focusArea.pointInside(where)) setFocusView(nullptr);
  }
  return CViewContainer::onMouseDown(where, buttons);
}

CMouseEventResult CFrame::dispatchMouseDown(CPoint where, CButtonState buttons) {
  return onMouseDown(where, buttons);
}

CMouseEventResult CFrame::dispatchTimedMouseDown(CPoint where, CButtonState buttons,
                                                 uint64_t timeMs) {
  if (doubleClick_.onMouseDown(where, buttons.getButtonState(), timeMs)) buttons |= kDoubleClick;
  return dispatchMouseDown(where, buttons);
}

CMouseEventResult CFrame::dispatchMouseUp(CPoint where, CButtonState buttons) {
  const CMouseEventResult result = onMouseUp(where, buttons);
  // A drag that hid the pointer never leaves it hidden.
  if (!cursorVisible_) setCursorVisible(true);
  return result;
}

CMouseEventResult CFrame::dispatchMouseMoved(CPoint where, CButtonState buttons) {
  return onMouseMoved(where, buttons);
}

CMouseEventResult CFrame::dispatchMouseExited(CPoint where, CButtonState buttons) {
  return onMouseExited(where, buttons);
}

bool CFrame::dispatchWheel(CPoint where, float distance, CButtonState buttons) {
  if (!std::isfinite(distance)) return false;
  return onWheel(where, distance, buttons);
}

int32_t CFrame::dispatchKeyDown(VstKeyCode& keyCode) {
  if (!focusView_) return -1;
  CView* target = focusView_;
  target->remember();
  const int32_t result = target->onKeyDown(keyCode);
  target->forget();
  return result;
}

int32_t CFrame::dispatchKeyUp(VstKeyCode& keyCode) {
  if (!focusView_) return -1;
  CView* target = focusView_;
  target->remember();
  const int32_t result = target->onKeyUp(keyCode);
  target->forget();
  return result;
}

}  // namespace gui
