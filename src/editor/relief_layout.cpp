#include "editor/relief_layout.h"

#include <cmath>
#include <iterator>
#include <vector>

#include "editor/fast_sine.h"

namespace editor {

namespace {

// A control rectangle as the editor places it: left, top, right, bottom.
struct ControlRect {
  double left, top, right, bottom;
  double width() const { return right - left; }
  // Centre of the dial face, which the face generator puts half a pixel up
  // and left of the geometric centre; as a pixel coordinate.
  ReliefPoint faceCentre() const { return {(left + right) / 2 - 1.0, (top + bottom) / 2 - 1.0}; }
};

// Small dials of the main panel by section; the five big dials stand on
// bosses instead of domes.
const ControlRect kSpringADials[] = {
    {90, 95, 120, 125},  {130, 95, 160, 125}, {170, 95, 200, 125},
    {210, 95, 240, 125}, {260, 95, 285, 120}, {375, 95, 400, 120},
};
const ControlRect kSpringBDials[] = {
    {92, 179, 117, 204},  {122, 179, 147, 204}, {170, 177, 200, 207}, {210, 177, 240, 207},
    {260, 177, 285, 202}, {290, 177, 315, 202}, {375, 177, 400, 202},
};
const ControlRect kGlobalDials[] = {
    {92, 261, 117, 286},  {122, 261, 147, 286}, {170, 259, 200, 289}, {210, 259, 240, 289},
    {260, 259, 285, 284}, {345, 259, 370, 284}, {375, 259, 400, 284}, {6, 439, 33, 466},
};
const ControlRect kBodyDials[] = {
    {555, 276, 585, 306}, {590, 276, 620, 306}, {625, 276, 655, 306}, {660, 276, 690, 306},
    {568, 208, 591, 231}, {598, 208, 621, 231}, {785, 234, 815, 264}, {820, 234, 850, 264},
    {855, 234, 885, 264}, {914, 216, 944, 246}, {865, 276, 895, 306},
};
const ControlRect kColourDials[] = {
    {985, 60, 1005, 80}, {985, 90, 1005, 110}, {985, 120, 1005, 140}};
const ControlRect kOctaveSwitch{330, 183, 367, 195};
const ControlRect kSyncSwitch{811, 284, 858, 296};

const ReliefPoint kBossCentres[] = {{51, 92}, {51, 174}, {511, 278}, {740, 278}, {930, 278}};
const ReliefPoint kMasterVolumeCentre{51, 238.5};

// The tab rectangles' left and right edges.
const double kTabs[][2] = {{476, 574}, {575, 717}, {718, 848}, {849, 952}};

// Rails the note-offset needles run on (spring A lower, spring B upper).
constexpr double kRailLeft = 35, kRailRight = 1000;
constexpr double kRailA = 345, kRailB = 330;

void dialDome(ReliefMaps& maps, const ControlRect& dial, double diameter) {
  drawDome(maps, Layer::Height, dial.faceCentre(), diameter, 0.6f, 0.7f, 0.75);
}

// A dome a few pixels wider than its dial.
void dialDomes(ReliefMaps& maps, const ControlRect* dials, int count) {
  for (int n = 0; n < count; ++n) dialDome(maps, dials[n], std::round(dials[n].width()) + 5.0);
}

// A dark slot the switch slab slides in.
void switchWell(ReliefMaps& maps, const ControlRect& r) {
  drawPlate(maps, Layer::Height, {r.top - 3, r.left - 3, r.bottom + 3, r.right + 3},
            {0.35f, 0.0f, 4, 4, 0.8f});
}

// A channel cut into the panel (lower in the middle than at its sides).
void channel(ReliefMaps& maps, const std::vector<ReliefPoint>& points, double width = 7) {
  drawRoute(maps, Layer::Height, points, 8, width, 0.34f, 0.25f);
}

// A raised conduit carrying a faint glow.
void conduit(ReliefMaps& maps, const std::vector<ReliefPoint>& points, double width, float glow) {
  drawRoute(maps, Layer::Height, points, 9, width, 0.5f, 0.8f);
  if (glow > 0.0f) drawRoute(maps, Layer::Glow, points, 9, width, 0.0f, glow);
}

void sectionPlates(ReliefMaps& maps) {
  const PlateStyle label{0.55f, 0.6f, 5, 5, 0.9f, true, true, 0.8f};
  drawPlate(maps, Layer::Height, {56, 255, 90, 408}, label);
  drawPlate(maps, Layer::Height, {138, 255, 172, 408}, label);
  drawPlate(maps, Layer::Height, {220, 255, 254, 408}, label);
  drawPlate(maps, Layer::Height, {50, 460, 320, 970}, {0.3f, 0.5f, 5, 5, 0.9f, true, true, 0.8f});
}

void bodyArea(ReliefMaps& maps) {
  drawPlate(maps, Layer::Height, {235, 541, 268, 710}, {0.1f, 0.0f, 9, 9, 0.5f});
  drawPlate(maps, Layer::Glow, {235, 541, 268, 710}, {0.0f, 0.6f, 80, 15, 1.3f});
  // Buses between the big dials' bosses under the body dial row, the
  // phaser row and the tremolo row, and one joining the two range dials
  // above the read-out with a riser into it.
  channel(maps, {{541, 290}, {710, 290}});
  channel(maps, {{770, 248}, {900, 248}});
  channel(maps, {{770, 290}, {900, 290}});
  channel(maps, {{578, 219}, {608, 219}});
  channel(maps, {{593, 219}, {593, 240}});
  // The colour dials on a column of their own at the right edge.
  channel(maps, {{994, 69}, {994, 129}});
  channel(maps, {{994, 46}, {994, 69}}, 5);
  dialDomes(maps, kBodyDials, static_cast<int>(std::size(kBodyDials)));
  for (const ControlRect& dial : kColourDials) dialDome(maps, dial, 24);
  switchWell(maps, kSyncSwitch);
}

void leftColumnGrooves(ReliefMaps& maps) {
  // A bus under each row of small dials, running out of the section's big
  // dial; the domes drawn later sit on it.
  channel(maps, {{60, 109}, {388, 109}});
  channel(maps, {{60, 191}, {388, 191}});
  channel(maps, {{60, 273}, {388, 273}});
  // Short risers from the read-out screens down to their rows.
  channel(maps, {{249, 91}, {249, 109}}, 5);
  channel(maps, {{249, 173}, {249, 191}}, 5);
  channel(maps, {{249, 255}, {249, 273}}, 5);
}

void bigDialBosses(ReliefMaps& maps) {
  for (const ReliefPoint& centre : kBossCentres) drawBoss(maps, centre);
}

void topStrip(ReliefMaps& maps) {
  constexpr double kPi = 3.141592653589793;
  const int width = maps.width();
  for (int y = 0; y < 40 && y < maps.height(); ++y) {
    float value = 0.3f;
    if (y < 7) value = static_cast<float>(0.3 * (1.0 + fastSin(kPi * y / 7)));
    if (y >= 33) value = static_cast<float>(0.3 * (1.0 + fastSin(kPi * (y - 33) / 7)));
    for (int x = 0; x < width; ++x) maps.j(x, y) = value;
  }
}

void topBarPlates(ReliefMaps& maps) {
  drawPlate(maps, Layer::Height, {10, 344, 29, 478}, {0.3f, 0.32f, 10, 10, 1.0f});
  drawPlate(maps, Layer::Height, {10, 524, 29, 586}, {0.3f, 0.32f, 10, 10, 1.0f});
  drawPlate(maps, Layer::Height, {8, 624, 33, 856}, {0.3f, 0.25f, 5, 5, 1.0f});
}

void keyboard(ReliefMaps& maps) {
  constexpr double kUnit = 1.3913044;
  drawPlate(maps, Layer::Height, {358, 40, 484, 995}, {0.6f, 0.16f, 9, 9, 0.95f, true, false});
  const int whiteWidths[] = {23, 24, 23, 24, 23, 24, 23};
  double x0 = 45;
  for (int key = 0; key < 29; ++key) {
    const double x1 = x0 + whiteWidths[key % 7] * kUnit;
    drawPlate(maps, Layer::Height, {360, x0, 479, x1}, {0.2f, 0.4f, 4, 4, 0.9f, false, true});
    drawPlate(maps, Layer::Glow, {370, x0, 479, x1}, {0.2f, 0.4f, 8, 8, 1.0f});
    drawPlate(maps, Layer::Key, {370, x0, 479, x1}, {0.2f, 1.0f, 8, 8, 1.0f});
    x0 = x1;
  }
  const int blackSteps[] = {44, 26, 42, 26, 26};
  x0 = 68.5;
  for (int key = 0; key < 20; ++key) {
    const ReliefRect rect{354, x0, 439, x0 + 21.1};
    drawPlate(maps, Layer::Height, rect, {0.2f, 0.7f, 4, 10, 1.0f, false, true});
    drawPlate(maps, Layer::Glow, rect, {0.0f, 0.0f, 4, 10, 1.0f, false, true});
    drawPlate(maps, Layer::Key, rect, {0.0f, 0.0f, 4, 10, 1.0f, false, true});
    x0 += blackSteps[key % 5] * kUnit;
  }
}

void pitchBendWell(ReliefMaps& maps) {
  drawPlate(maps, Layer::Height, {388, 4, 428, 38}, {0.3f, 0.0f, 5, 5, 0.5f});
  drawPlate(maps, Layer::Glow, {388, 4, 428, 38}, {0.05f, 0.6f, 10, 15, 1.1f});
}

void tabPlates(ReliefMaps& maps) {
  for (const auto& tab : kTabs) {
    drawPlate(maps, Layer::Height, {44, tab[0], 75, tab[1]},
              {0.5f, 0.55f, 4, 4, 0.7f, true, false});
  }
}

void readoutScreen(ReliefMaps& maps, ReliefRect r) {
  drawPlate(maps, Layer::Height, r, {0.2f, 0.0f, 12, 12, 0.7f});
  drawPlate(maps, Layer::Glow, {r.top + 2, r.left + 2, r.bottom - 2, r.right - 2},
            {0.0f, 0.6f, 80, 15, 1.3f});
}

void rail(ReliefMaps& maps, double y, float lift, float glow) {
  drawGroove(maps, Layer::Height, {kRailLeft, y}, {kRailRight, y}, 9, 0.7f + lift, 0.8f + lift,
             0.7f + lift);
  drawGroove(maps, Layer::Glow, {kRailLeft, y}, {kRailRight, y}, 9, 0.0f, glow, 0.0f);
  // End studs hold the rail at both ends.
  drawDome(maps, Layer::Height, {kRailLeft, y}, 13, 0.6f, 0.95f, 0.75);
  drawDome(maps, Layer::Height, {kRailRight, y}, 13, 0.6f, 0.95f, 0.75);
}

void springASection(ReliefMaps& maps) {
  readoutScreen(maps, {55, 81, 92, 254});
  dialDomes(maps, kSpringADials, static_cast<int>(std::size(kSpringADials)));
  // Out of the big dial, down the outer edge and into the lower rail.
  conduit(maps, {{20, 92}, {9, 92}, {9, kRailA}, {kRailLeft, kRailA}}, 7, 0.25f);
  rail(maps, kRailA, 0.0f, 0.5f);
}

void springBSection(ReliefMaps& maps) {
  readoutScreen(maps, {137, 81, 174, 254});
  dialDomes(maps, kSpringBDials, static_cast<int>(std::size(kSpringBDials)));
  switchWell(maps, kOctaveSwitch);
  conduit(maps, {{20, 174}, {17, 174}, {17, kRailB}, {kRailLeft, kRailB}}, 6, 0.15f);
  rail(maps, kRailB, 0.1f, 0.3f);
}

void globalSection(ReliefMaps& maps) {
  readoutScreen(maps, {219, 81, 256, 254});
  drawDome(maps, Layer::Height, kMasterVolumeCentre, 47, 0.6f, 0.7f, 0.75);
  dialDomes(maps, kGlobalDials, static_cast<int>(std::size(kGlobalDials)));
}

}  // namespace

void drawPageArea(ReliefMaps& maps, bool open) {
  const ReliefRect glowRect{kPageArea.top + 2, kPageArea.left + 2, kPageArea.bottom - 2,
                            kPageArea.right - 2};
  if (open) {
    drawPlate(maps, Layer::Height, kPageArea, {0.15f, 0.0f, 7, 7, 0.7f});
    drawPlate(maps, Layer::Glow, glowRect, {0.0f, 0.6f, 240, 65, 1.3f});
  } else {
    drawPlate(maps, Layer::Glow, glowRect, {0.0f, 0.0f, 240, 65, 1.3f});
    drawPlate(maps, Layer::Height, kPageArea, {0.15f, 0.2f, 7, 7, 0.7f});
    for (double x = 484; x <= 943; x += 9) {
      drawGroove(maps, Layer::Height, {x, 70}, {x, 199}, 5, 0.16f, 0.15f, 0.16f);
    }
  }
  tabPlates(maps);
}

void drawReliefLayout(ReliefMaps& maps) {
  sectionPlates(maps);
  bodyArea(maps);
  leftColumnGrooves(maps);
  bigDialBosses(maps);
  topStrip(maps);
  topBarPlates(maps);
  keyboard(maps);
  pitchBendWell(maps);
  drawPageArea(maps, false);
  springASection(maps);
  springBSection(maps);
  globalSection(maps);
}

}  // namespace editor
