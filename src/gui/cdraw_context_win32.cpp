// The drawing context's primitives on GDI+ (Windows). The geometry follows
// the cairo backend: pixel centres at half coordinates (PixelOffsetModeHalf),
// strokes centred on the path, outlines of rectangles inside them, text
// placed by its baseline.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "gui/cbitmap.h"
#include "gui/cdraw_context.h"
#include "gui/cgradient.h"
#include "gui/cgraphics_path.h"
#include "gui/finite_geometry.h"
#include "gui/gdiplus_win32.h"
#include "gui/utf8_text.h"

namespace gui {

namespace {

using Gdiplus::GpBrush;
using Gdiplus::GpGraphics;
using Gdiplus::GpPath;
using Gdiplus::GpPen;

// The size text is measured at (pixels).
constexpr double kMeasuringSize = 512.0;

Gdiplus::ARGB argbOf(const CColor& c, float globalAlpha) {
  const auto a = static_cast<unsigned>(std::lround(c.alpha * static_cast<double>(globalAlpha)));
  return (static_cast<Gdiplus::ARGB>(std::min(a, 255u)) << 24) |
         (static_cast<Gdiplus::ARGB>(c.red) << 16) | (static_cast<Gdiplus::ARGB>(c.green) << 8) |
         static_cast<Gdiplus::ARGB>(c.blue);
}

// A path that deletes itself.
class PathHolder {
 public:
  explicit PathHolder(bool evenOdd = false) {
    gdip::GdipCreatePath(evenOdd ? Gdiplus::FillModeAlternate : Gdiplus::FillModeWinding, &path_);
  }
  ~PathHolder() {
    if (path_) gdip::GdipDeletePath(path_);
  }
  PathHolder(const PathHolder&) = delete;
  PathHolder& operator=(const PathHolder&) = delete;
  GpPath* get() const { return path_; }

 private:
  GpPath* path_ = nullptr;
};

// Font metrics of a family at a size, in pixels.
struct Metrics {
  double ascent = 0.0;
  double descent = 0.0;
};

Metrics metricsOf(const CFontDesc& font) {
  Metrics m;
  auto* family = static_cast<Gdiplus::GpFontFamily*>(font.getFontFamily());
  if (!family) return m;
  const INT style = ((font.getStyle() & kBoldFace) ? Gdiplus::FontStyleBold : 0) |
                    ((font.getStyle() & kItalicFace) ? Gdiplus::FontStyleItalic : 0);
  UINT16 em = 0, ascent = 0, descent = 0;
  gdip::GdipGetEmHeight(family, style, &em);
  gdip::GdipGetCellAscent(family, style, &ascent);
  gdip::GdipGetCellDescent(family, style, &descent);
  if (em == 0) return m;
  m.ascent = font.getSize() * ascent / em;
  m.descent = font.getSize() * descent / em;
  return m;
}

// The font and the typographic string format (no padding, trailing spaces
// measured, no wrapping) for one text call.
class TextSetup {
 public:
  explicit TextSetup(const CFontDesc& desc) {
    auto* family = static_cast<Gdiplus::GpFontFamily*>(desc.getFontFamily());
    const INT style = ((desc.getStyle() & kBoldFace) ? Gdiplus::FontStyleBold : 0) |
                      ((desc.getStyle() & kItalicFace) ? Gdiplus::FontStyleItalic : 0);
    if (family)
      gdip::GdipCreateFont(family, static_cast<Gdiplus::REAL>(desc.getSize()), style,
                           Gdiplus::UnitPixel, &font_);
    Gdiplus::GpStringFormat* typographic = nullptr;
    if (gdip::GdipStringFormatGetGenericTypographic(&typographic) == Gdiplus::Ok &&
        gdip::GdipCloneStringFormat(typographic, &format_) == Gdiplus::Ok) {
      INT flags = 0;
      gdip::GdipGetStringFormatFlags(format_, &flags);
      gdip::GdipSetStringFormatFlags(
          format_, flags | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
                       Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsNoClip);
    }
  }
  ~TextSetup() {
    if (font_) gdip::GdipDeleteFont(font_);
    if (format_) gdip::GdipDeleteStringFormat(format_);
  }
  TextSetup(const TextSetup&) = delete;
  TextSetup& operator=(const TextSetup&) = delete;
  bool ok() const { return font_ && format_; }
  Gdiplus::GpFont* font() const { return font_; }
  Gdiplus::GpStringFormat* format() const { return format_; }

 private:
  Gdiplus::GpFont* font_ = nullptr;
  Gdiplus::GpStringFormat* format_ = nullptr;
};

}  // namespace

CDrawContext::CDrawContext(NativeSurface* surface) : surface_(surface), graphics_(nullptr) {
  if (surface && surface->gdiplusBitmap && gdiplusReady()) {
    GpGraphics* g = nullptr;
    if (gdip::GdipGetImageGraphicsContext(static_cast<Gdiplus::GpImage*>(surface->gdiplusBitmap),
                                          &g) == Gdiplus::Ok) {
      graphics_ = g;
      gdip::GdipSetCompositingMode(g, Gdiplus::CompositingModeSourceOver);
      gdip::GdipSetInterpolationMode(g, Gdiplus::InterpolationModeNearestNeighbor);
      gdip::GdipSetPageUnit(g, Gdiplus::UnitPixel);
    }
  }
  surfaceRect_ = surface ? CRect(0, 0, surface->width, surface->height) : CRect();
  state_.clip = surfaceRect_;
}

CDrawContext::~CDrawContext() { releaseGraphics(); }

void CDrawContext::releaseGraphics() {
  if (graphics_) gdip::GdipDeleteGraphics(static_cast<GpGraphics*>(graphics_));
  graphics_ = nullptr;
}

void CDrawContext::endDraw() {
  if (graphics_) gdip::GdipFlush(static_cast<GpGraphics*>(graphics_), Gdiplus::FlushIntentionSync);
}

bool CDrawContext::beginPrimitive() {
  auto* g = static_cast<GpGraphics*>(graphics_);
  if (!g) return false;
  const CRect& c = state_.clip;
  if (!(c.getWidth() > 0.0) || !(c.getHeight() > 0.0)) return false;
  gdip::GdipResetWorldTransform(g);
  const bool antialias = (state_.drawMode & kAntiAliasing) != 0;
  gdip::GdipSetSmoothingMode(
      g, antialias ? Gdiplus::SmoothingModeAntiAlias : Gdiplus::SmoothingModeNone);
  // Pixel centres lie at half coordinates, as in cairo. Antialiased drawing
  // gets that from the half-pixel offset mode; aliased drawing gets the
  // same shift spelt out (clip included), because wine rounds aliased lines
  // in that mode to the pixel below (a 1-pixel line at y = 70.5 lands on
  // row 71).
  gdip::GdipSetPixelOffsetMode(
      g, antialias ? Gdiplus::PixelOffsetModeHalf : Gdiplus::PixelOffsetModeNone);
  if (!antialias) gdip::GdipTranslateWorldTransform(g, -0.5f, -0.5f, Gdiplus::MatrixOrderPrepend);
  gdip::GdipSetClipRect(g, static_cast<Gdiplus::REAL>(c.left), static_cast<Gdiplus::REAL>(c.top),
                        static_cast<Gdiplus::REAL>(c.getWidth()),
                        static_cast<Gdiplus::REAL>(c.getHeight()), Gdiplus::CombineModeReplace);
  if (!updateRegion_.empty()) {
    Gdiplus::GpRegion* region = nullptr;
    if (gdip::GdipCreateRegion(&region) == Gdiplus::Ok) {
      gdip::GdipSetEmpty(region);
      for (const CRect& area : updateRegion_) {
        const Gdiplus::RectF r(static_cast<Gdiplus::REAL>(area.left),
                               static_cast<Gdiplus::REAL>(area.top),
                               static_cast<Gdiplus::REAL>(area.getWidth()),
                               static_cast<Gdiplus::REAL>(area.getHeight()));
        gdip::GdipCombineRegionRect(region, &r, Gdiplus::CombineModeUnion);
      }
      gdip::GdipSetClipRegion(g, region, Gdiplus::CombineModeIntersect);
      gdip::GdipDeleteRegion(region);
    }
  }
  gdip::GdipTranslateWorldTransform(g, static_cast<Gdiplus::REAL>(state_.offset.x),
                                    static_cast<Gdiplus::REAL>(state_.offset.y),
                                    Gdiplus::MatrixOrderPrepend);
  return true;
}

void CDrawContext::strokePath(void* path) {
  GpPen* pen = nullptr;
  if (gdip::GdipCreatePen1(argbOf(state_.frameColor, state_.globalAlpha),
                           static_cast<Gdiplus::REAL>(state_.lineWidth), Gdiplus::UnitWorld,
                           &pen) != Gdiplus::Ok)
    return;
  const Gdiplus::LineCap cap = state_.lineCap == kLineCapRound    ? Gdiplus::LineCapRound
                               : state_.lineCap == kLineCapSquare ? Gdiplus::LineCapSquare
                                                                  : Gdiplus::LineCapFlat;
  gdip::GdipSetPenLineCap197819(pen, cap, cap, Gdiplus::DashCapFlat);
  gdip::GdipSetPenMiterLimit(pen, 10.0f);
  gdip::GdipDrawPath(static_cast<GpGraphics*>(graphics_), pen, static_cast<GpPath*>(path));
  gdip::GdipDeletePen(pen);
}

void CDrawContext::fillAndStrokePath(void* path, CDrawStyle style, bool evenOdd) {
  auto* p = static_cast<GpPath*>(path);
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    gdip::GdipSetPathFillMode(p, evenOdd ? Gdiplus::FillModeAlternate : Gdiplus::FillModeWinding);
    Gdiplus::GpSolidFill* brush = nullptr;
    if (gdip::GdipCreateSolidFill(argbOf(state_.fillColor, state_.globalAlpha), &brush) ==
        Gdiplus::Ok) {
      gdip::GdipFillPath(static_cast<GpGraphics*>(graphics_), brush, p);
      gdip::GdipDeleteBrush(brush);
    }
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) strokePath(path);
}

std::vector<CRect> CDrawContext::writableAreas() const {
  std::vector<CRect> areas;
  CRect clip = state_.clip;
  clip.bound(surfaceRect_);
  if (updateRegion_.empty()) {
    areas.push_back(clip);
  } else {
    for (CRect area : updateRegion_) {
      area.bound(clip);
      if (!area.isEmpty()) areas.push_back(area);
    }
  }
  return areas;
}

void CDrawContext::drawLine(const CPoint& start, const CPoint& end) {
  if (!finitePoint(start) || !finitePoint(end) || !beginPrimitive()) return;
  PathHolder path;
  gdip::GdipAddPathLine(path.get(), static_cast<Gdiplus::REAL>(start.x),
                        static_cast<Gdiplus::REAL>(start.y), static_cast<Gdiplus::REAL>(end.x),
                        static_cast<Gdiplus::REAL>(end.y));
  strokePath(path.get());
}

void CDrawContext::drawLines(const LineList& lines) {
  for (const auto& line : lines) drawLine(line.first, line.second);
}

void CDrawContext::drawPolygon(const std::vector<CPoint>& points, CDrawStyle style) {
  if (points.size() < 2) return;
  for (const CPoint& p : points)
    if (!finitePoint(p)) return;
  if (!beginPrimitive()) return;
  std::vector<Gdiplus::PointF> gp;
  gp.reserve(points.size());
  for (const CPoint& p : points)
    gp.emplace_back(static_cast<Gdiplus::REAL>(p.x), static_cast<Gdiplus::REAL>(p.y));
  PathHolder path;
  gdip::GdipAddPathLine2(path.get(), gp.data(), static_cast<INT>(gp.size()));
  // Only filled polygons are closed; a stroked one is the open polyline.
  if (style != kDrawStroked) gdip::GdipClosePathFigure(path.get());
  fillAndStrokePath(path.get(), style);
}

void CDrawContext::drawRect(const CRect& rect, CDrawStyle style) {
  if (!finiteRect(rect) || !beginPrimitive()) return;
  CRect r = rect;
  r.normalize();
  if (style == kDrawFilled || style == kDrawFilledAndStroked) {
    PathHolder path;
    gdip::GdipAddPathRectangle(
        path.get(), static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
        static_cast<Gdiplus::REAL>(r.getWidth()), static_cast<Gdiplus::REAL>(r.getHeight()));
    fillAndStrokePath(path.get(), kDrawFilled);
  }
  if (style == kDrawStroked || style == kDrawFilledAndStroked) {
    // The outline lies inside the rectangle, as with cairo.
    const double half = state_.lineWidth / 2.0;
    CRect s = r;
    s.inset(std::min(half, s.getWidth() / 2.0), std::min(half, s.getHeight() / 2.0));
    PathHolder path;
    gdip::GdipAddPathRectangle(
        path.get(), static_cast<Gdiplus::REAL>(s.left), static_cast<Gdiplus::REAL>(s.top),
        static_cast<Gdiplus::REAL>(s.getWidth()), static_cast<Gdiplus::REAL>(s.getHeight()));
    strokePath(path.get());
  }
}

void CDrawContext::drawEllipse(const CRect& rect, CDrawStyle style) {
  if (!finiteRect(rect) || !beginPrimitive()) return;
  CGraphicsPath shape;
  CRect r = rect;
  shape.addEllipse(r.normalize());
  PathHolder path;
  shape.replay(path.get(), CPoint());
  fillAndStrokePath(path.get(), style);
}

void CDrawContext::drawArc(const CRect& rect, double startAngle, double endAngle,
                           CDrawStyle style) {
  if (!finiteRect(rect) || !std::isfinite(startAngle) || !std::isfinite(endAngle)) return;
  if (!beginPrimitive()) return;
  CGraphicsPath shape;
  CRect r = rect;
  shape.addArc(r.normalize(), startAngle, endAngle, true);
  PathHolder path;
  shape.replay(path.get(), CPoint());
  if (style != kDrawStroked) gdip::GdipClosePathFigure(path.get());
  fillAndStrokePath(path.get(), style);
}

void CDrawContext::drawPoint(const CPoint& point, const CColor& color) {
  if (!finitePoint(point) || !beginPrimitive()) return;
  Gdiplus::GpSolidFill* brush = nullptr;
  if (gdip::GdipCreateSolidFill(argbOf(color, state_.globalAlpha), &brush) != Gdiplus::Ok) return;
  gdip::GdipFillRectangle(static_cast<GpGraphics*>(graphics_), brush,
                          static_cast<Gdiplus::REAL>(std::floor(point.x)),
                          static_cast<Gdiplus::REAL>(std::floor(point.y)), 1.0f, 1.0f);
  gdip::GdipDeleteBrush(brush);
}

void CDrawContext::clearRect(const CRect& rect) {
  if (!finiteRect(rect) || !graphics_ || !surface_ || !surface_->data) return;
  endDraw();
  // GDI+ has no operator that writes transparency, so the pixels are
  // cleared in memory; partial pixels round to the nearest edge.
  CRect r = rect;
  r.normalize();
  r.offset(state_.offset);
  for (CRect area : writableAreas()) {
    area.bound(r);
    const int left = static_cast<int>(std::lround(area.left));
    const int right = static_cast<int>(std::lround(area.right));
    const int top = static_cast<int>(std::lround(area.top));
    const int bottom = static_cast<int>(std::lround(area.bottom));
    for (int y = std::max(top, 0); y < std::min(bottom, surface_->height); ++y) {
      const int x0 = std::max(left, 0);
      const int x1 = std::min(right, surface_->width);
      if (x1 > x0)
        std::memset(surface_->data + static_cast<long>(y) * surface_->stride + x0 * 4, 0,
                    static_cast<size_t>(x1 - x0) * 4);
    }
  }
}

void CDrawContext::drawString(const char* utf8, const CPoint& baselineLeft, bool antialias) {
  if (!utf8 || !*utf8 || !finitePoint(baselineLeft)) return;
  const std::wstring text = wideFromUtf8(sanitizeUtf8(utf8));
  if (text.empty() || !beginPrimitive()) return;
  TextSetup setup(state_.font);
  if (!setup.ok()) return;
  auto* g = static_cast<GpGraphics*>(graphics_);
  gdip::GdipSetTextRenderingHint(g, antialias ? Gdiplus::TextRenderingHintAntiAlias
                                              : Gdiplus::TextRenderingHintSingleBitPerPixel);
  const Metrics m = metricsOf(state_.font);
  Gdiplus::GpSolidFill* brush = nullptr;
  if (gdip::GdipCreateSolidFill(argbOf(state_.fontColor, state_.globalAlpha), &brush) !=
      Gdiplus::Ok)
    return;
  const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(baselineLeft.x),
                              static_cast<Gdiplus::REAL>(baselineLeft.y - m.ascent), 0.0f, 0.0f);
  gdip::GdipDrawString(g, text.c_str(), static_cast<INT>(text.size()), setup.font(), &layout,
                       setup.format(), brush);
  gdip::GdipDeleteBrush(brush);
}

void CDrawContext::fontExtents(double& ascent, double& descent) {
  const Metrics font = metricsOf(state_.font);
  ascent = font.ascent;
  descent = font.descent;
}

double CDrawContext::getStringWidth(const char* utf8) {
  if (!utf8 || !*utf8 || !graphics_) return 0.0;
  const std::wstring text = wideFromUtf8(sanitizeUtf8(utf8));
  if (text.empty()) return 0.0;
  // Widths follow the size exactly, as cairo's unhinted metrics do: the
  // text is measured at a large size and scaled, since small sizes may come
  // back with advances rounded to whole pixels (wine measures through GDI).
  CFontDesc large = state_.font;
  large.setSize(kMeasuringSize);
  TextSetup setup(large);
  if (!setup.ok()) return 0.0;
  gdip::GdipSetTextRenderingHint(static_cast<GpGraphics*>(graphics_),
                                 Gdiplus::TextRenderingHintAntiAlias);
  const Gdiplus::RectF layout(0.0f, 0.0f, 1.0e6f, 1.0e6f);
  Gdiplus::RectF bounds;
  if (gdip::GdipMeasureString(static_cast<GpGraphics*>(graphics_), text.c_str(),
                              static_cast<INT>(text.size()), setup.font(), &layout, setup.format(),
                              &bounds, nullptr, nullptr) != Gdiplus::Ok)
    return 0.0;
  return bounds.Width * state_.font.getSize() / kMeasuringSize;
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                              float alpha) {
  if (!bitmap || !bitmap->isLoaded() || !finiteRect(dest) || !finitePoint(offset)) return;
  if (!std::isfinite(alpha)) return;
  NativeSurface* source = bitmap->getSurface();
  if (!source->gdiplusBitmap || source == surface_ || !beginPrimitive()) return;
  const double a = std::clamp(static_cast<double>(alpha), 0.0, 1.0) * state_.globalAlpha;
  CRect r = dest;
  r.normalize();
  auto* g = static_cast<GpGraphics*>(graphics_);
  gdip::GdipSetClipRect(g, static_cast<Gdiplus::REAL>(r.left), static_cast<Gdiplus::REAL>(r.top),
                        static_cast<Gdiplus::REAL>(r.getWidth()),
                        static_cast<Gdiplus::REAL>(r.getHeight()), Gdiplus::CombineModeIntersect);
  Gdiplus::GpImageAttributes* attributes = nullptr;
  if (a < 1.0 && gdip::GdipCreateImageAttributes(&attributes) == Gdiplus::Ok) {
    Gdiplus::ColorMatrix matrix;
    std::memset(&matrix, 0, sizeof matrix);
    for (int i = 0; i < 5; ++i) matrix.m[i][i] = 1.0f;
    matrix.m[3][3] = static_cast<Gdiplus::REAL>(a);
    gdip::GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE,
                                            &matrix, nullptr, Gdiplus::ColorMatrixFlagsDefault);
  }
  const auto w = static_cast<Gdiplus::REAL>(source->width);
  const auto h = static_cast<Gdiplus::REAL>(source->height);
  gdip::GdipDrawImageRectRect(g, static_cast<Gdiplus::GpImage*>(source->gdiplusBitmap),
                              static_cast<Gdiplus::REAL>(r.left - offset.x),
                              static_cast<Gdiplus::REAL>(r.top - offset.y), w, h, 0.0f, 0.0f, w, h,
                              Gdiplus::UnitPixel, attributes, nullptr, nullptr);
  if (attributes) gdip::GdipDisposeImageAttributes(attributes);
}

void CDrawContext::drawGraphicsPath(CGraphicsPath* path, PathDrawMode mode) {
  if (!path || path->isEmpty() || !beginPrimitive()) return;
  PathHolder gpPath;
  path->replay(gpPath.get(), CPoint());
  if (mode & (kPathFilled | kPathFilledEvenOdd))
    fillAndStrokePath(gpPath.get(), kDrawFilled, (mode & kPathFilledEvenOdd) != 0);
  if (mode & kPathStroked) strokePath(gpPath.get());
}

void CDrawContext::fillLinearGradient(CGraphicsPath* path, const CGradient& gradient,
                                      const CPoint& startPoint, const CPoint& endPoint,
                                      bool evenOdd) {
  if (!path || path->isEmpty() || !finitePoint(startPoint) || !finitePoint(endPoint)) return;
  const auto& stops = gradient.getColorStops();
  if (stops.empty() || !beginPrimitive()) return;
  // GDI+ gradients repeat beyond their ends where cairo's keep the end
  // colours; the line is stretched over the whole path and the stops moved
  // to match, with the end colours at both new ends.
  const double dx = endPoint.x - startPoint.x;
  const double dy = endPoint.y - startPoint.y;
  const double length2 = dx * dx + dy * dy;
  double tMin = 0.0, tMax = 1.0;
  if (length2 > 0.0) {
    const CRect box = path->getBoundingBox();
    for (const CPoint& corner : {box.getTopLeft(), box.getBottomRight(),
                                 CPoint(box.left, box.bottom), CPoint(box.right, box.top)}) {
      const double t = ((corner.x - startPoint.x) * dx + (corner.y - startPoint.y) * dy) / length2;
      tMin = std::min(tMin, t - 0.01);
      tMax = std::max(tMax, t + 0.01);
    }
  }
  std::vector<Gdiplus::ARGB> colours;
  std::vector<Gdiplus::REAL> positions;
  colours.push_back(argbOf(stops.front().color, state_.globalAlpha));
  positions.push_back(0.0f);
  for (const auto& s : stops) {
    colours.push_back(argbOf(s.color, state_.globalAlpha));
    positions.push_back(static_cast<Gdiplus::REAL>((s.offset - tMin) / (tMax - tMin)));
  }
  colours.push_back(argbOf(stops.back().color, state_.globalAlpha));
  positions.push_back(1.0f);
  const Gdiplus::PointF from(static_cast<Gdiplus::REAL>(startPoint.x + tMin * dx),
                             static_cast<Gdiplus::REAL>(startPoint.y + tMin * dy));
  Gdiplus::PointF to(static_cast<Gdiplus::REAL>(startPoint.x + tMax * dx),
                     static_cast<Gdiplus::REAL>(startPoint.y + tMax * dy));
  // A zero-length line paints the last colour, as cairo does.
  if (!(length2 > 0.0)) to.X += 1.0f;
  Gdiplus::GpLineGradient* brush = nullptr;
  if (gdip::GdipCreateLineBrush(&from, &to, colours.front(), colours.back(),
                                Gdiplus::WrapModeTileFlipX, &brush) != Gdiplus::Ok)
    return;
  if (length2 > 0.0)
    gdip::GdipSetLinePresetBlend(brush, colours.data(), positions.data(),
                                 static_cast<INT>(colours.size()));
  else
    gdip::GdipSetLineColors(brush, colours.back(), colours.back());
  PathHolder gpPath(evenOdd);
  path->replay(gpPath.get(), CPoint());
  gdip::GdipSetPathFillMode(gpPath.get(),
                            evenOdd ? Gdiplus::FillModeAlternate : Gdiplus::FillModeWinding);
  gdip::GdipFillPath(static_cast<GpGraphics*>(graphics_), brush, gpPath.get());
  gdip::GdipDeleteBrush(brush);
}

}  // namespace gui
