// The per-key tuning passes: base frequency coefficients of both springs,
// the spring-B crush levels and the spring A to spring B coupling, computed
// from concert pitch, microtuning and the spring tuning values. The random
// detuning is drawn from the platform generator seeded with fixed values, so
// a parameter set always gives the same tuning; the engine's own draws then
// continue from where the last pass left the generator.
#pragma once

namespace engine {

struct Engine;

// Spring A's main mode, then the offset and spring-B passes.
void keyPitchPass(Engine& e);
// Spring A's offset mode (seed 333).
void offsetPass(Engine& e);
// Spring B and its crush levels (seed 3334), then the coupling pass.
void springBPass(Engine& e);
void couplingPass(Engine& e);

// k = (2 pi f / rate)^2, formed in double and stored as single precision.
float frequencyCoefficient(float hz, float invRate2);

}  // namespace engine
