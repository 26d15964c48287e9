// The 88 rendered keys as a structure of arrays, the form the fast key
// renderer works on: lane i holds MIDI key 21 + i. Groups of 4 or 8
// consecutive lanes fill one SIMD register.
//
// Concurrency: parameter application and the on-screen keyboard write key
// records from other threads while a block renders. The records are copied
// into the lanes once per block and the renderer then reads only its copy,
// so such a change takes effect at the next block (the design accepts a
// change between any two samples). At the end of the block only the fields
// the renderer itself writes go back, and each only where the renderer
// changed it and nobody else wrote the record in the meantime: a concurrent
// parameter change (every key's damping, a retuning) or a key start that
// lands mid-block is never overwritten by a stale copy; such a key start
// begins with the next block.
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

// The renderer-written state alone, as a copy for comparison and rollback.
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

  // Takes the records of keys 21..108 and remembers the state as loaded.
  void load(const KeyState* keys, int32_t bodyLowKey, int32_t bodyHighKey);
  // Writes the changed state back (see the note at the top).
  void writeBack(KeyState* keys) const;

  // One lane as a full record (for the per-key reference step) and back.
  void toRecord(int lane, const KeyState& base, KeyState& out) const;
  void fromRecord(int lane, const KeyState& in);

  KeyLaneState loaded;  // the state as taken from the records
};

}  // namespace engine
