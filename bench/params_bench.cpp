// Cost of parameter changes on the host's thread: a tuning parameter that
// re-runs the key pitch pass, a parameter that only stores a gain, and a
// program change that applies all 111 parameters.
#include <benchmark/benchmark.h>

#include <memory>

#include "params/parameter_table.h"
#include "plugin/quarnel.h"

namespace {

// Alternating values keep every call a real change.
void setParameterRepeatedly(benchmark::State& state, int index) {
  std::unique_ptr<Quarnel> plugin(new Quarnel(nullptr));
  float value = 0.25f;
  for (auto _ : state) {
    plugin->setParameter(index, value);
    value = value == 0.25f ? 0.75f : 0.25f;
  }
}

void BM_SetConcertA(benchmark::State& state) { setParameterRepeatedly(state, params::kConcertA); }
BENCHMARK(BM_SetConcertA)->Unit(benchmark::kMicrosecond);

void BM_SetEchoWet(benchmark::State& state) { setParameterRepeatedly(state, params::kEchoWet); }
BENCHMARK(BM_SetEchoWet);

void BM_SetProgram(benchmark::State& state) {
  std::unique_ptr<Quarnel> plugin(new Quarnel(nullptr));
  int program = 0;
  for (auto _ : state) {
    plugin->setProgram(program);
    program ^= 1;
  }
}
BENCHMARK(BM_SetProgram)->Unit(benchmark::kMicrosecond);

}  // namespace
