// The per-key physical model, written plainly: the reference against which
// any faster key renderer is checked sample for sample.
//
// Per key and sample the render loop runs, in this order: pitch relax (key
// not held) or excitation and pitch bend (held, start reached); the spring
// step (held or still sounding); the bus contributions; the sympathetic step.
#pragma once

#include "engine/key_state.h"
#include "platform/crt_random.h"

namespace engine {

// Engine-wide values the key step reads, set by parameter application.
struct KeyModelParams {
  float springAGain = 1.0f;   // 2 x sA Volume
  float springBCrush = 0.5f;  // 0.5 + 0.49 x sB crush
  float springBDetune = 1.0f;
  float springBOctave = 0.0f;
  float pitchRelax = 0.0f;
  float lfoFreq = 0.0f;
  float lfoBalance = 0.0f;
  float lfoPitch = 0.0f;
  float envBalance = 0.0f;
  float envPitch = 0.0f;
  float hitPower = 1.0f;  // the engine's copy; 1.0 enables the spring-B crush
};

// This sample's glide values.
struct KeySampleInputs {
  int sampleIndex = 0;
  float scrape = 0.0f;      // scrapeLevel
  float saturation = 0.5f;  // s
  float bend = 1.0f;        // factor on k
  float noiseFreq = 0.0f;
  float noiseRes = 0.0f;
};

struct BusSums {
  float spring0 = 0.0f;
  float spring1 = 0.0f;
  float sym0 = 0.0f;
  float sym1 = 0.0f;
};

void exciteKey(KeyState& k, float scrape, platform::CrtRandom& random);
void bendKey(KeyState& k, int key, float bend, const KeyModelParams& p);
void relaxKey(KeyState& k, float pitchRelax);
void springStep(KeyState& k, const KeySampleInputs& in, const KeyModelParams& p,
                platform::CrtRandom& random);
float crushSpringB(const KeyState& k, float springBCrush);
void sympatheticStep(KeyState& k, BusSums& buses);

// One key for one sample, everything the render loop does for it.
void stepKeyReference(KeyState& k, int key, const KeySampleInputs& in, const KeyModelParams& p,
                      BusSums& buses, platform::CrtRandom& random);

// All rendered keys for one sample, in ascending order.
void stepKeysReference(KeyState* keys, const KeySampleInputs& in, const KeyModelParams& p,
                       BusSums& buses, platform::CrtRandom& random);

}  // namespace engine
