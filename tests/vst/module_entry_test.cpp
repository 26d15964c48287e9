// The module as an external host sees it: loaded with dlopen, driven only
// through the exported entry point and the effect record.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/fake_host.h"
#include "support/module_loader.h"

using namespace testing_support;

namespace {

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(module.ok()) << VELLMARK_MODULE_PATH; }

  AEffect* create(audioMasterCallback callback) {
    EntryPoint entry = module.entry();
    EXPECT_NE(entry, nullptr);
    return entry ? entry(callback) : nullptr;
  }

  static void destroy(AEffect* e) { dispatch(e, effClose); }

  std::string text(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0) {
    char buffer[256];
    std::memset(buffer, 0x7f, sizeof buffer);
    buffer[255] = 0;
    dispatch(e, opcode, index, value, buffer);
    return buffer;
  }

  LoadedModule module;
  FakeHost host;
};

TEST_F(ModuleTest, ExportsTheEntryPointUnderBothNames) {
  EXPECT_NE(module.entry("VSTPluginMain"), nullptr);
  EXPECT_NE(module.entry("main"), nullptr);
  // Nothing but the two entry points leaks out of the module.
  std::string command =
      std::string("nm -D --defined-only ") + VELLMARK_MODULE_PATH + " | grep ' T ' | wc -l";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  int exported = 0;
  ASSERT_EQ(fscanf(pipe, "%d", &exported), 1);
  pclose(pipe);
  EXPECT_EQ(exported, 2);

  AEffect* e = module.entry("main")(host.callback());
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->magic, kEffectMagic);
  destroy(e);
}

TEST_F(ModuleTest, RecordWithHostCallback) {
  AEffect* e = create(host.callback());
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(host.count(audioMasterVersion), 1);
  EXPECT_EQ(e->magic, kEffectMagic);
  EXPECT_EQ(e->numPrograms, 64);
  EXPECT_EQ(e->numParams, 111);
  EXPECT_EQ(e->numInputs, 0);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags & ~effFlagsHasEditor,
            effFlagsCanReplacing | effFlagsProgramChunks | effFlagsIsSynth);
  EXPECT_EQ(e->uniqueID, vstFourCC('V', 'L', 'K', '2'));
  EXPECT_EQ(e->version, 1);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_NE(e->processReplacing, nullptr);
  destroy(e);
}

TEST_F(ModuleTest, RecordWithoutHostCallbackKeepsBaseDefaults) {
  AEffect* e = create(nullptr);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->numInputs, 1);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->numPrograms, 64);
  EXPECT_EQ(e->numParams, 111);
  EXPECT_EQ(e->flags & effFlagsIsSynth, 0);
  EXPECT_NE(e->flags & effFlagsProgramChunks, 0);
  EXPECT_NE(e->flags & effFlagsCanReplacing, 0);
  EXPECT_NE(e->uniqueID, vstFourCC('V', 'L', 'K', '2'));
  // It still works without anyone to call back.
  dispatch(e, effMainsChanged, 0, 1);
  float left[64], right[64];
  float* outputs[2] = {left, right};
  e->processReplacing(e, nullptr, outputs, 64);
  EXPECT_EQ(text(e, effGetProgramName), "Init");
  destroy(e);
}

TEST_F(ModuleTest, HostAnsweringVersionZeroGetsNoInstance) {
  host.version = 0;
  EXPECT_EQ(create(host.callback()), nullptr);
}

TEST_F(ModuleTest, IdentityAndCapabilities) {
  AEffect* e = create(host.callback());
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(text(e, effGetEffectName), "Vellmark(x64)");
  EXPECT_EQ(text(e, effGetVendorString), "Ostrel");
  EXPECT_EQ(text(e, effGetProductString), "Vellmark v2.0.5(x64)");
  EXPECT_EQ(dispatch(e, effGetVendorVersion), 1);
  EXPECT_EQ(dispatch(e, effGetVstVersion), 2400);
  EXPECT_EQ(dispatch(e, effGetPlugCategory), kPlugCategSynth);
  EXPECT_EQ(dispatch(e, effGetNumMidiInputChannels), 1);
  EXPECT_EQ(dispatch(e, effGetNumMidiOutputChannels), 0);

  for (const char* yes : {"receiveVstEvents", "receiveVstMidiEvent", "midiProgramNames"}) {
    char buffer[64];
    std::strcpy(buffer, yes);
    EXPECT_EQ(dispatch(e, effCanDo, 0, 0, buffer), 1) << yes;
  }
  for (const char* no :
       {"", "sendVstEvents", "receiveVstEvents ", "offline", "bypass", "receivevstevents"}) {
    char buffer[64];
    std::strcpy(buffer, no);
    EXPECT_EQ(dispatch(e, effCanDo, 0, 0, buffer), -1) << no;
  }
  EXPECT_EQ(dispatch(e, effCanDo, 0, 0, nullptr), -1);

  // The MIDI program name requests keep their defaults.
  EXPECT_EQ(dispatch(e, effGetMidiProgramName), 0);
  EXPECT_EQ(dispatch(e, effGetCurrentMidiProgram), -1);
  EXPECT_EQ(dispatch(e, effHasMidiProgramsChanged), 0);
  destroy(e);
}

TEST_F(ModuleTest, OutputPinsAndProgramNames) {
  AEffect* e = create(host.callback());
  ASSERT_NE(e, nullptr);
  VstPinProperties pin;
  for (int i = 0; i < 2; ++i) {
    std::memset(&pin, 0x55, sizeof pin);
    ASSERT_EQ(dispatch(e, effGetOutputProperties, i, 0, &pin), 1);
    EXPECT_EQ(std::string(pin.label), "Velk " + std::to_string(i + 1));
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    EXPECT_EQ(static_cast<unsigned char>(pin.shortLabel[0]), 0x55) << "untouched";
  }
  std::memset(&pin, 0x55, sizeof pin);
  EXPECT_EQ(dispatch(e, effGetOutputProperties, 2, 0, &pin), 0);
  EXPECT_EQ(dispatch(e, effGetOutputProperties, -1, 0, &pin), 0);
  EXPECT_EQ(static_cast<unsigned char>(pin.label[0]), 0x55);

  EXPECT_EQ(text(e, effGetProgramName), "Init");
  char name[256];
  EXPECT_EQ(dispatch(e, effGetProgramNameIndexed, 0, 0, name), 1);
  EXPECT_STREQ(name, "Init");
  for (int p = 1; p < 64; ++p) {
    ASSERT_EQ(dispatch(e, effGetProgramNameIndexed, p, -1, name), 1);
    EXPECT_STREQ(name, "-");
  }
  std::strcpy(name, "unchanged");
  EXPECT_EQ(dispatch(e, effGetProgramNameIndexed, 64, 0, name), 0);
  EXPECT_EQ(dispatch(e, effGetProgramNameIndexed, -1, 0, name), 0);
  EXPECT_STREQ(name, "unchanged");
  destroy(e);
}

TEST_F(ModuleTest, ResumeAsksTheHostForMidi) {
  AEffect* e = create(host.callback());
  ASSERT_NE(e, nullptr);
  host.calls.clear();
  dispatch(e, effMainsChanged, 0, 1);
  ASSERT_EQ(host.count(audioMasterWantMidi), 1);
  EXPECT_EQ(host.calls.back().value, 1);
  EXPECT_EQ(host.count(audioMasterCanDo), 0) << "the synth flag makes the question needless";
  dispatch(e, effMainsChanged, 0, 0);
  EXPECT_EQ(host.count(audioMasterWantMidi), 1);
  destroy(e);
}

TEST_F(ModuleTest, DefaultAnswersOfTheBaseClasses) {
  AEffect* e = create(host.callback());
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(dispatch(e, effCanBeAutomated, 5), 1);
  EXPECT_EQ(dispatch(e, effString2Parameter, 5, 0, nullptr), 0);
  EXPECT_EQ(dispatch(e, effGetParameterProperties, 5, 0, nullptr), 0);
  EXPECT_EQ(dispatch(e, effGetInputProperties, 0, 0, nullptr), 0);
  EXPECT_EQ(dispatch(e, effSetBypass, 0, 1), 0);
  EXPECT_EQ(dispatch(e, effGetTailSize), 0);
  EXPECT_EQ(dispatch(e, effKeysRequired), 1);
  EXPECT_EQ(dispatch(e, effGetNumProgramCategories), 1);
  EXPECT_EQ(dispatch(e, effIdentify), vstFourCC('N', 'v', 'E', 'f'));
  EXPECT_EQ(dispatch(e, effProcessEvents, 0, 0, nullptr), 1);
  EXPECT_EQ(dispatch(e, 12345), 0) << "unknown opcodes are answered 0";
  destroy(e);
}

}  // namespace
