// Building and tearing down the plug-in object: instance bookkeeping, the
// state a new instance is in, and running out of memory.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <new>

#include "params/parameter_table.h"
#include "platform/fp_mode.h"
#include "plugin/create_instance.h"
#include "plugin/quarnel.h"
#include "support/fake_host.h"

namespace {

// Nothrow allocations of at least this many bytes fail while set.
std::atomic<size_t> failNothrowFrom{0};

bool shouldFail(size_t size) {
  const size_t limit = failNothrowFrom.load();
  return limit != 0 && size >= limit;
}

}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (shouldFail(size)) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (shouldFail(size)) return nullptr;
  try {
    return ::operator new[](size);
  } catch (...) {
    return nullptr;
  }
}

namespace {

using testing_support::FakeHost;

TEST(Construction, InstanceNumbersFollowTheLiveCount) {
  FakeHost host;
  const int32_t before = Quarnel::liveInstances();
  ASSERT_EQ(before, 0);
  auto a = std::make_unique<Quarnel>(host.callback());
  auto b = std::make_unique<Quarnel>(host.callback());
  EXPECT_EQ(a->instanceNumber(), 1);
  EXPECT_EQ(b->instanceNumber(), 2);
  EXPECT_EQ(Quarnel::liveInstances(), 2);
  a.reset();
  b.reset();
  EXPECT_EQ(Quarnel::liveInstances(), 0);
  Quarnel c(host.callback());
  EXPECT_EQ(c.instanceNumber(), 1);
}

TEST(Construction, NewInstanceIsOnProgramZeroWithDefaultsApplied) {
  FakeHost host;
  Quarnel q(host.callback());
  char name[64];
  q.getProgramName(name);
  EXPECT_STREQ(name, "Init");
  EXPECT_EQ(q.getProgram(), 0);
  for (int i = 0; i < params::kNumParams; ++i) {
    EXPECT_EQ(q.getParameter(i), params::defaultValue(i)) << i;
    EXPECT_EQ(q.getStoredParameter(i), params::defaultValue(i)) << i;
  }
  const engine::Engine& e = q.engineState();
  EXPECT_EQ(e.engineRate(), 48000.0f);
  EXPECT_EQ(e.tempo(), 120.0f);
  EXPECT_FLOAT_EQ(e.beatsPerSample(), 1.0f / 24000.0f);
  EXPECT_EQ(e.concertA(), 440.0f);
  EXPECT_EQ(q.getAeffect()->uniqueID, Quarnel::kUniqueId);
  for (const engine::KeyState& k : e.keys) EXPECT_EQ(k.held, 0);
}

TEST(Construction, LeavesTheCallersFloatingPointModeAlone) {
  const uint32_t before = platform::floatingPointMode();
  FakeHost host;
  Quarnel q(host.callback());
  EXPECT_EQ(platform::floatingPointMode(), before);
}

TEST(Construction, EntryPointReturnsNullWhenMemoryRunsOut) {
  FakeHost host;
  // The object itself (megabytes of echo lines and programs).
  failNothrowFrom = sizeof(Quarnel);
  EXPECT_EQ(createInstance(host.callback()), nullptr);
  // The working programs, allocated during construction.
  failNothrowFrom = sizeof(params::ProgramRecord) * params::kNumPrograms;
  EXPECT_EQ(createInstance(host.callback()), nullptr);
  failNothrowFrom = 0;
  EXPECT_EQ(Quarnel::liveInstances(), 0);

  AEffect* e = createInstance(host.callback());
  ASSERT_NE(e, nullptr);
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

TEST(Construction, NullHostCallbackIsSurvived) {
  Quarnel q(nullptr);
  ASSERT_TRUE(q.constructed());
  EXPECT_EQ(q.queryHostTempo(), 120.0f);
  q.resume();
  q.setParameterAutomated(1, 0.25f);
  EXPECT_EQ(q.getParameter(1), 0.25f);
  float left[32], right[32];
  float* outputs[2] = {left, right};
  q.processReplacing(nullptr, outputs, 32);
}

}  // namespace
