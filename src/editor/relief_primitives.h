// The four shapes every relief element is made of (plate, groove, corner,
// dome), the big-dial boss, and a groove router with rounded bends.
//
// Coordinates: pixel (x, y) covers [x, x + 1) x [y, y + 1). Rectangles are
// given by their edges (top, left, bottom, right, the order of the layout
// tables); points name a pixel, whose centre is (x + 0.5, y + 0.5). Shapes
// are clipped to the maps.
#pragma once

#include <vector>

#include "editor/relief_maps.h"

namespace editor {

enum class Layer { Height, Glow, Key };

struct ReliefRect {
  double top, left, bottom, right;
};

struct ReliefPoint {
  double x, y;
};

struct PlateStyle {
  float edge;      // value at the rim
  float inner;     // value inside the bevel
  double radiusX;  // bevel width on the left and right
  double radiusY;  // bevel width at the top and bottom
  float limit;     // the bevel reaches `inner` where sin(pi/2 d) reaches it
  bool topEdge = true;
  bool bottomEdge = true;
  float weight = 1.0f;  // blend weight of every write
};

// A rounded plate: flat `inner` value, a sine bevel down (or up) to `edge`
// at the rim, rounded corners. A cleared edge flag leaves that side open.
void drawPlate(ReliefMaps& maps, Layer layer, ReliefRect rect, const PlateStyle& style);

// A straight horizontal or vertical band of the given width centred on the
// line from `start` to `end`: `edge` at its sides, `peak` along its middle,
// plus a ramp along it that adds endValue - edge at the far end.
void drawGroove(ReliefMaps& maps, Layer layer, ReliefPoint start, ReliefPoint end, double width,
                float edge, float peak, float endValue);

// A quarter ring of the given centre-line radius around `centre`, in the
// quadrant whose x and y signs are signX and signY (+1 or -1), with the
// same cross profile as a groove.
void drawCorner(ReliefMaps& maps, Layer layer, ReliefPoint centre, double radius, int signX,
                int signY, double width, float base, float peak);

// A round dome: base + (peak - base) * sin(pi/2 m)^exponent with m falling
// from 1 at the centre to 0 at the rim.
void drawDome(ReliefMaps& maps, Layer layer, ReliefPoint centre, double diameter, float base,
              float peak, double exponent);

// The raised collar under a big dial (60 x 60): lifts the height map and
// puts a glow under the dial's centre.
void drawBoss(ReliefMaps& maps, ReliefPoint centre);

// A groove along an axis-aligned polyline whose bends are rounded with the
// given radius: grooves between the bends, quarter rings at them.
void drawRoute(ReliefMaps& maps, Layer layer, const std::vector<ReliefPoint>& points,
               double bendRadius, double width, float edge, float peak);

}  // namespace editor
