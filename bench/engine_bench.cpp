// Real-time cost of the engine at 48 kHz in 256-frame blocks. Each
// benchmark reports "rtf": seconds of audio rendered per second of CPU time
// on one core. Every scenario runs with the fast key renderer and with the
// plain reference renderer.
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
  void midi(int status, int data1, int data2) {
    VstMidiEvent e{};
    e.type = kVstMidiType;
    e.byteSize = sizeof e;
    e.midiData[0] = static_cast<char>(status);
    e.midiData[1] = static_cast<char>(data1);
    e.midiData[2] = static_cast<char>(data2);
    VstEvents list{};
    list.numEvents = 1;
    list.events[0] = reinterpret_cast<VstEvent*>(&e);
    plugin->processEvents(&list);
  }
  void note(int key, int velocity = 100) { midi(0x90, key, velocity); }
  void controller(int number, int value) { midi(0xb0, number, value); }
  void block() {
    float* outputs[2] = {left.data(), right.data()};
    plugin->processReplacing(nullptr, outputs, kBlock);
    benchmark::DoNotOptimize(left.data());
    benchmark::DoNotOptimize(right.data());
  }
};

void reportRate(benchmark::State& state, int blocksPerIteration) {
  const double audioSeconds =
      static_cast<double>(state.iterations()) * blocksPerIteration * kBlock / kRate;
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

// (a) No key sounding: the synthesis is skipped, filters and echo run.
void silence(benchmark::State& state, engine::KeyRendererKind kind) {
  Scenario s(kind);
  for (auto _ : state) s.block();
  reportRate(state, 1);
}

// (b) One held note (middle C), measured from its second second on; the
// body drives every sympathetic resonator. The sound changes as the note
// decays, so this and the chords below always measure the same stretch of
// audio (a fixed number of blocks), whatever the speed.
void oneHeldNote(benchmark::State& state, engine::KeyRendererKind kind) {
  Scenario s(kind);
  s.note(60);
  for (int i = 0; i < kRate / kBlock; ++i) s.block();
  for (auto _ : state) s.block();
  reportRate(state, 1);
}

// (a2) Silence after a sound: a note with the echo on, released, and its
// echo tail left to die away completely before the measurement.
void silenceAfterEchoTail(benchmark::State& state, engine::KeyRendererKind kind) {
  Scenario s(kind);
  s.plugin->setParameter(params::kEchoWet, 0.3f);
  s.plugin->setParameter(params::kEchoFeedback, 0.5f);
  s.note(60);
  for (int i = 0; i < kRate / kBlock / 2; ++i) s.block();
  s.note(60, 0);
  for (int i = 0; i < 40 * kRate / kBlock; ++i) s.block();
  for (auto _ : state) s.block();
  reportRate(state, 1);
}

// (b2) An eight-note chord held with the pedal, measured from its second
// second on.
void chordWithPedal(benchmark::State& state, engine::KeyRendererKind kind) {
  Scenario s(kind);
  s.controller(64, 127);
  for (int key : {36, 43, 48, 52, 55, 60, 64, 67}) s.note(key);
  for (int i = 0; i < kRate / kBlock; ++i) s.block();
  for (auto _ : state) s.block();
  reportRate(state, 1);
}

// Many instances in one process, as a host runs them: 16 tracks, each
// holding a four-note chord. "rtf" is for all 16 together.
void sixteenInstances(benchmark::State& state, engine::KeyRendererKind kind) {
  std::vector<std::unique_ptr<Scenario>> tracks;
  for (int t = 0; t < 16; ++t) {
    tracks.push_back(std::make_unique<Scenario>(kind));
    for (int key : {48, 55, 60, 64}) tracks.back()->note(key + t % 5, 80 + t);
  }
  for (int i = 0; i < kRate / kBlock; ++i)
    for (auto& track : tracks) track->block();
  for (auto _ : state)
    for (auto& track : tracks) track->block();
  reportRate(state, 1);
}

// (c) All 88 keys struck with the sustain pedal down, body, phaser, sand
// (SAND NUM 0.3) and echo (wet 0.3) on. Each iteration builds a fresh
// instance and strikes the keys with the timer paused, then measures the
// first two seconds after the strike, during which every key sounds.
constexpr int kAllKeysBlocks = 2 * kRate / kBlock;

// Body, phaser, sand and echo on, the pedal down, then every key struck.
void strikeAllKeysWithEffects(Scenario& s, bool noise) {
  s.plugin->setParameter(params::kSandCount, 0.3f);
  s.plugin->setParameter(params::kEchoWet, 0.3f);
  s.plugin->setParameter(params::kBodyVolume, 0.5f);
  s.plugin->setParameter(params::kBodyPhaseMix, 0.6f);
  if (noise) s.plugin->setParameter(params::kSpringBDiffusion, 1.0f);
  s.controller(64, 127);
  for (int key = 21; key <= 108; ++key) s.note(key, 90);
}

void allKeys(benchmark::State& state, engine::KeyRendererKind kind) {
  for (auto _ : state) {
    state.PauseTiming();
    Scenario s(kind);
    strikeAllKeysWithEffects(s, false);
    state.ResumeTiming();
    for (int i = 0; i < kAllKeysBlocks; ++i) s.block();
  }
  reportRate(state, kAllKeysBlocks);
}

// (d) Keys that draw random numbers: all 88 keys struck with the pedal
// down while the mod wheel keeps moving (scrape), or in noise mode, with
// the same effects as (c). These run sample by sample.
void drawingKeys(benchmark::State& state, engine::KeyRendererKind kind, bool noise) {
  for (auto _ : state) {
    state.PauseTiming();
    Scenario s(kind);
    strikeAllKeysWithEffects(s, noise);
    state.ResumeTiming();
    for (int i = 0; i < kAllKeysBlocks; ++i) {
      if (!noise) {
        state.PauseTiming();
        s.controller(1, (i * 5) % 128);
        state.ResumeTiming();
      }
      s.block();
    }
  }
  reportRate(state, kAllKeysBlocks);
}

void BM_Silence(benchmark::State& state) { silence(state, engine::KeyRendererKind::Fast); }
void BM_SilenceReference(benchmark::State& state) {
  silence(state, engine::KeyRendererKind::Reference);
}
void BM_OneHeldNote(benchmark::State& state) { oneHeldNote(state, engine::KeyRendererKind::Fast); }
void BM_OneHeldNoteReference(benchmark::State& state) {
  oneHeldNote(state, engine::KeyRendererKind::Reference);
}
void BM_AllKeysPedalEffects(benchmark::State& state) {
  allKeys(state, engine::KeyRendererKind::Fast);
}
void BM_AllKeysPedalEffectsReference(benchmark::State& state) {
  allKeys(state, engine::KeyRendererKind::Reference);
}
void BM_AllKeysScrape(benchmark::State& state) {
  drawingKeys(state, engine::KeyRendererKind::Fast, false);
}
void BM_AllKeysScrapeReference(benchmark::State& state) {
  drawingKeys(state, engine::KeyRendererKind::Reference, false);
}
void BM_AllKeysNoise(benchmark::State& state) {
  drawingKeys(state, engine::KeyRendererKind::Fast, true);
}
void BM_AllKeysNoiseReference(benchmark::State& state) {
  drawingKeys(state, engine::KeyRendererKind::Reference, true);
}
void BM_SilenceAfterEchoTail(benchmark::State& state) {
  silenceAfterEchoTail(state, engine::KeyRendererKind::Fast);
}
void BM_SilenceAfterEchoTailReference(benchmark::State& state) {
  silenceAfterEchoTail(state, engine::KeyRendererKind::Reference);
}
void BM_EightNoteChordPedal(benchmark::State& state) {
  chordWithPedal(state, engine::KeyRendererKind::Fast);
}
void BM_EightNoteChordPedalReference(benchmark::State& state) {
  chordWithPedal(state, engine::KeyRendererKind::Reference);
}
void BM_SixteenInstancesFourNoteChords(benchmark::State& state) {
  sixteenInstances(state, engine::KeyRendererKind::Fast);
}
void BM_SixteenInstancesFourNoteChordsReference(benchmark::State& state) {
  sixteenInstances(state, engine::KeyRendererKind::Reference);
}

BENCHMARK(BM_Silence);
BENCHMARK(BM_SilenceReference);
BENCHMARK(BM_OneHeldNote)->Iterations(1875);
BENCHMARK(BM_OneHeldNoteReference)->Iterations(1875);
BENCHMARK(BM_SilenceAfterEchoTail);
BENCHMARK(BM_SilenceAfterEchoTailReference);
BENCHMARK(BM_EightNoteChordPedal)->Iterations(1875);
BENCHMARK(BM_EightNoteChordPedalReference)->Iterations(1875);
BENCHMARK(BM_SixteenInstancesFourNoteChords)->Unit(benchmark::kMillisecond)->Iterations(375);
BENCHMARK(BM_SixteenInstancesFourNoteChordsReference)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(375);
BENCHMARK(BM_AllKeysPedalEffects)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllKeysPedalEffectsReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllKeysScrape)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllKeysScrapeReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllKeysNoise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllKeysNoiseReference)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
