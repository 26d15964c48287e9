// The sand stage: up to 100 bouncing grains kicked by the instrument's own
// output. Each kicked grain rings with a decaying energy, panned by its
// position, through a resonant two-pole filter per channel.
#pragma once

#include <cstdint>

#include "platform/crt_random.h"

namespace engine {

struct SandGrain {
  float pos;        // position in [-1, 1], also the pan
  float threshold;  // level at which the grain is kicked next
  float vel;
  float energy;  // kick energy, also the step of the threshold
  float ring;    // ringing amplitude; its square is the output
};
static_assert(sizeof(SandGrain) == 20, "five floats per grain");

struct SandFilter {
  float p = 0.0f;
  float va = 0.0f;
  float vb = 0.0f;
};

struct SandGrains {
  static constexpr int32_t kMaxGrains = 100;

  SandGrains();

  SandGrain sandGrains[kMaxGrains];
  int32_t sandCount = 0;
  float sandKick = 0.0f;
  float sandKickSpread = 0.0f;
  float sandWidth = 0.0f;
  float sandFreq = 0.0f;
  float sandRes = 0.0f;
  // Running state, cleared together.
  float sandLevel = 0.0f;
  float sandDrive = 0.0f;
  float sandSumL = 0.0f;
  float sandSumR = 0.0f;
  SandFilter sandFilterL;
  SandFilter sandFilterR;

  bool active() const { return sandCount > 0; }

  // Sets the grain count from SAND NUM (clamped to the table) and re-places
  // the grains evenly from -1; always clears the running state.
  void setCount(int32_t count);
  void setKick(float v) {
    sandKick = 0.5f * v;
    sandKickSpread = 0.25f * v;
  }
  void setWidth(float v) { sandWidth = v; }
  // k of the filters' frequency.
  void setFrequency(float k) { sandFreq = k; }
  void setResonance(float v) { sandRes = 0.9f * v; }
  void clearRunningState();

  // One sample: listens to out0/out1 after the drive and adds the crackle.
  void process(float& out0, float& out1, platform::CrtRandom& random);

  // The last part of process(): both channel filters fed by this sample's
  // sums, opened by the grains kicked (`active`); adds them to the outputs.
  void filter(float active, float& out0, float& out1);
};

}  // namespace engine
