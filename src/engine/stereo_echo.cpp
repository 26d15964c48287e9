#include "engine/stereo_echo.h"

#include <algorithm>
#include <cmath>

#include "engine/value_rules.h"

namespace engine {

int32_t StereoEcho::delayFor(float rate, const EchoTiming& timing) const {
  double d;
  if (sync_) {
    // A whole note (four beats) in samples, and the note divisions below
    // it, in single precision: W rounds to whole samples at tempos such as
    // 40 BPM, where a double W falls just short.
    const float whole = timing.rate / (timing.tempo * 0.004166667f);
    const int n = truncatedProduct(18.0f, 1.0f - rate, 0, 18);
    if ((n & 1) == 0)
      d = std::floor(static_cast<double>(whole / pow2(static_cast<float>(n / 2))));
    else
      d = 3.0 * std::floor(static_cast<double>(whole / pow2(static_cast<float>((n + 1) / 2 + 1))));
  } else {
    d = std::floor(static_cast<double>(rate * timing.rate));
  }
  // The tape plays any longer delay; keep the integer conversion itself in
  // range.
  return static_cast<int32_t>(std::min(std::max(d, 0.0), 16777216.0));
}

void StereoEcho::setRate(bool left, float v, const EchoTiming& timing) {
  if (left) {
    rateL_ = v;
    const int32_t d = delayFor(v, timing);
    delayPrevL_ = d;
    delayL_ = std::max<int32_t>(d, 1);
  } else {
    rateR_ = v;
    const int32_t d = delayFor(v, timing);
    delayPrevR_ = d;
    delayR_ = std::max<int32_t>(d, 1);
  }
}

void StereoEcho::setSync(float v, const EchoTiming& timing) {
  delayPrevL_ = delayL_;
  delayPrevR_ = delayR_;
  sync_ = static_cast<uint8_t>(truncatedProduct(1.0f, v, 0, 1));
  delayR_ = delayFor(rateR_, timing);
  delayL_ = delayFor(rateL_, timing);
}

void StereoEcho::clear() {
  left_.clear();
  right_.clear();
}

void StereoEcho::process(float* out0, float* out1, int32_t count) {
  const float perSample = 1.0f / static_cast<float>(count);
  float delayL = static_cast<float>(delayPrevL_);
  float delayR = static_cast<float>(delayPrevR_);
  const float stepL = static_cast<float>(delayL_ - delayPrevL_) * perSample;
  const float stepR = static_cast<float>(delayR_ - delayPrevR_) * perSample;
  for (int32_t i = 0; i < count; ++i) {
    out0[i] = out0[i] + wet_ * left_.step(out0[i], feedbackL_, delayL);
    out1[i] = out1[i] + wet_ * right_.step(out1[i], feedbackR_, delayR);
    delayL = delayL + stepL;
    delayR = delayR + stepR;
  }
  delayPrevL_ = delayL_;
  delayPrevR_ = delayR_;
}

void StereoEcho::processFast(float* out0, float* out1, int32_t count, bool inputZero) {
  const float perSample = 1.0f / static_cast<float>(count);
  const float stepL = static_cast<float>(delayL_ - delayPrevL_) * perSample;
  const float stepR = static_cast<float>(delayR_ - delayPrevR_) * perSample;
  processLineFast(left_, out0, count, static_cast<float>(delayPrevL_), stepL, feedbackL_,
                  inputZero);
  processLineFast(right_, out1, count, static_cast<float>(delayPrevR_), stepR, feedbackR_,
                  inputZero);
  delayPrevL_ = delayL_;
  delayPrevR_ = delayR_;
}

// The two lines never meet, so each runs its whole block on its own.
void StereoEcho::processLineFast(QuarnelEcho& line, float* out, int32_t count, float delay,
                                 float delayStep, float feedback, bool inputZero) {
  // +0 in an empty line stays +0 only while the feedback cannot turn it into
  // -0 or NaN.
  if (inputZero && line.empty() && std::isfinite(feedback) && !std::signbit(feedback)) {
    line.skipEmptySteps(delay, delayStep, count);
    const float echoTerm = wet_ * 0.0f;  // the wet level times the +0 echo
    for (int32_t i = 0; i < count; ++i) out[i] = out[i] + echoTerm;
    return;
  }
  for (int32_t i = 0; i < count; ++i) {
    out[i] = out[i] + wet_ * line.step(out[i], feedback, delay);
    delay = delay + delayStep;
  }
  line.noteQuietBlock(inputZero, count);
}

}  // namespace engine
