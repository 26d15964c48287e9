// The rules of the settings that follow the host tempo: the tremolo and LFO
// rates and the echo delays. Parameter application runs them when their
// parameter changes; the render loop runs them again when the tempo does.
#pragma once

#include <cstdint>

namespace engine {

struct Engine;

void applyTremoloRate(Engine& e);
void applyLfoRate(Engine& e);
// Echo sync (0 or 1 as a parameter value): both delays computed again,
// gliding from where they were.
void applyEchoSync(Engine& e, float v);
// One line's delay from its stored rate, jumping there.
void applyEchoDelay(Engine& e, bool left);

// Delay in samples of one echo line for a rate value, free or tempo-synced.
int32_t echoDelayFor(const Engine& e, float rate);

}  // namespace engine
