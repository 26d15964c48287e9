#include "support/plugin_harness.h"

#include <algorithm>
#include <cmath>

namespace testing_support {

void Stereo::append(const Stereo& other) {
  left.insert(left.end(), other.left.begin(), other.left.end());
  right.insert(right.end(), other.right.begin(), other.right.end());
}

PluginHarness::PluginHarness(bool withHost)
    : plugin_(new Quarnel(withHost ? host_.callback() : nullptr)) {}

void PluginHarness::noteOn(int key, int velocity, int delta) {
  MidiBatch b;
  b.add(0x90, static_cast<unsigned char>(key), static_cast<unsigned char>(velocity), delta);
  send(b);
}

void PluginHarness::noteOff(int key, int delta) {
  MidiBatch b;
  b.add(0x80, static_cast<unsigned char>(key), 0, delta);
  send(b);
}

void PluginHarness::controller(int number, int value) {
  MidiBatch b;
  b.add(0xb0, static_cast<unsigned char>(number), static_cast<unsigned char>(value));
  send(b);
}

std::vector<float> PluginHarness::parameters(int first, int last) {
  std::vector<float> values;
  for (int i = first; i <= last; ++i) values.push_back(plugin_->getParameter(i));
  return values;
}

Stereo PluginHarness::render(int frames, int block, bool emptyEventsEachBlock) {
  Stereo out;
  out.left.resize(static_cast<size_t>(frames));
  out.right.resize(static_cast<size_t>(frames));
  MidiBatch empty;
  for (int done = 0; done < frames;) {
    const int n = std::min(block, frames - done);
    if (emptyEventsEachBlock && done > 0) plugin_->processEvents(empty.events());
    float* outputs[2] = {out.left.data() + done, out.right.data() + done};
    plugin_->processReplacing(nullptr, outputs, n);
    host_.time.samplePos += n;
    host_.time.ppqPos += n / host_.time.sampleRate * host_.time.tempo / 60.0;
    done += n;
  }
  return out;
}

bool allFinite(const Stereo& s) {
  for (size_t i = 0; i < s.size(); ++i)
    if (!std::isfinite(s.left[i]) || !std::isfinite(s.right[i])) return false;
  return true;
}

bool allZero(const Stereo& s) {
  for (size_t i = 0; i < s.size(); ++i)
    if (s.left[i] != 0.0f || s.right[i] != 0.0f) return false;
  return true;
}

float peak(const Stereo& s) {
  float p = 0.0f;
  for (size_t i = 0; i < s.size(); ++i)
    p = std::max({p, std::fabs(s.left[i]), std::fabs(s.right[i])});
  return p;
}

}  // namespace testing_support
