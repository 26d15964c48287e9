// Renders the editor's panel background the way the editor does and saves
// it as a PNG, to look at the relief, the text layer and the skins without
// a host:
//
//   vellmark-panel-snapshot panel.png [--colour R,G,B] [--page] [--skins]
//
// --page renders with the page panel open; --skins draws every dial face,
// both switch slabs and both needles of the main panel over it at sample
// values.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "editor/map_dial.h"
#include "editor/map_slider_needle.h"
#include "editor/map_switcher.h"
#include "editor/panel_drawing.h"
#include "gui/coffscreen_context.h"

namespace {

struct Rect {
  int left, top, right, bottom;
};

const Rect kDials[] = {
    {25, 67, 77, 119},     {90, 95, 120, 125},   {130, 95, 160, 125},  {170, 95, 200, 125},
    {210, 95, 240, 125},   {260, 95, 285, 120},  {375, 95, 400, 120},  {25, 149, 77, 201},
    {92, 179, 117, 204},   {122, 179, 147, 204}, {170, 177, 200, 207}, {210, 177, 240, 207},
    {260, 177, 285, 202},  {290, 177, 315, 202}, {375, 177, 400, 202}, {30, 220, 70, 260},
    {92, 261, 117, 286},   {122, 261, 147, 286}, {170, 259, 200, 289}, {210, 259, 240, 289},
    {260, 259, 285, 284},  {6, 439, 33, 466},    {345, 259, 370, 284}, {375, 259, 400, 284},
    {486, 253, 536, 303},  {555, 276, 585, 306}, {590, 276, 620, 306}, {625, 276, 655, 306},
    {660, 276, 690, 306},  {715, 253, 765, 303}, {568, 208, 591, 231}, {598, 208, 621, 231},
    {785, 234, 815, 264},  {820, 234, 850, 264}, {855, 234, 885, 264}, {905, 253, 955, 303},
    {914, 216, 944, 246},  {865, 276, 895, 306}, {985, 60, 1005, 80},  {985, 90, 1005, 110},
    {985, 120, 1005, 140},
};

void drawSkins(gui::CBitmap* canvas) {
  gui::COffscreenContext context(canvas);
  int n = 0;
  for (const Rect& r : kDials) {
    const int width = r.right - r.left;
    auto* face = new map_Dial(width, 120);
    const gui::CRect dest(r.left, r.top, r.right, r.bottom);
    face->generate(&context, dest, gui::CPoint(r.left, r.top), width, r.bottom - r.top,
                   (n % 5) / 4.0f, n == 2);
    face->forget();
    ++n;
  }
  const struct {
    Rect rect;
    int steps;
    float value;
  } switches[] = {{{330, 183, 367, 195}, 1, 1.0f}, {{811, 284, 858, 296}, 2, 0.5f}};
  for (const auto& s : switches) {
    const int width = static_cast<int>(0.45 * (s.rect.right - s.rect.left));
    const int height = s.rect.bottom - s.rect.top;
    const double left = s.rect.left + static_cast<int>(s.steps * s.value) * 12;
    auto* slab = new map_Switcher(width, height);
    slab->generate(&context, gui::CRect(left, s.rect.top, left + width, s.rect.bottom),
                   gui::CPoint(left, s.rect.top), width, height, s.value, false);
    slab->forget();
  }
  const struct {
    double position, top;
    bool highlight;
  } needles[] = {{350, 326, false}, {640, 311, true}};
  for (const auto& nd : needles) {
    auto* needle = new map_Slider_Needle(20, 120);
    const gui::CRect dest(nd.position - 10, nd.top, nd.position + 10, nd.top + 120);
    needle->generate(&context, dest, dest.getTopLeft(), 20, 120, nd.highlight);
    needle->forget();
  }
  context.endDraw();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s out.png [--colour R,G,B] [--page] [--skins]\n", argv[0]);
    return 2;
  }
  gui::CColor colour = Offline_Render::kDefaultColour;
  bool page = false, skins = false;
  for (int i = 2; i < argc; ++i) {
    int r, g, b;
    if (std::strcmp(argv[i], "--page") == 0) {
      page = true;
    } else if (std::strcmp(argv[i], "--skins") == 0) {
      skins = true;
    } else if (std::strcmp(argv[i], "--colour") == 0 && i + 1 < argc &&
               std::sscanf(argv[i + 1], "%d,%d,%d", &r, &g, &b) == 3) {
      colour = gui::CColor(static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                           static_cast<uint8_t>(b), 255);
      ++i;
    } else {
      std::fprintf(stderr, "unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  auto* frame = new gui::CFrame(gui::CRect(0, 0, 1024, 480), nullptr);
  renderBackground(frame, colour, page);
  gui::CBitmap* image = frame->snapshot();
  if (image && skins) drawSkins(image);
  const bool written = image && image->writePng(argv[1]);
  if (image) image->forget();
  frame->forget();
  if (!written) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
