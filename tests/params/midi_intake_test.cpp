// MIDI intake: notes, pedal, wheel, bend and the all-notes-off family.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "params/midi_intake.h"
#include "params/parameter_table.h"
#include "support/plugin_harness.h"

using namespace testing_support;

namespace {

class Intake : public ::testing::Test {
 protected:
  engine::Engine& e() { return h.engine(); }
  engine::KeyState& key(int n) { return h.engine().keys[n]; }
  PluginHarness h;
};

TEST_F(Intake, NoteOnAndOff) {
  h.noteOn(60, 127);
  EXPECT_EQ(key(60).held, 1);
  EXPECT_EQ(key(60).damp, e().decayCoef());
  EXPECT_EQ(e().keysActive(), 1);
  EXPECT_EQ(key(60).bowStep, key(60).exciteAmp * 0.125f);
  h.noteOn(40, 127);
  EXPECT_GT(key(40).exciteAmp, key(60).exciteAmp);
  h.noteOff(60);
  EXPECT_EQ(key(60).held, 0);
  EXPECT_EQ(key(60).exciteAmp, 0.0f);
  EXPECT_EQ(key(60).damp, e().releaseCoef());
  EXPECT_EQ(key(60).bDamp, e().springBDecay() * e().releaseCoef());
  EXPECT_EQ(e().keysActive(), 0) << "any note off clears the flag";
}

TEST_F(Intake, VelocityZeroIsANoteOff) {
  h.noteOn(60, 100);
  MidiBatch b;
  b.add(0x90, 60, 0);
  h.send(b);
  EXPECT_EQ(key(60).held, 0);
  EXPECT_EQ(key(60).damp, e().releaseCoef());
}

TEST_F(Intake, KeysOutsideThePianoAreIgnored) {
  h.noteOn(20, 127);
  h.noteOn(109, 127);
  EXPECT_EQ(e().keysActive(), 0);
  EXPECT_EQ(key(20).held, 0);
  EXPECT_EQ(key(109).held, 0);

  // A stray release of 109 as a velocity-0 note-on changes nothing either:
  // the held key keeps the synthesis awake.
  h.noteOn(60, 100);
  MidiBatch stray;
  stray.add(0x90, 109, 0).add(0x9F, 20, 0);
  h.send(stray);
  EXPECT_EQ(e().keysActive(), 1);
  EXPECT_EQ(key(60).held, 1);
}

// The stroke amplitude of every key and velocity: the power in double,
// rounded to single, then the product and the division in single.
TEST_F(Intake, StrokeAmplitudeForEveryKeyAndVelocity) {
  for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
    h.plugin().setSampleRate(rate);
    int mismatches = 0;
    for (int note = 21; note <= 108; ++note) {
      const float power = static_cast<float>(std::pow(
          static_cast<double>(key(note).aMainFreq) * 0.3183098861837907, 0.6499999761581421));
      for (int velocity = 1; velocity <= 127; ++velocity) {
        h.noteOn(note, velocity);
        const float shaped =
            std::pow(static_cast<float>(velocity) * 0.007874016f, e().saturation.target + 1.0f);
        const float expected = shaped * 0.015f / power;
        if (key(note).exciteAmp != expected || key(note).velocityShaped != shaped) ++mismatches;
      }
      h.noteOff(note);
    }
    EXPECT_EQ(mismatches, 0) << "at " << rate << " Hz";
  }
}

TEST_F(Intake, SustainPedalHoldsReleasedKeys) {
  h.noteOn(60, 100);
  h.noteOn(62, 100);
  h.controller(64, 64);
  h.noteOff(60);
  EXPECT_EQ(key(60).damp, e().decayCoef());
  h.controller(64, 63);
  EXPECT_EQ(e().sustainPedal(), 0);
  EXPECT_EQ(key(60).damp, e().releaseCoef());
  EXPECT_EQ(key(62).damp, e().decayCoef()) << "a key still down keeps the hold decay";
}

TEST_F(Intake, PitchBend) {
  h.setParameter(params::kPitchRange, 1.0f);
  MidiBatch centre;
  centre.add(0xe0, 0x00, 0x40);
  h.send(centre);
  EXPECT_EQ(e().bend.target, 1.0f);
  MidiBatch top;
  top.add(0xef, 0x7f, 0x7f);
  h.send(top);
  EXPECT_FLOAT_EQ(e().bend.target, std::pow(2.0f, 12.0f * 8191.0f / 8192.0f / 6.0f));
  EXPECT_LT(e().bend.target, 4.0f);
  MidiBatch bottom;
  bottom.add(0xe0, 0x00, 0x00);
  h.send(bottom);
  EXPECT_FLOAT_EQ(e().bend.target, 0.25f);
}

TEST_F(Intake, FirstWheelMessageAfterAProgramChangeJumps) {
  h.plugin().setProgram(0);
  h.controller(1, 127);
  EXPECT_EQ(e().modWheel.target, 127 * 0.007874016f);
  EXPECT_EQ(e().modWheel.start, e().modWheel.target);
  EXPECT_EQ(e().modWheelPrev(), e().modWheel.target);
  EXPECT_EQ(e().modWheelUnset(), 0);
  EXPECT_EQ(e().keysActive(), 1);
  h.controller(1, 0);
  EXPECT_NE(e().modWheel.start, e().modWheel.target) << "later messages glide";
}

TEST_F(Intake, AllChannelsActAlike) {
  PluginHarness other;
  MidiBatch a, b;
  a.add(0x90, 64, 90).add(0xb0, 64, 127).add(0xe0, 12, 80);
  b.add(0x9f, 64, 90).add(0xbf, 64, 127).add(0xef, 12, 80);
  h.send(a);
  other.send(b);
  EXPECT_EQ(key(64).exciteAmp, other.engine().keys[64].exciteAmp);
  EXPECT_EQ(e().sustainPedal(), other.engine().sustainPedal());
  EXPECT_EQ(e().bend.target, other.engine().bend.target);
}

TEST_F(Intake, UnusableEventListsAreSkipped) {
  EXPECT_EQ(h.plugin().processEvents(nullptr), 1);
  MidiBatch b;
  b.add(0x90, 60, 100).add(0x90, 62, 100);
  VstEvents* list = b.events();
  list->events[0] = nullptr;
  EXPECT_EQ(h.plugin().processEvents(list), 1);
  EXPECT_EQ(key(62).held, 1);
  // Events of another type are skipped, the rest still processed.
  MidiBatch c;
  c.add(0x90, 64, 100).add(0x90, 65, 100);
  VstEvents* list2 = c.events();
  list2->events[0]->type = kVstSysExType;
  h.plugin().processEvents(list2);
  EXPECT_EQ(key(64).held, 0);
  EXPECT_EQ(key(65).held, 1);
  list2->numEvents = -5;
  EXPECT_EQ(h.plugin().processEvents(list2), 1);
}

TEST_F(Intake, AllNotesOffResetsEveryVoice) {
  h.setParameter(params::kEchoWet, 1.0f);
  h.setParameter(params::kSandCount, 0.5f);
  h.noteOn(60, 127);
  h.noteOn(72, 127);
  h.controller(64, 127);
  h.render(4800);
  ASSERT_TRUE(e().echo.left().holdsSignal());
  h.controller(123, 0);
  EXPECT_EQ(key(60).held, 0);
  EXPECT_EQ(key(60).aMainPos, 0.0f);
  EXPECT_EQ(key(60).damp, e().releaseCoef());
  EXPECT_EQ(e().sustainPedal(), 0);
  EXPECT_EQ(e().noiseFreq.start, 0.0f);
  EXPECT_EQ(e().body.bodyPos, 0.0f);
  EXPECT_FALSE(e().echo.left().holdsSignal());
  for (float x : e().echo.left().ring) ASSERT_EQ(x, 0.0f);
  EXPECT_EQ(e().sand.sandGrains[1].pos, -1.0f + 2.0f / 50.0f);
  EXPECT_TRUE(allZero(h.render(4800)));
}

TEST_F(Intake, ResetBurstsOnCleanStateCostNextToNothing) {
  // A widely used host sends 64, 123 and 121 on all 16 channels at every
  // transport stop; clearing 2 MB of echo lines 16 times would overrun the
  // audio block.
  MidiBatch burst;
  for (int channel = 0; channel < 16; ++channel)
    burst.add(0xb0 | channel, 64, 0).add(0xb0 | channel, 123, 0).add(0xb0 | channel, 121, 0);
  h.send(burst);  // the echo lines may hold nothing yet
  EXPECT_FALSE(e().echo.left().holdsSignal());
  EXPECT_FALSE(e().echo.right().holdsSignal());
  h.render(256);
  EXPECT_FALSE(e().echo.left().holdsSignal()) << "silence writes nothing that needs clearing";
}

}  // namespace
