// Panel render speed: the first render of the module's life (noise, relief
// layout, shading), a re-render with a new colour, and the skin generators;
// each fast path next to its reference.
#include <benchmark/benchmark.h>

#include <vector>

#include "editor/dial_face.h"
#include "editor/panel_relief.h"
#include "editor/panel_shading.h"
#include "editor/relief_layout.h"
#include "editor/slider_needle.h"
#include "editor/switcher_slab.h"

namespace {

using namespace editor;

constexpr int kWidth = 1024, kHeight = 480;

void firstRender(benchmark::State& state, bool fast) {
  std::vector<uint8_t> pixels(kWidth * kHeight * 4);
  const PixelBuffer out{pixels.data(), kWidth, kHeight, kWidth * 4};
  for (auto _ : state) {
    ReliefMaps maps;
    maps.allocate(kWidth, kHeight);
    buildReliefMaps(maps, fast);
    drawPageArea(maps, false);
    if (fast) {
      shadePanelFast(maps, out, 230, 247, 249);
    } else {
      shadePanelReference(maps, out, 230, 247, 249);
    }
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BM_PanelFirstRender(benchmark::State& state) { firstRender(state, true); }
void BM_PanelFirstRenderReference(benchmark::State& state) { firstRender(state, false); }
BENCHMARK(BM_PanelFirstRender)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PanelFirstRenderReference)->Unit(benchmark::kMillisecond)->UseRealTime();

// A colour change once the maps exist: page-area redraw plus shading, as
// the module-wide relief does it.
void BM_PanelReTint(benchmark::State& state) {
  std::vector<uint8_t> pixels(kWidth * kHeight * 4);
  const PixelBuffer out{pixels.data(), kWidth, kHeight, kWidth * 4};
  PanelRelief::shared().render(out, 230, 247, 249, false);
  uint8_t red = 0;
  for (auto _ : state) {
    PanelRelief::shared().render(out, red++, 247, 249, false);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_PanelReTint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PanelReTintReference(benchmark::State& state) {
  std::vector<uint8_t> pixels(kWidth * kHeight * 4);
  const PixelBuffer out{pixels.data(), kWidth, kHeight, kWidth * 4};
  ReliefMaps maps;
  maps.allocate(kWidth, kHeight);
  buildReliefMaps(maps, true);
  uint8_t red = 0;
  for (auto _ : state) {
    drawPageArea(maps, false);
    shadePanelReference(maps, out, red++, 247, 249);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_PanelReTintReference)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DialFace(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  std::vector<uint8_t> pixels(static_cast<std::size_t>(size) * 120 * 4);
  const PixelBuffer out{pixels.data(), size, 120, size * 4};
  double value = 0;
  for (auto _ : state) {
    generateDialFace(out, {400, 200, size, size}, value, false);
    value = value > 1 ? 0 : value + 0.01;
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_DialFace)->Arg(30)->Arg(52)->Unit(benchmark::kMicrosecond);

void BM_SwitcherSlab(benchmark::State& state) {
  std::vector<uint8_t> pixels(21 * 12 * 4);
  const PixelBuffer out{pixels.data(), 21, 12, 21 * 4};
  for (auto _ : state) {
    generateSwitcherSlab(out, {811, 284, 21, 12}, true);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_SwitcherSlab)->Unit(benchmark::kMicrosecond);

void BM_SliderNeedle(benchmark::State& state) {
  std::vector<uint8_t> pixels(kNeedleWidth * kNeedleHeight * 4);
  const PixelBuffer out{pixels.data(), kNeedleWidth, kNeedleHeight, kNeedleWidth * 4};
  for (auto _ : state) {
    generateSliderNeedle(out, {500, 326, kNeedleWidth, kNeedleHeight}, false);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_SliderNeedle)->Unit(benchmark::kMicrosecond);

}  // namespace
