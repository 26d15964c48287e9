// A last safety net against states that grow without bound. Every stage is
// stable for fixed settings, but retuning a ringing resonator changes its
// energy: a host that keeps switching between programs of very different
// tunings while keys ring can pump the springs up block after block, and
// the body's drive (the square of its velocity) then overflows into
// infinities and NaN. No playing comes anywhere near these sizes, so a
// state beyond them is cleared after the block: that key falls silent, that
// stage starts again. Ordinary output is untouched.
#pragma once

namespace engine {

struct Engine;

constexpr float kRunawayLevel = 1e12f;

// True when something was cleared.
bool clearRunawayStates(Engine& e);

}  // namespace engine
