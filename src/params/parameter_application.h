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

// The engine side of selecting a program: spring-B noise mode off, every
// value (already finite and within 0..1) in index order, which matters for
// concert pitch and the tuning passes; then keys not held move to the new
// release, the wheel and noise latches are set and the echo is emptied.
void applyProgram(engine::Engine& e, const float* values);

}  // namespace params
