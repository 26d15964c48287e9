#include "editor/relief_primitives.h"

#include <algorithm>
#include <cmath>

#include "editor/fast_sine.h"

namespace editor {

namespace {

constexpr double kPi = 3.141592653589793;

float* layerData(ReliefMaps& maps, Layer layer) {
  switch (layer) {
    case Layer::Height:
      return maps.heightMap();
    case Layer::Glow:
      return maps.glowMap();
    case Layer::Key:
      return maps.keyMap();
  }
  return maps.heightMap();
}

// Pixel index range [first, last) whose centres lie in [from, to).
struct Span {
  int first, last;
};

Span pixelSpan(double from, double to, int size) {
  const double a = std::ceil(from - 0.5);
  const double b = std::ceil(to - 0.5);
  Span s{static_cast<int>(std::clamp(a, 0.0, static_cast<double>(size))),
         static_cast<int>(std::clamp(b, 0.0, static_cast<double>(size)))};
  if (s.last < s.first) s.last = s.first;
  return s;
}

// Weight 1 writes the value itself, so redrawing an element is idempotent.
void blend(float& target, double value, float weight) {
  if (weight >= 1.0f) {
    target = static_cast<float>(value);
  } else {
    target = static_cast<float>(target + (value - target) * weight);
  }
}

double centreOf(double pixelCoordinate) { return pixelCoordinate + 0.5; }

}  // namespace

void drawPlate(ReliefMaps& maps, Layer layer, ReliefRect rect, const PlateStyle& style) {
  if (maps.empty() || !(style.radiusX > 0.0) || !(style.radiusY > 0.0) || !(style.limit > 0.0f)) {
    return;
  }
  float* data = layerData(maps, layer);
  const int width = maps.width();
  const Span xs = pixelSpan(rect.left, rect.right, width);
  const Span ys = pixelSpan(rect.top, rect.bottom, maps.height());
  const double a = style.edge;
  const double b = style.inner;
  const double c = style.limit;
  const double rx = style.radiusX;
  const double ry = style.radiusY;
  const auto bevel = [&](double d) { return a - std::min(fastSin(kPi / 2 * d), c) / c * (a - b); };
  // Inside the bevel the plate continues the bevel's end value, so a limit
  // above 1 (a bevel that never reaches the inner value) leaves no step.
  const double inside = c <= 1.0 ? b : a - (a - b) / c;
  const double open = 1e30;

  for (int y = ys.first; y < ys.last; ++y) {
    const double cy = y + 0.5;
    const double fromTop = style.topEdge ? cy - rect.top : open;
    const double fromBottom = style.bottomEdge ? rect.bottom - cy : open;
    const double ey = std::min(fromTop, fromBottom);
    float* row = data + static_cast<std::ptrdiff_t>(y) * width;
    for (int x = xs.first; x < xs.last; ++x) {
      const double cx = x + 0.5;
      const double ex = std::min(cx - rect.left, rect.right - cx);
      double value;
      if (ex >= rx && ey >= ry) {
        value = inside;
      } else if (ex < rx && ey < ry) {
        const double dx = rx - ex;
        const double dy = (ry - ey) * rx / ry;
        const double d = 1.0 - std::sqrt(dx * dx + dy * dy) / rx;
        if (d < 0.0) continue;  // cut off by the rounded corner
        value = bevel(d);
      } else if (ex < rx) {
        value = bevel(ex / rx);
      } else {
        value = bevel(ey / ry);
      }
      blend(row[x], value, style.weight);
    }
  }
}

void drawGroove(ReliefMaps& maps, Layer layer, ReliefPoint start, ReliefPoint end, double width,
                float edge, float peak, float endValue) {
  if (maps.empty() || !(width > 0.0)) return;
  float* data = layerData(maps, layer);
  const bool horizontal = std::abs(end.x - start.x) >= std::abs(end.y - start.y);
  const double sx = centreOf(start.x), sy = centreOf(start.y);
  const double ex = centreOf(end.x), ey = centreOf(end.y);
  const double line = horizontal ? sy : sx;
  const double from = horizontal ? sx : sy;
  const double to = horizontal ? ex : ey;
  const double length = to - from;
  const Span across =
      pixelSpan(line - width / 2, line + width / 2, horizontal ? maps.height() : maps.width());
  // Both end pixels belong to the band.
  const Span along = pixelSpan(std::min(from, to), std::max(from, to) + 1.0,
                               horizontal ? maps.width() : maps.height());
  for (int k = across.first; k < across.last; ++k) {
    const double u = (k + 0.5 - (line - width / 2)) / width;
    const double profile = edge + (peak - edge) * fastSin(kPi * u);
    for (int n = along.first; n < along.last; ++n) {
      const double t = length != 0.0 ? std::clamp((n + 0.5 - from) / length, 0.0, 1.0) : 0.0;
      const int x = horizontal ? n : k;
      const int y = horizontal ? k : n;
      data[static_cast<std::ptrdiff_t>(y) * maps.width() + x] =
          static_cast<float>(profile + (endValue - edge) * t);
    }
  }
}

void drawCorner(ReliefMaps& maps, Layer layer, ReliefPoint centre, double radius, int signX,
                int signY, double width, float base, float peak) {
  if (maps.empty() || !(width > 0.0)) return;
  float* data = layerData(maps, layer);
  const double cx = centreOf(centre.x), cy = centreOf(centre.y);
  const double outer = radius + width / 2;
  const double inner = radius - width / 2;
  const Span xs =
      signX > 0 ? pixelSpan(cx, cx + outer, maps.width()) : pixelSpan(cx - outer, cx, maps.width());
  const Span ys = signY > 0 ? pixelSpan(cy, cy + outer, maps.height())
                            : pixelSpan(cy - outer, cy, maps.height());
  for (int y = ys.first; y < ys.last; ++y) {
    for (int x = xs.first; x < xs.last; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double D = (std::sqrt(dx * dx + dy * dy) - inner) / width;
      const double s = fastSin(kPi * D);
      if (D <= 0.0 || D >= 1.0 || s <= 0.0) continue;
      data[static_cast<std::ptrdiff_t>(y) * maps.width() + x] =
          static_cast<float>(base + (peak - base) * s);
    }
  }
}

void drawDome(ReliefMaps& maps, Layer layer, ReliefPoint centre, double diameter, float base,
              float peak, double exponent) {
  if (maps.empty() || !(diameter > 0.0)) return;
  float* data = layerData(maps, layer);
  const double r = diameter / 2;
  const double cx = centreOf(centre.x), cy = centreOf(centre.y);
  const Span xs = pixelSpan(cx - r, cx + r, maps.width());
  const Span ys = pixelSpan(cy - r, cy + r, maps.height());
  for (int y = ys.first; y < ys.last; ++y) {
    for (int x = xs.first; x < xs.last; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double m = std::max(1.0 - std::sqrt(dx * dx + dy * dy) / r, 0.0);
      if (m <= 0.0) continue;
      const double lift = std::pow(std::max(fastSin(kPi / 2 * m), 0.0), exponent);
      data[static_cast<std::ptrdiff_t>(y) * maps.width() + x] =
          static_cast<float>(base + (peak - base) * lift);
    }
  }
}

void drawBoss(ReliefMaps& maps, ReliefPoint centre) {
  if (maps.empty()) return;
  const double cx = centreOf(centre.x), cy = centreOf(centre.y);
  const Span xs = pixelSpan(cx - 30, cx + 30, maps.width());
  const Span ys = pixelSpan(cy - 30, cy + 30, maps.height());
  for (int y = ys.first; y < ys.last; ++y) {
    for (int x = xs.first; x < xs.last; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double d = std::sqrt(std::max(1.0 - (dx * dx + dy * dy) / 900.0, 0.0));
      float& j = maps.j(x, y);
      j = std::max(j, static_cast<float>(0.5 * fastSin(kPi * d) + 0.3 * d));
      maps.i(x, y) = static_cast<float>(std::max(d * d, 0.3) - 0.3);
    }
  }
}

void drawRoute(ReliefMaps& maps, Layer layer, const std::vector<ReliefPoint>& points,
               double bendRadius, double width, float edge, float peak) {
  const auto direction = [](ReliefPoint from, ReliefPoint to) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length = std::abs(dx) + std::abs(dy);
    return length > 0.0 ? ReliefPoint{dx / length, dy / length} : ReliefPoint{0.0, 0.0};
  };
  const std::size_t count = points.size();
  for (std::size_t n = 0; n + 1 < count; ++n) {
    const ReliefPoint d = direction(points[n], points[n + 1]);
    ReliefPoint from = points[n];
    ReliefPoint to = points[n + 1];
    if (n > 0) from = {from.x + d.x * bendRadius, from.y + d.y * bendRadius};
    if (n + 2 < count) to = {to.x - d.x * bendRadius, to.y - d.y * bendRadius};
    drawGroove(maps, layer, from, to, width, edge, peak, edge);
  }
  for (std::size_t n = 1; n + 1 < count; ++n) {
    const ReliefPoint in = direction(points[n - 1], points[n]);
    const ReliefPoint out = direction(points[n], points[n + 1]);
    const ReliefPoint v = points[n];
    const ReliefPoint centre{v.x - in.x * bendRadius + out.x * bendRadius,
                             v.y - in.y * bendRadius + out.y * bendRadius};
    const double sx = in.x - out.x, sy = in.y - out.y;
    if (sx == 0.0 || sy == 0.0) continue;  // not a right-angle bend
    drawCorner(maps, layer, centre, bendRadius, sx > 0 ? 1 : -1, sy > 0 ? 1 : -1, width, edge,
               peak);
  }
}

}  // namespace editor
