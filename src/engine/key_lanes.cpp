#include "engine/key_lanes.h"

namespace engine {

namespace {

uint32_t laneMask(bool on) { return on ? 0xffffffffu : 0u; }

}  // namespace

void KeyLanes::load(const KeyState* keys, int32_t bodyLowKey, int32_t bodyHighKey) {
  for (int i = 0; i < kRenderedKeys; ++i) {
    const int key = kLowestKey + i;
    const KeyState& k = keys[key];
#define VELLMARK_LOAD_STATE(name) state.name[i] = k.name;
    VELLMARK_KEY_STATE_FIELDS(VELLMARK_LOAD_STATE)
#undef VELLMARK_LOAD_STATE
#define VELLMARK_LOAD_COEFFICIENT(name) name[i] = k.name;
    VELLMARK_KEY_COEFFICIENT_FIELDS(VELLMARK_LOAD_COEFFICIENT)
#undef VELLMARK_LOAD_COEFFICIENT
    state.startOffset[i] = k.startOffset;
    held[i] = laneMask(k.held != 0);
    link[i] = laneMask(k.link != 0);
    highKey[i] = laneMask(key > 72);
    bodyDrive[i] = laneMask(key >= bodyLowKey && key < bodyHighKey);
  }
}

void KeyLanes::writeBack(KeyState* keys) const {
  for (int i = 0; i < kRenderedKeys; ++i) {
    KeyState& k = keys[kLowestKey + i];
#define VELLMARK_WRITE_LANE(name) k.name = state.name[i];
    VELLMARK_KEY_STATE_FIELDS(VELLMARK_WRITE_LANE)
#undef VELLMARK_WRITE_LANE
    k.startOffset = state.startOffset[i];
  }
}

void KeyLanes::toRecord(int lane, const KeyState& base, KeyState& out) const {
  out = base;
#define VELLMARK_TO_RECORD(name) out.name = name[lane];
  VELLMARK_KEY_COEFFICIENT_FIELDS(VELLMARK_TO_RECORD)
#undef VELLMARK_TO_RECORD
#define VELLMARK_TO_RECORD(name) out.name = state.name[lane];
  VELLMARK_KEY_STATE_FIELDS(VELLMARK_TO_RECORD)
#undef VELLMARK_TO_RECORD
  out.startOffset = state.startOffset[lane];
  out.held = held[lane] ? 1 : 0;
  out.link = link[lane] ? 1 : 0;
}

void KeyLanes::fromRecord(int lane, const KeyState& in) {
#define VELLMARK_FROM_RECORD(name) state.name[lane] = in.name;
  VELLMARK_KEY_STATE_FIELDS(VELLMARK_FROM_RECORD)
#undef VELLMARK_FROM_RECORD
  state.startOffset[lane] = in.startOffset;
}

}  // namespace engine
