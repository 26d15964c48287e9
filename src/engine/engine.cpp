#include "engine/engine.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "engine/fast_keys.h"
#include "engine/quiet.h"
#include "engine/runaway_guard.h"
#include "platform/fp_mode.h"

namespace engine {

// The plug-in object is created with plain (nothrow) new; an over-aligned
// engine would silently switch it to the aligned allocation functions.
static_assert(alignof(Engine) <= alignof(std::max_align_t), "engine must not be over-aligned");

namespace {

float clampUnit(float x) {
  if (!(x > 0.0f)) return 0.0f;  // NaN included
  return std::min(x, 1.0f);
}

bool validKey(int key) { return key >= kLowestKey && key <= kHighestKey; }

}  // namespace

Engine::Engine() {
  std::memset(keys, 0, sizeof keys);
  for (KeyState& k : keys) {
    k.aMainFreq = 0.1f;
    k.sympDamp = 0.9999f;
  }
}

void Engine::clearKeyRecords(bool keepHeld) {
  for (KeyState& k : keys) {
    clearKeyDynamics(k);
    if (!keepHeld) k.held = 0;
  }
}

void Engine::startKey(int key, float velocity, int32_t startOffset, bool fromEvents) {
  if (!validKey(key)) return;
  if (fromEvents && noiseTuneLatch_) {
    noiseTuneLatch_ = 0;
    noiseFreq.latch();
    noiseRes.latch();
  }
  wakeSynthesis(1.0f);

  KeyState& k = keys[key];
  k.startOffset = startOffset;
  k.velocityShaped = std::pow(clampUnit(velocity), saturation.target + 1.0f);
  // Lower keys, whose k is smaller, get a larger stroke. Only the power is
  // taken in double; it is rounded to single before the division.
  const float power = static_cast<float>(
      std::pow(static_cast<double>(k.aMainFreq) * 0.3183098861837907, 0.6499999761581421));
  k.exciteAmp = k.velocityShaped * 0.015f / power;
  k.bowStep = k.exciteAmp * 0.125f;
  dampAsHeld(k);
  k.held = 1;
}

void Engine::stopKey(int key) {
  keysActive_ = 0;
  if (!validKey(key)) return;
  KeyState& k = keys[key];
  k.exciteAmp = 0.0f;
  k.held = 0;
  if (!sustainPedal_) dampAsReleased(k);
}

void Engine::setSustainPedal(bool down) {
  sustainPedal_ = down ? 1 : 0;
  for (KeyState& k : keys) {
    if (down) {
      // Keys already released ring on with the hold decay.
      dampAsHeld(k);
      k.sympDamp = bodyDecay_;
    } else if (!k.held) {
      dampAsReleased(k);
      k.sympDamp = bodyDecay_;
    }
  }
}

void Engine::settleAfterProgramChange() {
  for (KeyState& k : keys) {
    if (k.held) continue;
    dampAsReleased(k);
    k.sympDamp = bodyDecay_;
  }
  modWheelUnset_ = 1;
  noiseTuneLatch_ = 1;
  echo.clear();
}

void Engine::dampAsHeld(KeyState& k) const {
  k.damp = decayCoef_;
  k.dampSquared = decayCoef_ * decayCoef_;
  k.bDamp = springBDecay_ * decayCoef_;
}

void Engine::dampAsReleased(KeyState& k) const {
  k.damp = releaseCoef_;
  k.dampSquared = releaseCoef_ * releaseCoef_;
  k.bDamp = springBDecay_ * releaseCoef_;
}

void Engine::wakeSynthesis(float level) {
  keysActive_ = 1;
  keysDirty_ = 1;
  outLevel_ = level;
  outLevelPrev_ = 0.0f;
}

void Engine::setSampleRate(float rate) {
  engineRate_ = (rate > 8000.0f && rate < 100000.0f) ? rate : 48000.0f;
  tempo_ = tempoPrev_ = 120.0f;
  echo.resetRates();
  invRate_ = 1.0f / engineRate_;
  beatsPerSample_ = 2.0f * invRate_;
  invRate2_ = 1.0f / (engineRate_ * engineRate_);
  for (float& m : tuning_.microtune) m = 1.0f;
  clearKeyRecords(false);
  saturation.start = saturation.target;
  keysActive_ = 0;
  modWheel.start = modWheel.target;
  modWheelPrev_ = modWheel.target;
  phaser.clear();
  filters.clear();
  modWheelUnset_ = 1;
  noiseTuneLatch_ = 1;
}

void Engine::clearVoices() {
  clearKeyRecords(false);
  echo.clear();
}

void Engine::resetVoices() {
  for (KeyState& k : keys) {
    clearKeyDynamics(k);
    k.held = 0;
    k.exciteAmp = 0.0f;
    dampAsReleased(k);
    k.sympDamp = bodyDecay_;
  }
  filters.clear();
  phaser.clear();
  body.clear();
  sustainPedal_ = 0;
  modWheel.start = modWheel.target;
  modWheelPrev_ = modWheel.target;
  saturation.start = saturation.target;
  noiseFreq.start = 0.0f;
  noiseRes.start = 0.0f;
  if (sand.sandCount > 0)
    sand.setCount(sand.sandCount);
  else
    sand.clearRunningState();
  echo.clear();
}

void Engine::handOverRandom(uint32_t state) {
  pendingRandom_.store((uint64_t{1} << 32) | state, std::memory_order_release);
}

void Engine::render(float* out0, float* out1, int32_t count, const BlockContext& context) {
  const uint64_t handed = pendingRandom_.exchange(0, std::memory_order_acquire);
  if (handed != 0) random.srand(static_cast<uint32_t>(handed));
  if (count <= 0 || !out0 || !out1) return;
  // Decaying resonators must not fall into denormal arithmetic; the caller's
  // mode comes back when this scope ends.
  platform::ScopedFlushToZero flushToZero;

  std::fill(out0, out0 + count, 0.0f);
  std::fill(out1, out1 + count, 0.0f);

  const bool synthesised = needsSynthesis();
  if (!synthesised) {
    // Silence: skip the synthesis. A key that is still down stays held.
    if (keysDirty_) {
      clearKeyRecords(true);
      keysDirty_ = 0;
    }
  } else {
    renderSynthesis(out0, out1, count, context);
    clearRunawayStates(*this);
  }

  filterAndEcho(out0, out1, count, !synthesised);

  // Hosts that skip processEvents on blocks without events must not replay
  // the last glide in every block.
  modWheel.latch();
  bend.latch();
  saturation.latch();
  // A start offset past the end of the block begins at the next block.
  for (int key = kLowestKey; key <= kHighestKey; ++key)
    if (keys[key].startOffset >= count) keys[key].startOffset = 0;
}

void Engine::updateTempo(const BlockContext& context, bool& tempoChanged) {
  if (context.hasTempo) tempo_ = context.tempo;
  if (context.hasSongPosition) songPosition_ = context.songPosition;
  tempoChanged = tempo_ != tempoPrev_;
  if (!tempoChanged) return;
  tempoPrev_ = tempo_;
  beatsPerSample_ = tempo_ * 0.016666668f * invRate_;
  echo.followTempo(echoTiming());
  if (lfoSync_) retimeLfo();
}

void Engine::renderSynthesis(float* out0, float* out1, int32_t count, const BlockContext& context) {
  bool tempoChanged = false;
  updateTempo(context, tempoChanged);
  phaser.followHostTime(tempoChanged, beatsPerSample_, songPosition_);

  const float frames = static_cast<float>(count);
  BlockGlides g;
  g.noiseFreqStep = (noiseFreq.target - noiseFreq.start) / frames;
  g.noiseResStep = (noiseRes.target - noiseRes.start) / frames;
  g.saturation = saturation.start;
  g.saturationStep = (saturation.target - saturation.start) / frames;
  g.bend = bend.start;
  g.bendStep = (bend.target - bend.start) / frames;
  // The mod wheel moves only a tenth of the way within a block.
  g.wheel = modWheel.start;
  g.wheelStep = (modWheel.target - modWheel.start) / (10.0f * frames);
  modWheelPrev_ = modWheel.start;
  g.tremoloDepth = tremoloDepth_;

  const FastKernels* kernels =
      keyRenderer == KeyRendererKind::Fast ? fastKeyKernels(fastKernels) : nullptr;
  if (kernels)
    renderFast(out0, out1, count, g, *kernels);
  else
    renderReference(out0, out1, count, g);
}

KeySampleInputs Engine::nextSampleInputs(int32_t i, const BlockGlides& g) {
  noiseFreq.start = noiseFreq.start + g.noiseFreqStep;
  noiseRes.start = noiseRes.start + g.noiseResStep;
  if (g.wheelStep != 0.0f) scrapeLevel_ = scrapeLevel_ + (g.wheel - modWheelPrev_);
  scrapeLevel_ = scrapeLevel_ * 0.99975f;
  if (isQuiet(scrapeLevel_)) scrapeLevel_ = 0.0f;

  KeySampleInputs in;
  in.sampleIndex = i;
  in.scrape = scrapeLevel_;
  in.saturation = g.saturation;
  in.bend = g.bend;
  in.noiseFreq = noiseFreq.start;
  in.noiseRes = noiseRes.start;
  return in;
}

void Engine::advanceGlides(BlockGlides& g) {
  modWheelPrev_ = g.wheel;
  g.wheel = g.wheel + g.wheelStep;
  g.saturation = g.saturation + g.saturationStep;
  g.bend = g.bend + g.bendStep;
}

void Engine::renderReference(float* out0, float* out1, int32_t count, BlockGlides& g) {
  for (int32_t i = 0; i < count; ++i) {
    const KeySampleInputs in = nextSampleInputs(i, g);
    BusSums buses;
    stepKeysReference(keys, in, keyParams, buses, random);
    advanceGlides(g);

    float spring0 = buses.spring0;
    float spring1 = buses.spring1;
    bool bodyRan = false;
    float bodyDrive = 0.0f;
    if (springStage(spring0, spring1, true, bodyRan, bodyDrive)) {
      const int32_t high = body.endDrivenKey();
      for (int32_t key = body.firstDrivenKey(); key < high; ++key) keys[key].sympVel += bodyDrive;
    }
    finishSample(i, spring0, spring1, buses.sym0, buses.sym1, g.tremoloDepth, out0, out1);
  }
}

bool Engine::springStage(float& spring0, float& spring1, bool drawBody, bool& bodyRan,
                         float& bodyDrive) {
  if (isQuiet(spring1)) spring1 = 0.0f;
  const bool spring0Quiet = isQuiet(spring0);
  if (spring0Quiet) spring0 = 0.0f;
  bodyRan = !spring0Quiet && body.active();
  if (!bodyRan) return false;
  // Without diffusion the body's draw does not change what it computes; a
  // caller that draws it later passes drawBody false.
  const float r = drawBody ? random.rnd() : 0.0f;
  return body.resonate(r, spring0, spring1, bodyDrive);
}

void Engine::finishSample(int32_t i, float spring0, float spring1, float sym0, float sym1,
                          float depth, float* out0, float* out1) {
  float phaserA = 0.0f, phaserB = 0.0f;
  if (phaser.active()) {
    phaser.coefficients(depth, phaserA, phaserB);
    phaser.advance();
  }
  float o0, o1;
  shapeSample(spring0, spring1, sym0, sym1, phaserA, phaserB, o0, o1);
  if (sand.active()) sand.process(o0, o1, random);
  emitSample(i, o0, o1, out0, out1);
}

void Engine::shapeSample(float spring0, float spring1, float sym0, float sym1, float phaserA,
                         float phaserB, float& o0, float& o1) {
  if (phaser.active()) phaser.processWith(sym0, sym1, phaserA, phaserB);
  if (outputCrush.active()) {
    spring0 = outputCrush.process(spring0);
    spring1 = outputCrush.process(spring1);
  }

  o0 = spring0 + sym0;
  o1 = spring1 + sym1;
  if (bodyWet_ != 0.0f) {
    o0 = o0 + (sym0 - o0) * bodyWet_;
    o1 = o1 + (sym1 - o1) * bodyWet_;
  }
  phaser.latchTaps();
  if (isQuiet(o0)) o0 = 0.0f;
  if (isQuiet(o1)) o1 = 0.0f;
  o0 = drive.process(o0);
  o1 = drive.process(o1);
}

void Engine::emitSample(int32_t i, float o0, float o1, float* out0, float* out1) {
  o0 = std::min(std::max(o0, -1.0f), 1.0f);
  o1 = std::min(std::max(o1, -1.0f), 1.0f);
  out0[i] = o0;
  out1[i] = o1;

  outLevelPrev_ = outLevel_ - outLevelPrev_;
  outLevel_ = std::fabs(o1) + std::fabs(o0) + outLevelPrev_;
}

void Engine::filterAndEcho(float* out0, float* out1, int32_t count, bool zeroInput) {
  if (keyRenderer == KeyRendererKind::Reference) {
    filters.process(out0, out1, count);
    echo.process(out0, out1, count);
    return;
  }
  const bool zeroOutput = zeroInput ? filters.processZeroInput(out0, out1, count)
                                    : filters.processAndCheckZero(out0, out1, count);
  echo.processFast(out0, out1, count, zeroOutput);
}

}  // namespace engine
