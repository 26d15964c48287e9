#include "engine/body_resonator.h"

#include <algorithm>

#include "engine/quiet.h"

namespace engine {

void BodyResonator::process(float spring0, float& spring1, KeyState* keys,
                            platform::CrtRandom& random) {
  const float r = random.rnd();
  bodyPos = bodyPos - ((r - 1.0f) * bodyDiffusion + 1.0f) * (spring1 + spring0) * 0.0005f;
  bodyVel = bodyVel - bodyPos;
  if (isQuiet(bodyVel)) {
    bodyPos = 0.0f;
    bodyVel = 0.0f;
  } else {
    // The displacement moves with the undamped velocity.
    bodyPos = bodyPos + bodyVel * bodyTune;
    bodyVel = bodyVel * bodyDamp;
  }
  if (isQuiet(bodyPos)) bodyPos = 0.0f;
  spring1 = spring1 + bodyPos;

  const float e = ((bodyVel - 1.0f) * bodySharpness + 1.0f) * bodyVel;
  if (isQuiet(e)) return;
  const float drive = e * (0.9f * (bodySharpness * bodySharpness) + 0.1f) * bodyVolume;
  // The key range comes from parameters; keep it inside the key records.
  const int32_t low = std::max<int32_t>(bodyLowKey, 0);
  const int32_t high = std::min<int32_t>(bodyHighKey, kKeyCount);
  for (int32_t key = low; key < high; ++key) keys[key].sympVel += drive;
}

}  // namespace engine
