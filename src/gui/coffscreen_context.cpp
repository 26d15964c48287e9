#include "gui/coffscreen_context.h"

#include <cmath>

#include "gui/cbitmap.h"

namespace gui {

COffscreenContext* COffscreenContext::create(CFrame*, double width, double height) {
  if (!std::isfinite(width) || !std::isfinite(height)) return nullptr;
  const double w = std::ceil(width);
  const double h = std::ceil(height);
  if (w < 1.0 || h < 1.0 || w > 32767.0 || h > 32767.0) return nullptr;
  auto* bitmap = new CBitmap(static_cast<int>(w), static_cast<int>(h));
  if (!bitmap->isLoaded()) {
    bitmap->forget();
    return nullptr;
  }
  auto* context = new COffscreenContext(bitmap);
  bitmap->forget();  // the context holds it now
  return context;
}

double COffscreenContext::getWidth() const { return bitmap_ ? bitmap_->getWidth() : 0.0; }

double COffscreenContext::getHeight() const { return bitmap_ ? bitmap_->getHeight() : 0.0; }

}  // namespace gui
