// Runs the built vellmark-host binary on the built module, as a user would.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/host_test_support.h"
#include "vellmark-host/block_event_feeder.h"
#include "vellmark-host/demo_phrase.h"
#include "vellmark-host/plugin_instance.h"
#include "vellmark-host/renderer.h"

namespace {

struct RunResult {
  int exitCode = -1;
  std::string out;  // stdout and stderr together
};

std::string quote(const std::string& text) { return "'" + text + "'"; }

RunResult runHost(const std::string& arguments, const host_test::ScratchFolder& folder,
                  const std::string& module = VELLMARK_MODULE_PATH) {
  const std::string log = folder.file("host-output.txt");
  const std::string command = quote(VELLMARK_HOST_PATH) + " " + arguments + " --module " +
                              quote(module) + " > " + quote(log) + " 2>&1";
  RunResult result;
  const int status = std::system(command.c_str());
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::ifstream file(log);
  std::stringstream text;
  text << file.rdbuf();
  result.out = text.str();
  return result;
}

int countLinesStartingWith(const std::string& text, const std::string& prefix) {
  std::istringstream lines(text);
  int count = 0;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(prefix, 0) == 0) ++count;
  return count;
}

struct WavContents {
  SF_INFO info{};
  std::vector<float> samples;
};

bool readWav(const std::string& path, WavContents& wav) {
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &wav.info);
  if (!file) return false;
  wav.samples.resize(static_cast<size_t>(wav.info.frames) * wav.info.channels);
  const sf_count_t read = sf_readf_float(file, wav.samples.data(), wav.info.frames);
  sf_close(file);
  return read == wav.info.frames;
}

int64_t countNonFinite(const std::vector<float>& samples) {
  int64_t count = 0;
  for (float x : samples) count += std::isfinite(x) ? 0 : 1;
  return count;
}

}  // namespace

TEST(HostEndToEnd, InfoListsEveryProgramAndParameter) {
  host_test::ScratchFolder folder;
  const RunResult run = runHost("info", folder);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(countLinesStartingWith(run.out, "  program "), 64) << run.out;
  EXPECT_EQ(countLinesStartingWith(run.out, "  param "), 111) << run.out;
  EXPECT_NE(run.out.find("unique ID       'VLK2'"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("IsSynth"), std::string::npos);
  EXPECT_NE(run.out.find("receiveVstMidiEvent     1 (yes)"), std::string::npos) << run.out;
  EXPECT_EQ(countLinesStartingWith(run.out, "  pin "), 2);
}

TEST(HostEndToEnd, RendersTheDemoPhraseToStereoWav) {
  host_test::ScratchFolder folder;
  const std::string wavPath = folder.file("demo.wav");
  const RunResult run = runHost("render -o " + quote(wavPath), folder);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("non-finite      0"), std::string::npos) << run.out;

  WavContents wav;
  ASSERT_TRUE(readWav(wavPath, wav));
  EXPECT_EQ(wav.info.format & SF_FORMAT_TYPEMASK, SF_FORMAT_WAV);
  EXPECT_EQ(wav.info.format & SF_FORMAT_SUBMASK, SF_FORMAT_FLOAT);
  EXPECT_EQ(wav.info.channels, 2);
  EXPECT_EQ(wav.info.samplerate, 48000);
  const int64_t expected =
      vhost::renderFrameCount(vhost::placeEvents(vhost::demoPhrase(120.0), 48000), 48000, 3.0);
  EXPECT_EQ(wav.info.frames, expected);
  EXPECT_EQ(countNonFinite(wav.samples), 0);
}

TEST(HostEndToEnd, RendersAMidiFileWithAProgramChunkAndRandomBlocks) {
  host_test::ScratchFolder folder;
  // The module's own current program, renamed, as a program file.
  std::vector<uint8_t> program;
  {
    vhost::LoadedModule module;
    std::string error;
    ASSERT_TRUE(vhost::loadModule(VELLMARK_MODULE_PATH, module, error)) << error;
    vhost::HostContext host;
    auto plugin = vhost::PluginInstance::create(module.entry, host, error);
    ASSERT_TRUE(plugin) << error;
    ASSERT_TRUE(plugin->readChunk(false, program, error)) << error;
  }
  ASSERT_EQ(program.size(), vhost::kProgramChunkBytes);
  const std::string chunkPath = folder.file("warm.vkp");
  host_test::writeBytes(chunkPath, program);

  const std::string midiPath = folder.file("phrase.mid");
  ASSERT_TRUE(host_test::writeMidiFile(midiPath, 96, 1,
                                       {{1, 0, {0x90, 57, 100}},
                                        {1, 0, {0xB0, 64, 127}},
                                        {1, 48, {0x9F, 64, 80}},
                                        {1, 96, {0xE0, 0x00, 0x50}},
                                        {1, 144, {0x80, 57, 0}},
                                        {1, 192, {0x8F, 64, 0}},
                                        {1, 192, {0xB0, 64, 0}}}));
  const std::string wavPath = folder.file("phrase.wav");
  const RunResult run =
      runHost("render --midi " + quote(midiPath) + " -o " + quote(wavPath) + " --chunk " +
                  quote(chunkPath) +
                  " --rate 44100 --block random --seed 5 --tail 0.5 --format pcm24"
                  " --program 2 --param 1=0.8",
              folder);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("events          7 of 7 delivered"), std::string::npos) << run.out;

  WavContents wav;
  ASSERT_TRUE(readWav(wavPath, wav));
  EXPECT_EQ(wav.info.format & SF_FORMAT_SUBMASK, SF_FORMAT_PCM_24);
  EXPECT_EQ(wav.info.samplerate, 44100);
  // 192 pulses at 96 per quarter and 120 BPM: 1 s, then the tail.
  EXPECT_EQ(wav.info.frames, 44100 + 22050);
}

TEST(HostEndToEnd, ReportsBadInputWithoutWritingAFile) {
  host_test::ScratchFolder folder;
  const std::string chunkPath = folder.file("short.vkp");
  host_test::writeBytes(chunkPath, std::vector<uint8_t>(1499, 0));
  const std::string wavPath = folder.file("never.wav");

  RunResult run = runHost("render -o " + quote(wavPath) + " --chunk " + quote(chunkPath), folder);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("1499 bytes"), std::string::npos) << run.out;
  run = runHost("render -o " + quote(wavPath) + " --param 111=0.5", folder);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("parameter 111 does not exist"), std::string::npos) << run.out;
  run = runHost("render -o " + quote(wavPath) + " --program 64", folder);
  EXPECT_EQ(run.exitCode, 1);
  run = runHost("render -o " + quote(wavPath) + " --block 0", folder);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_FALSE(std::filesystem::exists(wavPath));

  // A file that is not a module is refused with the loader's reason.
  run = runHost("info", folder, chunkPath);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.out.find("cannot load module"), std::string::npos) << run.out;
}

TEST(HostEndToEnd, MidiDumpListsEventsWithTheirTimes) {
  host_test::ScratchFolder folder;
  const std::string midiPath = folder.file("dump.mid");
  ASSERT_TRUE(host_test::writeMidiFile(
      midiPath, 480, 1,
      {{1, 0, host_test::tempoEvent(750000)}, {1, 480, {0x90, 60, 100}}, {1, 960, {0x80, 60, 0}}}));
  const RunResult run = runHost("midi-dump " + quote(midiPath), folder);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_NE(run.out.find("    0.750000  90 3C 64  note on     ch  1  key  60  vel 100"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("    1.500000  80 3C 00  note off"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("2 events"), std::string::npos) << run.out;
}

TEST(HostEndToEnd, SnapshotWritesAPngOrSaysTheModuleCannot) {
  host_test::ScratchFolder folder;
  const std::string pngPath = folder.file("editor.png");
  const RunResult run =
      runHost("snapshot -o " + quote(pngPath) + " --page effects --colour 200,120,40", folder);
  if (run.exitCode == 0) {
    std::ifstream png(pngPath, std::ios::binary);
    char signature[8] = {};
    png.read(signature, sizeof signature);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  } else {
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("cannot draw an offscreen snapshot"), std::string::npos) << run.out;
  }
}
