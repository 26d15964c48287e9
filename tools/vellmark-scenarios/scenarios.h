// The fixed render scenarios that both builds of the module must play with
// the same result: the demo phrase under several programs, parameter sets,
// sample rates and block sizes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vellmark-host/midi_event.h"
#include "vellmark-host/renderer.h"

namespace scenarios {

struct Scenario {
  std::string name;  // also the output file's base name
  vhost::RenderSettings settings;
  std::vector<vhost::TimedMidiEvent> events;
};

std::vector<Scenario> allScenarios();

// Every parameter at a value drawn from a small fixed generator, so that
// each conversion formula (powers, exponentials, tables) is exercised with
// values no hand-picked set would reach.
std::vector<vhost::ParameterSetting> drawnParameters(uint32_t seed);

}  // namespace scenarios
