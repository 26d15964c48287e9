// The key records' structure-of-arrays copy: it carries every field there
// and back, and writes back only what the renderer changed and nobody else
// touched meanwhile.
#include "engine/key_lanes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/engine.h"

namespace {

using engine::KeyLanes;
using engine::KeyState;
using engine::kKeyCount;
using engine::kLowestKey;

std::unique_ptr<KeyState[]> recordsWithDistinctValues() {
  std::unique_ptr<KeyState[]> keys(new KeyState[kKeyCount]);
  std::memset(keys.get(), 0, sizeof(KeyState) * kKeyCount);
  for (int key = 0; key < kKeyCount; ++key) {
    KeyState& k = keys[key];
    float x = static_cast<float>(key) * 0.001f;
#define VELLMARK_FILL(name) k.name = (x = x + 0.5f);
    VELLMARK_KEY_STATE_FIELDS(VELLMARK_FILL)
    VELLMARK_KEY_COEFFICIENT_FIELDS(VELLMARK_FILL)
#undef VELLMARK_FILL
    k.startOffset = key % 7;
    k.held = key % 2;
    k.link = key % 3 == 0;
  }
  return keys;
}

TEST(KeyLanes, LoadMapsKeysToLanesAndMasks) {
  auto keys = recordsWithDistinctValues();
  auto lanes = std::make_unique<KeyLanes>();
  lanes->load(keys.get(), 40, 60);
  for (int lane = 0; lane < engine::kRenderedKeys; ++lane) {
    const int key = kLowestKey + lane;
    EXPECT_EQ(lanes->state.aMainPos[lane], keys[key].aMainPos);
    EXPECT_EQ(lanes->panSympL[lane], keys[key].panSympL);
    EXPECT_EQ(lanes->state.startOffset[lane], keys[key].startOffset);
    EXPECT_EQ(lanes->held[lane] != 0, keys[key].held != 0);
    EXPECT_EQ(lanes->link[lane] != 0, keys[key].link != 0);
    EXPECT_EQ(lanes->highKey[lane] != 0, key > 72);
    EXPECT_EQ(lanes->bodyDrive[lane] != 0, key >= 40 && key < 60);
  }
}

TEST(KeyLanes, WritesBackTheRenderedStateButNeverCoefficients) {
  auto keys = recordsWithDistinctValues();
  auto lanes = std::make_unique<KeyLanes>();
  lanes->load(keys.get(), 0, 0);
  const int lane = 60 - kLowestKey;
  lanes->state.aMainPos[lane] = 42.0f;
  lanes->state.startOffset[lane] = -1;
  lanes->state.sympVel[lane + 1] = -3.0f;
  lanes->damp[lane] = 0.5f;
  const float damp = keys[60].damp;
  lanes->writeBack(keys.get());

  EXPECT_EQ(keys[60].aMainPos, 42.0f);
  EXPECT_EQ(keys[60].startOffset, -1);
  EXPECT_EQ(keys[61].sympVel, -3.0f);
  EXPECT_EQ(keys[60].damp, damp) << "coefficients belong to parameter application";
}

TEST(KeyLanes, SignedZerosCountAsChanges) {
  auto keys = recordsWithDistinctValues();
  keys[30].bVel0 = 0.0f;
  auto lanes = std::make_unique<KeyLanes>();
  lanes->load(keys.get(), 0, 0);
  lanes->state.bVel0[30 - kLowestKey] = -0.0f;
  lanes->writeBack(keys.get());
  EXPECT_TRUE(std::signbit(keys[30].bVel0));
}

TEST(KeyLanes, RecordRoundTripForTheReferenceStep) {
  auto keys = recordsWithDistinctValues();
  auto lanes = std::make_unique<KeyLanes>();
  lanes->load(keys.get(), 0, 0);
  const int lane = 5;
  KeyState k;
  lanes->toRecord(lane, keys[kLowestKey + lane], k);
  EXPECT_EQ(k.bFreqBase, keys[kLowestKey + lane].bFreqBase);
  EXPECT_EQ(k.held, keys[kLowestKey + lane].held);
  k.hammerPos = 123.0f;
  k.startOffset = -1;
  lanes->fromRecord(lane, k);
  EXPECT_EQ(lanes->state.hammerPos[lane], 123.0f);
  EXPECT_EQ(lanes->state.startOffset[lane], -1);
}

}  // namespace
