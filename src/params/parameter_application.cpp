#include "params/parameter_application.h"

#include <algorithm>
#include <cmath>

#include "engine/engine.h"
#include "engine/stability.h"
#include "engine/lfo_rate.h"
#include "engine/value_rules.h"
#include "engine/tuning_passes.h"
#include "params/parameter_readings.h"
#include "params/parameter_table.h"

namespace params {

using engine::Engine;
using engine::KeyState;
using engine::pow2;
using engine::truncatedProduct;

namespace {

constexpr float kLongestDecay = 0.99999994f;  // the largest float below 1

float coefficient(const Engine& e, float hz) {
  return engine::frequencyCoefficient(hz, e.invRate2);
}

template <typename F>
void forEveryKey(Engine& e, F f) {
  for (KeyState& k : e.keys) f(k);
}

// Pan gains of every key from the stereo width and spread.
void applySpread(Engine& e) {
  const float s = e.stereoSpread;
  const float* g = e.stereoGains;
  for (int i = 0; i <= 88; ++i) {
    KeyState& k = e.keys[20 + i];
    const float p = 0.5f - 0.5f * s + s * static_cast<float>(i) * 0.011235955f;
    const float a = 2.0f * p;
    float q1, q2;
    if (p >= 0.5f) {
      q1 = ((a - 1.0f) / ((1.0f - (a - 1.0f)) * 2.0f + 1.0f) + 1.0f) * 0.5f;
      q2 = ((a - 1.0f) / ((1.0f - (a - 1.0f)) * 4.666668f + 1.0f) + 1.0f) * 0.5f;
    } else {
      q1 = (a / ((1.0f - a) * -0.6666667f + 1.0f)) * 0.5f;
      q2 = (a / ((1.0f - a) * -0.8235294f + 1.0f)) * 0.5f;
    }
    k.panAR = p * g[0];
    k.panBR = q1 * g[1];
    k.panSympR = q2;
    k.panAL = (1.0f - p) * g[2];
    k.panBL = (1.0f - q1) * g[3];
    k.panSympL = 1.0f - q2;
  }
}

// How far keys of one pitch class follow the bend, up or down.
void applyBendScale(Engine& e, int pitchClass, float v, bool up) {
  const float range = e.pitchRange;
  if (range <= 0.0f) return;
  const float sign = up ? 1.0f : -1.0f;
  const float depth = (pow2(sign * range * v / 6.0f) - 1.0f) / (pow2(sign * range / 6.0f) - 1.0f);
  for (int key = pitchClass; key < engine::kKeyCount; key += 12) {
    if (up)
      e.keys[key].bendUpDepth = depth;
    else
      e.keys[key].bendDownDepth = depth;
  }
}

}  // namespace

void applyParameter(Engine& e, int index, float v) {
  engine::KeyModelParams& kp = e.keyParams;
  switch (index) {
    case kHitPower:
      kp.hitPower = v >= 1.0f ? v : std::pow(0.5f * v, 4.0f);
      forEveryKey(e, [&](KeyState& k) { k.hitPower = kp.hitPower; });
      break;
    case kVolume:
      e.drive.setVolume(v);
      break;
    case kSpringABalance:
      forEveryKey(e, [&](KeyState& k) {
        k.balance = v;
        k.mainWeight = std::min(2.0f * (1.0f - v), 1.0f);
        k.offsetWeight = std::min(2.0f * v, 1.0f);
      });
      break;
    case kDecay:
      // The top of the knob rounds to 1.0, a lossless spring whose energy
      // grows without bound under repeated strokes or scraping; the largest
      // float below 1 still sustains for minutes.
      e.decayCoef = std::min(0.99f + 0.01f * std::pow(v, 0.05f), kLongestDecay);
      forEveryKey(e, [&](KeyState& k) { k.damp = e.decayCoef; });
      break;
    case kRelease:
      e.releaseCoef = 0.99f + 0.00999f * std::pow(v, 0.05f);
      break;
    case kSpringAVolume:
      kp.springAGain = 2.0f * v;
      break;
    case kSpringANoteOffset:
      e.springAOffset = v;
      engine::offsetPass(e);
      engine::couplingPass(e);
      break;
    case kSpringARandomTune:
      e.springARandomTune = 0.5f * v * v;
      engine::offsetPass(e);
      engine::springBPass(e);
      break;
    case kSpringASaturate:
      e.saturation.target = 0.5f + 0.499f * v;
      break;
    case kSpringBVolume:
      forEveryKey(e, [&](KeyState& k) {
        k.bGain = std::pow(k.aMainFreq * 0.31298906f, 0.75f) * (2.0f * v) * 10.0f;
      });
      break;
    case kSpringBFreqLow:
      e.noiseFreq.target =
          engine::stableCoefficient(coefficient(e, e.concertA * pow2((68.0f * v - 12.0f) / 12.0f)));
      if (!e.noiseMode) {
        e.springBFreqLow = v;
        engine::springBPass(e);
      }
      break;
    case kSpringBFreqHigh:
      e.noiseRes.target = 0.01f + 0.98f * v;
      if (!e.noiseMode) {
        e.springBFreqHigh = v;
        engine::springBPass(e);
      }
      break;
    case kSpringBNoteOffset:
      e.springBNoteOffset = 0.375f * v;
      engine::springBPass(e);
      break;
    case kSpringBRandomTune:
      e.springBRandomTune = 0.5f * v * v;
      engine::springBPass(e);
      break;
    case kSpringBDetune:
      kp.springBDetune = pow2((2.0f * v - 1.0f) / 6.0f);
      engine::springBPass(e);
      break;
    case kSpringBOctave:
      kp.springBOctave = v != 0.0f ? 1.0f : 0.0f;
      engine::springBPass(e);
      break;
    case kSpringBDecay:
      e.springBDecay = std::pow(std::max(v, 0.001f), 0.001f);
      break;
    case kSpringBLink:
      e.springBLink = springBLinkOf(v);
      forEveryKey(e, [&](KeyState& k) { k.link = e.springBLink; });
      break;
    case kSpringBDiffusion:
      e.noiseMode = v == 1.0f ? 1 : 0;
      forEveryKey(e, [&](KeyState& k) { k.diffusion = v; });
      break;
    case kSpringBCrush:
      kp.springBCrush = 0.5f + 0.49f * v;
      break;
    case kBodyVolume:
      e.body.setVolume(v);
      break;
    case kBodyTune:
      e.body.setTune(engine::stableCoefficient(
          coefficient(e, e.concertA * pow2((32.0f * v - 12.0f) / 12.0f))));
      break;
    case kBodyDecay: {
      const float x = 0.999f + 0.00099f * std::pow(v, 0.25f);
      e.bodyDecay = x;
      forEveryKey(e, [&](KeyState& k) { k.sympDamp = x; });
      break;
    }
    case kBodyDiffusion:
      e.body.setDiffusion(v);
      break;
    case kBodySharpness:
      e.body.setSharpness(v);
      break;
    case kBodyWet:
      e.bodyWet = v;
      break;
    case kBodyLowest:
      e.body.setLowestKey(truncatedProduct(128.0f, v, 0, 128));
      break;
    case kBodyHighest:
      e.body.setHighestKey(truncatedProduct(128.0f, v, 0, 128));
      break;
    case kBodyPhaseFreq:
      e.phaser.setCentre(coefficient(e, e.concertA * pow2((128.0f * v - 69.0f) / 12.0f)));
      break;
    case kBodyPhaseQ:
      e.phaser.setFeedback(v);
      break;
    case kBodyPhaseMix:
      e.phaser.setMix(v);
      break;
    case kBodyTremolo:
      e.tremoloDepth = v;
      break;
    case kBodyTremoloSync:
      e.phaser.setTremoloSync(tremoloSyncOf(v), e.beatsPerSample);
      break;
    case kBodyTremoloRate:
      e.phaser.setTremoloRate(v, e.beatsPerSample);
      break;
    case kBodyTremoloWide:
      e.phaser.setWidth(v);
      break;
    case kConcertA:
      e.concertA = concertAOf(v);
      engine::keyPitchPass(e);
      break;
    case kHighpass:
      e.filters.highpass.setCutoff(2054.95f * v, e.invRate);
      break;
    case kLowpass:
      e.filters.lowpass.setCutoff(2054.95f * v, e.invRate);
      break;
    case kStereo: {
      e.stereoWidth = v;
      const float b = 0.7f - 0.4f * v;
      e.stereoGains[0] = b;
      e.stereoGains[1] = 1.0f - b;
      e.stereoGains[2] = 1.0f - b;
      e.stereoGains[3] = b;
      applySpread(e);
      break;
    }
    case kSpread:
      e.stereoSpread = v;
      applySpread(e);
      break;
    case kPitchRange:
      // The per-key bend scales keep their values until set again.
      e.pitchRange = pitchRangeOf(v);
      e.pitchRangeCopy = e.pitchRange;
      break;
    case kPitchRelax: {
      // Above 1 the relax would overshoot the base (at low sample rates).
      const float x = pow2(15.0f * v);
      e.keyParams.pitchRelax = std::min(x * x * e.invRate2, 1.0f);
      break;
    }
    case kCrushBits:
      e.outputCrush.setBits(truncatedProduct(16.0f, v, 0, 16));
      break;
    case kCrush:
      e.outputCrush.setCurve(v);
      break;
    case kSandCount:
      e.sand.setCount(truncatedProduct(100.0f, v, 0, 100));
      break;
    case kSandKick:
      e.sand.setKick(v);
      break;
    case kSandWidth:
      e.sand.setWidth(v);
      break;
    case kSandFreq:
      e.sand.setFrequency(engine::stableCoefficient(
          coefficient(e, e.concertA * pow2((68.0f * v - 12.0f) / 12.0f))));
      break;
    case kSandRes:
      e.sand.setResonance(v);
      break;
    case kEchoRateL:
      e.echo.setRate(true, v, e.echoTiming());
      break;
    case kEchoRateR:
      e.echo.setRate(false, v, e.echoTiming());
      break;
    case kEchoSync:
      e.echo.setSync(v, e.echoTiming());
      break;
    case kEchoFeedback:
      e.echo.setFeedback(v);
      break;
    case kEchoWet:
      e.echo.setWet(v);
      break;
    case kLfoSync:
      e.lfoSync = switchOf(v);
      engine::applyLfoRate(e);
      break;
    case kLfoRate:
      e.lfoRate = v;
      engine::applyLfoRate(e);
      break;
    case kLfoBalance:
      kp.lfoBalance = v;
      break;
    case kLfoPitch:
      kp.lfoPitch = 0.5f * v;
      break;
    case kEnvDecay:
      e.envDecay = 0.995f + 0.004999f * std::pow(v, 0.1f);
      forEveryKey(e, [&](KeyState& k) { k.envDecay = e.envDecay; });
      break;
    case kEnvBalance:
      kp.envBalance = v;
      break;
    case kEnvPitch:
      kp.envPitch = 16.0f * v * v;
      break;
    default:
      if (index >= kMicrotuneFirst && index <= kMicrotuneLast) {
        e.microtune[index - kMicrotuneFirst] = pow2((2.0f * v - 1.0f) / 6.0f);
        engine::keyPitchPass(e);
      } else if (index >= kBendUpFirst && index <= kBendUpLast) {
        applyBendScale(e, index - kBendUpFirst, v, true);
      } else if (index >= kBendDownFirst && index <= kBendDownLast) {
        applyBendScale(e, index - kBendDownFirst, v, false);
      }
      break;
  }
}

void applyProgram(Engine& e, const float* values) {
  e.noiseMode = 0;
  for (int i = 0; i < kNumParams; ++i) applyParameter(e, i, values[i]);
  e.settleAfterProgramChange();
}

}  // namespace params
