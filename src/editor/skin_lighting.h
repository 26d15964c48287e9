// The lighting the skin generators share with the panel: a point light up
// and to the left of the frame, a viewer in front of the frame's centre,
// diffuse, specular and rim terms. Skin normals point towards the viewer
// along -z.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace editor {

struct Vec3 {
  double x, y, z;
};

inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vec3 normalise(Vec3 v) {
  const double length = std::sqrt(dot(v, v));
  if (!(length > 0.0)) return {0.0, 0.0, 0.0};
  return {v.x / length, v.y / length, v.z / length};
}

inline Vec3 reflect(Vec3 v, Vec3 n) {
  const double nv = dot(n, v);
  return {v.x - 2 * nv * n.x, v.y - 2 * nv * n.y, v.z - 2 * nv * n.z};
}

// The frame the skins are drawn into is 1024 x 480; the viewer faces its
// centre.
constexpr double kViewCentreX = 512.0;
constexpr double kViewCentreY = 240.0;

struct SkinLight {
  double specular;  // clamp(r . -L, 0, 1) before the exponent
  double diffuse;   // max(-(n . L), 0)
  double rim;       // max(n . rim direction, 0) * 0.125
};

// Light terms at absolute frame pixel (X, Y) for unit normal n; the light
// sits lower for surfaces that rise higher (lightDepth scales n.z).
inline SkinLight lightSkin(Vec3 n, double X, double Y, double lightDepth) {
  const Vec3 light = normalise({X + 300.0, Y + 200.0, 700.0 - n.z * lightDepth});
  const Vec3 view = normalise({X - kViewCentreX, Y - kViewCentreY, 2800.0 - 100.0 * n.z});
  const Vec3 r = reflect(view, n);
  SkinLight out;
  out.specular = std::clamp(-dot(r, light), 0.0, 1.0);
  out.diffuse = std::max(-dot(n, light), 0.0);
  out.rim = std::max(dot(n, {0.2761724, 0.2761724, -0.9205746}), 0.0) * 0.125;
  return out;
}

inline double towards(double from, double to, double amount) { return from + (to - from) * amount; }

inline uint8_t channelByte(double c) {
  if (!(c > 0.0)) return 0;
  if (c >= 255.0) return 255;
  return static_cast<uint8_t>(c);
}

inline void putPixel(uint8_t* bgra, double red, double green, double blue, double alpha) {
  bgra[0] = channelByte(blue);
  bgra[1] = channelByte(green);
  bgra[2] = channelByte(red);
  bgra[3] = channelByte(alpha);
}

}  // namespace editor
