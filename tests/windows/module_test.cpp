// vellmark.dll through the VST 2.4 interface only: identity, programs, the
// host chunk, and hostile input from the host.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

#include "dll_fixture.h"

using windows_test::allFiniteAndInRange;
using windows_test::Instance;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

std::vector<uint8_t> chunkOf(Instance& instance, bool bank) {
  std::vector<uint8_t> bytes;
  std::string error;
  EXPECT_TRUE(instance->readChunk(bank, bytes, error)) << error;
  return bytes;
}

const std::vector<uint8_t> kChord = {0x90, 57, 100, 0x90, 60, 90, 0x90, 64, 80};

}  // namespace

TEST(WindowsModule, ExportsBothEntryPointsAndReportsItsIdentity) {
  const vhost::LoadedModule& module = windows_test::loadedModule();
  ASSERT_NE(module.entry, nullptr);
  EXPECT_EQ(module.entryName, "VSTPluginMain");
  EXPECT_NE(module.library->symbol("main"), nullptr);

  Instance instance;
  const AEffect& effect = instance->effect();
  EXPECT_EQ(effect.magic, kEffectMagic);
  EXPECT_EQ(effect.uniqueID, vstFourCC('V', 'L', 'K', '2'));
  EXPECT_EQ(effect.numInputs, 0);
  EXPECT_EQ(effect.numOutputs, 2);
  EXPECT_EQ(effect.numPrograms, 64);
  EXPECT_EQ(effect.numParams, 111);
  EXPECT_TRUE(effect.flags & effFlagsIsSynth);
  EXPECT_TRUE(effect.flags & effFlagsProgramChunks);
  EXPECT_TRUE(effect.flags & effFlagsCanReplacing);
  EXPECT_EQ(instance->text(effGetEffectName, 0, 64), "Vellmark(x64)");
  EXPECT_EQ(instance->text(effGetVendorString, 0, 64), "Ostrel");
  EXPECT_EQ(instance->text(effGetProductString, 0, 64), "Vellmark v2.0.5(x64)");
  EXPECT_EQ(instance->dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(instance->dispatch(effGetPlugCategory), kPlugCategSynth);
  char receive[] = "receiveVstEvents";
  char unknown[] = "sendVstEvents";
  EXPECT_EQ(instance->dispatch(effCanDo, 0, 0, receive), 1);
  EXPECT_EQ(instance->dispatch(effCanDo, 0, 0, unknown), -1);
}

TEST(WindowsModule, HasAnEditorAndRefusesAParentThatIsNotAWindow) {
  Instance instance;
  EXPECT_TRUE(instance->effect().flags & effFlagsHasEditor);
  ERect* rect = nullptr;
  ASSERT_EQ(instance->dispatch(effEditGetRect, 0, 0, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->right - rect->left, 1024);
  // Not a window handle: the editor must not open in it.
  int fakeWindow = 0;
  EXPECT_EQ(instance->dispatch(effEditOpen, 0, 0, &fakeWindow), 0);
  instance->dispatch(effEditIdle);
  instance->dispatch(effEditClose);
}

TEST(WindowsModule, ProgramsAreNamedSelectedAndRenamed) {
  Instance instance;
  EXPECT_EQ(instance->text(effGetProgramName, 0, 64), "Init");
  EXPECT_EQ(instance->text(effGetProgramNameIndexed, 63, 64), "-");
  VstIntPtr answer = 0;
  instance->text(effGetProgramNameIndexed, 64, 64, 0, &answer);
  EXPECT_EQ(answer, 0);

  instance->dispatch(effSetProgram, 0, 5);
  EXPECT_EQ(instance->dispatch(effGetProgram), 5);
  char name[] = "A name far longer than twenty-four characters";
  instance->dispatch(effSetProgramName, 0, 0, name);
  EXPECT_EQ(instance->text(effGetProgramName, 0, 64), std::string(name, 24));
  instance->dispatch(effSetProgram, 0, 64);
  instance->dispatch(effSetProgram, 0, -1);
  EXPECT_EQ(instance->dispatch(effGetProgram), 5) << "out-of-range programs change nothing";
}

TEST(WindowsModule, BankAndProgramChunksRoundTripIntoAnotherInstance) {
  Instance first;
  first->dispatch(effSetProgram, 0, 3);
  char name[] = "Round trip";
  first->dispatch(effSetProgramName, 0, 0, name);
  for (VstInt32 index = 0; index < 111; index += 7)
    first->setParameter(index, 0.25f + index / 500.0f);
  const std::vector<uint8_t> bank = chunkOf(first, true);
  ASSERT_EQ(bank.size(), 97024u);

  Instance second;
  ASSERT_EQ(second->dispatch(effSetChunk, 0, static_cast<VstIntPtr>(bank.size()),
                             const_cast<uint8_t*>(bank.data())),
            1);
  second->dispatch(effSetProgram, 0, 3);
  EXPECT_EQ(second->text(effGetProgramName, 0, 64), "Round trip");
  for (VstInt32 index = 0; index < 111; ++index)
    EXPECT_EQ(second->getParameter(index), first->getParameter(index)) << index;
  EXPECT_EQ(chunkOf(second, true), bank);

  const std::vector<uint8_t> program = chunkOf(first, false);
  ASSERT_EQ(program.size(), 1500u);
  Instance third;
  ASSERT_EQ(third->dispatch(effSetChunk, 1, static_cast<VstIntPtr>(program.size()),
                            const_cast<uint8_t*>(program.data())),
            1);
  EXPECT_EQ(chunkOf(third, false), program);
  EXPECT_EQ(third.render(512, kChord), second.render(512, kChord))
      << "the same program sounds the same";
}

TEST(WindowsModule, BadChunksChangeNothing) {
  Instance instance;
  const std::vector<uint8_t> before = chunkOf(instance, true);
  std::vector<uint8_t> garbage(200000, 0xA5);
  for (VstIntPtr size : {VstIntPtr{0}, VstIntPtr{1}, VstIntPtr{1499}, VstIntPtr{97023},
                         VstIntPtr{-5}, VstIntPtr{1} << 40}) {
    for (VstInt32 which : {0, 1}) {
      instance->dispatch(effSetChunk, which, size, nullptr);
      if (size >= 0 && size <= static_cast<VstIntPtr>(garbage.size())) {
        EXPECT_EQ(instance->dispatch(effSetChunk, which, size, garbage.data()), 0) << size;
      }
    }
  }
  EXPECT_EQ(chunkOf(instance, true), before);
  EXPECT_TRUE(allFiniteAndInRange(instance.render(1024, kChord)));
}

TEST(WindowsModule, HostileParametersAndIndicesKeepTheOutputFinite) {
  Instance instance;
  for (VstInt32 index = 0; index < 111; ++index) {
    for (float value : {kNaN, kInfinity, -kInfinity, -1.0f, 2.0f, 1e30f, -0.0f}) {
      instance->setParameter(index, value);
      const float stored = instance->getParameter(index);
      EXPECT_TRUE(std::isfinite(stored) && stored >= 0.0f && stored <= 1.0f)
          << "parameter " << index << " took " << value << " as " << stored;
    }
  }
  for (VstInt32 index : {-1, 111, 1 << 30}) {
    instance->setParameter(index, 0.5f);
    EXPECT_EQ(instance->getParameter(index), 0.0f);
    EXPECT_TRUE(instance->text(effGetParamDisplay, index, 64).size() <= 16);
  }
  EXPECT_TRUE(allFiniteAndInRange(instance.render(4096, kChord)));
}

TEST(WindowsModule, BlockSizesFromNothingToTheLargestAndOddRatesWork) {
  for (double rate : {1.0, 8000.0, 22050.0, 44100.0, 96000.0, 192000.0, 384000.0}) {
    Instance instance(rate);
    EXPECT_TRUE(instance.render(0, kChord).empty());
    EXPECT_TRUE(allFiniteAndInRange(instance.render(1)));
    EXPECT_TRUE(allFiniteAndInRange(instance.render(4096))) << rate;
  }
  Instance instance;
  for (float rate : {0.0f, -48000.0f, kNaN, kInfinity, 1e30f}) {
    instance->dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    EXPECT_TRUE(allFiniteAndInRange(instance.render(64, kChord))) << rate;
  }
  // Garbage MIDI: unknown statuses, data bytes with the top bit set, keys
  // outside the keyboard.
  EXPECT_TRUE(allFiniteAndInRange(
      instance.render(256, {0xF0, 0xFF, 0xFF, 0x90, 0xFF, 0xFF, 0x80, 200, 0, 0xE0, 0x7F, 0xFF})));
}

TEST(WindowsModule, InstancesOnHostThreadsSoundAsOnTheMainThread) {
  // Hosts create instances on one thread and render them on others, several
  // at once; thread-local state inside a DLL loaded at run time must not make
  // the sound depend on that.
  auto play = [](std::vector<float>& out) {
    Instance instance;
    for (VstInt32 index = 0; index < 111; index += 5) instance->setParameter(index, 0.3f);
    out = instance.render(2048, kChord);
    std::vector<float> more = instance.render(2048);
    out.insert(out.end(), more.begin(), more.end());
  };
  std::vector<float> reference;
  play(reference);
  std::vector<float> first, second;
  std::thread a([&] { play(first); });
  std::thread b([&] { play(second); });
  a.join();
  b.join();
  EXPECT_EQ(first, reference);
  EXPECT_EQ(second, reference);
}
