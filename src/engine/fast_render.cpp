// The fast render path: the block is cut into chunks, and each chunk runs
// either by phases or sample by sample.
//
// By phases (no key draws random numbers in the chunk, the common case):
// every group of keys steps its springs over the whole chunk and adds its
// contributions to per-sample bus arrays in ascending key order; then the
// body runs over the chunk on those buses; then every group's sympathetic
// resonators run over the chunk with the body's drive; then each sample
// passes the phaser, crush, drive and sand stages. The random generator is
// still consumed in the reference order: the body's draw of a sample comes
// before the sand draws of that sample.
//
// Sample by sample (keys draw: scrape, noise mode, diffusion): all groups
// step one sample through the kernels, drawing in key order, then that
// sample's body and output stages run, as in the reference loop.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "engine/engine.h"
#include "engine/quiet.h"

namespace engine {

namespace {

struct SampleContext {
  KeyLanes* lanes;
  KeyState* keys;
  const ChunkInputs* in;
  const KeyModelParams* params;
  uint32_t* random;  // the generator's state while the keys step
};

void fillDraws(void* context, int width, int scrapeBits, int springBits, float* scrape,
               float* spring) {
  uint32_t& state = *static_cast<SampleContext*>(context)->random;
  platform::CrtRandom random(state);
  for (int lane = 0; lane < width; ++lane) {
    if ((scrapeBits >> lane) & 1)
      for (int n = 0; n < 8; ++n) scrape[n * width + lane] = random.rnd();
    if ((springBits >> lane) & 1) spring[lane] = random.rnd();
  }
  state = random.state();
}

void referenceGroup(void* context, int firstLane, int width, int j, BusSums& buses) {
  const SampleContext& c = *static_cast<SampleContext*>(context);
  KeySampleInputs in;
  in.sampleIndex = c.in->firstIndex + j;
  in.scrape = c.in->scrape[j];
  in.saturation = c.in->saturation[j];
  in.bend = c.in->bend[j];
  in.noiseFreq = c.in->noiseFreq[j];
  in.noiseRes = c.in->noiseRes[j];
  platform::CrtRandom random(*c.random);
  for (int lane = firstLane; lane < firstLane + width; ++lane) {
    const int key = kLowestKey + lane;
    KeyState k;
    c.lanes->toRecord(lane, c.keys[key], k);
    stepKeyReference(k, key, in, *c.params, buses, random);
    c.lanes->fromRecord(lane, k);
  }
  *c.random = random.state();
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

void Engine::renderFast(float* out0, float* out1, int32_t count, BlockGlides& g,
                        const FastKernels& kernels) {
  KeyLanes& lanes = fast_.lanes;
  lanes.load(keys, body.bodyLowKey, body.bodyHighKey);
  for (int32_t first = 0; first < count; first += kFastChunk) {
    ChunkInputs& in = fast_.inputs;
    fillChunkInputs(in, first, std::min<int32_t>(kFastChunk, count - first), g);
    ChunkParams cp = chunkParams();
    // With diffusion the body's draw matters, and the sand's draws of one
    // sample decide where the next body draw falls: sample by sample.
    bool byPhases =
        !chunkMayDraw(in) && !(sand.active() && body.active() && body.bodyDiffusion != 0.0f);
    if (byPhases) {
      fast_.rollback = lanes.state;
      ChunkBuses& b = fast_.buses;
      std::fill(std::begin(b.spring1), std::end(b.spring1), 0.0f);
      std::fill(std::begin(b.spring0), std::end(b.spring0), 0.0f);
      std::fill(std::begin(b.sym1), std::end(b.sym1), 0.0f);
      std::fill(std::begin(b.sym0), std::end(b.sym0), 0.0f);
      if (!kernels.springPhase(lanes, in, cp, b, fast_.trace)) {
        // A key would draw after all: start the chunk again, sample by sample.
        lanes.state = fast_.rollback;
        byPhases = false;
      }
    }
    if (byPhases)
      renderChunkByPhases(out0, out1, in, cp, kernels, g.tremoloDepth);
    else
      renderChunkBySamples(out0, out1, in, cp, kernels, g.tremoloDepth);
  }
  lanes.writeBack(keys);
}

void Engine::fillChunkInputs(ChunkInputs& in, int32_t first, int32_t count, BlockGlides& g) {
  in.count = count;
  in.firstIndex = first;
  in.anyScrape = false;
  in.anySaturation = false;
  for (int32_t j = 0; j < count; ++j) {
    const KeySampleInputs s = nextSampleInputs(first + j, g);
    in.scrape[j] = s.scrape;
    in.saturation[j] = s.saturation;
    in.bend[j] = s.bend;
    in.noiseFreq[j] = s.noiseFreq;
    in.noiseRes[j] = s.noiseRes;
    // The saturation curve's constants, as saturate() forms them.
    const float sat = s.saturation;
    in.saturateHigh[j] = sat > 0.5f ? 1.0f / (1.0f - sat) - 2.0f : 0.0f;
    in.saturateLow[j] = sat > 0.5f ? 1.0f / sat - 2.0f : 0.0f;
    in.anyScrape = in.anyScrape || s.scrape != 0.0f;
    in.anySaturation = in.anySaturation || sat > 0.5f;
    advanceGlides(g);
  }
  in.bendConstant = true;
  for (int32_t j = 1; j < count; ++j)
    in.bendConstant = in.bendConstant && sameBits(in.bend[j], in.bend[0]);
}

ChunkParams Engine::chunkParams() const {
  ChunkParams cp;
  cp.p = keyParams;
  cp.lfoFreqRoot = std::sqrt(keyParams.lfoFreq);
  cp.lfoModulates = keyParams.lfoBalance > 0.0f || keyParams.lfoPitch > 0.0f;
  cp.envModulates = keyParams.envBalance > 0.0f || keyParams.envPitch > 0.0f;
  cp.crushSpringB = keyParams.springBCrush > 0.5f && keyParams.hitPower == 1.0f;
  cp.crushAmount = keyParams.springBCrush - 0.5f;
  cp.crushScale = 1.0f - cp.crushAmount * 1.02f;
  return cp;
}

// Whether a key is likely to draw random numbers in this chunk. Only a
// guess to save work: the spring phase itself refuses a chunk in which a
// key would draw.
bool Engine::chunkMayDraw(const ChunkInputs& in) const {
  const KeyLanes& lanes = fast_.lanes;
  const KeyLaneState& s = lanes.state;
  for (int i = 0; i < kRenderedKeys; ++i) {
    const bool held = lanes.held[i] != 0;
    if (held && in.anyScrape) return true;
    const float diffusion = lanes.diffusion[i];
    if (diffusion == 0.0f) continue;
    if (diffusion >= 1.0f) {
      const bool stroke = held && !(s.exciteSum[i] >= s.exciteAmp[i]);
      if (s.exciteLevel[i] != 0.0f || stroke) return true;
      continue;
    }
    const bool sounding = held || !isQuiet(s.aOutFir[i]) || !isQuiet(s.aMainPos[i]) ||
                          !isQuiet(s.aOffsetPos[i]) || !isQuiet(s.bOutFir[i]) ||
                          !isQuiet(s.bPos0[i]) || !isQuiet(s.bPos1[i]);
    if (sounding) return true;
  }
  return false;
}

// The body's range may reach records that are never rendered; they take
// the drive as in the reference.
void Engine::driveUnrenderedKeys(float bodyDrive) {
  const int32_t low = body.firstDrivenKey();
  const int32_t high = body.endDrivenKey();
  for (int32_t key = low; key < std::min(high, kLowestKey); ++key) keys[key].sympVel += bodyDrive;
  for (int32_t key = std::max(low, kHighestKey + 1); key < high; ++key)
    keys[key].sympVel += bodyDrive;
}

void Engine::renderChunkByPhases(float* out0, float* out1, const ChunkInputs& in, ChunkParams& cp,
                                 const FastKernels& kernels, float depth) {
  ChunkBuses& b = fast_.buses;
  // Without sand the body's draws are the chunk's only ones and are taken
  // in order here; with sand they wait for their place before each
  // sample's sand draws (the body has no diffusion then, so their values
  // do not matter to it).
  const bool drawBody = !sand.active();
  for (int32_t j = 0; j < in.count; ++j) {
    bool ran = false;
    float bodyDrive = 0.0f;
    const bool drives = springStage(b.spring0[j], b.spring1[j], drawBody, ran, bodyDrive);
    fast_.bodyRan[j] = ran ? 1 : 0;
    fast_.drives[j] = drives ? 1 : 0;
    fast_.drive[j] = drives ? bodyDrive : 0.0f;
    if (drives) driveUnrenderedKeys(bodyDrive);
  }
  cp.drive = fast_.drive;
  cp.drives = fast_.drives;
  kernels.sympPhase(fast_.lanes, in, cp, fast_.trace, b);
  // The tremolo runs on its own: its coefficients for the whole chunk first.
  if (!phaser.active()) {
    std::fill(fast_.phaserA, fast_.phaserA + in.count, 0.0f);
    std::fill(fast_.phaserB, fast_.phaserB + in.count, 0.0f);
  } else if (depth == 0.0f) {
    for (int32_t j = 0; j < in.count; ++j) {
      phaser.coefficientsFast(depth, fast_.phaserA[j], fast_.phaserB[j]);
      phaser.advance();
    }
  } else {
    // The phases first (each follows the last), then all the sines at once.
    const int32_t n = in.count;
    for (int32_t j = 0; j < n; ++j) {
      fast_.tremoloPhases[j] = phaser.tremoloPhase;
      fast_.tremoloPhases[n + j] = phaser.tremoloPhase + phaser.tremoloWide;
      phaser.advance();
    }
    kernels.tremoloSines(fast_.tremoloPhases, 2 * n, fast_.tremoloSines);
    for (int32_t j = 0; j < n; ++j)
      phaser.coefficientsFromSines(depth, fast_.tremoloSines[j], fast_.tremoloSines[n + j],
                                   fast_.phaserA[j], fast_.phaserB[j]);
  }
  // The phaser runs sample after sample (each feeds the next); the rest of
  // the shaping is sample by sample independent and runs in lanes.
  if (phaser.active()) {
    phaser.processChunk(b.sym0, b.sym1, fast_.phaserA, fast_.phaserB, in.count);
  } else {
    phaser.latchTaps();
  }
  ShapeChunk shape;
  shape.spring0 = b.spring0;
  shape.spring1 = b.spring1;
  shape.sym0 = b.sym0;
  shape.sym1 = b.sym1;
  shape.out0 = fast_.shaped0;
  shape.out1 = fast_.shaped1;
  shape.count = in.count;
  shape.crush = outputCrush.active();
  shape.crushLevels = outputCrush.levels();
  shape.crushStep = outputCrush.step();
  shape.crushShape = outputCrush.shape();
  shape.bodyWet = bodyWet_;
  shape.driveGain = drive.outputGain;
  kernels.shapeChunk(shape);
  if (sand.active()) sandOverChunk(in, kernels, !drawBody);
  for (int32_t j = 0; j < in.count; ++j)
    emitSample(in.firstIndex + j, fast_.shaped0[j], fast_.shaped1[j], out0, out1);
}

// The sand over the chunk: grains through the kernel, which steps the
// generator itself in the reference order (each sample's body draw first
// where it was left for here), then each sample's filters.
void Engine::sandOverChunk(const ChunkInputs& in, const FastKernels& kernels, bool bodyDrawsFirst) {
  beginSand();
  std::fill(std::begin(fast_.noDraws), std::end(fast_.noDraws), uint8_t{0});
  runSand(kernels, in.count, fast_.shaped0, fast_.shaped1,
          bodyDrawsFirst ? fast_.bodyRan : fast_.noDraws);
  endSand();
}

// The grains as lanes, for one or more runs of the sand kernel.
void Engine::beginSand() {
  SandLanes& lanes = fast_.sand;
  const int32_t grains = sand.sandCount;
  for (int i = 0; i < kSandLanes; ++i) {
    const bool grain = i < grains;
    const SandGrain g = grain ? sand.sandGrains[i] : SandGrain{0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    lanes.pos[i] = g.pos;
    lanes.threshold[i] = g.threshold;
    lanes.vel[i] = g.vel;
    lanes.energy[i] = g.energy;
    lanes.ring[i] = g.ring;
    lanes.grain[i] = grain ? 0xffffffffu : 0u;
  }

  SandChunk& c = fast_.sandChunk;
  c.grains = grains;
  c.kick = sand.sandKick;
  c.kickSpread = sand.sandKickSpread;
  c.width = sand.sandWidth;
  c.level = sand.sandLevel;
  c.drive = sand.sandDrive;

  // `active` grows by the same share for every grain kicked into motion.
  const float share = 1.0f / static_cast<float>(grains);
  float active = 0.0f;
  fast_.sandActive[0] = 0.0f;
  for (int32_t n = 1; n <= grains; ++n) fast_.sandActive[n] = active = active + share;
}

// `count` samples of the sand on the outputs o0/o1 (after the drive),
// which take the filters' output.
void Engine::runSand(const FastKernels& kernels, int32_t count, float* o0, float* o1,
                     const uint8_t* bodyDraws) {
  SandChunk& c = fast_.sandChunk;
  c.count = count;
  c.in0 = o0;
  c.in1 = o1;
  c.bodyDraw = bodyDraws;
  c.random = random.state();
  kernels.sandPhase(fast_.sand, c);
  random.srand(c.random);
  for (int32_t j = 0; j < count; ++j) {
    sand.sandSumL = c.sumL[j];
    sand.sandSumR = c.sumR[j];
    sand.filter(fast_.sandActive[c.kicked[j]], o0[j], o1[j]);
  }
}

void Engine::endSand() {
  const SandLanes& lanes = fast_.sand;
  for (int i = 0; i < fast_.sandChunk.grains; ++i) {
    SandGrain& g = sand.sandGrains[i];
    g.pos = lanes.pos[i];
    g.threshold = lanes.threshold[i];
    g.vel = lanes.vel[i];
    g.energy = lanes.energy[i];
    g.ring = lanes.ring[i];
  }
  sand.sandLevel = fast_.sandChunk.level;
  sand.sandDrive = fast_.sandChunk.drive;
}

void Engine::renderChunkBySamples(float* out0, float* out1, const ChunkInputs& in, ChunkParams& cp,
                                  const FastKernels& kernels, float depth) {
  KeyLanes& lanes = fast_.lanes;
  uint32_t state = 0;
  SampleContext context{&lanes, keys, &in, &cp.p, &state};
  SampleHooks hooks;
  hooks.context = &context;
  hooks.random = &state;
  hooks.fillDraws = &fillDraws;
  hooks.referenceGroup = &referenceGroup;
  const bool sanded = sand.active();
  if (sanded) beginSand();
  const uint8_t noBodyDraw = 0;  // the body has drawn in its place already
  for (int32_t j = 0; j < in.count; ++j) {
    BusSums buses;
    state = random.state();
    kernels.stepSample(lanes, in, j, cp, hooks, buses);
    random.srand(state);
    float spring0 = buses.spring0;
    float spring1 = buses.spring1;
    bool ran = false;
    float bodyDrive = 0.0f;
    if (springStage(spring0, spring1, true, ran, bodyDrive)) {
      for (int i = 0; i < kRenderedKeys; ++i)
        if (lanes.bodyDrive[i]) lanes.state.sympVel[i] += bodyDrive;
      driveUnrenderedKeys(bodyDrive);
    }
    float phaserA = 0.0f, phaserB = 0.0f;
    if (phaser.active()) {
      phaser.coefficientsFast(depth, phaserA, phaserB);
      phaser.advance();
    }
    float o0, o1;
    shapeSample(spring0, spring1, buses.sym0, buses.sym1, phaserA, phaserB, o0, o1);
    if (sanded) runSand(kernels, 1, &o0, &o1, &noBodyDraw);
    emitSample(in.firstIndex + j, o0, o1, out0, out1);
  }
  if (sanded) endSand();
}

}  // namespace engine
