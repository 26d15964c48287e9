#include "command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace vhost {

namespace {

bool parseInteger(const std::string& text, long long low, long long high, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != 0 || parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

bool parseReal(const std::string& text, double low, double high, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const double parsed = std::strtod(text.c_str(), &end);
  if (errno != 0 || *end != 0 || !std::isfinite(parsed) || parsed < low || parsed > high)
    return false;
  value = parsed;
  return true;
}

// Walks the arguments after the command; options take "--name value" or
// "--name=value".
class OptionReader {
 public:
  OptionReader(const std::vector<std::string>& args) : args_(args) {}

  bool done() const { return next_ >= args_.size(); }

  // The next option name (or a positional word) and, for options written
  // with '=', its inline value.
  std::string take() {
    std::string word = args_[next_++];
    inlineValue_.clear();
    hasInline_ = false;
    const size_t equals = word.find('=');
    if (word.rfind("--", 0) == 0 && equals != std::string::npos) {
      inlineValue_ = word.substr(equals + 1);
      hasInline_ = true;
      word.erase(equals);
    }
    return word;
  }

  bool value(const std::string& name, std::string& value, std::string& error) {
    if (hasInline_) {
      value = inlineValue_;
      return true;
    }
    if (done()) {
      error = name + " needs a value";
      return false;
    }
    value = args_[next_++];
    return true;
  }

 private:
  const std::vector<std::string>& args_;
  size_t next_ = 1;  // args_[0] is the command
  std::string inlineValue_;
  bool hasInline_ = false;
};

bool invalid(const std::string& name, const std::string& value, const char* expected,
             std::string& error) {
  error = "invalid " + name + " '" + value + "': expected " + expected;
  return false;
}

bool parseRenderOption(const std::string& name, OptionReader& reader, RenderOptions& render,
                       std::string& error) {
  RenderSettings& settings = render.settings;
  if (name == "--quiet") {
    render.quiet = true;
    return true;
  }
  std::string value;
  if (name == "--midi") return reader.value(name, render.midiPath, error);
  if (name == "-o" || name == "--out") return reader.value(name, render.outPath, error);
  if (name == "--chunk") return reader.value(name, render.chunkPath, error);
  if (!reader.value(name, value, error)) return false;
  long long integer = 0;
  double real = 0.0;
  if (name == "--rate") {
    if (!parseInteger(value, 8000, 384000, integer))
      return invalid(name, value, "a whole number of Hz from 8000 to 384000", error);
    settings.sampleRate = static_cast<int>(integer);
  } else if (name == "--block") {
    if (value == "random") {
      settings.randomBlocks = true;
    } else if (parseInteger(value, 1, 65536, integer)) {
      settings.randomBlocks = false;
      settings.blockSize = static_cast<VstInt32>(integer);
    } else {
      return invalid(name, value, "a size from 1 to 65536 frames, or 'random'", error);
    }
  } else if (name == "--seed") {
    if (!parseInteger(value, 0, 4294967295LL, integer))
      return invalid(name, value, "a whole number from 0 to 4294967295", error);
    settings.seed = static_cast<uint32_t>(integer);
  } else if (name == "--tempo") {
    if (!parseReal(value, 1.0, 1000.0, real))
      return invalid(name, value, "beats per minute from 1 to 1000", error);
    settings.tempo = real;
  } else if (name == "--program") {
    if (!parseInteger(value, 0, kMaxPrograms - 1, integer))
      return invalid(name, value, "a program number from 0", error);
    settings.program = static_cast<int>(integer);
  } else if (name == "--param") {
    const size_t equals = value.find('=');
    double parameterValue = 0.0;
    if (equals == std::string::npos ||
        !parseInteger(value.substr(0, equals), 0, kMaxParameters - 1, integer) ||
        !parseReal(value.substr(equals + 1), 0.0, 1.0, parameterValue))
      return invalid(name, value, "INDEX=VALUE with an index from 0 and a value from 0 to 1",
                     error);
    settings.parameters.push_back(
        {static_cast<VstInt32>(integer), static_cast<float>(parameterValue)});
  } else if (name == "--tail") {
    if (!parseReal(value, 0.0, 600.0, real))
      return invalid(name, value, "seconds from 0 to 600", error);
    settings.tailSeconds = real;
  } else if (name == "--format") {
    if (value == "float")
      render.format = SampleFormat::Float32;
    else if (value == "pcm24")
      render.format = SampleFormat::Pcm24;
    else
      return invalid(name, value, "'float' or 'pcm24'", error);
  } else {
    error = "unknown option " + name + " for render";
    return false;
  }
  return true;
}

bool parseColour(const std::string& text, int colour[3]) {
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t comma = text.find(',', start);
    if ((i < 2) != (comma != std::string::npos)) return false;
    long long component = 0;
    if (!parseInteger(
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start), 0,
            255, component))
      return false;
    colour[i] = static_cast<int>(component);
    start = comma + 1;
  }
  return true;
}

bool parseSnapshotOption(const std::string& name, OptionReader& reader, SnapshotOptions& snapshot,
                         std::string& error) {
  if (name == "-o" || name == "--out") return reader.value(name, snapshot.outPath, error);
  std::string value;
  if (name == "--page") {
    if (!reader.value(name, value, error)) return false;
    static const char* const kPages[] = {"none", "presets", "microtuning", "modulation", "effects"};
    for (int page = 0; page < 5; ++page) {
      if (value == kPages[page]) {
        snapshot.page = static_cast<SnapshotPage>(page);
        return true;
      }
    }
    return invalid(name, value, "none, presets, microtuning, modulation or effects", error);
  }
  if (name == "--colour" || name == "--color") {
    if (!reader.value(name, value, error)) return false;
    if (!parseColour(value, snapshot.colour))
      return invalid(name, value, "R,G,B with each from 0 to 255", error);
    snapshot.hasColour = true;
    return true;
  }
  error = "unknown option " + name + " for snapshot";
  return false;
}

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, const std::string& defaultModule,
                      CommandLine& commandLine, std::string& error) {
  commandLine = CommandLine();
  commandLine.modulePath = defaultModule;
  if (args.empty()) {
    error = "no command given";
    return false;
  }
  const std::string& command = args[0];
  if (command == "help" || command == "-h" || command == "--help") {
    commandLine.command = Command::Help;
    return true;
  }
  if (command == "info")
    commandLine.command = Command::Info;
  else if (command == "render")
    commandLine.command = Command::Render;
  else if (command == "snapshot")
    commandLine.command = Command::Snapshot;
  else if (command == "midi-dump")
    commandLine.command = Command::MidiDump;
  else {
    error = "unknown command '" + command + "'";
    return false;
  }

  OptionReader reader(args);
  while (!reader.done()) {
    const std::string name = reader.take();
    if (name == "-h" || name == "--help") {
      commandLine.command = Command::Help;
      return true;
    }
    if (name == "--module") {
      if (!reader.value(name, commandLine.modulePath, error)) return false;
      continue;
    }
    bool ok = false;
    switch (commandLine.command) {
      case Command::Render:
        ok = parseRenderOption(name, reader, commandLine.render, error);
        break;
      case Command::Snapshot:
        ok = parseSnapshotOption(name, reader, commandLine.snapshot, error);
        break;
      case Command::MidiDump:
        if (name.rfind("-", 0) != 0 && commandLine.midiDumpPath.empty()) {
          commandLine.midiDumpPath = name;
          ok = true;
        } else {
          error = name.rfind("-", 0) == 0 ? "unknown option " + name + " for midi-dump"
                                          : "midi-dump takes one file";
        }
        break;
      default:
        error = "unknown option " + name + " for " + command;
        break;
    }
    if (!ok) return false;
  }

  if (commandLine.modulePath.empty() && commandLine.command != Command::MidiDump) {
    error = "no module given (--module PATH)";
    return false;
  }
  if (commandLine.command == Command::Render && commandLine.render.outPath.empty()) {
    error = "render needs an output file (-o FILE.wav)";
    return false;
  }
  if (commandLine.command == Command::Snapshot && commandLine.snapshot.outPath.empty()) {
    error = "snapshot needs an output file (-o FILE.png)";
    return false;
  }
  if (commandLine.command == Command::MidiDump && commandLine.midiDumpPath.empty()) {
    error = "midi-dump needs a MIDI file";
    return false;
  }
  return true;
}

std::string usageText(const std::string& defaultModule) {
  return "usage: vellmark-host <command> [options]\n"
         "\n"
         "commands:\n"
         "  info                      effect record, identity, capabilities, pins,\n"
         "                            program names and every parameter\n"
         "  render -o FILE.wav        play MIDI (or the built-in demo phrase) to a WAV file\n"
         "  snapshot -o FILE.png      draw the module's editor offscreen to a PNG\n"
         "  midi-dump FILE.mid        list the events read from a MIDI file\n"
         "  help                      this text\n"
         "\n"
         "every command but midi-dump:\n"
         "  --module PATH             the module to load (default " +
         defaultModule +
         ")\n"
         "\n"
         "render:\n"
         "  --midi FILE               standard MIDI file; without it the demo phrase plays\n"
         "  -o, --out FILE            output WAV (stereo)\n"
         "  --format float|pcm24      32-bit float (default) or 24-bit PCM\n"
         "  --rate HZ                 sample rate, 8000..384000 (default 48000)\n"
         "  --block N|random          block size 1..65536 (default 256), or random\n"
         "                            sizes 1..2048\n"
         "  --seed N                  seed of the random block sizes (default 1)\n"
         "  --tempo BPM               host tempo for the time info and the demo phrase\n"
         "                            (default 120)\n"
         "  --program N               program to select\n"
         "  --param INDEX=VALUE       set a parameter (0..1) after the program; repeatable\n"
         "  --chunk FILE              .vkp program or .vkb bank file, given as the chunk\n"
         "  --tail SECONDS            rendering after the last event, 0..600 (default 3)\n"
         "  --quiet                   no summary\n"
         "\n"
         "snapshot:\n"
         "  -o, --out FILE            output PNG\n"
         "  --page none|presets|microtuning|modulation|effects\n"
         "  --colour R,G,B            panel colour, each 0..255\n";
}

}  // namespace vhost
