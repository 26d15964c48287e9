// Fonts through fontconfig and cairo (Linux).
#include "gui/cfont_desc.h"

#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <map>
#include <mutex>
#include <strings.h>
#include <tuple>

namespace gui {

namespace {

// Families the editor asks for by their usual names, and the metric-compatible
// families that stand in for them.
const char* standInFamily(const std::string& name) {
  if (strcasecmp(name.c_str(), "Arial") == 0 || strcasecmp(name.c_str(), "Helvetica") == 0)
    return "Liberation Sans";
  if (strcasecmp(name.c_str(), "Times New Roman") == 0 || strcasecmp(name.c_str(), "Times") == 0)
    return "Liberation Serif";
  if (strcasecmp(name.c_str(), "Courier New") == 0 || strcasecmp(name.c_str(), "Courier") == 0)
    return "Liberation Mono";
  return nullptr;
}

struct ResolvedFont {
  cairo_font_face_t* face = nullptr;
  std::string family;
  std::string file;
};

// Faces live as long as the program, or as the plug-in module holding this
// cache: cairo font faces are cheap to keep and drawing code on any thread
// may hold them. A host that unloads the module gets them back, so loading
// and unloading it repeatedly leaves nothing behind.
class FontCache {
 public:
  static FontCache& instance() {
    static FontCache cache;
    return cache;
  }

  ~FontCache() {
    for (auto& entry : fonts_)
      if (entry.second.face) cairo_font_face_destroy(entry.second.face);
  }

  const ResolvedFont& resolve(const std::string& name, int32_t style) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto key = std::make_tuple(name, (style & kBoldFace) != 0, (style & kItalicFace) != 0);
    auto found = fonts_.find(key);
    if (found != fonts_.end()) return found->second;
    return fonts_.emplace(key, load(name, style)).first->second;
  }

 private:
  static ResolvedFont load(const std::string& name, int32_t style) {
    ResolvedFont result;
    FcPattern* pattern = FcPatternCreate();
    const char* standIn = standInFamily(name);
    // Ask for the family itself first; the stand-in follows as a fallback, so
    // an installed original still wins.
    if (!name.empty())
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    if (standIn) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(standIn));
    FcPatternAddInteger(pattern, FC_WEIGHT,
                        (style & kBoldFace) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT,
                        (style & kItalicFace) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult matchResult = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &matchResult);
    FcPatternDestroy(pattern);
    if (match) {
      FcChar8* value = nullptr;
      if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch && value)
        result.family = reinterpret_cast<const char*>(value);
      if (FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch && value)
        result.file = reinterpret_cast<const char*>(value);
      result.face = cairo_ft_font_face_create_for_pattern(match);
      FcPatternDestroy(match);  // the face keeps its own reference
    }
    if (!result.face || cairo_font_face_status(result.face) != CAIRO_STATUS_SUCCESS) {
      if (result.face) cairo_font_face_destroy(result.face);
      // The toy face never fails; it picks whatever cairo finds.
      result.face = cairo_toy_font_face_create(
          standIn ? standIn : name.c_str(),
          (style & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
          (style & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    return result;
  }

  std::mutex mutex_;
  std::map<std::tuple<std::string, bool, bool>, ResolvedFont> fonts_;
};

}  // namespace

cairo_font_face_t* CFontDesc::getFontFace() const {
  return FontCache::instance().resolve(name_, style_).face;
}

std::string CFontDesc::resolvedFamily() const {
  return FontCache::instance().resolve(name_, style_).family;
}

std::string CFontDesc::resolvedFile() const {
  return FontCache::instance().resolve(name_, style_).file;
}

}  // namespace gui
