// Drawing on a native surface (cairo on Linux, GDI+ on Windows) with the toolkit's state model:
// frame (stroke), fill and font colours, line width, anti-aliasing, a global alpha, a clip
// rectangle and an offset that containers use to place their children. All
// coordinates are in the current view's coordinates (the offset is added).
// Angles are degrees, 0 at 3 o'clock, growing clockwise on screen.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "gui/cbase_object.h"
#include "gui/ccolor.h"
#include "gui/cfont_desc.h"
#include "gui/cpoint.h"
#include "gui/crect.h"
#include "gui/native_surface.h"

#if !defined(_WIN32)
typedef struct _cairo cairo_t;
#endif

namespace gui {

class CBitmap;
class CGradient;
class CGraphicsPath;

enum CDrawStyle { kDrawStroked = 0, kDrawFilled, kDrawFilledAndStroked };

enum CDrawModeFlags : int32_t { kAliasing = 0, kAntiAliasing = 1 };
using CDrawMode = int32_t;

// Modes for drawGraphicsPath; kPathFilled | kPathStroked fills, then strokes.
enum CPathDrawMode : int32_t { kPathFilled = 1, kPathFilledEvenOdd = 2, kPathStroked = 4 };

enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

enum CLineCap { kLineCapButt = 0, kLineCapRound, kLineCapSquare };

class CDrawContext : public CBaseObject {
 public:
  using PathDrawMode = int32_t;
  using LineList = std::vector<std::pair<CPoint, CPoint>>;

  // Draws on the surface (on Linux it holds a reference to it; on Windows
  // the surface's bitmap must outlive the context). The clip starts as the
  // whole surface.
  explicit CDrawContext(NativeSurface* surface);
  ~CDrawContext() override;
  CDrawContext(const CDrawContext&) = delete;
  CDrawContext& operator=(const CDrawContext&) = delete;

#if !defined(_WIN32)
  cairo_t* getCairo() const { return cr_; }
#endif
  NativeSurface* getSurface() const { return surface_; }
  double getScaleFactor() const { return 1.0; }

  virtual void beginDraw() {}
  // Flushes pending drawing to the surface.
  virtual void endDraw();

  // --- State ---------------------------------------------------------------
  void setLineWidth(double width);
  double getLineWidth() const { return state_.lineWidth; }
  void setLineCap(CLineCap cap) { state_.lineCap = cap; }
  void setDrawMode(CDrawMode mode) { state_.drawMode = mode; }
  CDrawMode getDrawMode() const { return state_.drawMode; }
  void setFrameColor(const CColor& color) { state_.frameColor = color; }
  const CColor& getFrameColor() const { return state_.frameColor; }
  void setFillColor(const CColor& color) { state_.fillColor = color; }
  const CColor& getFillColor() const { return state_.fillColor; }
  void setFontColor(const CColor& color) { state_.fontColor = color; }
  const CColor& getFontColor() const { return state_.fontColor; }
  void setFont(const CFontDesc& font) { state_.font = font; }
  // Size 0 keeps the font's size, style -1 keeps its style; null is ignored.
  void setFont(const CFontDesc* font, double size = 0.0, int32_t style = -1);
  const CFontDesc& getFont() const { return state_.font; }
  // Multiplies the alpha of everything drawn; clamped to 0 to 1.
  void setGlobalAlpha(float alpha);
  float getGlobalAlpha() const { return state_.globalAlpha; }

  // The clip rectangle replaces the current one (it does not intersect).
  void setClipRect(const CRect& clip);
  CRect getClipRect() const;
  CRect& getClipRect(CRect& clip) const { return clip = getClipRect(); }
  // Back to the whole surface.
  void resetClipRect();

  // The area being redrawn, in surface coordinates: nothing is drawn outside
  // these rectangles whatever the clip rectangle says (empty: no limit).
  // The frame sets it to the parts of the window it is updating, so a view
  // that draws outside its own rectangle (a pop-up menu) only shows where
  // an update covers.
  void setUpdateRegion(const std::vector<CRect>& rects) { updateRegion_ = rects; }
  const std::vector<CRect>& getUpdateRegion() const { return updateRegion_; }
  // True when the rectangle (current coordinates) meets the update region.
  bool isInUpdateRegion(const CRect& rect) const;

  // Offset added to every coordinate (containers move their children's
  // origin with it).
  void setOffset(const CPoint& offset) { state_.offset = offset; }
  const CPoint& getOffset() const { return state_.offset; }

  // Saves or restores the whole state above.
  void saveGlobalState();
  void restoreGlobalState();

  // --- Drawing -------------------------------------------------------------
  void drawLine(const CPoint& start, const CPoint& end);
  void drawLine(const std::pair<CPoint, CPoint>& line) { drawLine(line.first, line.second); }
  void drawLines(const LineList& lines);
  void drawPolygon(const std::vector<CPoint>& points, CDrawStyle style = kDrawStroked);
  // Stroked outlines lie inside the rectangle (a 1-pixel frame on whole
  // coordinates covers the rectangle's outermost pixels).
  void drawRect(const CRect& rect, CDrawStyle style = kDrawStroked);
  void drawEllipse(const CRect& rect, CDrawStyle style = kDrawStroked);
  // The arc of the ellipse in rect from startAngle clockwise to endAngle;
  // filled arcs are closed by their chord.
  void drawArc(const CRect& rect, double startAngle, double endAngle,
               CDrawStyle style = kDrawStroked);
  void drawPoint(const CPoint& point, const CColor& color);
  // Sets the rectangle's pixels to transparent.
  void clearRect(const CRect& rect);

  // Text in the current font and font colour. The point is the left end of
  // the baseline; the rectangle form centres vertically and aligns
  // horizontally. Null texts draw nothing.
  void drawString(const char* utf8, const CPoint& baselineLeft, bool antialias = true);
  void drawString(const char* utf8, const CRect& rect, CHoriTxtAlign align = kCenterText,
                  bool antialias = true);
  double getStringWidth(const char* utf8);

  // Draws the part of the bitmap starting at offset into dest, unscaled.
  void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0),
                  float alpha = 1.f);

  // --- Paths and gradients -------------------------------------------------
  // A new empty path (the caller forgets it).
  CGraphicsPath* createGraphicsPath();
  void drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode = kPathFilled);
  void fillLinearGradient(CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
                          const CPoint& endPoint, bool evenOdd = false);

 protected:
  struct State {
    double lineWidth = 1.0;
    CLineCap lineCap = kLineCapButt;
    CDrawMode drawMode = kAntiAliasing;
    CColor frameColor = kBlackCColor;
    CColor fillColor = kWhiteCColor;
    CColor fontColor = kBlackCColor;
    CFontDesc font;
    float globalAlpha = 1.f;
    CRect clip;  // in surface coordinates
    CPoint offset;
  };

  // Ascent and descent of the current font, in pixels.
  void fontExtents(double& ascent, double& descent);

#if defined(_WIN32)
  // Prepares the GDI+ graphics for one primitive (clip, offset,
  // anti-aliasing); false when there is nothing to draw on.
  bool beginPrimitive();
  // Fills and/or strokes a GDI+ path (GpPath*) with the current state.
  void fillAndStrokePath(void* path, CDrawStyle style, bool evenOdd = false);
  void strokePath(void* path);
  // The part of the surface that drawing may touch now, in surface pixels.
  std::vector<CRect> writableAreas() const;
  // Ends drawing for good (before the surface goes away).
  void releaseGraphics();

  NativeSurface* surface_;
  void* graphics_;  // GpGraphics*
#else
  // Prepares cairo for one primitive (clip, anti-aliasing); paired with end.
  void beginPrimitive();
  void endPrimitive();
  void setSourceColor(const CColor& color);
  void applyStroke();
  void fillAndStroke(CDrawStyle style);
  void selectFont();

  NativeSurface* surface_;
  cairo_t* cr_;
#endif
  CRect surfaceRect_;
  State state_;
  std::vector<State> stack_;
  std::vector<CRect> updateRegion_;
};

}  // namespace gui
