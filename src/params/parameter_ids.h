// The numbers every part of the instrument shares: how many parameters and
// programs there are, the text field sizes of a program, and the indices
// of the parameters the code refers to by name. No dependencies, so the
// engine, the presets and the editor can all use it.
#pragma once

namespace params {

constexpr int kNumParams = 111;
constexpr int kNumPrograms = 64;
constexpr int kNameLength = 24;    // characters, terminator not counted
constexpr int kPathLength = 1024;  // bytes, terminator included

// Parameter indices referred to by name in the code.
enum ParameterIndex : int {
  kHitPower = 0,
  kVolume = 1,
  kSpringABalance = 6,
  kDecay = 7,
  kRelease = 8,
  kSpringAVolume = 9,
  kSpringANoteOffset = 10,
  kSpringARandomTune = 11,
  kSpringASaturate = 12,
  kSpringBVolume = 13,
  kSpringBFreqLow = 14,   // "NOISE Frq" in noise mode
  kSpringBFreqHigh = 15,  // "NOISE Res" in noise mode
  kSpringBNoteOffset = 16,
  kSpringBRandomTune = 17,
  kSpringBDetune = 18,
  kSpringBOctave = 19,
  kSpringBDecay = 20,
  kSpringBLink = 21,
  kSpringBDiffusion = 22,  // 1.0 selects noise mode
  kSpringBCrush = 23,
  kBodyVolume = 24,
  kBodyTune = 25,
  kBodyDecay = 26,
  kBodyDiffusion = 27,
  kBodySharpness = 28,
  kBodyWet = 29,
  kBodyLowest = 30,
  kBodyHighest = 31,
  kBodyPhaseFreq = 32,
  kBodyPhaseQ = 33,
  kBodyPhaseMix = 34,
  kBodyTremolo = 35,
  kBodyTremoloSync = 36,
  kBodyTremoloRate = 37,
  kBodyTremoloWide = 38,
  kConcertA = 39,
  kHighpass = 40,
  kLowpass = 41,
  kStereo = 42,
  kSpread = 43,
  kPitchRange = 44,
  kPitchRelax = 45,
  kCrushBits = 46,
  kCrush = 47,
  kGuiRed = 48,
  kGuiGreen = 49,
  kGuiBlue = 50,
  kMicrotuneFirst = 51,  // "MT C" .. "MT B"
  kMicrotuneLast = 62,
  kBendUpFirst = 63,  // "MPBup C" .. "MPBup B"
  kBendUpLast = 74,
  kBendDownFirst = 75,  // "MPBdown C" .. "MPBdown B"
  kBendDownLast = 86,
  kSandCount = 87,
  kSandKick = 89,
  kSandWidth = 90,
  kSandFreq = 91,
  kSandRes = 92,
  kEchoRateL = 93,
  kEchoRateR = 94,
  kEchoSync = 95,
  kEchoFeedback = 96,
  kEchoWet = 97,
  kLfoSync = 100,
  kLfoRate = 101,
  kLfoBalance = 102,
  kLfoPitch = 103,
  kEnvDecay = 106,
  kEnvBalance = 108,
  kEnvPitch = 109,
};

}  // namespace params
