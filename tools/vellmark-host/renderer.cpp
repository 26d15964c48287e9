#include "renderer.h"

#include <cmath>
#include <ctime>

#include "block_sizer.h"
#include "host_context.h"
#include "plugin_instance.h"

namespace vhost {

namespace {

// Loads the chunk, selects the program and sets the parameters, in the order
// that lets each refine the one before: a bank replaces every program, the
// program is chosen from it, a program chunk replaces the chosen program and
// single parameters adjust the result.
bool configureInstance(PluginInstance& plugin, const RenderSettings& settings, std::string& error) {
  const AEffect& effect = plugin.effect();
  const ChunkFile* chunk = settings.chunk;
  if (chunk && !(effect.flags & effFlagsProgramChunks)) {
    error = "the module does not take chunks (no program-chunk flag)";
    return false;
  }
  auto setChunk = [&](const char* what) {
    const VstIntPtr size = static_cast<VstIntPtr>(chunk->bytes.size());
    auto* data = const_cast<uint8_t*>(chunk->bytes.data());
    if (plugin.dispatch(effSetChunk, chunk->kind == ChunkKind::Bank ? 0 : 1, size, data) == 1)
      return true;
    error = std::string("the module refused the ") + what + " chunk";
    return false;
  };
  if (chunk && chunk->kind == ChunkKind::Bank && !setChunk("bank")) return false;
  if (settings.program >= 0) {
    if (settings.program >= effect.numPrograms) {
      error = "program " + std::to_string(settings.program) + " does not exist (the module has " +
              std::to_string(effect.numPrograms) + " programs)";
      return false;
    }
    plugin.dispatch(effBeginSetProgram);
    plugin.dispatch(effSetProgram, 0, settings.program);
    plugin.dispatch(effEndSetProgram);
  }
  if (chunk && chunk->kind == ChunkKind::Program && !setChunk("program")) return false;
  if (!settings.parameters.empty() && !plugin.canSetParameters()) {
    error = "the module's effect record has no setParameter/getParameter";
    return false;
  }
  for (const ParameterSetting& parameter : settings.parameters) {
    if (parameter.index < 0 || parameter.index >= effect.numParams) {
      error = "parameter " + std::to_string(parameter.index) + " does not exist (the module has " +
              std::to_string(effect.numParams) + " parameters)";
      return false;
    }
    plugin.setParameter(parameter.index, parameter.value);
  }
  return true;
}

// The plug-in's output and input buffers, sized once for the largest block.
class ChannelBuffers {
 public:
  ChannelBuffers(VstInt32 channels, VstInt32 frames)
      : data_(static_cast<size_t>(channels) * static_cast<size_t>(frames), 0.0f),
        pointers_(static_cast<size_t>(channels) + 1, nullptr) {
    for (VstInt32 c = 0; c < channels; ++c) pointers_[c] = &data_[static_cast<size_t>(c) * frames];
  }
  void clear() { std::fill(data_.begin(), data_.end(), 0.0f); }
  float** pointers() { return pointers_.data(); }
  float* channel(VstInt32 c) { return pointers_[c]; }

 private:
  std::vector<float> data_;
  std::vector<float*> pointers_;
};

}  // namespace

int64_t renderFrameCount(const std::vector<FramedMidiEvent>& events, int sampleRate,
                         double tailSeconds) {
  const int64_t tail = static_cast<int64_t>(std::llround(tailSeconds * sampleRate));
  if (events.empty()) return tail;
  return events.back().frame + (tail > 0 ? tail : 1);
}

bool renderToSink(PluginEntry entry, const std::vector<TimedMidiEvent>& events,
                  const RenderSettings& settings, AudioSink& sink, RenderResult& result,
                  std::string& error) {
  result = RenderResult();
  std::vector<FramedMidiEvent> placed = placeEvents(events, settings.sampleRate);
  const int64_t totalFrames = renderFrameCount(placed, settings.sampleRate, settings.tailSeconds);
  if (static_cast<double>(totalFrames) > kMaxRenderSeconds * settings.sampleRate) {
    error = "the render would last " + std::to_string(totalFrames / settings.sampleRate) +
            " s, more than the limit of " + std::to_string(static_cast<int>(kMaxRenderSeconds)) +
            " s";
    return false;
  }

  BlockSizer sizer = settings.randomBlocks ? BlockSizer::random(settings.seed)
                                           : BlockSizer::fixed(settings.blockSize);
  HostContext host;
  host.transport().configure(settings.sampleRate, settings.tempo);
  std::unique_ptr<PluginInstance> plugin = PluginInstance::create(entry, host, error);
  if (!plugin) return false;
  const AEffect& effect = plugin->effect();
  if (!effect.processReplacing) {
    error = "the module's effect record has no processReplacing";
    return false;
  }

  plugin->prepare(settings.sampleRate, sizer.maxBlock());
  if (!configureInstance(*plugin, settings, error)) return false;

  // The buffers are sized once, before the first block, from counts read
  // once: a module changing them later cannot make the host overrun them.
  const VstInt32 outputCount = effect.numOutputs;
  const VstInt32 inputCount = effect.numInputs;
  if (outputCount < 1 || outputCount > kMaxChannels) {
    error = "the module reports " + std::to_string(outputCount) + " audio outputs";
    return false;
  }
  if (inputCount < 0 || inputCount > kMaxChannels) {
    error = "the module reports " + std::to_string(inputCount) + " audio inputs";
    return false;
  }
  const VstInt32 maxBlock = sizer.maxBlock();
  ChannelBuffers outputs(outputCount, maxBlock);
  ChannelBuffers inputs(inputCount, maxBlock);
  std::vector<float> interleaved(static_cast<size_t>(maxBlock) * 2);
  BlockEventFeeder feeder(std::move(placed));
  AEffect* record = plugin->record();
  const AEffectProcessProc process = effect.processReplacing;

  plugin->resume();
  host.transport().setPlaying(true);
  for (int64_t position = 0; position < totalFrames;) {
    const VstInt32 frames = sizer.next(totalFrames - position);
    host.transport().moveTo(position);
    VstEvents* list = feeder.eventsForBlock(position, frames);
    outputs.clear();
    inputs.clear();

    host.setProcessLevel(ProcessLevel::Realtime);
    const std::clock_t start = std::clock();
    plugin->dispatch(effProcessEvents, 0, 0, list);
    process(record, inputs.pointers(), outputs.pointers(), frames);
    result.cpuSeconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    host.setProcessLevel(ProcessLevel::User);

    // A mono module is heard on both sides; further outputs are left out.
    const float* stereo[2] = {outputs.channel(0), outputs.channel(outputCount > 1 ? 1 : 0)};
    result.stats.add(stereo, frames);
    for (VstInt32 i = 0; i < frames; ++i) {
      for (int c = 0; c < 2; ++c) {
        const float x = stereo[c][i];
        interleaved[static_cast<size_t>(i) * 2 + c] = std::isfinite(x) ? x : 0.0f;
      }
    }
    if (!sink.write(interleaved.data(), frames, error)) return false;
    position += frames;
    ++result.blocks;
  }
  host.transport().setPlaying(false);
  plugin->suspend();
  result.frames = totalFrames;
  result.eventsDelivered = feeder.delivered();
  return true;
}

}  // namespace vhost
