#include "params/parameter_table.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "vst/audioeffect.h"

namespace params {

namespace {

struct ParameterInfo {
  const char* name;
  const char* noiseName;  // null: same name in noise mode
  float defaultValue;
};

constexpr ParameterInfo kTable[kNumParams] = {
    {"Hit Power", nullptr, 1.0f},
    {"Volume", nullptr, 0.5f},
    {"BOW temp", nullptr, 0.0f},
    {"BOW temp", nullptr, 0.0f},
    {"BOW temp", nullptr, 0.0f},
    {"BOW temp", nullptr, 0.0f},
    {"sA Balance", nullptr, 0.5f},
    {"Decay", nullptr, 0.9f},
    {"Release", nullptr, 0.25f},
    {"sA Volume", nullptr, 0.5f},
    {"sA Note Offset", nullptr, 0.5f},
    {"sA RND tune", nullptr, 0.0f},
    {"sA Saturate", nullptr, 0.0f},
    {"sB Volume", nullptr, 0.5f},
    {"sB Frq.bottom", "NOISE Frq", 0.0f},
    {"sB Frq.top", "NOISE Res", 1.0f},
    {"sB Note Offset", nullptr, 0.75f},
    {"sB RND tune", nullptr, 0.0f},
    {"sB Detune", nullptr, 0.5f},
    {"sB Octave", nullptr, 0.0f},
    {"sB Decay", nullptr, 0.75f},
    {"sB Link", nullptr, 0.0f},
    {"sB Diffusion", "NOISE", 0.0f},
    {"sB crush", nullptr, 0.0f},
    {"Body Vol", nullptr, 0.2f},
    {"Body Tune", nullptr, 0.5625f},
    {"Body Decay", nullptr, 0.25f},
    {"Body Diffusion", nullptr, 0.0f},
    {"Body Sharpness", nullptr, 0.5f},
    {"Body Wet", nullptr, 0.0f},
    {"Body Lowest", nullptr, 0.1640625f},
    {"Body Highest", nullptr, 0.84375f},
    {"Body Phase Frq", nullptr, 0.55f},
    {"Body Phase Q", nullptr, 0.5f},
    {"Body Pha.Mix", nullptr, 0.5f},
    {"Body Tremolo", nullptr, 0.33f},
    {"Body Tr.Sync", nullptr, 0.0f},
    {"Body Tr.Rate", nullptr, 0.15f},
    {"Body Tr.Wide", nullptr, 0.75f},
    {"Concert A", nullptr, 0.5f},
    {"FLT Highpass", nullptr, 0.0f},
    {"FLT Lowpass", nullptr, 1.0f},
    {"OUT Stereo", nullptr, 0.5f},
    {"OUT Spread", nullptr, 0.5f},
    {"Pitch range", nullptr, 0.16666667f},
    {"Pitch relax", nullptr, 0.4f},
    {"-", nullptr, 0.125f},
    {"Crush", nullptr, 0.0f},
    {"GUI red", nullptr, 0.75f},
    {"GUI green", nullptr, 0.75f},
    {"GUI blue", nullptr, 0.75f},
    {"MT C", nullptr, 0.5f},
    {"MT C#", nullptr, 0.5f},
    {"MT D", nullptr, 0.5f},
    {"MT D#", nullptr, 0.5f},
    {"MT E", nullptr, 0.5f},
    {"MT F", nullptr, 0.5f},
    {"MT F#", nullptr, 0.5f},
    {"MT G", nullptr, 0.5f},
    {"MT G#", nullptr, 0.5f},
    {"MT A", nullptr, 0.5f},
    {"MT A#", nullptr, 0.5f},
    {"MT B", nullptr, 0.5f},
    {"MPBup C", nullptr, 1.0f},
    {"MPBup C#", nullptr, 1.0f},
    {"MPBup D", nullptr, 1.0f},
    {"MPBup D#", nullptr, 1.0f},
    {"MPBup E", nullptr, 1.0f},
    {"MPBup F", nullptr, 1.0f},
    {"MPBup F#", nullptr, 1.0f},
    {"MPBup G", nullptr, 1.0f},
    {"MPBup G#", nullptr, 1.0f},
    {"MPBup A", nullptr, 1.0f},
    {"MPBup A#", nullptr, 1.0f},
    {"MPBup B", nullptr, 1.0f},
    {"MPBdown C", nullptr, 1.0f},
    {"MPBdown C#", nullptr, 1.0f},
    {"MPBdown D", nullptr, 1.0f},
    {"MPBdown D#", nullptr, 1.0f},
    {"MPBdown E", nullptr, 1.0f},
    {"MPBdown F", nullptr, 1.0f},
    {"MPBdown F#", nullptr, 1.0f},
    {"MPBdown G", nullptr, 1.0f},
    {"MPBdown G#", nullptr, 1.0f},
    {"MPBdown A", nullptr, 1.0f},
    {"MPBdown A#", nullptr, 1.0f},
    {"MPBdown B", nullptr, 1.0f},
    {"-", nullptr, 0.0f},   // 87 sand grain count
    {"-", nullptr, 1.0f},   // 88
    {"-", nullptr, 0.75f},  // 89 sand kick
    {"-", nullptr, 1.0f},   // 90 sand width
    {"-", nullptr, 0.9f},   // 91 sand frequency
    {"-", nullptr, 0.85f},  // 92 sand resonance
    {"Echo L Rate", nullptr, 0.25f},
    {"Echo R Rate", nullptr, 0.25f},
    {"Echo sync", nullptr, 0.0f},
    {"Echo fb", nullptr, 0.25f},
    {"Echo wet", nullptr, 0.0f},
    {"-", nullptr, 0.0f},
    {"-", nullptr, 0.0f},
    {"LFO sync", nullptr, 0.0f},
    {"LFO rate", nullptr, 0.25f},
    {"LFO balance", nullptr, 0.0f},
    {"LFO pitch", nullptr, 0.0f},
    {"-", nullptr, 0.0f},
    {"-", nullptr, 0.0f},
    {"ENV decay", nullptr, 0.25f},
    {"-", nullptr, 0.0f},
    {"ENV balance", nullptr, 0.0f},
    {"ENV pitch", nullptr, 0.0f},
    {"-", nullptr, 0.0f},
};

constexpr int kHostTextLength = 16;
constexpr int kShownLength = 8;

bool inRange(int index) { return index >= 0 && index < kNumParams; }

// int() of a product that may be anything a host sent: never converts an
// out-of-range or non-finite value.
int truncated(double x, int lo, int hi) {
  if (!(x >= lo)) return lo;
  if (x >= hi) return hi;
  return static_cast<int>(x);
}

}  // namespace

float defaultValue(int index) { return inRange(index) ? kTable[index].defaultValue : 0.0f; }

void fillDefaults(ProgramRecord& record) {
  std::memset(&record, 0, sizeof record);
  record.version = kCurrentVersion;
  for (int i = 0; i < kNumParams; ++i) record.values[i] = kTable[i].defaultValue;
}

void parameterName(int index, bool noiseMode, char* text) {
  const char* name = "-";
  if (inRange(index)) {
    const ParameterInfo& info = kTable[index];
    name = (noiseMode && info.noiseName) ? info.noiseName : info.name;
  }
  vstStrncpy(text, name, kHostTextLength);
}

void parameterLabel(int index, bool noiseMode, char* text) {
  const char* label = "";
  switch (index) {
    case kSpringANoteOffset:
    case kSpringBFreqLow:
      label = "cents";
      break;
    case kSpringBFreqHigh:
      label = noiseMode ? "" : "cents";
      break;
    case kBodyTune:
      label = "Hz";
      break;
    default:
      break;
  }
  vstStrncpy(text, label, kHostTextLength);
}

void noteDivisionText(float value, char* text, int size) {
  const double v = value;
  const double division = std::pow(2.0, truncated(8.0 * v, 0, 8));
  const bool triplet = (truncated(16.0 * v, 0, 16) & 1) != 0;
  std::snprintf(text, static_cast<size_t>(size), triplet ? "1/%.0fT" : "1/%.0f", division);
}

void parameterDisplay(int index, float value, const DisplayContext& context, char* text) {
  if (!inRange(index) || !text) return;
  char buffer[kHostTextLength] = {0};
  const double v = value;
  const double a = context.concertA;
  auto fixed = [&](const char* format, double x) {
    std::snprintf(buffer, sizeof buffer, format, x);
  };
  switch (index) {
    case kSpringANoteOffset:
      fixed("%.3f", (std::floor(480.0 * v) - 120.0) * 0.1);
      break;
    case kSpringBFreqLow:
      fixed("%.3f", (72.0 * v - 24.0) * 0.5);
      break;
    case kSpringBFreqHigh:
      if (context.noiseMode)
        fixed("%.3f", v);
      else
        fixed("%.0f", 128.0 * v - 12.0);
      break;
    case kSpringBNoteOffset:
      fixed("%.0f", 48.0 * v - 12.0);
      break;
    case kSpringBOctave:
      std::snprintf(buffer, sizeof buffer, "%s", v > 0.0 ? "On" : "Off");
      break;
    case kBodyTune:
      fixed("%.3f", a * std::pow(2.0, (32.0 * v - 12.0) / 12.0));
      break;
    case kBodyPhaseQ:
      fixed("%.3f", std::fabs(2.0 * v - 1.0));
      break;
    case kBodyTremoloSync: {
      static const char* const kModes[] = {"Off", "Tempo", "Song"};
      std::snprintf(buffer, sizeof buffer, "%s", kModes[truncated(2.0 * v, 0, 2)]);
      break;
    }
    case kBodyTremoloRate:
      if (context.tremoloSync)
        noteDivisionText(value, buffer, sizeof buffer);
      else
        fixed("%.3f", v);
      break;
    case kBodyTremoloWide:
    case kStereo:
      fixed("%.3f", 2.0 * v - 1.0);
      break;
    case kConcertA:
      fixed("%.1f", 40.0 * v + 420.0);
      break;
    case kPitchRange:
      fixed("%.3f", 12.0 * v);
      break;
    case kPitchRelax:
      fixed("%.3f", v * v);
      break;
    case kEchoRateL:
    case kEchoRateR:
      if (context.echoSync)
        noteDivisionText(value, buffer, sizeof buffer);
      else
        fixed("%.3f", v);
      break;
    case kEchoSync:
      std::snprintf(buffer, sizeof buffer, "%s", truncated(v, 0, 1) ? "Tempo" : "Off");
      break;
    default:
      if (index >= kMicrotuneFirst && index <= kMicrotuneLast) {
        const double semitones = static_cast<double>(index - kMicrotuneFirst - 9);
        fixed("%.2f", a * std::pow(2.0, semitones / 12.0) * std::pow(2.0, (2.0 * v - 1.0) / 6.0));
      } else {
        fixed("%.3f", v);
      }
      break;
  }
  buffer[kShownLength] = 0;
  vstStrncpy(text, buffer, kHostTextLength);
}

}  // namespace params
