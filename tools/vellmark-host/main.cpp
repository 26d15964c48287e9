// vellmark-host: a command-line VST 2.4 host to inspect, play and picture
// the instrument module.
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"

#ifndef VELLMARK_DEFAULT_MODULE
#define VELLMARK_DEFAULT_MODULE ""
#endif

// Sanitizer builds: fontconfig keeps its configuration for the whole
// process once a module's editor has looked up a font; that is not ours to
// free while other code in the process may use it.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

int main(int argc, char** argv) {
  using namespace vhost;
  const std::string defaultModule = VELLMARK_DEFAULT_MODULE;
  const std::vector<std::string> args(argv + 1, argv + argc);
  CommandLine commandLine;
  std::string error;
  if (!parseCommandLine(args, defaultModule, commandLine, error)) {
    std::cerr << "error: " << error << "\n(vellmark-host help lists the commands and options)\n";
    return kExitUsage;
  }
  switch (commandLine.command) {
    case Command::Help:
      std::cout << usageText(defaultModule);
      return kExitOk;
    case Command::Info:
      return runInfo(commandLine.modulePath, std::cout, std::cerr);
    case Command::Render:
      return runRender(commandLine.modulePath, commandLine.render, std::cout, std::cerr);
    case Command::Snapshot:
      return runSnapshot(commandLine.modulePath, commandLine.snapshot, std::cout, std::cerr);
    case Command::MidiDump:
      return runMidiDump(commandLine.midiDumpPath, std::cout, std::cerr);
  }
  return kExitFailure;
}
