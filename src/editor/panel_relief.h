// The relief maps of the panel, shared by every editor of the module. The
// first render builds them (noise, then the layout); later renders only
// redraw the page area for the wanted page state and shade again, so a new
// colour or a page opening costs one shading pass.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>

#include "editor/pixel_buffer.h"
#include "editor/relief_maps.h"

namespace editor {

// Fills freshly allocated maps: base texture, then every relief element,
// with the page area closed. `fast` picks the vectorised, threaded noise;
// both give the same maps.
void buildReliefMaps(ReliefMaps& maps, bool fast);

class PanelRelief {
 public:
  static PanelRelief& shared();

  // Shades the panel into `out` (BGRA, alpha 255) with the GUI colour and
  // the page state, building the maps at the buffer's size first if they
  // do not exist yet (or exist at another size). False, with nothing
  // drawn, when the buffer is unusable or the maps cannot be allocated.
  bool render(const PixelBuffer& out, uint8_t red, uint8_t green, uint8_t blue, bool pagePanel);

  // How many times the maps have been built in this module's life.
  int buildCount();
  // Runs `visit` on the maps under the lock (for checks and tools).
  void inspect(const std::function<void(const ReliefMaps&)>& visit);

 private:
  PanelRelief() = default;

  std::mutex mutex_;
  ReliefMaps maps_;
  bool built_ = false;
  int builds_ = 0;
};

}  // namespace editor
