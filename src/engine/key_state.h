// The per-key engine record. One per MIDI key 0..127; only keys 21..108 are
// rendered. Base coefficients come from the tuning passes, live coefficients
// follow pitch bend while the key is held.
#pragma once

#include <cstdint>

namespace engine {

constexpr int kKeyCount = 128;
constexpr int kLowestKey = 21;
constexpr int kHighestKey = 108;

struct KeyState {
  float aOffsetPos;  // spring A offset-mode displacement
  float aMainPos;    // spring A main-mode displacement
  float aOffsetVel;
  float aMainVel;
  float bPos0;  // spring B mode 0 (noise mode: filter output)
  float bPos1;
  float bVel0;  // noise mode: the two filter stages
  float bVel1;
  float sympPos;  // sympathetic resonator, driven by the body
  float sympVel;
  float lfoPos;
  float lfoVel;
  float envLevel;
  float envDecay;
  float hammerVel;
  float hammerPos;
  float crushLevels;  // spring-B crush quantiser levels and their reciprocal
  float crushStep;
  float hitPower;     // 1.0 selects bowing
  float exciteLevel;  // excitation follower
  float strikeAmp;    // amplitude captured at the strike
  uint8_t link;       // spring-B link switch
  float balance;
  float mainWeight;
  float offsetWeight;
  float bendUpDepth;
  float bendDownDepth;
  float diffusion;  // >= 1 switches spring B to noise mode
  float bDamp;
  float bFreq0;
  float bFreq1;
  float bFreqBase;
  float aMainFreq;
  float aMainFreqBase;
  float aMainFreqInv;
  float aOffsetFreq;
  float aOffsetFreqBase;
  float bGain;
  float coupling;
  float damp;
  float sympDamp;
  float exciteSum;
  float bowStep;
  float exciteAmp;
  float panAR;
  float panBR;
  float panSympR;
  float panAL;
  float panBL;
  float panSympL;
  float aOut;
  float aOutFir;
  float aOutPrev;
  float bOut;
  float bOutFir;
  float bOutPrev;
  int32_t startOffset;  // sample of the block at which a pending strike begins; -1 once begun
  uint8_t held;
  // Written by the event intake alongside the stroke amplitude.
  float velocityShaped;
  float dampSquared;
};

// Zeroes the dynamic state of a key: everything a sounding key changes,
// leaving coefficients, tuning and the held flag alone.
inline void clearKeyDynamics(KeyState& k) {
  k.aOffsetPos = k.aMainPos = k.aOffsetVel = k.aMainVel = 0.0f;
  k.bPos0 = k.bPos1 = k.bVel0 = k.bVel1 = 0.0f;
  k.sympPos = k.sympVel = 0.0f;
  k.lfoPos = k.lfoVel = 0.0f;
  k.envLevel = 0.0f;
  k.hammerVel = k.hammerPos = 0.0f;
  k.exciteLevel = 0.0f;
  k.exciteSum = 0.0f;
  k.bowStep = 0.0f;
  k.aOutFir = k.aOutPrev = 0.0f;
  k.bOutFir = k.bOutPrev = 0.0f;
}

}  // namespace engine
