// The fast key renderer against the plain reference: two instances get the
// same program, the same MIDI and the same block sizes, one renders with
// the reference, the other with the fast renderer (each SIMD width); every
// output sample and, at the end, every key record and the engine's running
// state must be bit-identical.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>

#include "engine/key_lanes.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;
using engine::FastKernelChoice;
using engine::KeyRendererKind;

namespace {

uint32_t bits(float x) {
  uint32_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

// Bit-identical, except that any NaN matches any NaN (payloads of NaNs
// are not part of the result the instrument promises).
bool same(float a, float b) { return bits(a) == bits(b) || (std::isnan(a) && std::isnan(b)); }

class Twin {
 public:
  explicit Twin(FastKernelChoice kernels) {
    reference_.engine().keyRenderer = KeyRendererKind::Reference;
    fast_.engine().keyRenderer = KeyRendererKind::Fast;
    fast_.engine().fastKernels = kernels;
  }

  // Host callbacks go to the current fake host: each instance talks to
  // its own.
  template <typename F>
  void both(F f) {
    reference_.host().makeCurrent();
    f(reference_);
    fast_.host().makeCurrent();
    f(fast_);
  }
  void set(int index, float value) {
    both([&](PluginHarness& h) { h.setParameter(index, value); });
  }
  void sampleRate(float rate) {
    both([&](PluginHarness& h) { h.plugin().setSampleRate(rate); });
  }
  void send(MidiBatch& batch) {
    both([&](PluginHarness& h) { h.send(batch); });
  }
  void noteOn(int key, int velocity = 100, int delta = 0) {
    both([&](PluginHarness& h) { h.noteOn(key, velocity, delta); });
  }
  void noteOff(int key, int delta = 0) {
    both([&](PluginHarness& h) { h.noteOff(key, delta); });
  }
  void controller(int number, int value) {
    both([&](PluginHarness& h) { h.controller(number, value); });
  }
  void bend(int value14) {
    MidiBatch b;
    b.add(0xe0, static_cast<unsigned char>(value14 & 0x7f),
          static_cast<unsigned char>((value14 >> 7) & 0x7f));
    send(b);
  }

  // Renders in blocks of `block`; stops at the first differing sample.
  ::testing::AssertionResult render(int frames, int block, bool emptyEvents = true) {
    reference_.host().makeCurrent();
    const Stereo a = reference_.render(frames, block, emptyEvents);
    fast_.host().makeCurrent();
    const Stereo b = fast_.render(frames, block, emptyEvents);
    for (size_t i = 0; i < a.size(); ++i) {
      if (!same(a.left[i], b.left[i]) || !same(a.right[i], b.right[i])) {
        return ::testing::AssertionFailure()
               << "sample " << rendered_ + i << ": reference " << a.left[i] << " / " << a.right[i]
               << ", fast " << b.left[i] << " / " << b.right[i];
      }
    }
    rendered_ += a.size();
    sounded_ = sounded_ || peak(a) > 0.0f;
    return ::testing::AssertionSuccess();
  }

  // Key records and the engine's running state.
  ::testing::AssertionResult sameState() {
    const engine::Engine& r = reference_.engine();
    const engine::Engine& f = fast_.engine();
    std::ostringstream diff;
    for (int key = 0; key < engine::kKeyCount; ++key) {
      const engine::KeyState& a = r.keys[key];
      const engine::KeyState& b = f.keys[key];
#define VELLMARK_COMPARE(name) \
  if (!same(a.name, b.name))   \
    diff << "key " << key << " " #name ": " << a.name << " vs " << b.name << "\n";
      VELLMARK_KEY_STATE_FIELDS(VELLMARK_COMPARE)
      VELLMARK_KEY_COEFFICIENT_FIELDS(VELLMARK_COMPARE)
#undef VELLMARK_COMPARE
      if (a.startOffset != b.startOffset) diff << "key " << key << " startOffset\n";
      if (a.held != b.held) diff << "key " << key << " held\n";
    }
    auto check = [&](const char* name, float x, float y) {
      if (!same(x, y)) diff << name << ": " << x << " vs " << y << "\n";
    };
    check("bodyPos", r.body.bodyPos, f.body.bodyPos);
    check("bodyVel", r.body.bodyVel, f.body.bodyVel);
    check("phaserA.y", r.phaser.stateA.y, f.phaser.stateA.y);
    check("phaserB.s", r.phaser.stateB.s, f.phaser.stateB.s);
    check("tremoloPhase", r.phaser.tremoloPhase, f.phaser.tremoloPhase);
    check("scrapeLevel", r.scrapeLevel(), f.scrapeLevel());
    check("noiseFreq", r.noiseFreq.start, f.noiseFreq.start);
    check("outLevel", r.outLevel(), f.outLevel());
    check("sandLevel", r.sand.sandLevel, f.sand.sandLevel);
    check("sandFilterL", r.sand.sandFilterL.p, f.sand.sandFilterL.p);
    for (int i = 0; i < engine::SandGrains::kMaxGrains; ++i) {
      check("grain ring", r.sand.sandGrains[i].ring, f.sand.sandGrains[i].ring);
      check("grain energy", r.sand.sandGrains[i].energy, f.sand.sandGrains[i].energy);
    }
    check("highpassL", r.filters.highpassStateL, f.filters.highpassStateL);
    check("lowpassR", r.filters.lowpassStateR, f.filters.lowpassStateR);
    for (int line = 0; line < 2; ++line) {
      const engine::QuarnelEcho& a = line ? r.echo.right() : r.echo.left();
      const engine::QuarnelEcho& b = line ? f.echo.right() : f.echo.left();
      check("echo lastOut", a.lastOut, b.lastOut);
      check("echo toneState", a.toneState, b.toneState);
      check("echo lastIn", a.lastIn, b.lastIn);
      if (a.readPos != b.readPos || a.writeIndex != b.writeIndex || a.ringIndex != b.ringIndex)
        diff << "echo " << line << " positions\n";
      if (std::memcmp(a.tape, b.tape, sizeof a.tape) != 0 ||
          std::memcmp(a.ring, b.ring, sizeof a.ring) != 0)
        diff << "echo " << line << " cells\n";
    }
    if (r.random.state() != f.random.state()) diff << "random generator\n";
    const std::string text = diff.str();
    if (text.empty()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text.substr(0, 2000);
  }

  bool sounded() const { return sounded_; }
  PluginHarness& reference() { return reference_; }
  PluginHarness& fast() { return fast_; }

 private:
  PluginHarness reference_;
  PluginHarness fast_;
  size_t rendered_ = 0;
  bool sounded_ = false;
};

class FastRenderer : public ::testing::TestWithParam<FastKernelChoice> {
 protected:
  Twin twin{GetParam()};

  void chord(std::initializer_list<int> keys, int velocity = 100, int delta = 0) {
    for (int key : keys) twin.noteOn(key, velocity, delta);
  }
  void releaseAll() {
    for (int key = 21; key <= 108; ++key) twin.noteOff(key);
  }
  // Renders and compares, then checks the state.
  void play(int frames, int block) {
    ASSERT_TRUE(twin.render(frames, block));
    ASSERT_TRUE(twin.sameState());
  }
};

TEST_P(FastRenderer, HitAndBowStrokesWithHeldAndReleasedKeys) {
  for (float hitPower : {0.3f, 0.8f, 1.0f}) {
    Twin t(GetParam());
    t.set(params::kHitPower, hitPower);
    t.set(params::kSandCount, 0.3f);
    t.set(params::kEchoWet, 0.3f);
    for (int key : {21, 33, 45, 60, 64, 67, 72, 73, 90, 108}) t.noteOn(key, 40 + key);
    ASSERT_TRUE(t.render(3000, 256)) << "hit power " << hitPower;
    t.noteOff(60);
    t.noteOff(73);
    ASSERT_TRUE(t.render(3000, 256)) << "hit power " << hitPower;
    t.noteOn(60, 127);
    ASSERT_TRUE(t.render(3000, 512)) << "hit power " << hitPower;
    ASSERT_TRUE(t.sameState()) << "hit power " << hitPower;
    EXPECT_TRUE(t.sounded());
  }
}

TEST_P(FastRenderer, AllKeysWithPedalBodyPhaserSandAndEcho) {
  twin.set(params::kSandCount, 0.3f);
  twin.set(params::kEchoWet, 0.3f);
  twin.set(params::kBodyVolume, 0.5f);
  twin.set(params::kBodyPhaseMix, 0.6f);
  twin.controller(64, 127);
  for (int key = 21; key <= 108; ++key) twin.noteOn(key, 90, key % 200);
  play(6000, 256);
  releaseAll();
  play(3000, 256);
  twin.controller(64, 0);
  play(6000, 256);
  EXPECT_TRUE(twin.sounded());
}

TEST_P(FastRenderer, ScrapeWithAndWithoutDiffusion) {
  for (float diffusion : {0.0f, 0.4f}) {
    for (bool link : {false, true}) {
      Twin t(GetParam());
      t.set(params::kSpringBDiffusion, diffusion);
      t.set(params::kSpringBLink, link ? 1.0f : 0.0f);
      t.set(params::kSandCount, 0.2f);
      t.set(params::kBodyDiffusion, 0.5f);
      for (int key : {30, 48, 52, 55, 79, 100}) t.noteOn(key, 100);
      ASSERT_TRUE(t.render(1024, 256));
      for (int v = 0; v <= 127; v += 9) {
        t.controller(1, v);
        ASSERT_TRUE(t.render(256, 128, false)) << diffusion << " " << link;
      }
      t.noteOff(48);
      t.controller(1, 3);
      ASSERT_TRUE(t.render(4096, 512)) << diffusion << " " << link;
      ASSERT_TRUE(t.sameState()) << diffusion << " " << link;
      EXPECT_TRUE(t.sounded());
    }
  }
}

TEST_P(FastRenderer, NoiseModeWithAndWithoutScrape) {
  twin.set(params::kSpringBDiffusion, 1.0f);
  twin.set(params::kSpringBFreqLow, 0.6f);
  twin.set(params::kSpringBFreqHigh, 0.7f);
  chord({36, 40, 43, 48, 85});
  play(2048, 256);
  twin.controller(1, 100);
  play(512, 64);
  twin.noteOff(40);
  twin.controller(1, 20);
  play(2048, 256);
  twin.set(params::kSpringBFreqLow, 0.2f);  // the noise filter glides
  play(2048, 333);
  EXPECT_TRUE(twin.sounded());
}

TEST_P(FastRenderer, SaturationAndSpringBCrush) {
  twin.set(params::kHitPower, 1.0f);
  twin.set(params::kSpringASaturate, 0.8f);
  twin.set(params::kSpringBCrush, 0.7f);
  twin.set(params::kSpringBVolume, 1.0f);
  chord({24, 50, 62, 74, 98}, 127);
  play(4096, 256);
  twin.set(params::kSpringASaturate, 0.2f);  // glides across 0.5 within a block
  play(1024, 1024);
  twin.set(params::kHitPower, 0.6f);  // crush only while bowing
  chord({51, 63}, 90);
  play(2048, 256);
}

TEST_P(FastRenderer, PitchBendsAndRelax) {
  twin.set(params::kPitchRange, 1.0f);
  twin.set(params::kPitchRelax, 0.3f);
  for (int p = params::kBendUpFirst; p <= params::kBendDownLast; ++p)
    twin.set(p, 0.3f + 0.05f * static_cast<float>(p % 12));
  chord({40, 52, 71, 73, 84, 95, 107});
  play(1024, 256);
  twin.bend(16383);
  play(1024, 256);
  twin.noteOff(52);
  twin.noteOff(84);
  twin.bend(0);
  play(1024, 200);
  twin.noteOff(40);
  twin.noteOff(95);
  twin.bend(8192);
  play(8192, 256);
  twin.noteOn(52, 80, 17);
  twin.bend(12000);
  play(2048, 256);
}

TEST_P(FastRenderer, LfoAndEnvelopeModulation) {
  twin.set(params::kLfoBalance, 0.7f);
  twin.set(params::kLfoPitch, 0.4f);
  twin.set(params::kLfoRate, 0.6f);
  twin.set(params::kEnvBalance, 0.5f);
  twin.set(params::kEnvPitch, 0.3f);
  twin.set(params::kEnvDecay, 0.2f);
  chord({33, 57, 69, 81, 93});
  play(4096, 256);
  twin.set(params::kLfoSync, 1.0f);
  twin.set(params::kLfoBalance, 0.0f);
  twin.noteOff(57);
  play(4096, 256);
}

TEST_P(FastRenderer, LinkedSpringBAndBodyDiffusion) {
  twin.set(params::kSpringBLink, 1.0f);
  twin.set(params::kBodyDiffusion, 0.6f);
  twin.set(params::kBodyVolume, 0.8f);
  twin.set(params::kBodyLowest, 0.3f);
  twin.set(params::kBodyHighest, 0.6f);
  chord({45, 50, 55, 60, 65});
  play(4096, 256);
  twin.set(params::kSandCount, 0.25f);  // body diffusion with sand: sample by sample
  play(2048, 256);
  twin.set(params::kBodyLowest, 0.0f);  // the body drives records never rendered
  twin.set(params::kBodyHighest, 1.0f);
  play(2048, 256);
}

TEST_P(FastRenderer, PhaserTremoloInEverySyncMode) {
  twin.set(params::kBodyPhaseMix, 0.9f);
  twin.set(params::kBodyTremolo, 0.8f);
  twin.set(params::kBodyPhaseQ, 0.9f);
  chord({41, 53, 65, 77});
  for (float sync : {0.0f, 0.5f, 1.0f}) {
    twin.set(params::kBodyTremoloSync, sync);
    twin.set(params::kBodyTremoloRate, 0.7f);
    twin.both([](PluginHarness& h) { h.host().time.tempo = 97.0; });
    play(3000, 256);
  }
}

TEST_P(FastRenderer, OutputCrushDriveSandAndBothEchoModes) {
  twin.set(params::kCrushBits, 0.4f);
  twin.set(params::kCrush, 0.7f);
  twin.set(params::kVolume, 0.8f);
  twin.set(params::kSandCount, 0.6f);
  twin.set(params::kSandRes, 0.95f);
  twin.set(params::kEchoWet, 0.5f);
  twin.set(params::kEchoFeedback, 0.6f);
  chord({28, 47, 59, 83, 104}, 127);
  play(4096, 256);
  twin.set(params::kEchoSync, 1.0f);
  twin.set(params::kEchoRateL, 0.9f);
  twin.set(params::kEchoRateR, 0.95f);
  play(4096, 256);
  twin.set(params::kVolume, 1.0f);
  play(1024, 256);
}

// The filters and echo skip their work once they rest on +0: a tail dies
// away in the middle of a block, the lines are found empty, the delays
// glide while nothing sounds, and a key wakes everything mid-block again.
// Tape at several speeds (one below a cell a sample), the ring, and a
// feedback of -0, which must not take the skip.
TEST_P(FastRenderer, EchoAndFiltersFallSilentAndWakeAgain) {
  struct Setup {
    const char* name;
    float rate, sync, feedback;
    double tempo;
  };
  const Setup setups[] = {{"tape", 0.1f, 0.0f, 0.5f, 120.0},
                          {"ring", 0.01f, 0.0f, 0.3f, 120.0},
                          {"slow tape", 0.0f, 1.0f, 0.2f, 60.0},
                          {"no feedback", 0.3f, 0.0f, 0.0f, 120.0},
                          {"feedback -0", 0.1f, 0.0f, -0.0f, 120.0}};
  for (const Setup& s : setups) {
    Twin t(GetParam());
    t.both([&](PluginHarness& h) { h.host().time.tempo = s.tempo; });
    t.set(params::kRelease, 0.0f);
    t.set(params::kHighpass, 0.1f);
    t.set(params::kLowpass, 0.6f);
    t.set(params::kEchoWet, 0.5f);
    t.set(params::kEchoFeedback, s.feedback);
    t.set(params::kEchoSync, s.sync);
    t.set(params::kEchoRateL, s.rate);
    t.set(params::kEchoRateR, s.rate * 0.5f);
    t.noteOn(60, 120);
    ASSERT_TRUE(t.render(2000, 333)) << s.name;
    t.noteOff(60);
    bool emptied = false;
    for (int i = 0; i < 400 && !emptied; ++i) {
      ASSERT_TRUE(t.render(4096, 1000)) << s.name;
      emptied = t.fast().engine().echo.left().empty() && t.fast().engine().echo.right().empty();
    }
    EXPECT_TRUE(emptied || s.feedback == 0.0f) << s.name;
    ASSERT_TRUE(t.sameState()) << s.name;
    t.set(params::kEchoRateL, s.rate + 0.05f);  // glides over the next block
    ASSERT_TRUE(t.render(3000, 333)) << s.name;
    t.noteOn(72, 100, 150);
    ASSERT_TRUE(t.render(6000, 333)) << s.name;
    ASSERT_TRUE(t.sameState()) << s.name;
  }
}

TEST_P(FastRenderer, OddBlockSizesAndStartOffsets) {
  twin.set(params::kSandCount, 0.3f);
  for (int block : {1, 7, 255, 4096}) {
    twin.noteOn(30 + block % 50, 100, block / 3);
    twin.noteOn(70, 60, 5000);
    ASSERT_TRUE(twin.render(block * (block < 100 ? 40 : 2), block)) << block;
  }
  twin.noteOff(70);
  play(9000, 4096);
}

TEST_P(FastRenderer, SampleRates) {
  for (float rate : {8001.0f, 22050.0f, 44100.0f, 96000.0f}) {
    Twin t(GetParam());
    t.sampleRate(rate);
    t.set(params::kSandCount, 0.3f);
    for (int key : {21, 60, 99, 108}) t.noteOn(key, 110);
    ASSERT_TRUE(t.render(4096, 256)) << rate;
    ASSERT_TRUE(t.sameState()) << rate;
  }
}

TEST_P(FastRenderer, SilenceGateAndVoiceReset) {
  chord({60, 64});
  play(2048, 256);
  twin.controller(123, 0);  // all notes off
  play(2048, 256);
  chord({61});
  twin.noteOff(61);
  for (int i = 0; i < 40; ++i) ASSERT_TRUE(twin.render(4096, 4096));
  ASSERT_TRUE(twin.sameState());
}

// A key whose springs have come to rest keeps its LFO, excitation level
// and weights frozen while a neighbour in the same group of lanes sounds.
// (Released keys usually settle into a tiny fixed point instead of exact
// zeros, so the rest is set up directly; a long-held key elsewhere keeps
// the silence gate from clearing the records.)
TEST_P(FastRenderer, KeysAtRestBesideSoundingOnes) {
  twin.set(params::kRelease, 0.0f);
  twin.set(params::kHitPower, 0.7f);
  twin.noteOn(30, 100);
  twin.noteOn(60, 120);
  play(2048, 512);
  twin.noteOff(60);
  play(8192, 4096);
  twin.both([](PluginHarness& h) {
    engine::KeyState& k = h.engine().keys[60];
    k.aOffsetPos = k.aMainPos = k.aOffsetVel = k.aMainVel = 0.0f;
    k.bPos0 = k.bPos1 = k.bVel0 = k.bVel1 = 0.0f;
    k.aOut = k.aOutFir = k.aOutPrev = k.bOut = k.bOutFir = k.bOutPrev = 0.0f;
  });
  twin.set(params::kSpringABalance, 0.3f);  // the records' weights differ from the renderer's
  twin.noteOn(59, 90);
  play(4096, 256);
  twin.noteOff(59);
  play(4096, 256);
}

// Groups of keys step side by side when consecutive sounding groups are
// both entirely held, or both steady with some keys not held; the buses
// must still take every sample's keys in ascending order. Lanes are
// grouped by eight (AVX2) or four (SSE2) from key 21, so each key set
// below gives each width its own mix of neighbours: runs of held groups of
// odd and even length, a held group beside a partly held one, neighbours
// across groups at rest, and a group left over at the end.
TEST_P(FastRenderer, GroupsSideBySideHeldAndPartlyHeld) {
  const std::initializer_list<int> sets[] = {
      {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38,
       39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56},
      {61, 62, 63, 64, 65, 66, 67, 68, 69,  70,  71,  72,  73,  74,  75,  76, 77,
       78, 79, 80, 81, 82, 83, 84, 95, 101, 102, 103, 104, 105, 106, 107, 108},
      {29, 45, 46, 53, 61, 69, 70, 77, 85, 93}};
  // Without spring B's gain no lane is coupled: the coupling terms are
  // masked off.
  for (float springB : {0.5f, 0.0f}) {
    for (size_t n = 0; n < std::size(sets); ++n) {
      Twin t(GetParam());
      t.set(params::kHitPower, 0.8f);
      t.set(params::kSpringBVolume, springB);
      for (int key : sets[n]) t.noteOn(key, 60 + key % 50);
      // Strokes first, then the held keys settle into the steady loops;
      // chunks of lengths that are not a multiple of the lane width.
      for (int block : {256, 251, 37, 5, 1000})
        ASSERT_TRUE(t.render(3000, block)) << springB << " " << n << " " << block;
      ASSERT_TRUE(t.sameState()) << springB << " " << n;
      EXPECT_TRUE(t.sounded());
    }
  }
}

// A group of a steady pair leaves the steady path mid-chunk (a released
// key falls silent) while its neighbour stays on it, then the other way
// round; and a key that starts later in a block joins a group of a pair.
TEST_P(FastRenderer, GroupsSideBySideWhereOneLeavesTheSteadyPath) {
  twin.set(params::kRelease, 0.0f);
  twin.set(params::kHitPower, 0.7f);
  chord({40, 41, 44, 45, 48, 49, 52, 53, 60, 61});
  play(4096, 256);
  twin.noteOff(44);
  twin.noteOff(49);
  for (int i = 0; i < 6; ++i) play(4096, 251);
  twin.noteOff(40);
  twin.noteOff(53);
  twin.noteOn(54, 90, 100);
  for (int i = 0; i < 6; ++i) play(4096, 199);
  twin.controller(64, 127);  // released keys ring on beside held ones
  twin.noteOff(41);
  twin.noteOff(60);
  play(8192, 256);
}

// Chunks in which held keys scrape (drawing, so stepped sample by sample)
// between chunks whose groups step side by side: each path takes over
// the state the other left, including a key struck within a block.
TEST_P(FastRenderer, ScrapeBetweenGroupsSideBySide) {
  twin.set(params::kSandCount, 0.2f);
  for (int key = 21; key <= 52; ++key) twin.noteOn(key, 80);
  chord({60, 61, 66, 71});
  play(4096, 256);
  for (int delta : {3, 130, 255}) {
    twin.noteOn(90, 100, delta);
    twin.controller(1, 40);
    play(512, 256);
    twin.controller(1, 0);
    play(2048, 251);
    twin.noteOff(90);
    twin.noteOff(61);
    play(1024, 256);
  }
}

// Rendering never leaves subnormals in the records (flush-to-zero), but
// both paths must agree if some arrive from elsewhere.
TEST_P(FastRenderer, SubnormalValuesInTheRecords) {
  chord({40, 60, 61, 80});
  play(2048, 256);
  twin.noteOff(61);
  twin.both([](PluginHarness& h) {
    engine::KeyState* k = h.engine().keys;
    k[60].aMainPos = 1e-40f;
    k[61].bPos1 = -3e-39f;
    k[40].sympPos = 2e-45f;
    k[80].aOutFir = 1e-39f;
    k[33].aMainPos = 5e-41f;  // a key at rest
    k[34].sympVel = 1e-40f;
  });
  play(4096, 256);
}

// Random programs and MIDI, as the robustness fuzz: every parameter may take
// its extremes.
TEST_P(FastRenderer, RandomProgramsAndMidi) {
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    std::mt19937 rng(seed);
    Twin t(GetParam());
    auto value = [&]() {
      std::uniform_real_distribution<float> unit(0.0f, 1.0f);
      const float r = unit(rng);
      if (r < 0.15f) return 0.0f;
      if (r < 0.3f) return 1.0f;
      return unit(rng);
    };
    static const float kRates[] = {11025.0f, 44100.0f, 48000.0f, 96000.0f};
    t.sampleRate(kRates[rng() % 4]);
    for (int i = 0; i < params::kNumParams; ++i) t.set(i, value());
    for (int b = 0; b < 30; ++b) {
      MidiBatch batch;
      const int events = static_cast<int>(rng() % 6);
      for (int e = 0; e < events; ++e) {
        static const unsigned char kStatus[] = {0x80, 0x90, 0x90, 0x90, 0xb0, 0xe0, 0xe0};
        const unsigned char status = kStatus[rng() % 7];
        unsigned char d1 = static_cast<unsigned char>(rng() % 128);
        const unsigned char d2 = static_cast<unsigned char>(rng() % 128);
        if (status == 0xb0) {
          static const unsigned char kControllers[] = {1, 1, 1, 64, 64, 123};
          d1 = kControllers[rng() % 6];
        }
        batch.add(status, d1, d2, static_cast<int>(rng() % 300));
      }
      t.send(batch);
      if (rng() % 8 == 0) t.set(static_cast<int>(rng() % params::kNumParams), value());
      ASSERT_TRUE(
          t.render(static_cast<int>(1 + rng() % 600), 1 + static_cast<int>(rng() % 600), false))
          << "seed " << seed << " block " << b;
    }
    ASSERT_TRUE(t.sameState()) << "seed " << seed;
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, FastRenderer,
                         ::testing::Values(FastKernelChoice::Avx2, FastKernelChoice::Sse2),
                         [](const ::testing::TestParamInfo<FastKernelChoice>& info) {
                           return info.param == FastKernelChoice::Avx2 ? "Avx2" : "Sse2";
                         });

}  // namespace
