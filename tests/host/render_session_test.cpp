// The render session driven against a small in-process instrument that
// records every request, so the host's side of the conversation is checked
// without the real module.
#include "vellmark-host/renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "vellmark-host/plugin_instance.h"

namespace {

constexpr VstInt32 kProcessCall = -1;  // marks processReplacing in the request log

struct ReceivedEvent {
  VstInt32 deltaFrames;
  uint8_t status, data1, data2;
};

struct BlockRecord {
  VstInt32 frames = 0;
  const VstEvents* list = nullptr;  // only valid during the render
  std::vector<ReceivedEvent> events;
  double samplePos = -1.0;
  double ppqPos = -1.0;
  VstIntPtr processLevel = -1;
};

class FakeInstrument {
 public:
  static FakeInstrument* current;

  static AEffect* entry(audioMasterCallback host) {
    FakeInstrument* fake = current;
    if (!fake || fake->refuseToStart) return nullptr;
    fake->host = host;
    fake->versionAnswer = host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f);
    return &fake->effect;
  }

  FakeInstrument() {
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatch;
    effect.setParameter = setParameter;
    effect.getParameter = getParameter;
    effect.processReplacing = process;
    effect.numPrograms = 4;
    effect.numParams = 8;
    effect.numInputs = 0;
    effect.numOutputs = 2;
    effect.flags = effFlagsCanReplacing | effFlagsIsSynth | effFlagsProgramChunks;
    effect.object = this;
    current = this;
  }
  ~FakeInstrument() { current = nullptr; }

  AEffect effect{};
  audioMasterCallback host = nullptr;
  VstIntPtr versionAnswer = 0;
  bool refuseToStart = false;
  float outputValue = 0.25f;
  int64_t nanAtFrame = -1;  // one non-finite sample on the left at this frame
  std::vector<VstInt32> requests;
  std::vector<std::pair<VstInt32, VstIntPtr>> chunksReceived;  // index, size
  std::vector<std::pair<VstInt32, float>> parameterWrites;
  std::vector<BlockRecord> blocks;
  VstIntPtr program = 0;

 private:
  static FakeInstrument& of(AEffect* e) { return *static_cast<FakeInstrument*>(e->object); }

  static VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                            float) {
    FakeInstrument& fake = of(e);
    fake.requests.push_back(opcode);
    switch (opcode) {
      case effSetChunk:
        fake.chunksReceived.push_back({index, value});
        return 1;
      case effSetProgram:
        fake.program = value;
        return 0;
      case effProcessEvents: {
        BlockRecord block;
        block.list = static_cast<const VstEvents*>(ptr);
        for (VstInt32 i = 0; block.list && i < block.list->numEvents; ++i) {
          const auto* midi = reinterpret_cast<const VstMidiEvent*>(block.list->events[i]);
          block.events.push_back({midi->deltaFrames, static_cast<uint8_t>(midi->midiData[0]),
                                  static_cast<uint8_t>(midi->midiData[1]),
                                  static_cast<uint8_t>(midi->midiData[2])});
        }
        fake.blocks.push_back(block);
        return 1;
      }
      default:
        return 0;
    }
  }

  static void setParameter(AEffect* e, VstInt32 index, float value) {
    of(e).requests.push_back(-2);
    of(e).parameterWrites.push_back({index, value});
  }
  static float getParameter(AEffect*, VstInt32) { return 0.0f; }

  static void process(AEffect* e, float**, float** outputs, VstInt32 frames) {
    FakeInstrument& fake = of(e);
    fake.requests.push_back(kProcessCall);
    BlockRecord& block = fake.blocks.back();
    block.frames = frames;
    const auto* time = reinterpret_cast<const VstTimeInfo*>(
        fake.host(e, audioMasterGetTime, 0, kVstTempoValid, nullptr, 0.0f));
    if (time) {
      block.samplePos = time->samplePos;
      block.ppqPos = time->ppqPos;
    }
    block.processLevel = fake.host(e, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f);
    const int64_t start = static_cast<int64_t>(block.samplePos);
    for (VstInt32 i = 0; i < frames; ++i) {
      outputs[0][i] =
          start + i == fake.nanAtFrame ? std::numeric_limits<float>::quiet_NaN() : fake.outputValue;
      if (fake.effect.numOutputs > 1) outputs[1][i] = -fake.outputValue;
    }
  }
};

FakeInstrument* FakeInstrument::current = nullptr;

// Keeps the rendered audio in memory.
class MemorySink : public vhost::AudioSink {
 public:
  bool write(const float* interleaved, int64_t frames, std::string&) override {
    samples.insert(samples.end(), interleaved, interleaved + frames * 2);
    return true;
  }
  std::vector<float> samples;
};

bool render(const std::vector<vhost::TimedMidiEvent>& events, const vhost::RenderSettings& settings,
            MemorySink& sink, vhost::RenderResult& result, std::string& error) {
  return vhost::renderToSink(FakeInstrument::entry, events, settings, sink, result, error);
}

}  // namespace

TEST(RenderSession, FollowsTheHostSequenceAndSendsEventsEveryBlock) {
  FakeInstrument fake;
  vhost::RenderSettings settings;
  settings.blockSize = 100;
  settings.tailSeconds = 0.0;
  settings.sampleRate = 1000;
  const std::vector<vhost::TimedMidiEvent> events = {vhost::makeMidiEvent(0.05, 0x90, 60, 100),
                                                     vhost::makeMidiEvent(0.2, 0x80, 60, 0),
                                                     vhost::makeMidiEvent(0.35, 0xB0, 64, 0)};
  MemorySink sink;
  vhost::RenderResult result;
  std::string error;
  ASSERT_TRUE(render(events, settings, sink, result, error)) << error;

  EXPECT_EQ(fake.versionAnswer, 2400);
  // The last event at frame 350 still gets its own frame: 351 frames.
  EXPECT_EQ(result.frames, 351);
  ASSERT_EQ(fake.blocks.size(), 4u);
  const std::vector<VstInt32> expectedStart = {effOpen, effSetSampleRate, effSetBlockSize,
                                               effMainsChanged};
  ASSERT_GE(fake.requests.size(), 4 + 2 * fake.blocks.size() + 2);
  EXPECT_EQ(std::vector<VstInt32>(fake.requests.begin(), fake.requests.begin() + 4), expectedStart);
  for (size_t b = 0; b < fake.blocks.size(); ++b) {
    EXPECT_EQ(fake.requests[4 + 2 * b], effProcessEvents) << b;
    EXPECT_EQ(fake.requests[5 + 2 * b], kProcessCall) << b;
    EXPECT_NE(fake.blocks[b].list, nullptr);
    EXPECT_EQ(fake.blocks[b].processLevel, 2);
  }
  EXPECT_EQ(fake.requests[fake.requests.size() - 2], effMainsChanged);
  EXPECT_EQ(fake.requests.back(), effClose);

  EXPECT_EQ(fake.blocks[0].events.size(), 1u);
  EXPECT_EQ(fake.blocks[0].events[0].deltaFrames, 50);
  EXPECT_EQ(fake.blocks[1].events.size(), 0u);  // the note off sits on the boundary at 200
  ASSERT_EQ(fake.blocks[2].events.size(), 1u);
  EXPECT_EQ(fake.blocks[2].events[0].deltaFrames, 0);
  EXPECT_EQ(fake.blocks[2].events[0].status, 0x80);
  ASSERT_EQ(fake.blocks[3].events.size(), 1u);
  EXPECT_EQ(fake.blocks[3].events[0].deltaFrames, 50);
  EXPECT_EQ(fake.blocks[3].frames, 51);

  // Time info for each block starts at the block's first sample.
  EXPECT_DOUBLE_EQ(fake.blocks[1].samplePos, 100.0);
  EXPECT_DOUBLE_EQ(fake.blocks[3].samplePos, 300.0);
  EXPECT_DOUBLE_EQ(fake.blocks[3].ppqPos, 0.6);  // 0.3 s at 120 BPM
}

TEST(RenderSession, WritesInterleavedStereoAndReportsLevels) {
  FakeInstrument fake;
  fake.outputValue = 0.5f;
  vhost::RenderSettings settings;
  settings.sampleRate = 8000;
  settings.tailSeconds = 0.1;
  MemorySink sink;
  vhost::RenderResult result;
  std::string error;
  ASSERT_TRUE(render({}, settings, sink, result, error)) << error;
  ASSERT_EQ(result.frames, 800);
  ASSERT_EQ(sink.samples.size(), 1600u);
  EXPECT_EQ(sink.samples[0], 0.5f);
  EXPECT_EQ(sink.samples[1], -0.5f);
  EXPECT_DOUBLE_EQ(result.stats.peak(0), 0.5);
  EXPECT_DOUBLE_EQ(result.stats.rms(1), 0.5);
  EXPECT_EQ(result.stats.nonFinite(), 0);
  EXPECT_EQ(result.stats.clipped(), 0);
  // Every block gets effProcessEvents, with an empty list when nothing plays.
  for (const BlockRecord& block : fake.blocks) {
    EXPECT_NE(block.list, nullptr);
    EXPECT_TRUE(block.events.empty());
  }
  // The list lives in memory allocated once, not per block.
  for (const BlockRecord& block : fake.blocks) EXPECT_EQ(block.list, fake.blocks[0].list);
}

TEST(RenderSession, NonFiniteOutputIsCountedAndWrittenAsSilence) {
  FakeInstrument fake;
  fake.nanAtFrame = 77;
  fake.outputValue = 1.0f;
  vhost::RenderSettings settings;
  settings.sampleRate = 8000;
  settings.tailSeconds = 0.05;
  settings.randomBlocks = true;
  MemorySink sink;
  vhost::RenderResult result;
  std::string error;
  ASSERT_TRUE(render({}, settings, sink, result, error)) << error;
  EXPECT_EQ(result.stats.nonFinite(), 1);
  EXPECT_EQ(sink.samples[77 * 2], 0.0f);
  EXPECT_EQ(result.stats.clipped(), 2 * 400 - 1);  // every other sample sits at +-1
}

TEST(RenderSession, MonoModuleIsHeardOnBothSides) {
  FakeInstrument fake;
  fake.effect.numOutputs = 1;
  vhost::RenderSettings settings;
  settings.sampleRate = 8000;
  settings.tailSeconds = 0.01;
  MemorySink sink;
  vhost::RenderResult result;
  std::string error;
  ASSERT_TRUE(render({}, settings, sink, result, error)) << error;
  ASSERT_EQ(sink.samples.size(), 160u);
  EXPECT_EQ(sink.samples[0], sink.samples[1]);
}

TEST(RenderSession, BankChunkThenProgramThenProgramChunkThenParameters) {
  FakeInstrument fake;
  vhost::ChunkFile bank;
  bank.kind = vhost::ChunkKind::Bank;
  bank.bytes.assign(vhost::kBankChunkBytes, 0);
  vhost::RenderSettings settings;
  settings.sampleRate = 8000;
  settings.tailSeconds = 0.01;
  settings.chunk = &bank;
  settings.program = 3;
  settings.parameters = {{2, 0.75f}, {7, 0.0f}};
  MemorySink sink;
  vhost::RenderResult result;
  std::string error;
  ASSERT_TRUE(render({}, settings, sink, result, error)) << error;
  ASSERT_EQ(fake.chunksReceived.size(), 1u);
  EXPECT_EQ(fake.chunksReceived[0].first, 0);
  EXPECT_EQ(fake.chunksReceived[0].second, static_cast<VstIntPtr>(vhost::kBankChunkBytes));
  EXPECT_EQ(fake.program, 3);
  ASSERT_EQ(fake.parameterWrites.size(), 2u);
  EXPECT_EQ(fake.parameterWrites[1].first, 7);
  const auto at = [&](VstInt32 request) {
    return std::find(fake.requests.begin(), fake.requests.end(), request) - fake.requests.begin();
  };
  EXPECT_LT(at(effSetChunk), at(effSetProgram));
  EXPECT_LT(at(effSetProgram), at(-2));
  EXPECT_LT(at(-2), at(effMainsChanged));

  // A program chunk goes into the selected program, after it was selected.
  FakeInstrument second;
  vhost::ChunkFile program;
  program.bytes.assign(vhost::kProgramChunkBytes, 0);
  settings.chunk = &program;
  settings.parameters.clear();
  ASSERT_TRUE(render({}, settings, sink, result, error)) << error;
  ASSERT_EQ(second.chunksReceived.size(), 1u);
  EXPECT_EQ(second.chunksReceived[0].first, 1);
  const auto secondAt = [&](VstInt32 request) {
    return std::find(second.requests.begin(), second.requests.end(), request) -
           second.requests.begin();
  };
  EXPECT_LT(secondAt(effSetProgram), secondAt(effSetChunk));
}

TEST(RenderSession, BrokenModulesAndWrongSettingsAreReported) {
  vhost::RenderSettings settings;
  settings.sampleRate = 8000;
  settings.tailSeconds = 0.01;
  MemorySink sink;
  vhost::RenderResult result;
  std::string error;
  {
    FakeInstrument fake;
    fake.refuseToStart = true;
    EXPECT_FALSE(render({}, settings, sink, result, error));
    EXPECT_NE(error.find("no effect record"), std::string::npos) << error;
  }
  {
    FakeInstrument fake;
    fake.effect.magic = vstFourCC('N', 'o', 'p', 'e');
    EXPECT_FALSE(render({}, settings, sink, result, error));
    EXPECT_NE(error.find("wrong magic"), std::string::npos) << error;
    EXPECT_TRUE(fake.requests.empty());  // not even effClose through a suspect record
  }
  {
    FakeInstrument fake;
    fake.effect.numOutputs = -3;
    EXPECT_FALSE(render({}, settings, sink, result, error));
    EXPECT_NE(error.find("implausible"), std::string::npos) << error;
  }
  {
    FakeInstrument fake;
    settings.program = 4;
    EXPECT_FALSE(render({}, settings, sink, result, error));
    EXPECT_NE(error.find("program 4 does not exist"), std::string::npos) << error;
    EXPECT_EQ(fake.requests.back(), effClose);
    settings.program = -1;
  }
  {
    FakeInstrument fake;
    settings.parameters = {{8, 0.5f}};
    EXPECT_FALSE(render({}, settings, sink, result, error));
    EXPECT_NE(error.find("parameter 8 does not exist"), std::string::npos) << error;
    settings.parameters.clear();
  }
  {
    FakeInstrument fake;
    fake.effect.flags &= ~effFlagsProgramChunks;
    vhost::ChunkFile program;
    program.bytes.assign(vhost::kProgramChunkBytes, 0);
    settings.chunk = &program;
    EXPECT_FALSE(render({}, settings, sink, result, error));
    EXPECT_NE(error.find("does not take chunks"), std::string::npos) << error;
    settings.chunk = nullptr;
  }
  {
    FakeInstrument fake;
    settings.tailSeconds = 0.0;
    EXPECT_FALSE(
        render({vhost::makeMidiEvent(4000.0, 0x90, 60, 1)}, settings, sink, result, error));
    EXPECT_NE(error.find("limit"), std::string::npos) << error;
  }
}

TEST(HostContext, AnswersTheRequestsAPluginMakes) {
  vhost::HostContext host;
  host.setSampleRate(44100.0);
  host.setBlockSize(512);
  EXPECT_EQ(host.answer(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
  EXPECT_EQ(host.answer(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 44100);
  EXPECT_EQ(host.answer(nullptr, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 512);
  char text[] = "sendVstTimeInfo";
  EXPECT_EQ(host.answer(nullptr, audioMasterCanDo, 0, 0, text, 0.0f), 1);
  char unknown[] = "sizeWindow";
  EXPECT_EQ(host.answer(nullptr, audioMasterCanDo, 0, 0, unknown, 0.0f), 0);
  EXPECT_EQ(host.answer(nullptr, audioMasterCanDo, 0, 0, nullptr, 0.0f), 0);
  char vendor[64];
  std::memset(vendor, 'x', sizeof vendor);
  EXPECT_EQ(host.answer(nullptr, audioMasterGetVendorString, 0, 0, vendor, 0.0f), 1);
  EXPECT_STREQ(vendor, vhost::HostContext::kVendor);
  const auto* time = reinterpret_cast<const VstTimeInfo*>(
      host.answer(nullptr, audioMasterGetTime, 0, kVstTempoValid, nullptr, 0.0f));
  ASSERT_NE(time, nullptr);
  EXPECT_DOUBLE_EQ(time->sampleRate, 44100.0);
  EXPECT_EQ(host.requestCount(audioMasterCanDo), 3);
  // Requests a host may ignore are answered harmlessly.
  EXPECT_EQ(host.answer(nullptr, audioMasterAutomate, 3, 0, nullptr, 0.5f), 0);
  EXPECT_EQ(host.answer(nullptr, audioMasterBeginEdit, 3, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(host.answer(nullptr, audioMasterWantMidi, 0, 1, nullptr, 0.0f), 0);
  EXPECT_EQ(host.answer(nullptr, 9999, 0, 0, nullptr, 0.0f), 0);
}

TEST(PrintableText, BoundsAndCleansModuleStrings) {
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(vhost::printableText(unterminated, sizeof unterminated, 64), "abcd");
  EXPECT_EQ(vhost::printableText("long name here", 64, 4), "long");
  EXPECT_EQ(vhost::printableText("tab\there\x01", 64, 64), "tab?here?");
  EXPECT_EQ(vhost::fourCharCode(vstFourCC('V', 'L', 'K', '2')), "VLK2");
}
