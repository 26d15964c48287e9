// The fast key renderer: the same key loop as stepKeysReference, organised
// for speed, with bit-identical results.
#pragma once

#include "engine/key_model.h"

namespace engine {

void stepKeysFast(KeyState* keys, const KeySampleInputs& in, const KeyModelParams& p,
                  BusSums& buses, platform::CrtRandom& random);

}  // namespace engine
