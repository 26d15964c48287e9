#include "scenarios.h"

#include <cstdint>

#include "vellmark-host/demo_phrase.h"

namespace scenarios {

namespace {

constexpr int kParameterCount = 111;

Scenario demo(const std::string& name, int sampleRate, int blockSize, double tailSeconds) {
  Scenario scenario;
  scenario.name = name;
  scenario.settings.sampleRate = sampleRate;
  scenario.settings.blockSize = blockSize;
  scenario.settings.tailSeconds = tailSeconds;
  scenario.events = vhost::demoPhrase(scenario.settings.tempo);
  return scenario;
}

}  // namespace

std::vector<vhost::ParameterSetting> drawnParameters(uint32_t seed) {
  std::vector<vhost::ParameterSetting> parameters;
  uint32_t state = seed;
  for (int index = 0; index < kParameterCount; ++index) {
    state = state * 1664525u + 1013904223u;
    parameters.push_back({index, static_cast<float>(state >> 8) / 16777216.0f});
  }
  return parameters;
}

std::vector<Scenario> allScenarios() {
  std::vector<Scenario> list;
  list.push_back(demo("demo", 48000, 256, 3.0));
  list.push_back(demo("demo-44100-block-4096", 44100, 4096, 2.0));
  list.push_back(demo("demo-22050-block-1", 22050, 1, 1.0));
  list.push_back(demo("demo-96000-block-33", 96000, 33, 1.0));

  Scenario randomBlocks = demo("demo-random-blocks", 48000, 256, 2.0);
  randomBlocks.settings.randomBlocks = true;
  randomBlocks.settings.seed = 7;
  list.push_back(randomBlocks);

  // Program 5, then a few single changes: noise mode for spring B (value 22
  // exactly 1), and the effects that hold state across blocks.
  Scenario program = demo("program-5-noise-mode", 48000, 512, 2.0);
  program.settings.program = 5;
  program.settings.parameters = {{22, 1.0f}, {14, 0.7f}, {15, 0.3f}, {87, 0.6f}, {97, 0.4f}};
  list.push_back(program);

  for (uint32_t seed : {11u, 29u, 47u}) {
    Scenario drawn = demo("drawn-parameters-" + std::to_string(seed), 48000, 256, 2.0);
    drawn.settings.parameters = drawnParameters(seed);
    list.push_back(drawn);
  }
  return list;
}

}  // namespace scenarios
