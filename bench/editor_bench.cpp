// The editor as a host meets it: opening it windowless with every view and
// drawing the first frame, and a host thread's automation reaching it.
#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

#include "editor/qua_gui.h"
#include "gui/cframe.h"
#include "plugin/quarnel.h"

namespace {

void BM_EditorOpenAndFirstDraw(benchmark::State& state) {
  std::unique_ptr<Quarnel> plugin(new Quarnel(nullptr));
  QuaGui* editor = plugin->gui();
  // The relief maps are built once per module; the first open pays for it.
  editor->open(nullptr);
  editor->close();
  for (auto _ : state) {
    editor->open(nullptr);
    benchmark::DoNotOptimize(editor->getFrame()->renderOffscreen());
    editor->close();
  }
}
BENCHMARK(BM_EditorOpenAndFirstDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// What parameterChanged costs a host thread while the editor belongs to
// another one: one post to the editor's mailbox.
void BM_ParameterChangeFromHostThread(benchmark::State& state) {
  std::unique_ptr<Quarnel> plugin(new Quarnel(nullptr));
  QuaGui* editor = plugin->gui();
  std::thread([editor] { editor->open(nullptr); }).join();
  float value = 0.0f;
  for (auto _ : state) {
    editor->parameterChanged(9, value);
    value = value < 1.0f ? value + 0.001f : 0.0f;
  }
  editor->close();
}
BENCHMARK(BM_ParameterChangeFromHostThread);

// The editor's idle after a block of automation touched every parameter.
void BM_IdleAfterAllParametersChanged(benchmark::State& state) {
  std::unique_ptr<Quarnel> plugin(new Quarnel(nullptr));
  QuaGui* editor = plugin->gui();
  editor->open(nullptr);
  editor->getFrame()->renderOffscreen();
  float value = 0.1f;
  for (auto _ : state) {
    for (int i = 0; i < 111; ++i)
      if (i < 48 || i > 50) plugin->setParameter(i, value);
    editor->idle();
    value = value < 0.9f ? value + 0.01f : 0.1f;
  }
  editor->close();
}
BENCHMARK(BM_IdleAfterAllParametersChanged)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
