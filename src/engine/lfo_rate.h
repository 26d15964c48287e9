// The rule of the LFO rate, which follows the host tempo when synced.
// Parameter application runs it when its parameters change; the render
// loop runs it again when the tempo does. (The tremolo and the echo keep
// their own rules.)
#pragma once

namespace engine {

struct Engine;

void applyLfoRate(Engine& e);

}  // namespace engine
