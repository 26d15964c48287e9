#include "params/parameter_application.h"

#include <algorithm>
#include <cmath>

#include "engine/engine.h"
#include "engine/stability.h"
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
  return engine::frequencyCoefficient(hz, e.invRate2());
}

template <typename F>
void forEveryKey(Engine& e, F f) {
  for (KeyState& k : e.keys) f(k);
}

// How far keys of one pitch class follow the bend, up or down.
void applyBendScale(Engine& e, int pitchClass, float v, bool up) {
  const float range = e.pitchRange();
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
      e.setHoldDecay(std::min(0.99f + 0.01f * std::pow(v, 0.05f), kLongestDecay));
      break;
    case kRelease:
      e.setReleaseDecay(0.99f + 0.00999f * std::pow(v, 0.05f));
      break;
    case kSpringAVolume:
      kp.springAGain = 2.0f * v;
      break;
    case kSpringANoteOffset:
      e.setSpringAOffset(v);
      break;
    case kSpringARandomTune:
      e.setSpringARandomTune(0.5f * v * v);
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
      e.noiseFreq.target = engine::stableCoefficient(
          coefficient(e, e.concertA() * pow2((68.0f * v - 12.0f) / 12.0f)));
      e.setSpringBFreqLow(v);
      break;
    case kSpringBFreqHigh:
      e.noiseRes.target = 0.01f + 0.98f * v;
      e.setSpringBFreqHigh(v);
      break;
    case kSpringBNoteOffset:
      e.setSpringBNoteOffset(0.375f * v);
      break;
    case kSpringBRandomTune:
      e.setSpringBRandomTune(0.5f * v * v);
      break;
    case kSpringBDetune:
      kp.springBDetune = pow2((2.0f * v - 1.0f) / 6.0f);
      e.retuneSpringB();
      break;
    case kSpringBOctave:
      kp.springBOctave = v != 0.0f ? 1.0f : 0.0f;
      e.retuneSpringB();
      break;
    case kSpringBDecay:
      e.setSpringBDecay(std::pow(std::max(v, 0.001f), 0.001f));
      break;
    case kSpringBLink:
      e.setSpringBLink(springBLinkOf(v));
      break;
    case kSpringBDiffusion:
      e.setDiffusion(v);
      break;
    case kSpringBCrush:
      kp.springBCrush = 0.5f + 0.49f * v;
      break;
    case kBodyVolume:
      e.body.setVolume(v);
      break;
    case kBodyTune:
      e.body.setTune(engine::stableCoefficient(
          coefficient(e, e.concertA() * pow2((32.0f * v - 12.0f) / 12.0f))));
      break;
    case kBodyDecay:
      e.setBodyDecay(0.999f + 0.00099f * std::pow(v, 0.25f));
      break;
    case kBodyDiffusion:
      e.body.setDiffusion(v);
      break;
    case kBodySharpness:
      e.body.setSharpness(v);
      break;
    case kBodyWet:
      e.setBodyWet(v);
      break;
    case kBodyLowest:
      e.body.setLowestKey(truncatedProduct(128.0f, v, 0, 128));
      break;
    case kBodyHighest:
      e.body.setHighestKey(truncatedProduct(128.0f, v, 0, 128));
      break;
    case kBodyPhaseFreq:
      e.phaser.setCentre(coefficient(e, e.concertA() * pow2((128.0f * v - 69.0f) / 12.0f)));
      break;
    case kBodyPhaseQ:
      e.phaser.setFeedback(v);
      break;
    case kBodyPhaseMix:
      e.phaser.setMix(v);
      break;
    case kBodyTremolo:
      e.setTremoloDepth(v);
      break;
    case kBodyTremoloSync:
      e.phaser.setTremoloSync(tremoloSyncOf(v), e.beatsPerSample());
      break;
    case kBodyTremoloRate:
      e.phaser.setTremoloRate(v, e.beatsPerSample());
      break;
    case kBodyTremoloWide:
      e.phaser.setWidth(v);
      break;
    case kConcertA:
      e.setConcertA(concertAOf(v));
      break;
    case kHighpass:
      e.filters.highpass.setCutoff(2054.95f * v, e.invRate());
      break;
    case kLowpass:
      e.filters.lowpass.setCutoff(2054.95f * v, e.invRate());
      break;
    case kStereo:
      e.setStereoWidth(v);
      break;
    case kSpread:
      e.setStereoSpread(v);
      break;
    case kPitchRange:
      // The per-key bend scales keep their values until set again.
      e.setPitchRange(pitchRangeOf(v));
      break;
    case kPitchRelax: {
      // Above 1 the relax would overshoot the base (at low sample rates).
      const float x = pow2(15.0f * v);
      e.keyParams.pitchRelax = std::min(x * x * e.invRate2(), 1.0f);
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
          coefficient(e, e.concertA() * pow2((68.0f * v - 12.0f) / 12.0f))));
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
      e.setLfoSync(switchOf(v) != 0);
      break;
    case kLfoRate:
      e.setLfoRate(v);
      break;
    case kLfoBalance:
      kp.lfoBalance = v;
      break;
    case kLfoPitch:
      kp.lfoPitch = 0.5f * v;
      break;
    case kEnvDecay:
      e.setEnvelopeDecay(0.995f + 0.004999f * std::pow(v, 0.1f));
      break;
    case kEnvBalance:
      kp.envBalance = v;
      break;
    case kEnvPitch:
      kp.envPitch = 16.0f * v * v;
      break;
    default:
      if (index >= kMicrotuneFirst && index <= kMicrotuneLast) {
        e.setMicrotune(index - kMicrotuneFirst, pow2((2.0f * v - 1.0f) / 6.0f));
      } else if (index >= kBendUpFirst && index <= kBendUpLast) {
        applyBendScale(e, index - kBendUpFirst, v, true);
      } else if (index >= kBendDownFirst && index <= kBendDownLast) {
        applyBendScale(e, index - kBendDownFirst, v, false);
      }
      break;
  }
}

void applyProgram(Engine& e, const float* values) {
  e.setNoiseMode(false);
  for (int i = 0; i < kNumParams; ++i) applyParameter(e, i, values[i]);
  e.settleAfterProgramChange();
}

}  // namespace params
