// The tool's command line: a command, then options. Every value is checked
// here; what depends on the module (program and parameter counts) is
// checked once it is loaded.
#pragma once

#include <string>
#include <vector>

#include "plugin_instance.h"
#include "renderer.h"
#include "wav_writer.h"

namespace vhost {

enum class Command { Help, Info, Render, Snapshot, MidiDump };

struct RenderOptions {
  std::string midiPath;  // empty: the built-in demo phrase
  std::string outPath;
  std::string chunkPath;  // empty: no chunk
  SampleFormat format = SampleFormat::Float32;
  bool quiet = false;
  RenderSettings settings;  // its chunk is attached when the file is read
};

// Pages of the editor a snapshot can show unfolded.
enum class SnapshotPage { None = 0, Presets = 1, Microtuning = 2, Modulation = 3, Effects = 4 };

struct SnapshotOptions {
  std::string outPath;
  SnapshotPage page = SnapshotPage::None;
  bool hasColour = false;
  int colour[3] = {0, 0, 0};
};

struct CommandLine {
  Command command = Command::Help;
  std::string modulePath;
  RenderOptions render;
  SnapshotOptions snapshot;
  std::string midiDumpPath;
};

// `args` excludes the program name. False with a message for the user.
bool parseCommandLine(const std::vector<std::string>& args, const std::string& defaultModule,
                      CommandLine& commandLine, std::string& error);

std::string usageText(const std::string& defaultModule);

}  // namespace vhost
