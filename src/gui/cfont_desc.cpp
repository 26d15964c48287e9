#include "gui/cfont_desc.h"

#include <cmath>

namespace gui {

CFontDesc::CFontDesc(const char* name, double size, int32_t style)
    : name_(name ? name : ""), size_(1.0), style_(style) {
  setSize(size);
}

void CFontDesc::setSize(double size) { size_ = (std::isfinite(size) && size > 0.0) ? size : 1.0; }

}  // namespace gui
