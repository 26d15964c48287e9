#include "block_event_feeder.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <new>

namespace vhost {

std::vector<FramedMidiEvent> placeEvents(const std::vector<TimedMidiEvent>& events,
                                         double sampleRate) {
  std::vector<FramedMidiEvent> placed;
  placed.reserve(events.size());
  for (const TimedMidiEvent& event : events) {
    FramedMidiEvent framed;
    const double position = std::round(event.seconds * sampleRate);
    framed.frame = position > 0.0 ? static_cast<int64_t>(position) : 0;
    std::copy(event.bytes, event.bytes + 3, framed.bytes);
    framed.size = event.size;
    placed.push_back(framed);
  }
  std::stable_sort(
      placed.begin(), placed.end(),
      [](const FramedMidiEvent& a, const FramedMidiEvent& b) { return a.frame < b.frame; });
  return placed;
}

BlockEventFeeder::BlockEventFeeder(std::vector<FramedMidiEvent> events)
    : events_(std::move(events)), midi_(events_.size()) {
  for (size_t i = 0; i < events_.size(); ++i) {
    VstMidiEvent& midi = midi_[i];
    midi.type = kVstMidiType;
    midi.byteSize = sizeof(VstMidiEvent);
    for (int b = 0; b < 3; ++b) midi.midiData[b] = static_cast<char>(events_[i].bytes[b]);
    if ((events_[i].bytes[0] & 0xF0) == 0x80)
      midi.noteOffVelocity = static_cast<char>(events_[i].bytes[2]);
  }
  // The list header is followed by as many event pointers as there are
  // events (never fewer than the two the declaration shows).
  const size_t slots = std::max<size_t>(events_.size(), 2);
  listStorage_ = ::operator new(offsetof(VstEvents, events) + slots * sizeof(VstEvent*));
  list_ = new (listStorage_) VstEvents{};
  slots_ = reinterpret_cast<VstEvent**>(static_cast<unsigned char*>(listStorage_) +
                                        offsetof(VstEvents, events));
}

BlockEventFeeder::~BlockEventFeeder() { ::operator delete(listStorage_); }

VstEvents* BlockEventFeeder::eventsForBlock(int64_t blockStart, VstInt32 frames) {
  const int64_t blockEnd = blockStart + frames;
  VstInt32 count = 0;
  while (next_ < events_.size() && events_[next_].frame < blockEnd) {
    const int64_t delta = events_[next_].frame - blockStart;
    // A block skipped by the caller would leave events in the past; they
    // are delivered at the start of this block rather than dropped.
    midi_[next_].deltaFrames = static_cast<VstInt32>(delta > 0 ? delta : 0);
    slots_[count++] = reinterpret_cast<VstEvent*>(&midi_[next_]);
    ++next_;
  }
  list_->numEvents = count;
  list_->reserved = 0;
  return list_;
}

}  // namespace vhost
