// The fast renderer's stage kernels against the scalar stages they replace,
// on both instruction sets, over ordinary values and the awkward ones
// (signed zeros, subnormals, infinities, NaN, exact multiples of pi).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "engine/drive.h"
#include "engine/fast_keys.h"
#include "engine/output_crush.h"
#include "engine/quiet.h"
#include "engine/tremolo_sine.h"
#include "platform/fp_mode.h"

using engine::FastKernelChoice;

namespace {

template <typename T>
bool sameBits(T a, T b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

std::vector<float> awkwardFloats() {
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> v = {0.0f, -0.0f, 1e-40f, -1e-40f, 1e-30f,  inf,     -inf,    std::nanf(""),
                          1.0f, -1.0f, 0.5f,   -0.5f,   0.9999f, 1.0001f, 3.4e38f, -3.4e38f,
                          2.0f, -2.0f, 1e-5f,  -1e-6f,  0.25f,   0.75f,   -0.75f,  1.5f};
  for (int k = -40; k <= 40; ++k) {
    const float m = static_cast<float>(k) * 3.14159265f;
    v.push_back(m);
    v.push_back(std::nextafter(m, inf));
    v.push_back(std::nextafter(m, -inf));
    v.push_back(m + 1.5707964f);
  }
  std::mt19937 rng(7);
  std::uniform_real_distribution<float> wide(-1e7f, 1e7f), narrow(-1.5f, 1.5f);
  for (int i = 0; i < 2000; ++i) v.push_back(i % 2 ? wide(rng) : narrow(rng));
  return v;
}

class StageKernels : public ::testing::TestWithParam<FastKernelChoice> {
 protected:
  const engine::FastKernels& kernels = *engine::fastKeyKernels(GetParam());
};

TEST_P(StageKernels, TremoloSinesMatchTheScalarSineEverywhere) {
  const std::vector<float> x = awkwardFloats();
  std::vector<double> sine(x.size());
  kernels.tremoloSines(x.data(), static_cast<int32_t>(x.size()), sine.data());
  for (size_t i = 0; i < x.size(); ++i)
    ASSERT_TRUE(sameBits(sine[i], engine::tremoloSineInline(static_cast<double>(x[i]))))
        << "x = " << x[i] << ": " << sine[i];
}

// Crush, wet mix, quiet test and drive, for settings that switch each part
// on and off, over every count up to a few lanes (the tails).
TEST_P(StageKernels, ShapingMatchesTheScalarStages) {
  platform::ScopedFlushToZero flushToZero;
  const std::vector<float> values = awkwardFloats();
  std::mt19937 rng(11);
  std::uniform_int_distribution<size_t> pick(0, values.size() - 1);
  struct Setting {
    int bits;
    float curve, wet, volume;
  };
  const Setting settings[] = {{16, 0.0f, 0.0f, 0.5f},
                              {3, 0.7f, 0.4f, 0.8f},
                              {0, 1.0f, 1.0f, 1.0f},
                              {8, 0.2f, 0.0f, 0.51f},
                              {5, 0.5f, 0.9f, 0.2f}};
  for (const Setting& s : settings) {
    engine::OutputCrush crush;
    crush.setBits(s.bits);
    crush.setCurve(s.curve);
    engine::Drive drive;
    drive.setVolume(s.volume);
    for (int count = 1; count <= 40; ++count) {
      std::vector<float> sp0(count), sp1(count), sy0(count), sy1(count), o0(count), o1(count);
      for (int i = 0; i < count; ++i) {
        sp0[i] = values[pick(rng)];
        sp1[i] = values[pick(rng)];
        sy0[i] = values[pick(rng)];
        sy1[i] = values[pick(rng)];
      }
      engine::ShapeChunk c{sp0.data(),      sp1.data(),   sy0.data(),    sy1.data(),
                           o0.data(),       o1.data(),    count,         true,
                           crush.levels(),  crush.step(), crush.shape(), s.wet,
                           drive.outputGain};
      kernels.shapeChunk(c);
      for (int i = 0; i < count; ++i) {
        const auto scalar = [&](float spring, float sym) {
          float o = crush.process(spring) + sym;
          if (s.wet != 0.0f) o = o + (sym - o) * s.wet;
          if (engine::isQuiet(o)) o = 0.0f;
          return drive.process(o);
        };
        ASSERT_TRUE(sameBits(o0[i], scalar(sp0[i], sy0[i])))
            << sp0[i] << " + " << sy0[i] << " gave " << o0[i] << " (bits " << s.bits << ")";
        ASSERT_TRUE(sameBits(o1[i], scalar(sp1[i], sy1[i])))
            << sp1[i] << " + " << sy1[i] << " gave " << o1[i] << " (bits " << s.bits << ")";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Kernels, StageKernels,
                         ::testing::Values(FastKernelChoice::Avx2, FastKernelChoice::Sse2),
                         [](const auto& info) {
                           return info.param == FastKernelChoice::Avx2 ? "Avx2" : "Sse2";
                         });

}  // namespace
