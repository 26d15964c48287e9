#include "engine/fast_keys.h"

namespace engine {

void stepKeysFast(KeyState* keys, const KeySampleInputs& in, const KeyModelParams& p,
                  BusSums& buses, platform::CrtRandom& random) {
  stepKeysReference(keys, in, p, buses, random);
}

}  // namespace engine
