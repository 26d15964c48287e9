// The building blocks of the fast renderer against the scalar operations
// they replace, on the awkward inputs: NaN, signed zeros, subnormals,
// halves and huge values. (The AVX2 lanes are checked through the
// equivalence tests; this file is compiled for the baseline only.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "engine/fast_keys.h"
#include "engine/lanes_sse2.h"
#include "engine/quiet.h"
#include "engine/tremolo_sine.h"
#include "params/parameter_table.h"
#include "platform/crt_random.h"
#include "platform/fp_mode.h"
#include "support/plugin_harness.h"

namespace {

using L = engine::lanes_sse2::Isa;

uint32_t bits(float x) {
  uint32_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

uint64_t bits(double x) {
  uint64_t b;
  std::memcpy(&b, &x, sizeof b);
  return b;
}

std::vector<float> awkwardFloats() {
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> v = {0.0f,
                          -0.0f,
                          1.0f,
                          -1.0f,
                          0.5f,
                          -0.5f,
                          1.5f,
                          -1.5f,
                          2.5f,
                          -2.5f,
                          0.3f,
                          -0.3f,
                          1e-40f,
                          -1e-40f,
                          1e-45f,
                          3e-39f,
                          1e-38f,
                          8e6f,
                          -8e6f,
                          9e6f,
                          -9e6f,
                          3e9f,
                          -3e9f,
                          1e30f,
                          inf,
                          -inf,
                          std::numeric_limits<float>::quiet_NaN(),
                          -std::numeric_limits<float>::quiet_NaN(),
                          8388607.5f,
                          -8388607.5f};
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> u(-5.0f, 5.0f);
  for (int i = 0; i < 200; ++i) v.push_back(u(rng));
  return v;
}

// Applies a lane operation to every pair (a, b) four at a time.
template <typename Vector, typename Scalar>
void expectLanewise(Vector vectorOp, Scalar scalarOp, const char* what) {
  const std::vector<float> v = awkwardFloats();
  for (float a : v) {
    for (size_t i = 0; i < v.size(); i += 4) {
      float as[4], bs[4], out[4];
      for (int k = 0; k < 4; ++k) {
        as[k] = a;
        bs[k] = v[std::min(i + k, v.size() - 1)];
      }
      L::store(out, vectorOp(L::load(as), L::load(bs)));
      for (int k = 0; k < 4; ++k) {
        const float want = scalarOp(as[k], bs[k]);
        ASSERT_TRUE(bits(out[k]) == bits(want) || (std::isnan(out[k]) && std::isnan(want)))
            << what << "(" << as[k] << ", " << bs[k] << "): " << out[k] << " vs " << want;
      }
    }
  }
}

TEST(FastKernelExactness, MinMaxKeepTheStandardOperandOrder) {
  expectLanewise([](L::F a, L::F b) { return L::min(a, b); },
                 [](float a, float b) { return std::min(a, b); }, "min");
  expectLanewise([](L::F a, L::F b) { return L::max(a, b); },
                 [](float a, float b) { return std::max(a, b); }, "max");
}

TEST(FastKernelExactness, ComparisonsAndSelectKeepCxxMeaning) {
  auto asFloat = [](L::M m, L::F a, L::F b) { return L::select(m, a, b); };
  expectLanewise([&](L::F a, L::F b) { return asFloat(L::ge(a, b), a, b); },
                 [](float a, float b) { return a >= b ? a : b; }, "ge");
  expectLanewise([&](L::F a, L::F b) { return asFloat(L::gt(a, b), a, b); },
                 [](float a, float b) { return a > b ? a : b; }, "gt");
  expectLanewise([&](L::F a, L::F b) { return asFloat(L::ne(a, b), a, b); },
                 [](float a, float b) { return a != b ? a : b; }, "ne");
  expectLanewise([&](L::F a, L::F b) { return asFloat(L::le(a, b), a, b); },
                 [](float a, float b) { return a <= b ? a : b; }, "le");
}

TEST(FastKernelExactness, FloorQuietAndAbsMatchTheScalarOnes) {
  for (float x : awkwardFloats()) {
    float in[4] = {x, -x, x * 0.5f, x + 0.25f};
    float f[4], q[4], a[4];
    L::store(f, L::floor(L::load(in)));
    L::store(q, L::select(L::quiet(L::load(in)), L::set(1.0f), L::set(0.0f)));
    L::store(a, L::abs(L::load(in)));
    for (int k = 0; k < 4; ++k) {
      const float want = std::floor(in[k]);
      EXPECT_TRUE(bits(f[k]) == bits(want) || (std::isnan(f[k]) && std::isnan(want)))
          << "floor(" << in[k] << ") = " << f[k];
      EXPECT_EQ(q[k] != 0.0f, engine::isQuiet(in[k])) << in[k];
      EXPECT_EQ(bits(a[k]), bits(std::fabs(in[k]))) << in[k];
    }
  }
}

TEST(FastKernelExactness, DrawsFollowTheGeneratorInLaneOrder) {
  std::mt19937 rng(3);
  platform::CrtRandom reference(12345);
  uint32_t state = reference.state();
  for (int round = 0; round < 500; ++round) {
    const int laneBits = static_cast<int>(rng() % 16);
    float got[4];
    L::store(got, L::drawInts(state, laneBits));
    for (int lane = 0; lane < 4; ++lane) {
      if (!((laneBits >> lane) & 1)) continue;
      EXPECT_EQ(got[lane], static_cast<float>(reference.rand())) << round << " " << lane;
    }
    ASSERT_EQ(state, reference.state());
  }
}

TEST(FastKernelExactness, JumpAheadDrawsMatchTheGeneratorStepByStep) {
  for (uint32_t seed : {1u, 12345u, 0xdeadbeefu}) {
    platform::CrtRandom reference(seed);
    float want[64];
    for (float& w : want) w = static_cast<float>(reference.rand());
    for (int first = 0; first + 4 <= 64; first += 4) {
      float got[4];
      L::store(got, L::drawIntsAt(seed, first));
      for (int i = 0; i < 4; ++i) EXPECT_EQ(got[i], want[first + i]) << seed << " " << first;
    }
    EXPECT_EQ(engine::kCrtJumps.mul[64] * seed + engine::kCrtJumps.add[64], reference.state());
  }
}

TEST(FastKernelExactness, InlineTremoloSineMatchesTheLibraryOne) {
  std::vector<double> xs = {0.0,
                            -0.0,
                            1.0,
                            -1.0,
                            3.141592653589793,
                            -3.141592653589793,
                            1.5707963267948966,
                            4.71238898038469,
                            7.853981633974483,
                            1e15,
                            -1e15,
                            1.4e16,
                            3e17,
                            1e300,
                            -1e300,
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::quiet_NaN()};
  // Halves of pi: the rounding of n breaks ties away from zero.
  for (int k = -40; k <= 40; ++k) xs.push_back((k + 0.5) * 3.141592653589793);
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(-20.0, 20.0);
  for (int i = 0; i < 20000; ++i) xs.push_back(static_cast<double>(static_cast<float>(u(rng))));
  for (double x : xs) {
    const double a = engine::tremoloSine(x);
    const double b = engine::tremoloSineInline(x);
    EXPECT_TRUE(bits(a) == bits(b) || (std::isnan(a) && std::isnan(b))) << x;
  }
}

// The spring phase works only on chunks without draws; it refuses the
// others so that they are rendered sample by sample.
TEST(FastKernelExactness, SpringPhaseRefusesChunksWhereKeysDraw) {
  for (engine::FastKernelChoice choice :
       {engine::FastKernelChoice::Avx2, engine::FastKernelChoice::Sse2}) {
    const engine::FastKernels* kernels = engine::fastKeyKernels(choice);
    ASSERT_NE(kernels, nullptr);
    testing_support::PluginHarness h;
    h.noteOn(60, 100);
    h.render(512);
    auto lanes = std::make_unique<engine::KeyLanes>();
    auto in = std::make_unique<engine::ChunkInputs>();
    auto buses = std::make_unique<engine::ChunkBuses>();
    auto trace = std::make_unique<engine::FreqTrace>();
    engine::ChunkParams cp;
    cp.p = h.engine().keyParams;
    in->count = 16;
    for (int j = 0; j < 16; ++j) {
      in->saturation[j] = 0.5f;
      in->bend[j] = 1.0f;
      in->noiseFreq[j] = in->noiseRes[j] = 0.0f;
      in->scrape[j] = 0.0f;
    }
    in->bendConstant = true;
    lanes->load(h.engine().keys, 0, 0);
    EXPECT_TRUE(kernels->springPhase(*lanes, *in, cp, *buses, *trace)) << kernels->name;

    in->scrape[9] = 0.01f;  // the held key would scrape
    in->anyScrape = true;
    lanes->load(h.engine().keys, 0, 0);
    EXPECT_FALSE(kernels->springPhase(*lanes, *in, cp, *buses, *trace)) << kernels->name;
  }
}

}  // namespace

namespace {

// Every key's sympathetic resonator through the fast phase and through the
// scalar step, sample by sample, from the given positions and velocities.
void expectSympatheticPhaseMatches(const engine::FastKernels& kernels,
                                   const std::vector<std::pair<float, float>>& states) {
  testing_support::PluginHarness h;
  h.render(64);
  engine::KeyState* keys = h.engine().keys;
  // Eight neighbouring keys share a state, so that no group's lanes take
  // the careful step only because a neighbour needs it.
  for (int i = 0; i < engine::kRenderedKeys; ++i) {
    const auto& s = states[(i / 8) % states.size()];
    keys[engine::kLowestKey + i].sympPos = s.first;
    keys[engine::kLowestKey + i].sympVel = s.second;
  }
  auto lanes = std::make_unique<engine::KeyLanes>();
  auto in = std::make_unique<engine::ChunkInputs>();
  auto buses = std::make_unique<engine::ChunkBuses>();
  auto trace = std::make_unique<engine::FreqTrace>();
  constexpr int kCount = 13;
  in->count = kCount;
  std::vector<uint8_t> drives(kCount, 0);
  std::vector<float> drive(kCount, 0.0f);
  engine::ChunkParams cp;
  cp.drives = drives.data();
  cp.drive = drive.data();
  *buses = {};
  *trace = {};
  lanes->load(keys, 0, 0);
  platform::ScopedFlushToZero flushToZero;
  kernels.sympPhase(*lanes, *in, cp, *trace, *buses);
  for (int j = 0; j < kCount; ++j) {
    engine::BusSums sums;
    for (int i = 0; i < engine::kRenderedKeys; ++i)
      engine::sympatheticStep(keys[engine::kLowestKey + i], sums);
    ASSERT_EQ(bits(sums.sym1), bits(buses->sym1[j])) << kernels.name << " sample " << j;
    ASSERT_EQ(bits(sums.sym0), bits(buses->sym0[j])) << kernels.name << " sample " << j;
  }
  for (int i = 0; i < engine::kRenderedKeys; ++i) {
    const engine::KeyState& k = keys[engine::kLowestKey + i];
    EXPECT_EQ(bits(k.sympPos), bits(lanes->state.sympPos[i])) << kernels.name << " key " << i;
    EXPECT_EQ(bits(k.sympVel), bits(lanes->state.sympVel[i])) << kernels.name << " key " << i;
  }
}

TEST(FastKernelExactness, SympatheticResonatorsStopAndDieOutLikeTheScalarOnes) {
  const float tiny = 1e-30f;
  // Velocity one unit above the position: the damped velocity is still a
  // normal number, but the step it gives flushes to zero and the resonator
  // dies out where it stands.
  const float aboveTiny = std::nextafter(tiny, 1.0f);
  const std::vector<std::pair<float, float>> states = {
      {0.3f, -0.2f}, {tiny, aboveTiny}, {-tiny, -std::nextafter(tiny, 1.0f)},
      {0.0f, 0.0f},  {0.2f, 0.2f},      {1e-38f, 3e-38f},
      {0.0f, -0.0f}, {-0.0f, 1e-37f},   {0.5f, 0.5f + 1e-7f}};
  for (engine::FastKernelChoice choice :
       {engine::FastKernelChoice::Avx2, engine::FastKernelChoice::Sse2})
    expectSympatheticPhaseMatches(*engine::fastKeyKernels(choice), states);
}

}  // namespace
