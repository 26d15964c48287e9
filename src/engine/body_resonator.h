// The body: one shared resonator driven by both spring buses. Its
// displacement joins the output-1 spring bus and its shaped velocity drives
// the sympathetic resonators of a key range.
#pragma once

#include <cmath>
#include <cstdint>

#include "engine/key_state.h"
#include "platform/crt_random.h"

namespace engine {

struct BodyResonator {
  float bodyPos = 0.0f;
  float bodyVel = 0.0f;
  float bodyTune = 0.0f;  // k of the body frequency
  float bodyDamp = 0.91f;
  float bodyVolume = 0.0f;  // 0 switches the body off
  float bodyDiffusion = 0.0f;
  float bodySharpness = 0.0f;
  int32_t bodyLowKey = 0;  // drives keys bodyLowKey <= key < bodyHighKey
  int32_t bodyHighKey = 0;

  void setVolume(float v) { bodyVolume = v; }
  // k of the body frequency.
  void setTune(float k) { bodyTune = k; }
  void setDiffusion(float v) { bodyDiffusion = v; }
  void setSharpness(float v) { bodySharpness = std::pow(v, 0.25f); }
  void setLowestKey(int32_t key) { bodyLowKey = key; }
  void setHighestKey(int32_t key) { bodyHighKey = key; }

  void clear() { bodyPos = bodyVel = 0.0f; }

  bool active() const { return bodyVolume > 0.0f; }

  // One sample. The caller skips it when the output-0 spring bus was quiet.
  void process(float spring0, float& spring1, KeyState* keys, platform::CrtRandom& random);

  // The resonator part of process() with its draw r already taken; true
  // when it drives the sympathetic resonators, with the drive.
  bool resonate(float r, float spring0, float& spring1, float& drive);
  // The key range as clamped to the records.
  int32_t firstDrivenKey() const;
  int32_t endDrivenKey() const;
};

}  // namespace engine
