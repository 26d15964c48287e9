// The one way into the engine for changes made outside the audio thread's
// own event intake. Parameter values, whole programs, the editor's keys,
// voice clears and rate changes are posted from any thread and applied, in
// the order they were posted, by whoever holds the engine: the audio
// thread at the start of its next block or event batch, or, while the host
// has processing switched off, the posting thread itself at once.
//
// Holding the engine is a flag taken with one atomic exchange, never waited
// for: the audio thread that finds it taken (only possible when a host
// renders while it has processing switched off and changes programs from
// another thread at the same moment) renders silence for that block.
#pragma once

#include <atomic>
#include <cstdint>

#include "params/program_record.h"
#include "plugin/change_queue.h"

namespace engine {
struct Engine;
}

namespace plugin {

struct EngineChange {
  enum class Kind : uint8_t { Parameter, Program, KeyDown, KeyUp, ClearVoices, SampleRate };
  Kind kind = Kind::Parameter;
  int32_t index = 0;   // parameter index, key, or program slot
  float value = 0.0f;  // parameter value, velocity or sample rate
};

class EngineWriter {
 public:
  explicit EngineWriter(engine::Engine& engine);
  EngineWriter(const EngineWriter&) = delete;
  EngineWriter& operator=(const EngineWriter&) = delete;

  // --- Any thread ---------------------------------------------------------
  // A value already finite and within 0..1.
  void setParameter(int index, float value);
  // The engine side of a program selection: all values in index order, then
  // the release of keys not held, the controller latches and the echo reset.
  void loadProgram(const float* values);
  void keyDown(int key, float velocity);
  void keyUp(int key);
  void clearVoices();
  void setSampleRate(float rate);

  // The host's processing switch (effMainsChanged). While on, changes wait
  // for the audio thread; while off they apply at once.
  void setProcessing(bool on);
  bool processing() const { return processing_.load(std::memory_order_acquire); }

  // --- The audio thread -----------------------------------------------------
  // Takes the engine and applies what waits. False when another thread
  // holds it at this moment; then nothing may touch the engine.
  bool begin();
  void end();

 private:
  static constexpr int kProgramSlots = 8;

  void post(const EngineChange& change);
  // Takes the engine if it is free, applies everything waiting, lets go.
  bool applyWaiting();
  void apply(const EngineChange& change);
  void drain();
  int claimProgramSlot();

  engine::Engine& engine_;
  ChangeQueue<EngineChange, 4096> queue_;
  float programs_[kProgramSlots][params::kNumParams];
  std::atomic<bool> programSlotUsed_[kProgramSlots];
  std::atomic<bool> held_{false};
  std::atomic<bool> processing_{false};
};

}  // namespace plugin
