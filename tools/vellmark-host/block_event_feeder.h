// Splits a timed event list into the per-block VstEvents lists a plug-in
// receives before each processReplacing. An event at frame f goes to the
// block [start, start + frames) that holds f, with deltaFrames f - start; an
// event exactly on a boundary belongs to the block that starts there.
// All memory is allocated up front: handing out a block's list allocates
// nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "midi_event.h"
#include "vst/aeffect.h"

namespace vhost {

struct FramedMidiEvent {
  int64_t frame = 0;
  uint8_t bytes[3] = {0, 0, 0};
  uint8_t size = 0;
};

// Sample positions at `sampleRate` (rounded to the nearest frame, negative
// times at 0), in time order; events at the same frame keep their order.
std::vector<FramedMidiEvent> placeEvents(const std::vector<TimedMidiEvent>& events,
                                         double sampleRate);

class BlockEventFeeder {
 public:
  explicit BlockEventFeeder(std::vector<FramedMidiEvent> events);
  ~BlockEventFeeder();
  BlockEventFeeder(const BlockEventFeeder&) = delete;
  BlockEventFeeder& operator=(const BlockEventFeeder&) = delete;

  // The list for the block [blockStart, blockStart + frames): the events not
  // yet delivered whose frame lies before the block's end. Blocks must come
  // in order; the list stays valid until the next call.
  VstEvents* eventsForBlock(int64_t blockStart, VstInt32 frames);

  size_t delivered() const { return next_; }
  size_t total() const { return events_.size(); }

 private:
  std::vector<FramedMidiEvent> events_;
  std::vector<VstMidiEvent> midi_;  // one prepared record per event
  void* listStorage_ = nullptr;     // VstEvents header and one pointer per event
  VstEvents* list_ = nullptr;
  VstEvent** slots_ = nullptr;
  size_t next_ = 0;
};

}  // namespace vhost
