// A host's threads at once: the audio thread renders and feeds MIDI while
// an automation thread, the host's user-interface thread and the editor's
// thread change parameters, programs and chunks. Built also under
// ThreadSanitizer, which must report nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "params/parameter_table.h"
#include "plugin/quarnel.h"

namespace {

// A host that answers from constant data only, so any thread may call it.
VstTimeInfo hostTime() {
  VstTimeInfo t{};
  t.sampleRate = 48000.0;
  t.tempo = 97.0;
  t.ppqPos = 3.5;
  t.timeSigNumerator = 4;
  t.timeSigDenominator = 4;
  t.flags = kVstTempoValid | kVstPpqPosValid | kVstTransportPlaying;
  return t;
}
const VstTimeInfo kTime = hostTime();

VstIntPtr constantHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<VstIntPtr>(&kTime);
  return 0;
}

double stressSeconds() {
  const char* text = std::getenv("VELLMARK_STRESS_SECONDS");
  const double seconds = text ? std::atof(text) : 0.0;
  return seconds > 0.0 ? seconds : 1.5;
}

float hostileValue(std::mt19937& rng) {
  switch (rng() % 16) {
    case 0:
      return std::numeric_limits<float>::quiet_NaN();
    case 1:
      return 7.0f;
    case 2:
      return -3.0f;
    default:
      return std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
  }
}

// Up to two events: what VstEvents itself holds.
struct MidiBlock {
  VstMidiEvent midi[2];
  VstEvent* pointers[2];
  VstEvents* events() {
    list.numEvents = count;
    for (int i = 0; i < count && i < 2; ++i) list.events[i] = pointers[i];
    return &list;
  }
  int count = 0;
  VstEvents list{};
};

TEST(HostThreads, EveryThreadAtOnceLeavesTheStateTheLastCallsSet) {
  Quarnel plugin(constantHost);
  ASSERT_TRUE(plugin.constructed());
  plugin.resume();
  void* data = nullptr;
  const VstInt32 bankSize = plugin.getChunk(&data, false);
  std::vector<uint8_t> bank(static_cast<const uint8_t*>(data),
                            static_cast<const uint8_t*>(data) + bankSize);

  std::atomic<bool> stop{false};
  std::atomic<bool> finite{true};
  std::atomic<long> blocks{0};

  std::thread audio([&] {
    std::mt19937 rng(1);
    std::vector<float> left(512), right(512);
    float* outputs[2] = {left.data(), right.data()};
    MidiBlock block;
    while (!stop.load()) {
      block.count = static_cast<int>(rng() % 3);
      for (int i = 0; i < block.count; ++i) {
        VstMidiEvent& m = block.midi[i];
        m = VstMidiEvent{};
        m.type = kVstMidiType;
        m.byteSize = sizeof(VstMidiEvent);
        m.deltaFrames = static_cast<VstInt32>(rng() % 64);
        m.midiData[0] = static_cast<char>(rng() % 2 ? 0x90 : 0x80);
        m.midiData[1] = static_cast<char>(30 + rng() % 60);
        m.midiData[2] = static_cast<char>(rng() % 128);
        block.pointers[i] = reinterpret_cast<VstEvent*>(&m);
      }
      plugin.processEvents(block.events());
      const VstInt32 frames = 1 + static_cast<VstInt32>(rng() % 512);
      plugin.processReplacing(nullptr, outputs, frames);
      for (VstInt32 i = 0; i < frames; ++i)
        if (!std::isfinite(left[i]) || !std::isfinite(right[i])) finite.store(false);
      blocks.fetch_add(1);
    }
  });

  std::thread automation([&] {
    std::mt19937 rng(2);
    while (!stop.load()) {
      plugin.setParameter(static_cast<VstInt32>(rng() % 111), hostileValue(rng));
      // Automation at a busy host's pace, not a flood.
      std::this_thread::sleep_for(std::chrono::microseconds(20));
    }
  });

  std::thread userInterface([&] {
    std::mt19937 rng(3);
    char text[64];
    while (!stop.load()) {
      switch (rng() % 6) {
        case 0:
          plugin.setProgram(static_cast<VstInt32>(rng() % 64));
          break;
        case 1:
          plugin.setChunk(bank.data(), static_cast<VstInt32>(bank.size()), false);
          break;
        case 2: {
          void* chunk = nullptr;
          const VstInt32 size = plugin.getChunk(&chunk, rng() % 2 == 0);
          std::vector<uint8_t> copy(static_cast<const uint8_t*>(chunk),
                                    static_cast<const uint8_t*>(chunk) + size);
          if (size == bankSize) bank = copy;
          break;
        }
        case 3:
          std::snprintf(text, sizeof text, "Prog %u", static_cast<unsigned>(rng() % 1000));
          plugin.setProgramName(text);
          break;
        case 4:
          plugin.getProgramNameIndexed(0, static_cast<VstInt32>(rng() % 64), text);
          break;
        default:
          plugin.getParameterDisplay(static_cast<VstInt32>(rng() % 111), text);
          break;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  });

  std::thread editor([&] {
    std::mt19937 rng(4);
    while (!stop.load()) {
      if (rng() % 4 == 0) {
        const int key = 21 + static_cast<int>(rng() % 88);
        plugin.noteOn(key, 0.8f);
        plugin.noteOff(key);
      } else {
        plugin.setParameterAutomated(static_cast<VstInt32>(rng() % 111),
                                     std::uniform_real_distribution<float>(0.0f, 1.0f)(rng));
      }
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  });

  std::this_thread::sleep_for(std::chrono::duration<double>(stressSeconds()));
  stop.store(true);
  audio.join();
  automation.join();
  userInterface.join();
  editor.join();
  EXPECT_TRUE(finite.load());
  EXPECT_GT(blocks.load(), 10);

  // A fresh instance takes the bank as the threads left it; then both get
  // the same last calls: a program, then one value of every parameter.
  Quarnel fresh(constantHost);
  void* image = nullptr;
  ASSERT_EQ(plugin.getChunk(&image, false), bankSize);
  ASSERT_EQ(fresh.setChunk(image, bankSize, false), 1);
  plugin.setProgram(9);
  fresh.setProgram(9);
  std::mt19937 rng(5);
  std::vector<float> last(111);
  for (int i = 0; i < 111; ++i) {
    last[i] = std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
    plugin.setParameter(i, last[i]);
  }
  for (int i = 0; i < 111; ++i) EXPECT_EQ(plugin.getParameter(i), last[i]) << i;
  float left[64], right[64];
  float* outputs[2] = {left, right};
  plugin.processReplacing(nullptr, outputs, 64);  // the engine takes them

  // The engine settles where the fresh one does.
  for (int i = 0; i < 111; ++i) fresh.setParameter(i, last[i]);
  const engine::Engine& a = plugin.engineState();
  const engine::Engine& b = fresh.engineState();
  EXPECT_EQ(a.concertA(), b.concertA());
  EXPECT_EQ(a.decayCoef(), b.decayCoef());
  EXPECT_EQ(a.releaseCoef(), b.releaseCoef());
  EXPECT_EQ(a.tremoloDepth(), b.tremoloDepth());
  EXPECT_EQ(a.filters.highpass.b, b.filters.highpass.b);
  EXPECT_EQ(a.filters.lowpass.b, b.filters.lowpass.b);
  EXPECT_EQ(a.phaser.phaserFreq, b.phaser.phaserFreq);
  EXPECT_EQ(a.echo.wet(), b.echo.wet());
  EXPECT_EQ(a.sand.sandCount, b.sand.sandCount);
  EXPECT_EQ(a.body.bodyTune, b.body.bodyTune);
  for (int key = 21; key <= 108; ++key) {
    EXPECT_EQ(a.keys[key].aMainFreqBase, b.keys[key].aMainFreqBase) << key;
    EXPECT_EQ(a.keys[key].aOffsetFreqBase, b.keys[key].aOffsetFreqBase) << key;
  }
}

}  // namespace
