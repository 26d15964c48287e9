// Plain data shared by the fast render path and its SIMD kernels: the
// per-sample inputs of one chunk, the per-chunk constants, the chunk's bus
// arrays and the hooks back into scalar code. No inline functions here: the
// header is included by files compiled for different instruction sets.
#pragma once

#include <cstdint>

#include "engine/key_lanes.h"
#include "engine/key_model.h"
#include "platform/crt_random.h"

namespace engine {

// Samples per chunk: the fast path runs its phases over at most this many
// samples at a time (a multiple of every SIMD width).
constexpr int kFastChunk = 256;

// This chunk's per-sample glide values, as the render loop computes them.
struct ChunkInputs {
  int32_t count = 0;       // samples in the chunk
  int32_t firstIndex = 0;  // block index of the chunk's first sample
  float scrape[kFastChunk];
  float saturation[kFastChunk];
  float saturateHigh[kFastChunk];  // 1/(1 - s) - 2, the curve constant above 0.5
  float saturateLow[kFastChunk];   // 1/s - 2, below 0.5
  float bend[kFastChunk];
  float noiseFreq[kFastChunk];
  float noiseRes[kFastChunk];
  bool anyScrape = false;
  bool anySaturation = false;  // some sample's saturation is above 0.5
  bool bendConstant = false;   // every sample has the bend of the first
};

// Engine-wide values the kernels read, fixed for the chunk.
struct ChunkParams {
  KeyModelParams p;
  float lfoFreqRoot = 0.0f;  // std::sqrt(p.lfoFreq)
  bool lfoModulates = false;
  bool envModulates = false;
  bool crushSpringB = false;
  float crushAmount = 0.0f;  // springBCrush - 0.5
  float crushScale = 1.0f;   // 1 - crushAmount * 1.02
  // Body drive of the chunk's samples (sympathetic phase).
  const float* drive = nullptr;
  const uint8_t* drives = nullptr;
};

// Ordered bus sums of one chunk, one value per sample.
struct ChunkBuses {
  float spring1[kFastChunk];
  float spring0[kFastChunk];
  float sym1[kFastChunk];
  float sym0[kFastChunk];
};

// The live main-mode coefficient of every lane at every sample of the
// chunk, for groups whose tuning moves within it (bends, pitch relax): the
// sympathetic resonators run after the springs and need it.
struct FreqTrace {
  float value[kFastChunk][kRenderedKeys];
  bool used[kRenderedKeys];  // per group: indexed by the group's first lane
};

// What the kernels need from scalar code while stepping sample by sample:
// the random generator (drawn in the order of the reference) and the
// per-key reference step for the rare cases the vector code cannot order.
struct SampleHooks {
  void* context = nullptr;
  uint32_t* random = nullptr;  // the generator's state while the keys step
  // Fills draws in lane order: for each lane, 8 scrape draws if its bit is
  // set in scrapeBits, then one spring draw if set in springBits.
  // scrape[k * width + lane], spring[lane]. Steps *random.
  void (*fillDraws)(void* context, int width, int scrapeBits, int springBits, float* scrape,
                    float* spring) = nullptr;
  // Steps lanes [first, first + width) at chunk sample j with the
  // reference code, adding to the buses. Steps *random.
  void (*referenceGroup)(void* context, int firstLane, int width, int j, BusSums& buses) = nullptr;
};

// The sand grains as a structure of arrays (the record keeps five floats
// per grain), padded to whole registers.
constexpr int kSandLanes = 104;

struct SandLanes {
  float pos[kSandLanes];
  float threshold[kSandLanes];
  float vel[kSandLanes];
  float energy[kSandLanes];
  float ring[kSandLanes];
  uint32_t grain[kSandLanes];  // lane mask: below the grain count
};

// One chunk of the sand stage: its inputs (the outputs after the drive),
// its running level and settings, and per sample the grain sums and the
// number of grains kicked into motion.
struct SandChunk {
  int32_t count = 0;
  const float* in0 = nullptr;
  const float* in1 = nullptr;
  const uint8_t* bodyDraw = nullptr;  // the body's draw of the sample comes first
  int32_t grains = 0;
  float kick = 0.0f;
  float kickSpread = 0.0f;
  float width = 0.0f;
  float level = 0.0f;
  float drive = 0.0f;
  uint32_t random = 0;  // the generator's state, in and out
  float sumL[kFastChunk];
  float sumR[kFastChunk];
  int32_t kicked[kFastChunk];
};

// The kernel entry points of one instruction set.
// The stages between the buses and the sand for a chunk, sample by sample
// independent: output crush on the spring buses, the body's wet mix, the
// quiet test and the drive.
struct ShapeChunk {
  const float* spring0;
  const float* spring1;
  const float* sym0;  // after the phaser
  const float* sym1;
  float* out0;
  float* out1;
  int32_t count;
  bool crush;
  float crushLevels, crushStep, crushShape;
  float bodyWet;
  float driveGain;
};

struct FastKernels {
  int width;
  const char* name;
  // All groups' springs over the chunk, group by group; adds to buses.spring*.
  // False when a key would draw random numbers: the chunk must then be
  // stepped sample by sample (the lanes are left partly stepped).
  bool (*springPhase)(KeyLanes& lanes, const ChunkInputs& in, const ChunkParams& cp,
                      ChunkBuses& buses, FreqTrace& trace);
  // All groups' sympathetic resonators over the chunk; adds to buses.sym*.
  void (*sympPhase)(KeyLanes& lanes, const ChunkInputs& in, const ChunkParams& cp,
                    const FreqTrace& trace, ChunkBuses& buses);
  // Every group for one sample (index j of the chunk), springs and
  // sympathetic resonators, drawing through the hooks; adds to buses.
  void (*stepSample)(KeyLanes& lanes, const ChunkInputs& in, int j, const ChunkParams& cp,
                     const SampleHooks& hooks, BusSums& buses);
  // The sand grains over a chunk.
  void (*sandPhase)(SandLanes& grains, SandChunk& chunk);
  void (*shapeChunk)(const ShapeChunk& chunk);
  // The tremolo sines of a chunk's phases.
  void (*tremoloSines)(const float* x, int32_t count, double* sine);
};

}  // namespace engine
