// Changes from the host while processing is on reach the engine at the
// start of the next block, in the order they were made; the host reads its
// values back at once.
#include <gtest/gtest.h>

#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

TEST(EngineWriter, WhileProcessingChangesWaitForTheNextBlockAndReadBackAtOnce) {
  PluginHarness h;
  h.plugin().resume();
  const float wet = h.engine().echo.wet();
  h.setParameter(params::kEchoWet, 0.75f);
  EXPECT_EQ(h.plugin().getParameter(params::kEchoWet), 0.75f);
  EXPECT_EQ(h.engine().echo.wet(), wet) << "the engine is the audio thread's";
  h.setParameter(params::kEchoWet, 0.5f);
  h.render(16);
  EXPECT_EQ(h.engine().echo.wet(), 0.5f) << "applied in order: the last one stands";

  h.plugin().setProgram(3);
  h.plugin().noteOn(60, 1.0f);
  EXPECT_EQ(h.engine().keys[60].held, 0);
  h.render(16);
  EXPECT_EQ(h.engine().keys[60].held, 1);

  // Switching processing off applies what waits and makes changes immediate.
  h.setParameter(params::kEchoWet, 0.25f);
  h.plugin().suspend();
  EXPECT_EQ(h.engine().echo.wet(), 0.25f);
  h.setParameter(params::kEchoWet, 0.125f);
  EXPECT_EQ(h.engine().echo.wet(), 0.125f);
}

// A change made between two blocks is heard from the next block on, with
// the same bits whether it waited in the mailbox or was applied at once.
TEST(EngineWriter, AChangeBetweenBlocksIsHeardFromTheNextBlockExactly) {
  PluginHarness immediate, queued, unchanged;
  queued.plugin().resume();
  Stereo a, b, c;
  for (PluginHarness* h : {&immediate, &queued, &unchanged}) h->noteOn(57, 110);
  for (int block = 0; block < 40; ++block) {
    if (block == 20) {
      for (PluginHarness* h : {&immediate, &queued}) {
        h->setParameter(params::kBodyPhaseFreq, 0.2f);
        h->setParameter(params::kConcertA, 0.9f);
        h->plugin().setProgramName(const_cast<char*>("x"));
      }
    }
    a.append(immediate.render(128));
    b.append(queued.render(128));
    c.append(unchanged.render(128));
  }
  EXPECT_EQ(a.left, b.left);
  EXPECT_EQ(a.right, b.right);
  for (size_t i = 0; i < 20 * 128; ++i) ASSERT_EQ(a.left[i], c.left[i]) << i;
  bool differs = false;
  for (size_t i = 20 * 128; i < 21 * 128; ++i) differs = differs || a.left[i] != c.left[i];
  EXPECT_TRUE(differs) << "heard in the first block after the change";
}

}  // namespace
