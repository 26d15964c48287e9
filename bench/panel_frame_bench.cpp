// The panel through the toolkit: renderBackground on an editor frame (relief
// shading, text layer, background installed), the text layer alone, and a
// full-frame redraw that also repaints the frame from the new background.
#include <benchmark/benchmark.h>

#include "editor/panel_drawing.h"
#include "editor/panel_text.h"
#include "gui/cframe.h"
#include "gui/coffscreen_context.h"

namespace {

void BM_RenderBackground(benchmark::State& state) {
  auto* frame = new gui::CFrame(gui::CRect(0, 0, 1024, 480), nullptr);
  renderBackground(frame, Offline_Render::kDefaultColour, false);
  uint8_t red = 0;
  for (auto _ : state) {
    renderBackground(frame, gui::CColor(red++, 247, 249, 255), false);
  }
  frame->forget();
}
BENCHMARK(BM_RenderBackground)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FullFrameRedraw(benchmark::State& state) {
  auto* frame = new gui::CFrame(gui::CRect(0, 0, 1024, 480), nullptr);
  renderBackground(frame, Offline_Render::kDefaultColour, false);
  uint8_t red = 0;
  for (auto _ : state) {
    renderBackground(frame, gui::CColor(red++, 247, 249, 255), false);
    benchmark::DoNotOptimize(frame->renderOffscreen());
  }
  frame->forget();
}
BENCHMARK(BM_FullFrameRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PanelTextLayer(benchmark::State& state) {
  gui::COffscreenContext* context = gui::COffscreenContext::create(nullptr, 1024, 480);
  for (auto _ : state) {
    editor::drawPanelText(context, Offline_Render::kDefaultColour);
    context->endDraw();
  }
  context->forget();
}
BENCHMARK(BM_PanelTextLayer)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
