#include "engine/body_resonator.h"

#include <algorithm>

#include "engine/quiet.h"

namespace engine {

void BodyResonator::process(float spring0, float& spring1, KeyState* keys,
                            platform::CrtRandom& random) {
  float drive;
  if (!resonate(random.rnd(), spring0, spring1, drive)) return;
  const int32_t high = endDrivenKey();
  for (int32_t key = firstDrivenKey(); key < high; ++key) keys[key].sympVel += drive;
}

bool BodyResonator::resonate(float r, float spring0, float& spring1, float& drive) {
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
  if (isQuiet(e)) return false;
  drive = e * (0.9f * (bodySharpness * bodySharpness) + 0.1f) * bodyVolume;
  return true;
}

// The key range comes from parameters; keep it inside the key records.
int32_t BodyResonator::firstDrivenKey() const { return std::max<int32_t>(bodyLowKey, 0); }
int32_t BodyResonator::endDrivenKey() const { return std::min<int32_t>(bodyHighKey, kKeyCount); }

}  // namespace engine
