// Plays timed MIDI through one plug-in instance and collects its stereo
// output, following the sequence hosts use: entry point, effOpen, sample
// rate, block size, chunk / program / parameters, effMainsChanged 1; per
// block effProcessEvents (always, with an empty list when the block has no
// events) then processReplacing; effMainsChanged 0 and effClose at the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio_sink.h"
#include "block_event_feeder.h"
#include "chunk_file.h"
#include "midi_event.h"
#include "module_loader.h"
#include "signal_stats.h"

namespace vhost {

// Renders longer than this are refused (a stray event time in a MIDI file
// would otherwise mean hours of work and gigabytes of output).
constexpr double kMaxRenderSeconds = 3600.0;

struct ParameterSetting {
  VstInt32 index = 0;
  float value = 0.0f;
};

struct RenderSettings {
  int sampleRate = 48000;
  VstInt32 blockSize = 256;
  bool randomBlocks = false;  // sizes 1..2048 from `seed` instead of blockSize
  uint32_t seed = 1;
  double tempo = 120.0;
  int program = -1;  // -1 keeps the module's current program
  std::vector<ParameterSetting> parameters;
  const ChunkFile* chunk = nullptr;
  double tailSeconds = 3.0;
};

struct RenderResult {
  int64_t frames = 0;
  int64_t blocks = 0;
  size_t eventsDelivered = 0;
  SignalStats stats;
  double cpuSeconds = 0.0;  // spent in effProcessEvents and processReplacing
};

// Frames rendered: up to the last event, which always gets at least its own
// frame, plus the tail.
int64_t renderFrameCount(const std::vector<FramedMidiEvent>& events, int sampleRate,
                         double tailSeconds);

// Non-finite output samples are counted in the result and written to the
// sink as 0.
bool renderToSink(PluginEntry entry, const std::vector<TimedMidiEvent>& events,
                  const RenderSettings& settings, AudioSink& sink, RenderResult& result,
                  std::string& error);

}  // namespace vhost
