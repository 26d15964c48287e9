// Whatever the host does within the interface — any parameter values, any
// MIDI bytes, any sample rate and block size — the output stays finite.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

float randomValue(std::mt19937& rng) {
  std::uniform_real_distribution<float> unit(0.0f, 1.0f);
  const float r = unit(rng);
  if (r < 0.15f) return 0.0f;
  if (r < 0.3f) return 1.0f;
  return unit(rng);
}

void fuzzOnce(uint32_t seed) {
  std::mt19937 rng(seed);
  PluginHarness h;
  static const float kRates[] = {8001.0f, 11025.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f};
  h.plugin().setSampleRate(kRates[rng() % 6]);
  for (int i = 0; i < 111; ++i) h.setParameter(i, randomValue(rng));
  const int blocks = 60;
  for (int b = 0; b < blocks; ++b) {
    MidiBatch batch;
    const int events = static_cast<int>(rng() % 6);
    for (int e = 0; e < events; ++e) {
      static const unsigned char kStatus[] = {0x80, 0x90, 0x90, 0x90, 0xb0, 0xe0, 0xe0, 0xd0};
      unsigned char status = kStatus[rng() % 8] | static_cast<unsigned char>(rng() % 16);
      unsigned char d1 = static_cast<unsigned char>(rng() % 128);
      unsigned char d2 = static_cast<unsigned char>(rng() % 128);
      if ((status & 0xf0) == 0xb0) {
        static const unsigned char kControllers[] = {1, 1, 1, 64, 64, 123, 7};
        d1 = kControllers[rng() % 7];
      }
      batch.add(status, d1, d2, static_cast<int>(rng() % 300));
    }
    h.send(batch);
    if (rng() % 10 == 0) h.setParameter(static_cast<int>(rng() % 111), randomValue(rng));
    Stereo s =
        h.render(static_cast<int>(1 + rng() % 700), 1 + static_cast<int>(rng() % 700), false);
    ASSERT_TRUE(allFinite(s)) << "seed " << seed << " block " << b;
  }
}

TEST(RobustnessFuzz, RandomProgramsAndMidiStayFinite) {
  for (uint32_t seed = 1; seed <= 40; ++seed) fuzzOnce(seed);
}

}  // namespace

namespace {

// A host that keeps switching programs and restoring chunks while keys
// ring: every retuning of a ringing resonator changes its energy, and such
// a sequence once pumped the springs until the body's drive overflowed.
TEST(RobustnessFuzz, ProgramSwitchingWhileKeysRingStaysFinite) {
  std::mt19937 rng(1);
  PluginHarness h;
  h.host().time.tempo = 97.0;
  void* data = nullptr;
  const VstInt32 size = h.plugin().getChunk(&data, false);
  std::vector<uint8_t> bank(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
  for (int block = 0; block < 2200; ++block) {
    const int changes = static_cast<int>(rng() % 40);
    for (int c = 0; c < changes; ++c) {
      const unsigned kind = rng() % 100;
      if (kind < 80) {
        h.setParameter(static_cast<int>(rng() % 111), randomValue(rng));
      } else if (kind < 83) {
        h.plugin().setProgram(static_cast<VstInt32>(rng() % 64));
      } else if (kind < 85) {
        h.plugin().setChunk(bank.data(), size, false);
      } else if (kind < 87) {
        h.plugin().getChunk(&data, false);
        bank.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
      } else {
        const int key = 21 + static_cast<int>(rng() % 88);
        h.plugin().noteOn(key, 0.8f);
        h.plugin().noteOff(key);
      }
    }
    MidiBatch batch;
    for (unsigned e = rng() % 3; e > 0; --e)
      batch.add(rng() % 2 ? 0x90 : 0x80, static_cast<unsigned char>(30 + rng() % 60),
                static_cast<unsigned char>(rng() % 128), static_cast<int>(rng() % 64));
    h.send(batch);
    Stereo s = h.render(1 + static_cast<int>(rng() % 512), 512, false);
    ASSERT_TRUE(allFinite(s)) << "block " << block;
  }
}

}  // namespace
