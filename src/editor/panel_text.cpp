#include "editor/panel_text.h"

#include "gui/cfont_desc.h"

namespace editor {

namespace {

constexpr const char* kTitleFont = "Times New Roman";
constexpr const char* kLabelFont = "Arial";

const gui::CColor kTitleShadow(30, 20, 10, 68);
const gui::CColor kTitleFace(250, 210, 100, 168);
const gui::CColor kGold(250, 210, 100, 255);
const gui::CColor kInk(30, 20, 10, 255);

gui::CColor withAlpha(gui::CColor c, uint8_t alpha) { return {c.red, c.green, c.blue, alpha}; }

void text(gui::CDrawContext* context, const char* font, double size, int32_t style,
          const char* utf8, double x, double y, gui::CColor colour) {
  context->setFont(gui::CFontDesc(font, size, style));
  context->setFontColor(colour);
  context->drawString(utf8, gui::CPoint(x, y));
}

// The product name in capitals: large initials, raised small capitals, and
// between the two halves of the name the second generation's mark as two
// tiny stacked lines.
struct TitleGlyphs {
  const char* text;
  double size;
  double x, baseline;
  double shadowOffset;
};

const TitleGlyphs kTitle[] = {
    {"V", 34, 9, 33, 2},  {"ELL", 20, 31, 27, 1}, {"MK", 10, 69, 19, 1}, {"II", 10, 72, 28, 1},
    {"M", 34, 87, 33, 2}, {"AR", 20, 118, 27, 1}, {"K", 28, 147, 33, 2},
};

void drawTitle(gui::CDrawContext* context) {
  for (const TitleGlyphs& g : kTitle) {
    text(context, kTitleFont, g.size, gui::kNormalFace, g.text, g.x + g.shadowOffset,
         g.baseline + g.shadowOffset, kTitleShadow);
  }
  for (const TitleGlyphs& g : kTitle) {
    text(context, kTitleFont, g.size, gui::kNormalFace, g.text, g.x, g.baseline, kTitleFace);
  }
}

struct SectionName {
  const char* text;
  double shadowX, shadowY;
  double x, y;
};

const SectionName kSections[] = {
    {"SPRING A", 260, 84.3, 259, 83.3}, {"SPRING B", 260, 166.5, 259, 165.5},
    {"GLOBAL", 260, 249, 259, 248},     {"BODY", 477, 232, 476, 230},
    {"PHASER", 738, 231, 736, 230},
};

// Arcs around the three volume dials, red tinted by the GUI colour.
void drawVolumeRings(gui::CDrawContext* context, gui::CColor gui) {
  context->setFrameColor(gui::CColor(255, static_cast<uint8_t>(0.35 * gui.green),
                                     static_cast<uint8_t>(0.35 * gui.blue), 80));
  context->setLineWidth(6);
  context->drawArc(gui::CRect(24, 65, 78, 119), -90, 56, gui::kDrawStroked);
  context->drawArc(gui::CRect(24, 147, 78, 201), -90, 56, gui::kDrawStroked);
  context->setLineWidth(4);
  context->drawArc(gui::CRect(28.5, 218.5, 72.5, 262.5), -90, 56, gui::kDrawStroked);
  context->setLineWidth(1);
}

}  // namespace

gui::CColor panelLightColour(gui::CColor c) {
  return {static_cast<uint8_t>((c.red + 255) / 2), static_cast<uint8_t>((c.green + 233) / 2),
          static_cast<uint8_t>((c.blue + 199) / 2), 55};
}

gui::CColor panelDarkColour(gui::CColor c) {
  return {static_cast<uint8_t>((c.red + 20) * 0.2), static_cast<uint8_t>((c.green + 10) * 0.21),
          static_cast<uint8_t>((c.blue + 5) * 0.25), 185};
}

void drawPanelText(gui::CDrawContext* context, gui::CColor gui) {
  if (!context) return;
  const gui::CColor light = panelLightColour(gui);
  const gui::CColor dark = panelDarkColour(gui);

  drawTitle(context);
  text(context, kLabelFont, 12, gui::kNormalFace, "midi", 974, 28, withAlpha(kGold, 78));
  context->setFrameColor(withAlpha(kGold, 38));
  context->drawEllipse(gui::CRect(998, 19, 1008, 29), gui::kDrawStroked);
  text(context, kTitleFont, 19, gui::kBoldFace, "A3", 47, 467, withAlpha(kInk, 128));

  const char* tabs = "PRESETS   MICROTUNING   MODULATION   EFFECTS";
  text(context, kLabelFont, 18, gui::kNormalFace, tabs, 481, 64, light);
  text(context, kLabelFont, 18, gui::kNormalFace, tabs, 480, 63, dark);
  for (const SectionName& s : kSections) {
    text(context, kTitleFont, 30, gui::kNormalFace, s.text, s.shadowX, s.shadowY, light);
    text(context, kTitleFont, 30, gui::kNormalFace, s.text, s.x, s.y, dark);
  }
  drawVolumeRings(context, gui);
}

}  // namespace editor
