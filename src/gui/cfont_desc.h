// A font by family name, size in pixels and style. On Linux families resolve
// through fontconfig, on Windows through the system's installed fonts (GDI+);
// "Arial" and "Times New Roman" resolve to their metric-compatible Liberation
// Sans and Liberation Serif when the originals are not installed.
#pragma once

#include <cstdint>
#include <string>

#if !defined(_WIN32)
typedef struct _cairo_font_face cairo_font_face_t;
#endif

namespace gui {

enum CTxtFace : int32_t {
  kNormalFace = 0,
  kBoldFace = 1 << 1,
  kItalicFace = 1 << 2,
};

class CFontDesc {
 public:
  CFontDesc(const char* name = "Arial", double size = 12.0, int32_t style = 0);

  const std::string& getName() const { return name_; }
  double getSize() const { return size_; }
  int32_t getStyle() const { return style_; }
  void setName(const char* name) { name_ = name ? name : ""; }
  // Sizes that are not finite or not positive fall back to 1 pixel.
  void setSize(double size);
  void setStyle(int32_t style) { style_ = style; }

#if defined(_WIN32)
  // The GDI+ font family (GpFontFamily*) for this name, shared and cached
  // for the life of the module (never null while GDI+ runs; an unknown
  // family gives the system's sans-serif family).
  void* getFontFamily() const;
#else
  // The cairo face for this family and style, shared and cached for the life
  // of the process (never null; an unknown family gives fontconfig's default).
  cairo_font_face_t* getFontFace() const;
  std::string resolvedFile() const;
#endif
  // The family actually chosen for this description (and, on Linux, its
  // file).
  std::string resolvedFamily() const;

  bool operator==(const CFontDesc& o) const {
    return name_ == o.name_ && size_ == o.size_ && style_ == o.style_;
  }
  bool operator!=(const CFontDesc& o) const { return !(*this == o); }

 private:
  std::string name_;
  double size_;
  int32_t style_;
};

}  // namespace gui
