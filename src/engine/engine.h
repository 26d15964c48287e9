// The sound engine: all state read by the audio path, as plain fields and
// fixed arrays, and the render loop that turns key events and parameter
// state into a stereo block.
//
// Parameter application writes the coefficient fields; the event intake and
// the on-screen keyboard start and stop keys; render() runs per host block.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/body_resonator.h"
#include "engine/drive.h"
#include "engine/fast_keys.h"
#include "engine/fast_render_types.h"
#include "engine/key_model.h"
#include "engine/key_state.h"
#include "engine/output_crush.h"
#include "engine/output_filters.h"
#include "engine/phaser.h"
#include "engine/stereo_echo.h"
#include "engine/sand_grains.h"
#include "platform/crt_random.h"

namespace engine {

// What the host said about time for one block, read by the plug-in before
// the render (only for blocks that synthesise). Absent values keep the
// engine's last ones.
struct BlockContext {
  bool hasTempo = false;
  float tempo = 120.0f;  // BPM, already within what the engine accepts
  bool hasSongPosition = false;
  float songPosition = 0.0f;  // quarter notes
};

// The key loop. The plain reference steps every key sample by sample; the
// fast renderer works on whole chunks of samples with SIMD kernels. Both
// give bit-identical output and state.
enum class KeyRendererKind : uint8_t { Reference, Fast };

// A value that moves in a straight line over a block, from where it
// stands at the block's start to where the latest event or parameter put
// it. The event intake latches start := target at each batch.
struct Glide {
  float start;
  float target;
  void latch() { start = target; }
  void jump(float value) { start = target = value; }
};

// The per-block glides of the render loop as they stand at a sample.
struct BlockGlides {
  float noiseFreqStep = 0.0f;
  float noiseResStep = 0.0f;
  float saturation = 0.5f;
  float saturationStep = 0.0f;
  float bend = 1.0f;
  float bendStep = 0.0f;
  float wheel = 0.0f;
  float wheelStep = 0.0f;
  float tremoloDepth = 0.0f;
};

// Working memory of the fast renderer, kept with the engine so that the
// audio path allocates nothing.
struct FastRenderScratch {
  KeyLanes lanes;
  KeyLaneState rollback;
  ChunkInputs inputs;
  ChunkBuses buses;
  FreqTrace trace;
  float drive[kFastChunk];
  uint8_t drives[kFastChunk];
  uint8_t bodyRan[kFastChunk];
  uint8_t noDraws[kFastChunk];
  float shaped0[kFastChunk];  // outputs after the drive stage
  float shaped1[kFastChunk];
  float phaserA[kFastChunk];  // allpass coefficients of each sample
  float phaserB[kFastChunk];
  SandLanes sand;
  SandChunk sandChunk;
  float sandActive[SandGrains::kMaxGrains + 1];  // `active` after n kicks
};

struct Engine {
  Engine();

  // --- Keys -------------------------------------------------------------
  KeyState keys[kKeyCount];
  uint8_t keysActive = 0;  // a key start happened; synthesis runs even if silent
  uint8_t keysDirty = 0;   // the first silent block clears the key records
  float outLevel = 0.0f;   // silence detector: two-sample sum of |out0| + |out1|
  float outLevelPrev = 0.0f;

  // --- Rate and tempo ------------------------------------------------------
  float engineRate = 48000.0f;
  float invRate = 1.0f / 48000.0f;
  float invRate2 = 1.0f / (48000.0f * 48000.0f);
  float tempo = 120.0f;
  float tempoPrev = 120.0f;
  float beatsPerSample = 2.0f / 48000.0f;
  float songPosition = 0.0f;

  // --- Controllers and glides -------------------------------------------
  Glide modWheel{0.0f, 0.0f};
  float modWheelPrev = 0.0f;
  uint8_t modWheelMoved = 0;
  float scrapeLevel = 0.0f;
  uint8_t modWheelUnset = 1;
  Glide bend{1.0f, 1.0f};
  Glide saturation{0.5f, 0.5f};
  // The noise filter's start moves on sample by sample and is where the
  // next block starts from.
  Glide noiseFreq{0.0f, 0.0f};
  Glide noiseRes{0.0f, 0.0f};
  uint8_t noiseTuneLatch = 1;
  uint8_t sustainPedal = 0;

  // --- Coefficients from parameter application ---------------------------
  KeyModelParams keyParams;
  float decayCoef = 0.99f;
  float releaseCoef = 0.99f;
  float springBDecay = 1.0f;
  float springAOffset = 0.0f;
  float springARandomTune = 0.0f;
  float springBNoteOffset = 0.0f;
  float springBFreqLow = 0.0f;
  float springBFreqHigh = 0.0f;
  float springBRandomTune = 0.0f;
  uint8_t springBLink = 0;
  uint8_t noiseMode = 0;
  float concertA = 440.0f;
  float microtune[12];
  float pitchRange = 0.0f;
  float pitchRangeCopy = 0.0f;
  uint8_t lfoSync = 0;
  float lfoRate = 0.0f;
  float envDecay = 0.995f;
  float stereoWidth = 0.5f;
  float stereoSpread = 0.5f;
  float stereoGains[4];
  float bodyDecay = 0.9999f;
  float bodyWet = 0.0f;
  float tremoloDepth = 0.0f;  // Body Tremolo as set

  // --- Stages --------------------------------------------------------------
  BodyResonator body;
  Phaser phaser;
  OutputCrush outputCrush;
  Drive drive;
  SandGrains sand;
  OutputFilters filters;
  StereoEcho echo;

  // The one generator of the engine's draws (scrape, noise mode, body
  // diffusion, sand) and of the tuning passes, which reseed it.
  platform::CrtRandom random;
  KeyRendererKind keyRenderer = KeyRendererKind::Fast;
  // Which SIMD kernels the fast renderer uses; Auto picks the best the
  // processor has.
  FastKernelChoice fastKernels = FastKernelChoice::Auto;

  // --- Operations ------------------------------------------------------------
  // Renders `count` samples into out0 (left) and out1 (right).
  void render(float* out0, float* out1, int32_t count, const BlockContext& context);

  // Whether the next block runs the per-sample synthesis; only then does
  // the plug-in ask the host for the time.
  bool needsSynthesis() const { return keysActive != 0 || !(outLevel < 1e-5f); }

  // A key start from the event intake (velocity 0..1, sample offset in the
  // block) or from the on-screen keyboard (offset 0, fromEvents false).
  void startKey(int key, float velocity, int32_t startOffset, bool fromEvents);
  void stopKey(int key);

  // Resets rate-dependent state; the caller re-applies the current program.
  void setSampleRate(float rate);

  // Zeroes the dynamic state of every key and empties both echo lines.
  void clearVoices();

  // The full voice reset of the all-notes-off family.
  void resetVoices();

  // Pedal down holds every key at the hold decay; pedal up releases the
  // keys that are not held.
  void setSustainPedal(bool down);

  // The damping of a key that is held (or kept by the pedal) and of a
  // released one.
  void dampAsHeld(KeyState& k) const;
  void dampAsReleased(KeyState& k) const;
  // A key start or a wheel movement wakes the silence detector.
  void wakeSynthesis(float level);

  // After a new program's values: held keys keep sounding with the new
  // hold decay, the others move to the new release; the first wheel
  // message jumps, the next key start takes the noise filter's targets, and
  // the echo starts empty.
  void settleAfterProgramChange();

  // Clears every key record's dynamic state; keeps `held` when asked to.
  void clearKeyRecords(bool keepHeld);

  // The time base of the echo delays.
  EchoTiming echoTiming() const { return EchoTiming{engineRate, tempo}; }

  // The state a tuning pass left the generator in. Passes run on the
  // host's threads, possibly while a block renders, so the state waits
  // here and the engine's draws continue from it at the next block.
  void handOverRandom(uint32_t state);

 private:
  void renderSynthesis(float* out0, float* out1, int32_t count, const BlockContext& context);
  void updateTempo(const BlockContext& context, bool& tempoChanged);
  void filterAndEcho(float* out0, float* out1, int32_t count);

  // One sample's glide values; advances the noise filter and scrapeLevel.
  KeySampleInputs nextSampleInputs(int32_t i, const BlockGlides& g);
  // Moves the glides on after a sample's keys.
  void advanceGlides(BlockGlides& g);
  // The reference loop: every key, sample by sample.
  void renderReference(float* out0, float* out1, int32_t count, BlockGlides& g);
  // Spring buses after the keys: quiet buses become 0; the body runs on a
  // sounding output-0 bus. True, with the drive, when the body drives the
  // sympathetic resonators.
  bool springStage(float& spring0, float& spring1, bool drawBody, bool& bodyRan, float& bodyDrive);
  // Everything after the body for one sample: phaser, crush, wet mix,
  // drive, sand, clip, write, silence detector.
  void finishSample(int32_t i, float spring0, float spring1, float sym0, float sym1, float depth,
                    float* out0, float* out1);
  // Its parts: phaser (with this sample's coefficients, the tremolo
  // already advanced) to drive; then (after the sand) clip, write and the
  // silence detector.
  void shapeSample(float spring0, float spring1, float sym0, float sym1, float phaserA,
                   float phaserB, float& o0, float& o1);
  void emitSample(int32_t i, float o0, float o1, float* out0, float* out1);

  // The fast path: chunks of samples through the SIMD kernels.
  void renderFast(float* out0, float* out1, int32_t count, BlockGlides& g,
                  const FastKernels& kernels);
  void fillChunkInputs(ChunkInputs& in, int32_t first, int32_t count, BlockGlides& g);
  ChunkParams chunkParams() const;
  bool chunkMayDraw(const ChunkInputs& in) const;
  void renderChunkByPhases(float* out0, float* out1, const ChunkInputs& in, ChunkParams& cp,
                           const FastKernels& kernels, float depth);
  void renderChunkBySamples(float* out0, float* out1, const ChunkInputs& in, ChunkParams& cp,
                            const FastKernels& kernels, float depth);
  void driveUnrenderedKeys(float bodyDrive);
  void sandOverChunk(const ChunkInputs& in, const FastKernels& kernels, bool bodyDrawsFirst);
  void beginSand();
  void runSand(const FastKernels& kernels, int32_t count, float* o0, float* o1,
               const uint8_t* bodyDraws);
  void endSand();

  FastRenderScratch fast_;
  // A handed-over generator state in the low 32 bits; bit 32 marks one.
  std::atomic<uint64_t> pendingRandom_{0};
};

}  // namespace engine
