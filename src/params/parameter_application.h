// Conversion of parameter values into engine state: powers, exponentials
// and tuning tables are computed here, once per change, so that the audio
// path only multiplies and adds.
#pragma once

namespace engine {
struct Engine;
}

namespace params {

// Applies a value (already finite and within 0..1) of parameter `index` to
// the engine. Indices that only store their value change nothing here.
void applyParameter(engine::Engine& e, int index, float v);

// The tempo-dependent rules, also run by the render loop when the host
// tempo changes.
void applyTremoloRate(engine::Engine& e);
void applyLfoRate(engine::Engine& e);
void applyEchoSync(engine::Engine& e, float v);

}  // namespace params
