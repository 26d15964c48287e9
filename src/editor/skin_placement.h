// Where a generated skin lands: its size and the frame position of its
// top-left pixel, which the lighting needs to match the panel around it.
#pragma once

namespace editor {

struct SkinPlacement {
  double x, y;
  int width, height;
};

}  // namespace editor
