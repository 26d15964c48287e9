#include "engine/runaway_guard.h"

#include <cmath>

#include "engine/engine.h"

namespace engine {

namespace {

// Below the level, and not NaN.
bool tame(float x) { return std::fabs(x) < kRunawayLevel; }

bool tameKey(const KeyState& k) {
  return tame(k.aMainPos) && tame(k.aMainVel) && tame(k.aOffsetPos) && tame(k.aOffsetVel) &&
         tame(k.bPos0) && tame(k.bPos1) && tame(k.bVel0) && tame(k.bVel1) && tame(k.sympPos) &&
         tame(k.sympVel) && tame(k.lfoPos) && tame(k.lfoVel) && tame(k.aOutFir) &&
         tame(k.aOutPrev) && tame(k.bOutFir) && tame(k.bOutPrev);
}

}  // namespace

bool clearRunawayStates(Engine& e) {
  bool cleared = false;
  for (int key = kLowestKey; key <= kHighestKey; ++key) {
    if (tameKey(e.keys[key])) continue;
    clearKeyDynamics(e.keys[key]);
    cleared = true;
  }
  if (!tame(e.body.bodyPos) || !tame(e.body.bodyVel)) {
    e.body.clear();
    cleared = true;
  }
  const Phaser& p = e.phaser;
  if (!tame(p.stateA.y) || !tame(p.stateA.s) || !tame(p.stateA.tap) || !tame(p.stateB.y) ||
      !tame(p.stateB.s) || !tame(p.stateB.tap)) {
    e.phaser.clear();
    cleared = true;
  }
  return cleared;
}

}  // namespace engine
