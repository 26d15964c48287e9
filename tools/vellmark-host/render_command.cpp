// "render": MIDI (or the demo phrase) through the module into a WAV file,
// then a summary of what came out.
#include <cmath>
#include <cstdio>

#include "commands.h"
#include "demo_phrase.h"
#include "midi_file_reader.h"

namespace vhost {

namespace {

std::string levelText(double level) {
  char text[48];
  if (level > 0.0)
    std::snprintf(text, sizeof text, "%.6f (%.2f dBFS)", level, toDecibels(level));
  else
    std::snprintf(text, sizeof text, "0 (silent)");
  return text;
}

void printSummary(const RenderOptions& options, const RenderResult& result, size_t eventCount,
                  std::ostream& out) {
  const RenderSettings& settings = options.settings;
  const double seconds = static_cast<double>(result.frames) / settings.sampleRate;
  char line[256];
  std::snprintf(line, sizeof line, "rendered        %.3f s, %lld frames at %d Hz -> %s\n", seconds,
                static_cast<long long>(result.frames), settings.sampleRate,
                options.outPath.c_str());
  out << line;
  if (settings.randomBlocks)
    std::snprintf(line, sizeof line, "blocks          %lld, random sizes 1..2048 (seed %u)\n",
                  static_cast<long long>(result.blocks), settings.seed);
  else
    std::snprintf(line, sizeof line, "blocks          %lld of %d frames\n",
                  static_cast<long long>(result.blocks), settings.blockSize);
  out << line;
  out << "events          " << result.eventsDelivered << " of " << eventCount << " delivered ("
      << (options.midiPath.empty() ? "demo phrase" : options.midiPath) << ")\n";
  out << "peak            L " << levelText(result.stats.peak(0)) << "   R "
      << levelText(result.stats.peak(1)) << "\n";
  out << "rms             L " << levelText(result.stats.rms(0)) << "   R "
      << levelText(result.stats.rms(1)) << "\n";
  out << "non-finite      " << result.stats.nonFinite() << "\n";
  out << "clipped         " << result.stats.clipped() << " samples at or beyond +-1\n";
  if (result.cpuSeconds > 0.0)
    std::snprintf(line, sizeof line, "cpu             %.3f s, real-time factor %.1f\n",
                  result.cpuSeconds, seconds / result.cpuSeconds);
  else
    std::snprintf(line, sizeof line, "cpu             below the clock's resolution\n");
  out << line;
}

}  // namespace

int runRender(const std::string& modulePath, const RenderOptions& options, std::ostream& out,
              std::ostream& err) {
  std::string error;
  std::vector<TimedMidiEvent> events;
  if (options.midiPath.empty()) {
    events = demoPhrase(options.settings.tempo);
  } else if (!readMidiFile(options.midiPath, events, error)) {
    err << "error: " << error << "\n";
    return kExitFailure;
  }

  RenderSettings settings = options.settings;
  ChunkFile chunk;
  if (!options.chunkPath.empty()) {
    if (!loadChunkFile(options.chunkPath, chunk, error)) {
      err << "error: " << error << "\n";
      return kExitFailure;
    }
    settings.chunk = &chunk;
  }

  LoadedModule module;
  if (!loadModule(modulePath, module, error)) {
    err << "error: " << error << "\n";
    return kExitFailure;
  }
  const int64_t expectedFrames = renderFrameCount(placeEvents(events, settings.sampleRate),
                                                  settings.sampleRate, settings.tailSeconds);
  std::unique_ptr<WavWriter> writer = WavWriter::create(options.outPath, settings.sampleRate,
                                                        options.format, expectedFrames, error);
  if (!writer) {
    err << "error: " << error << "\n";
    return kExitFailure;
  }

  RenderResult result;
  const bool rendered = renderToSink(module.entry, events, settings, *writer, result, error);
  std::string closeError;
  const bool closed = writer->close(closeError);
  if (!rendered || !closed) {
    // A half-written file would pass for a render; none is better.
    std::remove(options.outPath.c_str());
    err << "error: " << (rendered ? closeError : error) << "\n";
    return kExitFailure;
  }
  if (!options.quiet) printSummary(options, result, events.size(), out);
  if (result.stats.nonFinite() > 0) {
    err << "error: the module produced " << result.stats.nonFinite()
        << " non-finite samples (written as 0)\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace vhost
