// The 88 rendered keys as a structure of arrays, the form the fast key
// renderer works on: lane i holds MIDI key 21 + i. Groups of 4 or 8
// consecutive lanes fill one SIMD register.
//
// The records are copied into the lanes once per block and the renderer
// reads only its copy; at the end of the block the fields the renderer
// writes go back. Nothing else writes the records while a block renders:
// changes from other threads reach the engine between blocks.
#pragma once

#include <cstdint>

#include "engine/key_state.h"

namespace engine {

constexpr int kRenderedKeys = kHighestKey - kLowestKey + 1;  // 88

// Float fields the renderer writes, in record order.
#define VELLMARK_KEY_STATE_FIELDS(X) \
  X(aOffsetPos)                      \
  X(aMainPos)                        \
  X(aOffsetVel)                      \
  X(aMainVel)                        \
  X(bPos0)                           \
  X(bPos1)                           \
  X(bVel0)                           \
  X(bVel1)                           \
  X(sympPos)                         \
  X(sympVel)                         \
  X(lfoPos)                          \
  X(lfoVel)                          \
  X(envLevel)                        \
  X(hammerVel)                       \
  X(hammerPos)                       \
  X(exciteLevel)                     \
  X(strikeAmp)                       \
  X(mainWeight)                      \
  X(offsetWeight)                    \
  X(bFreq0)                          \
  X(bFreq1)                          \
  X(aMainFreq)                       \
  X(aOffsetFreq)                     \
  X(exciteSum)                       \
  X(bowStep)                         \
  X(exciteAmp)                       \
  X(aOut)                            \
  X(aOutFir)                         \
  X(aOutPrev)                        \
  X(bOut)                            \
  X(bOutFir)                         \
  X(bOutPrev)

// Float fields the renderer only reads.
#define VELLMARK_KEY_COEFFICIENT_FIELDS(X) \
  X(envDecay)                              \
  X(crushLevels)                           \
  X(crushStep)                             \
  X(hitPower)                              \
  X(balance)                               \
  X(bendUpDepth)                           \
  X(bendDownDepth)                         \
  X(diffusion)                             \
  X(bDamp)                                 \
  X(bFreqBase)                             \
  X(aMainFreqBase)                         \
  X(aMainFreqInv)                          \
  X(aOffsetFreqBase)                       \
  X(bGain)                                 \
  X(coupling)                              \
  X(damp)                                  \
  X(sympDamp)                              \
  X(panAR)                                 \
  X(panBR)                                 \
  X(panSympR)                              \
  X(panAL)                                 \
  X(panBL)                                 \
  X(panSympL)

// The renderer-written state alone, as a copy for rollback.
struct KeyLaneState {
#define VELLMARK_DECLARE_LANE(name) float name[kRenderedKeys];
  VELLMARK_KEY_STATE_FIELDS(VELLMARK_DECLARE_LANE)
  int32_t startOffset[kRenderedKeys];
};

struct KeyLanes {
  KeyLaneState state;
  VELLMARK_KEY_COEFFICIENT_FIELDS(VELLMARK_DECLARE_LANE)
#undef VELLMARK_DECLARE_LANE
  // Switches as lane masks: all bits set or clear.
  uint32_t held[kRenderedKeys];
  uint32_t link[kRenderedKeys];
  uint32_t highKey[kRenderedKeys];    // key above 72: bend halves large coefficients
  uint32_t bodyDrive[kRenderedKeys];  // inside the body's key range

  // Takes the records of keys 21..108.
  void load(const KeyState* keys, int32_t bodyLowKey, int32_t bodyHighKey);
  // Writes the renderer-written state back into the records.
  void writeBack(KeyState* keys) const;

  // One lane as a full record (for the per-key reference step) and back.
  void toRecord(int lane, const KeyState& base, KeyState& out) const;
  void fromRecord(int lane, const KeyState& in);
};

}  // namespace engine
