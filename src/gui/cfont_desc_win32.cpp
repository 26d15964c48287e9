// Fonts on Windows: GDI+ font families from the system's installed fonts,
// looked up by name. "Arial" and the other usual names fall back to their
// metric-compatible Liberation families (present under wine on Linux
// machines); unknown names to a sans-serif family that is installed.
#include <map>
#include <mutex>
#include <string>

#include "gui/cfont_desc.h"
#include "gui/gdiplus_win32.h"

namespace gui {

namespace {

const char* standInFamily(const std::string& name) {
  if (_stricmp(name.c_str(), "Arial") == 0 || _stricmp(name.c_str(), "Helvetica") == 0)
    return "Liberation Sans";
  if (_stricmp(name.c_str(), "Times New Roman") == 0 || _stricmp(name.c_str(), "Times") == 0)
    return "Liberation Serif";
  if (_stricmp(name.c_str(), "Courier New") == 0 || _stricmp(name.c_str(), "Courier") == 0)
    return "Liberation Mono";
  return nullptr;
}

struct ResolvedFamily {
  Gdiplus::GpFontFamily* family = nullptr;
  std::string name;
};

// Families stay for the life of the module; style does not change the family.
class FamilyCache {
 public:
  static FamilyCache& instance() {
    static FamilyCache cache;
    return cache;
  }

  const ResolvedFamily& resolve(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = families_.find(name);
    if (found != families_.end()) return found->second;
    return families_.emplace(name, load(name)).first->second;
  }

 private:
  static ResolvedFamily load(const std::string& name) {
    ResolvedFamily result;
    if (!gdiplusReady()) return result;
    // Then families every Windows (and wine) has, in case the system's
    // generic sans-serif family is missing too.
    for (const char* candidate : {name.c_str(), standInFamily(name), "Arial", "Liberation Sans",
                                  "Tahoma", "Microsoft Sans Serif"}) {
      if (!candidate || !*candidate) continue;
      const std::wstring wide = wideFromUtf8(candidate);
      Gdiplus::GpFontFamily* family = nullptr;
      if (gdip::GdipCreateFontFamilyFromName(wide.c_str(), nullptr, &family) == Gdiplus::Ok &&
          family) {
        result.family = family;
        result.name = candidate;
        return result;
      }
    }
    Gdiplus::GpFontFamily* generic = nullptr;
    if (gdip::GdipGetGenericFontFamilySansSerif(&generic) == Gdiplus::Ok && generic) {
      result.family = generic;
      WCHAR wideName[LF_FACESIZE] = {0};
      gdip::GdipGetFamilyName(generic, wideName, LANG_NEUTRAL);
      char narrow[LF_FACESIZE * 4] = {0};
      WideCharToMultiByte(CP_UTF8, 0, wideName, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
      result.name = narrow;
    }
    return result;
  }

  std::mutex mutex_;
  std::map<std::string, ResolvedFamily> families_;
};

}  // namespace

void* CFontDesc::getFontFamily() const { return FamilyCache::instance().resolve(name_).family; }

std::string CFontDesc::resolvedFamily() const {
  return FamilyCache::instance().resolve(name_).name;
}

}  // namespace gui
