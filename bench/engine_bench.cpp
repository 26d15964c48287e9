// Real-time cost of the engine at 48 kHz in 256-frame blocks. Each
// benchmark reports "rtf": seconds of audio rendered per second of CPU time
// on one core.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "params/parameter_table.h"
#include "plugin/create_instance.h"
#include "plugin/quarnel.h"

namespace {

constexpr int kRate = 48000;
constexpr int kBlock = 256;

VstIntPtr benchHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  static VstTimeInfo time = [] {
    VstTimeInfo t{};
    t.sampleRate = kRate;
    t.tempo = 120.0;
    t.flags = kVstTempoValid;
    return t;
  }();
  if (opcode == audioMasterVersion) return 2400;
  if (opcode == audioMasterGetTime) return reinterpret_cast<VstIntPtr>(&time);
  return 0;
}

struct Scenario {
  std::unique_ptr<Quarnel> plugin;
  std::vector<float> left = std::vector<float>(kBlock), right = std::vector<float>(kBlock);

  explicit Scenario(engine::KeyRendererKind kind) : plugin(new Quarnel(benchHost)) {
    plugin->engineState().keyRenderer = kind;
  }
  void note(int key, int velocity = 100) {
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.byteSize = sizeof e;
    e.midiData[0] = static_cast<char>(0x90);
    e.midiData[1] = static_cast<char>(key);
    e.midiData[2] = static_cast<char>(velocity);
    VstEvents list{};
    list.numEvents = 1;
    list.events[0] = reinterpret_cast<VstEvent*>(&e);
    plugin->processEvents(&list);
  }
  void controller(int number, int value) {
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.midiData[0] = static_cast<char>(0xb0);
    e.midiData[1] = static_cast<char>(number);
    e.midiData[2] = static_cast<char>(value);
    VstEvents list{};
    list.numEvents = 1;
    list.events[0] = reinterpret_cast<VstEvent*>(&e);
    plugin->processEvents(&list);
  }
  void block() {
    float* outputs[2] = {left.data(), right.data()};
    plugin->processReplacing(nullptr, outputs, kBlock);
  }
};

void run(benchmark::State& state, Scenario& s) {
  for (auto _ : state) {
    s.block();
    benchmark::DoNotOptimize(s.left.data());
  }
  const double audioSeconds = static_cast<double>(state.iterations()) * kBlock / kRate;
  state.counters["rtf"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
}

void BM_InstanceCreation(benchmark::State& state) {
  for (auto _ : state) {
    AEffect* e = createInstance(benchHost);
    benchmark::DoNotOptimize(e);
    e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
  }
}
BENCHMARK(BM_InstanceCreation)->Unit(benchmark::kMillisecond);

void BM_SilentBlock(benchmark::State& state) {
  Scenario s(engine::KeyRendererKind::Fast);
  run(state, s);
}
BENCHMARK(BM_SilentBlock);

void oneHeldNote(benchmark::State& state, engine::KeyRendererKind kind) {
  Scenario s(kind);
  s.note(60);
  for (int i = 0; i < 200; ++i) s.block();
  run(state, s);
}

// Every key struck with the pedal down, and body, phaser, sand and echo on.
void allKeys(benchmark::State& state, engine::KeyRendererKind kind) {
  Scenario s(kind);
  s.plugin->setParameter(params::kSandCount, 0.5f);
  s.plugin->setParameter(params::kEchoWet, 0.3f);
  s.plugin->setParameter(params::kBodyVolume, 0.5f);
  s.plugin->setParameter(params::kBodyPhaseMix, 0.6f);
  s.controller(64, 127);
  for (int key = 21; key <= 108; ++key) s.note(key, 90);
  for (int i = 0; i < 20; ++i) s.block();
  run(state, s);
}

void BM_OneHeldNote(benchmark::State& state) { oneHeldNote(state, engine::KeyRendererKind::Fast); }
void BM_OneHeldNoteReference(benchmark::State& state) {
  oneHeldNote(state, engine::KeyRendererKind::Reference);
}
void BM_AllKeysPedalEffects(benchmark::State& state) { allKeys(state, engine::KeyRendererKind::Fast); }
void BM_AllKeysPedalEffectsReference(benchmark::State& state) {
  allKeys(state, engine::KeyRendererKind::Reference);
}
BENCHMARK(BM_OneHeldNote);
BENCHMARK(BM_OneHeldNoteReference);
BENCHMARK(BM_AllKeysPedalEffects);
BENCHMARK(BM_AllKeysPedalEffectsReference);

}  // namespace

BENCHMARK_MAIN();
