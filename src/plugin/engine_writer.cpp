#include "plugin/engine_writer.h"

#include <cstring>
#include <thread>

#include "engine/engine.h"
#include "params/parameter_application.h"

namespace plugin {

EngineWriter::EngineWriter(engine::Engine& engine) : engine_(engine) {
  for (auto& used : programSlotUsed_) used.store(false, std::memory_order_relaxed);
}

void EngineWriter::setParameter(int index, float value) {
  post({EngineChange::Kind::Parameter, index, value});
}

void EngineWriter::loadProgram(const float* values) {
  int slot;
  // Eight programs in flight between two blocks is already far beyond any
  // host; should it happen, the waiting ones are applied first.
  while ((slot = claimProgramSlot()) < 0)
    if (!applyWaiting()) std::this_thread::yield();
  std::memcpy(programs_[slot], values, sizeof programs_[slot]);
  post({EngineChange::Kind::Program, slot, 0.0f});
}

void EngineWriter::keyDown(int key, float velocity) {
  post({EngineChange::Kind::KeyDown, key, velocity});
}

void EngineWriter::keyUp(int key) { post({EngineChange::Kind::KeyUp, key, 0.0f}); }

void EngineWriter::clearVoices() { post({EngineChange::Kind::ClearVoices, 0, 0.0f}); }

void EngineWriter::setSampleRate(float rate) { post({EngineChange::Kind::SampleRate, 0, rate}); }

void EngineWriter::setProcessing(bool on) {
  processing_.store(on, std::memory_order_release);
  if (!on) applyWaiting();
}

bool EngineWriter::begin() {
  if (held_.exchange(true, std::memory_order_acquire)) return false;
  drain();
  return true;
}

void EngineWriter::end() { held_.store(false, std::memory_order_release); }

void EngineWriter::post(const EngineChange& change) {
  // A full queue (thousands of changes between two blocks) is emptied by
  // applying it here as soon as the audio thread is between blocks.
  while (!queue_.push(change))
    if (!applyWaiting()) std::this_thread::yield();
  // Without processing the change applies before this call returns; another
  // thread that holds the engine just now is applying its own changes.
  while (!processing() && !applyWaiting()) std::this_thread::yield();
}

bool EngineWriter::applyWaiting() {
  if (!begin()) return false;
  end();
  return true;
}

void EngineWriter::drain() {
  EngineChange change;
  while (queue_.pop(change)) apply(change);
}

void EngineWriter::apply(const EngineChange& change) {
  switch (change.kind) {
    case EngineChange::Kind::Parameter:
      params::applyParameter(engine_, change.index, change.value);
      break;
    case EngineChange::Kind::Program:
      params::applyProgram(engine_, programs_[change.index]);
      programSlotUsed_[change.index].store(false, std::memory_order_release);
      break;
    case EngineChange::Kind::KeyDown:
      engine_.startKey(change.index, change.value, 0, false);
      break;
    case EngineChange::Kind::KeyUp:
      engine_.stopKey(change.index);
      break;
    case EngineChange::Kind::ClearVoices:
      engine_.clearVoices();
      break;
    case EngineChange::Kind::SampleRate:
      engine_.setSampleRate(change.value);
      break;
  }
}

int EngineWriter::claimProgramSlot() {
  for (int slot = 0; slot < kProgramSlots; ++slot) {
    bool expected = false;
    if (programSlotUsed_[slot].compare_exchange_strong(expected, true, std::memory_order_acquire))
      return slot;
  }
  return -1;
}

}  // namespace plugin
