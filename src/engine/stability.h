// The resonators of the engine step as pos += vel * k with vel damped by at
// most 1 per sample; such a mode is stable only for k below 4. Tuning,
// bends and modulation can ask for more (high keys at low sample rates, a
// wide bend on a high spring B), so every coefficient that reaches a
// resonator is kept at or below this limit: a pitch of about a third of the
// sample rate, far above anything the instrument plays at common rates.
#pragma once

#include <algorithm>

namespace engine {

constexpr float kStableCoefficient = 3.2f;

// The highest coefficient a tuning or the envelope's pitch sweep sets; a
// bend above it halves the coefficient (an octave down) instead.
constexpr float kHighestCoefficient = 1.4f;

inline float stableCoefficient(float k) { return std::min(k, kStableCoefficient); }

}  // namespace engine
