#include "vellmark-host/block_event_feeder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>

#include "vellmark-host/block_sizer.h"

using vhost::BlockEventFeeder;
using vhost::FramedMidiEvent;

namespace {

FramedMidiEvent framed(int64_t frame, uint8_t key) {
  FramedMidiEvent event;
  event.frame = frame;
  event.bytes[0] = 0x90;
  event.bytes[1] = key;
  event.bytes[2] = 100;
  event.size = 3;
  return event;
}

// The list holds more pointers than its declaration shows; they are read
// the way a plug-in walks them.
const VstMidiEvent& midiAt(const VstEvents* list, int i) {
  const auto* slots = reinterpret_cast<VstEvent* const*>(
      reinterpret_cast<const unsigned char*>(list) + offsetof(VstEvents, events));
  return *reinterpret_cast<const VstMidiEvent*>(slots[i]);
}

}  // namespace

TEST(PlaceEvents, RoundsToFramesAndKeepsTheOrderOfSimultaneousEvents) {
  const std::vector<vhost::TimedMidiEvent> timed = {
      vhost::makeMidiEvent(0.5, 0x90, 62, 100), vhost::makeMidiEvent(0.25, 0x90, 60, 100),
      vhost::makeMidiEvent(0.25, 0x80, 61, 0), vhost::makeMidiEvent(-1.0, 0xB0, 64, 127),
      vhost::makeMidiEvent(1.0 / 48000 * 10.4, 0x90, 63, 1)};
  const std::vector<FramedMidiEvent> placed = vhost::placeEvents(timed, 48000);
  ASSERT_EQ(placed.size(), 5u);
  EXPECT_EQ(placed[0].frame, 0);  // before the start: played at once
  EXPECT_EQ(placed[0].bytes[0], 0xB0);
  EXPECT_EQ(placed[1].frame, 10);
  EXPECT_EQ(placed[2].frame, 12000);
  EXPECT_EQ(placed[2].bytes[1], 60);
  EXPECT_EQ(placed[3].frame, 12000);
  EXPECT_EQ(placed[3].bytes[1], 61);
  EXPECT_EQ(placed[4].frame, 24000);
}

TEST(BlockEventFeeder, EventsLandInTheirBlockWithOffsetsFromTheBlockStart) {
  BlockEventFeeder feeder({framed(0, 60), framed(100, 61), framed(255, 62), framed(256, 63),
                           framed(700, 64), framed(700, 65)});
  VstEvents* first = feeder.eventsForBlock(0, 256);
  ASSERT_EQ(first->numEvents, 3);
  EXPECT_EQ(midiAt(first, 0).deltaFrames, 0);
  EXPECT_EQ(midiAt(first, 1).deltaFrames, 100);
  EXPECT_EQ(midiAt(first, 2).deltaFrames, 255);
  EXPECT_EQ(midiAt(first, 2).midiData[1], 62);
  EXPECT_EQ(midiAt(first, 0).type, kVstMidiType);
  EXPECT_EQ(midiAt(first, 0).byteSize, static_cast<VstInt32>(sizeof(VstMidiEvent)));

  // An event exactly on the boundary opens the next block.
  VstEvents* second = feeder.eventsForBlock(256, 256);
  ASSERT_EQ(second->numEvents, 1);
  EXPECT_EQ(midiAt(second, 0).deltaFrames, 0);
  EXPECT_EQ(midiAt(second, 0).midiData[1], 63);

  // A block without events still gets a list, an empty one, and the same
  // memory is used for every block.
  VstEvents* third = feeder.eventsForBlock(512, 100);
  EXPECT_EQ(third, first);
  EXPECT_EQ(third->numEvents, 0);

  VstEvents* fourth = feeder.eventsForBlock(612, 100);
  ASSERT_EQ(fourth->numEvents, 2);
  EXPECT_EQ(midiAt(fourth, 0).deltaFrames, 88);
  EXPECT_EQ(midiAt(fourth, 1).deltaFrames, 88);
  EXPECT_EQ(midiAt(fourth, 1).midiData[1], 65);
  EXPECT_EQ(feeder.delivered(), feeder.total());
}

TEST(BlockEventFeeder, HoldsEveryEventInOneBlockWhenNeeded) {
  std::vector<FramedMidiEvent> events;
  for (int i = 0; i < 300; ++i) events.push_back(framed(i % 7, static_cast<uint8_t>(i % 128)));
  std::stable_sort(
      events.begin(), events.end(),
      [](const FramedMidiEvent& a, const FramedMidiEvent& b) { return a.frame < b.frame; });
  BlockEventFeeder feeder(events);
  VstEvents* list = feeder.eventsForBlock(0, 2048);
  ASSERT_EQ(list->numEvents, 300);
  for (int i = 0; i < 300; ++i) EXPECT_EQ(midiAt(list, i).deltaFrames, events[i].frame);
}

TEST(BlockEventFeeder, RandomBlockSizesLoseNoEventAndKeepEveryFrame) {
  std::vector<FramedMidiEvent> events;
  for (int i = 0; i < 2000; ++i)
    events.push_back(framed(i * 37 + (i % 3), static_cast<uint8_t>(i % 128)));
  const int64_t total = events.back().frame + 1;
  BlockEventFeeder feeder(events);
  vhost::BlockSizer sizer = vhost::BlockSizer::random(7);
  size_t seen = 0;
  for (int64_t start = 0; start < total;) {
    const VstInt32 frames = sizer.next(total - start);
    ASSERT_GE(frames, 1);
    ASSERT_LE(frames, vhost::kMaxRandomBlock);
    VstEvents* list = feeder.eventsForBlock(start, frames);
    for (int i = 0; i < list->numEvents; ++i) {
      const VstMidiEvent& midi = midiAt(list, i);
      ASSERT_GE(midi.deltaFrames, 0);
      ASSERT_LT(midi.deltaFrames, frames);
      ASSERT_EQ(start + midi.deltaFrames, events[seen].frame);
      ++seen;
    }
    start += frames;
  }
  EXPECT_EQ(seen, events.size());
}

TEST(BlockSizer, FixedSizesShrinkOnlyForTheLastBlock) {
  vhost::BlockSizer sizer = vhost::BlockSizer::fixed(256);
  EXPECT_EQ(sizer.maxBlock(), 256);
  EXPECT_EQ(sizer.next(1000), 256);
  EXPECT_EQ(sizer.next(100), 100);
  // The same seed gives the same sizes.
  vhost::BlockSizer a = vhost::BlockSizer::random(3), b = vhost::BlockSizer::random(3);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(a.next(1 << 20), b.next(1 << 20));
}
