// What a parameter value sets, for readers that must not look into the
// engine while it renders (display texts, the editor's read-outs). The
// parameter rules use the same functions, so the two always agree.
#pragma once

#include <cstdint>

#include "engine/value_rules.h"

namespace params {

inline float concertAOf(float v) { return 420.0f + 40.0f * v; }
// 0 free, 1 tempo, 2 song position.
inline uint8_t tremoloSyncOf(float v) {
  return static_cast<uint8_t>(engine::truncatedProduct(2.0f, v, 0, 2));
}
// Echo sync and LFO sync.
inline uint8_t switchOf(float v) {
  return static_cast<uint8_t>(engine::truncatedProduct(1.0f, v, 0, 1));
}
// Semitones each way.
inline float pitchRangeOf(float v) {
  return static_cast<float>(engine::truncatedProduct(12.0f, v, 0, 12));
}
inline uint8_t springBLinkOf(float v) { return v != 0.0f ? 1 : 0; }

}  // namespace params
