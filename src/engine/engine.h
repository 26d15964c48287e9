// The sound engine: the keys, the stages after them and the render loop
// that turns key events and settings into a stereo block, in fixed arrays.
//
// The parameter dispatch maps knob values to the settings and stage
// setters; the event intake and the on-screen keyboard start and stop keys;
// render() runs per host block. All of it happens on the audio thread.
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
  float tremoloPhases[2 * kFastChunk];  // phaser A's phases, then phaser B's
  double tremoloSines[2 * kFastChunk];
  SandLanes sand;
  SandChunk sandChunk;
  float sandActive[SandGrains::kMaxGrains + 1];  // `active` after n kicks
};

// The values the per-key tuning passes compute from.
struct TuningInputs {
  float concertA = 440.0f;
  float microtune[12] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
  float springAOffset = 0.0f;
  float springARandomTune = 0.0f;
  float springBNoteOffset = 0.0f;
  float springBFreqLow = 0.0f;
  float springBFreqHigh = 0.0f;
  float springBRandomTune = 0.0f;
};

// The engine belongs to the audio thread: the plug-in hands every change
// from the host's other threads over to it and applies them between blocks.
struct Engine {
  Engine();

  // --- State the renderers' hot loops read and write -------------------------
  // These stay public so that the two key renderers, the tuning passes and
  // the parameter dispatch reach them without a call per key or sample.
  //
  // Every key's state and per-key coefficients. The parameter dispatch and
  // the tuning passes write the coefficients, the intake and the on-screen
  // keyboard start and stop keys through startKey()/stopKey().
  KeyState keys[kKeyCount];
  // Coefficients every key shares.
  KeyModelParams keyParams;
  // Controllers that glide over a block: the intake sets their targets, the
  // renderers move `start` on (the noise filter's start sample by sample;
  // it is where the next block starts from).
  Glide modWheel{0.0f, 0.0f};
  Glide bend{1.0f, 1.0f};
  Glide saturation{0.5f, 0.5f};
  Glide noiseFreq{0.0f, 0.0f};
  Glide noiseRes{0.0f, 0.0f};

  // The stages after the keys. Each takes its settings through its own
  // setters; their signal state is stepped by the renderers.
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

  // --- Settings, each with the rule that carries it to the keys --------------
  // Hold and release damping (the release one reaches keys when released).
  void setHoldDecay(float coefficient);
  void setReleaseDecay(float coefficient) { releaseCoef_ = coefficient; }
  void setSpringBDecay(float factor) { springBDecay_ = factor; }
  // The sympathetic resonators' damping of every key.
  void setBodyDecay(float coefficient);
  void setEnvelopeDecay(float coefficient);
  void setSpringBLink(uint8_t link);
  // The diffusion value of every key; exactly 1 switches spring B to noise.
  void setDiffusion(float v);
  // Noise mode keeps spring B's tuning range as it was.
  void setNoiseMode(bool on) { noiseMode_ = on ? 1 : 0; }
  void setConcertA(float hz);
  void setMicrotune(int pitchClass, float ratio);
  void setSpringAOffset(float v);
  void setSpringARandomTune(float spread);
  void setSpringBNoteOffset(float offset);
  void setSpringBRandomTune(float spread);
  // Spring B's tuning range; ignored in noise mode, where the same knobs
  // tune the noise filter.
  void setSpringBFreqLow(float v);
  void setSpringBFreqHigh(float v);
  // Spring B again after its detune or octave changed.
  void retuneSpringB();
  void setPitchRange(float semitones) { pitchRange_ = semitones; }
  void setLfoSync(bool synced);
  void setLfoRate(float v);
  // Stereo width and spread place every key's outputs.
  void setStereoWidth(float v);
  void setStereoSpread(float v);
  void setBodyWet(float v) { bodyWet_ = v; }
  void setTremoloDepth(float v) { tremoloDepth_ = v; }

  // --- Read-outs -------------------------------------------------------------
  float engineRate() const { return engineRate_; }
  float invRate() const { return invRate_; }
  float invRate2() const { return invRate2_; }
  float tempo() const { return tempo_; }
  float beatsPerSample() const { return beatsPerSample_; }
  float songPosition() const { return songPosition_; }
  float decayCoef() const { return decayCoef_; }
  float releaseCoef() const { return releaseCoef_; }
  float springBDecay() const { return springBDecay_; }
  float envDecay() const { return envDecay_; }
  float concertA() const { return tuning_.concertA; }
  float pitchRange() const { return pitchRange_; }
  uint8_t noiseMode() const { return noiseMode_; }
  uint8_t sustainPedal() const { return sustainPedal_; }
  uint8_t keysActive() const { return keysActive_; }
  uint8_t keysDirty() const { return keysDirty_; }
  float scrapeLevel() const { return scrapeLevel_; }
  float outLevel() const { return outLevel_; }
  float tremoloDepth() const { return tremoloDepth_; }
  float bodyWet() const { return bodyWet_; }
  float bodyDecay() const { return bodyDecay_; }
  uint8_t modWheelUnset() const { return modWheelUnset_; }
  float modWheelPrev() const { return modWheelPrev_; }
  const TuningInputs& tuning() const { return tuning_; }

  // --- Operations ------------------------------------------------------------
  // Renders `count` samples into out0 (left) and out1 (right).
  void render(float* out0, float* out1, int32_t count, const BlockContext& context);

  // Whether the next block runs the per-sample synthesis; only then does
  // the plug-in ask the host for the time.
  bool needsSynthesis() const { return keysActive_ != 0 || !(outLevel_ < 1e-5f); }

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
  EchoTiming echoTiming() const { return EchoTiming{engineRate_, tempo_}; }

  // The state a tuning pass left the generator in. Passes run on the
  // host's threads, possibly while a block renders, so the state waits
  // here and the engine's draws continue from it at the next block.
  void handOverRandom(uint32_t state);

  // The intake's mod wheel (0..1): the scrape follows it; the first
  // message after a reset jumps instead of gliding.
  void moveModWheel(float target);
  // Start of a batch of host events: the glides start from their targets.
  void beginEventBatch();
  // The host's song position in quarter notes.
  void setSongPosition(float quarterNotes) { songPosition_ = quarterNotes; }

 private:
  void renderSynthesis(float* out0, float* out1, int32_t count, const BlockContext& context);
  void updateTempo(const BlockContext& context, bool& tempoChanged);
  // The output filters and the echo; the fast renderer's version skips
  // what +0 input into resting stages would compute (`zeroInput`: the
  // block holds only +0).
  void filterAndEcho(float* out0, float* out1, int32_t count, bool zeroInput);

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

  void applySpread();
  void retimeLfo();

  // Silence detector: a key start happened (synthesis runs even if
  // silent); the first silent block clears the key records; the
  // two-sample sum of |out0| + |out1|.
  uint8_t keysActive_ = 0;
  uint8_t keysDirty_ = 0;
  float outLevel_ = 0.0f;
  float outLevelPrev_ = 0.0f;

  // Rate and tempo.
  float engineRate_ = 48000.0f;
  float invRate_ = 1.0f / 48000.0f;
  float invRate2_ = 1.0f / (48000.0f * 48000.0f);
  float tempo_ = 120.0f;
  float tempoPrev_ = 120.0f;
  float beatsPerSample_ = 2.0f / 48000.0f;
  float songPosition_ = 0.0f;

  // Controllers.
  float modWheelPrev_ = 0.0f;
  float scrapeLevel_ = 0.0f;
  uint8_t modWheelUnset_ = 1;
  uint8_t noiseTuneLatch_ = 1;
  uint8_t sustainPedal_ = 0;

  // Settings.
  float decayCoef_ = 0.99f;
  float releaseCoef_ = 0.99f;
  float springBDecay_ = 1.0f;
  uint8_t noiseMode_ = 0;
  TuningInputs tuning_;
  float pitchRange_ = 0.0f;
  uint8_t lfoSync_ = 0;
  float lfoRate_ = 0.0f;
  float envDecay_ = 0.995f;
  float stereoSpread_ = 0.5f;
  float stereoGains_[4] = {0.5f, 0.5f, 0.5f, 0.5f};
  float bodyDecay_ = 0.9999f;
  float bodyWet_ = 0.0f;
  float tremoloDepth_ = 0.0f;  // Body Tremolo as set

  FastRenderScratch fast_;
  // A handed-over generator state in the low 32 bits; bit 32 marks one.
  std::atomic<uint64_t> pendingRandom_{0};
};

}  // namespace engine
