#include "editor/panel_relief.h"

#include "editor/panel_noise.h"
#include "editor/panel_shading.h"
#include "editor/relief_layout.h"

namespace editor {

void buildReliefMaps(ReliefMaps& maps, bool fast) {
  if (maps.empty()) return;
  if (fast) {
    fillBaseTextureFast(maps.heightMap(), maps.width(), maps.height());
  } else {
    fillBaseTextureReference(maps.heightMap(), maps.width(), 0, maps.height());
  }
  drawReliefLayout(maps);
}

PanelRelief& PanelRelief::shared() {
  static PanelRelief relief;
  return relief;
}

bool PanelRelief::render(const PixelBuffer& out, uint8_t red, uint8_t green, uint8_t blue,
                         bool pagePanel) {
  if (!out.valid()) return false;
  // Editors of several instances may render from different threads; the
  // maps are built once and their page area is shared, so one at a time.
  std::lock_guard<std::mutex> lock(mutex_);
  if (!built_ || maps_.width() != out.width || maps_.height() != out.height) {
    // Maps of a new size replace the old ones only once they exist.
    ReliefMaps fresh;
    if (!fresh.allocate(out.width, out.height)) return false;
    buildReliefMaps(fresh, true);
    maps_.swap(fresh);
    built_ = true;
    ++builds_;
  }
  drawPageArea(maps_, pagePanel);
  shadePanelFast(maps_, out, red, green, blue);
  return true;
}

int PanelRelief::buildCount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return builds_;
}

void PanelRelief::inspect(const std::function<void(const ReliefMaps&)>& visit) {
  std::lock_guard<std::mutex> lock(mutex_);
  visit(maps_);
}

}  // namespace editor
