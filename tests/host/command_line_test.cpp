#include "vellmark-host/command_line.h"

#include <gtest/gtest.h>

using vhost::Command;
using vhost::CommandLine;

namespace {

bool parse(const std::vector<std::string>& args, CommandLine& commandLine, std::string& error) {
  return vhost::parseCommandLine(args, "/default/vellmark.so", commandLine, error);
}

}  // namespace

TEST(CommandLine, RenderOptionsInBothSpellings) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(
      parse({"render",      "-o",      "out.wav", "--rate=44100", "--block", "random",  "--seed",
             "9",           "--tempo", "96.5",    "--program",    "3",       "--param", "48=0.25",
             "--param=0=1", "--tail",  "0",       "--format",     "pcm24",   "--midi",  "song.mid",
             "--chunk",     "a.vkp",   "--quiet", "--module",     "other.so"},
            line, error))
      << error;
  EXPECT_EQ(line.command, Command::Render);
  EXPECT_EQ(line.modulePath, "other.so");
  const vhost::RenderSettings& settings = line.render.settings;
  EXPECT_EQ(settings.sampleRate, 44100);
  EXPECT_TRUE(settings.randomBlocks);
  EXPECT_EQ(settings.seed, 9u);
  EXPECT_DOUBLE_EQ(settings.tempo, 96.5);
  EXPECT_EQ(settings.program, 3);
  ASSERT_EQ(settings.parameters.size(), 2u);
  EXPECT_EQ(settings.parameters[0].index, 48);
  EXPECT_FLOAT_EQ(settings.parameters[0].value, 0.25f);
  EXPECT_EQ(settings.parameters[1].index, 0);
  EXPECT_DOUBLE_EQ(settings.tailSeconds, 0.0);
  EXPECT_EQ(line.render.format, vhost::SampleFormat::Pcm24);
  EXPECT_EQ(line.render.midiPath, "song.mid");
  EXPECT_EQ(line.render.chunkPath, "a.vkp");
  EXPECT_TRUE(line.render.quiet);
}

TEST(CommandLine, RejectsValuesOutOfRange) {
  const std::vector<std::vector<std::string>> bad = {
      {"render", "-o", "x.wav", "--rate", "0"},
      {"render", "-o", "x.wav", "--rate", "48000.5"},
      {"render", "-o", "x.wav", "--block", "0"},
      {"render", "-o", "x.wav", "--block", "12abc"},
      {"render", "-o", "x.wav", "--tempo", "nan"},
      {"render", "-o", "x.wav", "--tempo", "-120"},
      {"render", "-o", "x.wav", "--program", "-1"},
      {"render", "-o", "x.wav", "--param", "3"},
      {"render", "-o", "x.wav", "--param", "3=1.5"},
      {"render", "-o", "x.wav", "--param", "-1=0.5"},
      {"render", "-o", "x.wav", "--param", "3=inf"},
      {"render", "-o", "x.wav", "--tail", "1e9"},
      {"render", "-o", "x.wav", "--format", "mp3"},
      {"render", "-o", "x.wav", "--rate"},
      {"render", "--rate", "48000"},
      {"render", "-o", "x.wav", "--page", "effects"},
      {"snapshot", "-o", "x.png", "--page", "keyboard"},
      {"snapshot", "-o", "x.png", "--colour", "1,2"},
      {"snapshot", "-o", "x.png", "--colour", "1,2,256"},
      {"snapshot", "-o", "x.png", "--colour", "1,2,3,4"},
      {"snapshot", "--page", "presets"},
      {"midi-dump"},
      {"midi-dump", "a.mid", "b.mid"},
      {"info", "--rate", "48000"},
      {"play"},
      {},
  };
  for (const auto& args : bad) {
    CommandLine line;
    std::string error;
    std::string joined;
    for (const std::string& arg : args) joined += arg + " ";
    EXPECT_FALSE(parse(args, line, error)) << joined;
    EXPECT_FALSE(error.empty()) << joined;
  }
}

TEST(CommandLine, SnapshotAndOtherCommands) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(parse({"snapshot", "--out", "p.png", "--page", "microtuning", "--color", "255,0,12"},
                    line, error))
      << error;
  EXPECT_EQ(line.snapshot.page, vhost::SnapshotPage::Microtuning);
  EXPECT_TRUE(line.snapshot.hasColour);
  EXPECT_EQ(line.snapshot.colour[0], 255);
  EXPECT_EQ(line.snapshot.colour[2], 12);
  EXPECT_EQ(line.modulePath, "/default/vellmark.so");

  ASSERT_TRUE(parse({"midi-dump", "song.mid"}, line, error)) << error;
  EXPECT_EQ(line.midiDumpPath, "song.mid");
  ASSERT_TRUE(parse({"render", "--help"}, line, error));
  EXPECT_EQ(line.command, Command::Help);
}
