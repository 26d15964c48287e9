// The phaser: a first-order allpass with feedback on each sympathetic bus,
// its frequency swept by the tremolo. Phaser B runs a settable phase offset
// behind phaser A for stereo width.
#pragma once

#include <cmath>
#include <cstdint>

namespace engine {

struct AllpassState {
  float y = 0.0f;
  float s = 0.0f;
  float tap = 0.0f;
};

struct Phaser {
  AllpassState stateA;        // output-0 sympathetic bus
  AllpassState stateB;        // output-1 sympathetic bus
  float phaserFreq = 0.0f;    // k of the centre frequency
  float phaserQ = 0.0f;       // feedback
  float phaserMix = 0.0f;     // 0 switches the phaser off
  float tremoloPhase = 0.0f;  // radians, never reset
  float tremoloInc = 0.0f;    // radians per sample
  float tremoloWide = 0.0f;   // phase offset of phaser B

  // k of the centre frequency.
  void setCentre(float k) { phaserFreq = k; }
  void setFeedback(float v) { phaserQ = std::pow(v, 0.25f); }
  void setMix(float v) { phaserMix = v; }
  // Phase offset of phaser B: -pi to pi.
  void setWidth(float v) {
    tremoloWide = static_cast<float>((2.0 * static_cast<double>(v) - 1.0) * 3.141592653589793);
  }

  // The tremolo's rate value and sync mode (0 free, 1 tempo, 2 song
  // position); a synced rate counts in beats.
  void setTremoloRate(float rate, float beatsPerSample) {
    tremoloRate_ = rate;
    retimeTremolo(beatsPerSample);
  }
  void setTremoloSync(uint8_t sync, float beatsPerSample) {
    tremoloSync_ = sync;
    retimeTremolo(beatsPerSample);
  }
  uint8_t tremoloSync() const { return tremoloSync_; }
  // Per block, before the samples: a tempo-synced tremolo follows a tempo
  // change, one synced to the song position takes its phase from there.
  void followHostTime(bool tempoChanged, float beatsPerSample, float songPosition);

  void clear() {
    stateA = AllpassState{};
    stateB = AllpassState{};
  }

  bool active() const { return phaserMix != 0.0f; }

  // One sample with tremolo depth `depth` (0..1): phases both sympathetic
  // buses and advances the tremolo.
  void process(float& sym0, float& sym1, float depth);

  // The parts of process(): the allpass coefficients of this sample's
  // tremolo phase (they do not depend on the signal), the allpasses with
  // them, and the phase advance.
  void coefficients(float depth, float& a, float& b) const;
  void processWith(float& sym0, float& sym1, float a, float b);
  // processWith() over a chunk, each sample with its own coefficients; the
  // states stay in registers between samples.
  void processChunk(float* sym0, float* sym1, const float* a, const float* b, int32_t count);
  void advance();
  // coefficients() without library calls, to the same bits.
  void coefficientsInline(float depth, float& a, float& b) const;
  // The coefficients of the tremolo sines of phaser A and phaser B.
  void coefficientsFromSines(float depth, double sineA, double sineB, float& a, float& b) const;
  // The same, sparing the sine where it cannot matter: at depth 0 the sweep
  // term is a zero of either sign for any finite phase, 1 plus it is
  // exactly 1, and both coefficients are the centre's.
  void coefficientsFast(float depth, float& a, float& b) const {
    if (depth == 0.0f && std::isfinite(tremoloPhase) && std::isfinite(tremoloPhase + tremoloWide)) {
      a = b = centreCoefficient();
      return;
    }
    coefficientsInline(depth, a, b);
  }

  // The next sample's feedback reads the allpass outputs.
  void latchTaps() {
    stateA.tap = stateA.y;
    stateB.tap = stateB.y;
  }

 private:
  void retimeTremolo(float beatsPerSample);
  float centreCoefficient() const;

  uint8_t tremoloSync_ = 0;
  float tremoloRate_ = 0.0f;  // stored rate value
};

// The exponent 2^e of the tempo-synced tremolo for a rate value.
double tremoloSyncPower(float rate);

}  // namespace engine
