#include "factory_programs.h"

#include "params/parameter_table.h"

namespace factory {

namespace {

using namespace params;

// Hit Power below 1 strikes (softer the lower), exactly 1 bows.
constexpr float kBow = 1.0f;
// Spring B's diffusion at exactly 1 turns it into a resonant noise source.
constexpr float kNoise = 1.0f;
// Parameters without a name of their own.
constexpr int kSandFreq = 91, kSandRes = 92, kEchoFeedback = 96, kEchoWet = 97;

}  // namespace

const std::vector<FactoryProgram>& factoryPrograms() {
  static const std::vector<FactoryProgram> programs = {
      // --- Struck ------------------------------------------------------------
      {"Glass Bell",
       {{kHitPower, 0.97f}, {kDecay, 0.97f}, {kRelease, 0.6f}, {kSpringBNoteOffset, 0.9f},
        {kBodyTune, 0.8f}, {kBodySharpness, 0.9f}, {kBodyWet, 0.3f}, {kBodyDecay, 0.6f}, {kVolume, 0.85f}}},
      {"Wood Block",
       {{kHitPower, 0.9f}, {kDecay, 0.3f}, {kRelease, 0.1f}, {kSpringBVolume, 0.3f}, {kBodyTune, 0.3f},
        {kBodySharpness, 0.2f}, {kBodyWet, 0.6f}, {kBodyVolume, 0.5f}, {kVolume, 0.86f}}},
      {"Marimba Bar",
       {{kHitPower, 0.88f}, {kDecay, 0.7f}, {kRelease, 0.3f}, {kSpringBNoteOffset, 0.5f},
        {kBodyTune, 0.4f}, {kBodySharpness, 0.35f}, {kBodyWet, 0.45f}, {kVolume, 0.86f}}},
      {"Steel Tine",
       {{kHitPower, 0.96f}, {kDecay, 0.95f}, {kRelease, 0.5f}, {kSpringBOctave, 1.0f},
        {kSpringBDetune, 0.55f}, {kBodySharpness, 0.8f}, {kVolume, 0.82f}}},
      {"Felt Keys",
       {{kHitPower, 0.8f}, {kDecay, 0.85f}, {kRelease, 0.35f}, {kLowpass, 0.45f},
        {kBodyWet, 0.25f}, {kBodyTune, 0.45f}, {kVolume, 0.86f}}},
      {"Temple Gong",
       {{kHitPower, 0.99f}, {kDecay, 0.99f}, {kRelease, 0.8f}, {kSpringBRandomTune, 0.4f},
        {kSpringARandomTune, 0.2f}, {kBodyDecay, 0.9f}, {kBodyWet, 0.5f}, {kBodyTremolo, 0.5f},
        {kVolume, 0.73f}}},
      {"Kalimba Box",
       {{kHitPower, 0.92f}, {kDecay, 0.8f}, {kRelease, 0.3f}, {kBodyTune, 0.35f}, {kBodyWet, 0.55f},
        {kBodyVolume, 0.4f}, {kBodySharpness, 0.3f}, {kVolume, 0.86f}}},
      {"Dry Pluck",
       {{kHitPower, 0.9f}, {kDecay, 0.6f}, {kRelease, 0.15f}, {kBodyWet, 0.0f}, {kSpringBVolume, 0.35f},
        {kVolume, 0.85f}}},
      // --- Bowed -------------------------------------------------------------
      {"Bowed Glass",
       {{kHitPower, kBow}, {kDecay, 0.95f}, {kRelease, 0.7f}, {kBodyTune, 0.8f}, {kBodySharpness, 0.85f},
        {kBodyWet, 0.35f}, {kVolume, 0.79f}}},
      {"Cello Wood",
       {{kHitPower, kBow}, {kDecay, 0.9f}, {kRelease, 0.5f}, {kBodyTune, 0.25f}, {kBodySharpness, 0.25f},
        {kBodyWet, 0.6f}, {kBodyVolume, 0.45f}, {kLowpass, 0.6f}, {kVolume, 0.72f}}},
      {"Bowed Saw",
       {{kHitPower, kBow}, {kDecay, 0.93f}, {kRelease, 0.6f}, {kSpringBDetune, 0.62f},
        {kBodyPhaseMix, 0.8f}, {kBodyPhaseQ, 0.8f}, {kBodyTremolo, 0.4f}, {kVolume, 0.65f}}},
      {"Spring Choir",
       {{kHitPower, kBow}, {kDecay, 0.94f}, {kRelease, 0.75f}, {kStereo, 0.9f}, {kSpread, 0.9f},
        {kBodyTremolo, 0.6f}, {kEchoWet, 0.25f}, {kEchoFeedback, 0.35f}, {kVolume, 0.69f}}},
      // --- Scraped: the modulation wheel drags across the springs ------------
      {"Scraped Metal",
       {{kHitPower, 0.6f}, {kDecay, 0.9f}, {kRelease, 0.5f}, {kSpringASaturate, 0.4f},
        {kSpringBCrush, 0.3f}, {kBodySharpness, 0.8f}, {kVolume, 0.79f}}},
      {"Scraped Wood",
       {{kHitPower, 0.6f}, {kDecay, 0.75f}, {kRelease, 0.4f}, {kBodyTune, 0.3f}, {kBodyWet, 0.6f},
        {kBodySharpness, 0.2f}, {kVolume, 0.86f}}},
      {"Rusty Hinge",
       {{kHitPower, 0.7f}, {kDecay, 0.88f}, {kRelease, 0.4f}, {kCrush, 0.4f}, {kSpringBCrush, 0.6f},
        {kSpringBDetune, 0.7f}, {kVolume, 0.77f}}},
      // --- Noise -------------------------------------------------------------
      {"Noise Flute",
       {{kHitPower, kBow}, {kSpringBDiffusion, kNoise}, {kSpringBFreqLow, 0.7f}, {kSpringBFreqHigh, 0.85f},
        {kDecay, 0.9f}, {kRelease, 0.5f}, {kBodyWet, 0.2f}, {kVolume, 0.75f}}},
      {"Wind Tube",
       {{kHitPower, kBow}, {kSpringBDiffusion, kNoise}, {kSpringBFreqLow, 0.45f}, {kSpringBFreqHigh, 0.4f},
        {kDecay, 0.92f}, {kRelease, 0.7f}, {kStereo, 0.8f}, {kVolume, 0.73f}}},
      {"Breath Drum",
       {{kHitPower, 0.92f}, {kSpringBDiffusion, kNoise}, {kSpringBFreqLow, 0.3f}, {kSpringBFreqHigh, 0.6f},
        {kDecay, 0.4f}, {kRelease, 0.2f}, {kBodyWet, 0.4f}, {kBodyTune, 0.25f}, {kVolume, 0.86f}}},
      // --- Tuned and microtuned ---------------------------------------------
      {"Just Bells",
       {{kHitPower, 0.96f}, {kDecay, 0.96f}, {kRelease, 0.6f}, {kBodyTune, 0.75f}, {kBodySharpness, 0.85f},
        {kBodyWet, 0.3f}, {kVolume, 0.85f}},
       3},
      {"Meantone Harp",
       {{kHitPower, 0.9f}, {kDecay, 0.88f}, {kRelease, 0.45f}, {kBodyTune, 0.5f}, {kBodyWet, 0.35f},
        {kVolume, 0.86f}},
       2},
      {"Octatonic Gamelan",
       {{kHitPower, 0.98f}, {kDecay, 0.97f}, {kRelease, 0.7f}, {kSpringBRandomTune, 0.3f},
        {kBodyDecay, 0.8f}, {kBodyWet, 0.45f}, {kVolume, 0.83f}},
       4},
      {"Stretched Tines",
       {{kHitPower, 0.95f}, {kDecay, 0.93f}, {kRelease, 0.5f}, {kConcertA, 0.55f}, {kSpringBOctave, 1.0f},
        {kSpringARandomTune, 0.1f}, {kVolume, 0.83f}}},
      // --- With echo and sand ------------------------------------------------
      {"Crystal Echo",
       {{kHitPower, 0.97f}, {kDecay, 0.95f}, {kRelease, 0.6f}, {kBodyTune, 0.8f}, {kBodySharpness, 0.9f},
        {kEchoWet, 0.35f}, {kEchoFeedback, 0.45f}, {kVolume, 0.80f}}},
      {"Tape Echo Keys",
       {{kHitPower, 0.85f}, {kDecay, 0.85f}, {kRelease, 0.35f}, {kLowpass, 0.55f}, {kEchoWet, 0.4f},
        {kEchoFeedback, 0.3f}, {kVolume, 0.82f}}},
      {"Sand Marimba",
       {{kHitPower, 0.88f}, {kDecay, 0.7f}, {kRelease, 0.3f}, {kBodyTune, 0.4f}, {kBodyWet, 0.45f},
        {kSandCount, 0.3f}, {kSandFreq, 0.8f}, {kSandRes, 0.6f}, {kVolume, 0.86f}}},
      {"Dusty Music Box",
       {{kHitPower, 0.95f}, {kDecay, 0.9f}, {kRelease, 0.4f}, {kSpringBNoteOffset, 1.0f}, {kCrushBits, 0.5f},
        {kSandCount, 0.2f}, {kSandFreq, 0.9f}, {kEchoWet, 0.2f}, {kVolume, 0.79f}}},
  };
  return programs;
}

}  // namespace factory
