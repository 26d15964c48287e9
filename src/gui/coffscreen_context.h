// A drawing context on a bitmap of its own (or on a given bitmap), for
// drawing once and reusing the result, e.g. as a frame background.
#pragma once

#include "gui/cdraw_context.h"

namespace gui {

class CFrame;

class COffscreenContext : public CDrawContext {
 public:
  // A context on a new transparent bitmap of the given size; null when the
  // size is below 1 pixel, above 32767 or not finite. The frame may be null.
  static COffscreenContext* create(CFrame* frame, double width, double height);
  // A context drawing on an existing bitmap (remembered while the context
  // lives).
  explicit COffscreenContext(CBitmap* bitmap);
  ~COffscreenContext() override;

  // The bitmap drawn on; remember() it to keep it beyond the context.
  CBitmap* getBitmap() const { return bitmap_; }
  double getWidth() const;
  double getHeight() const;

  void beginDraw() override {}
  void endDraw() override;

 private:
  CBitmap* bitmap_;
};

}  // namespace gui
