// Drives a plug-in object the way a host does: events before each block,
// then the render call, collecting the output.
#pragma once

#include <memory>
#include <vector>

#include "plugin/quarnel.h"
#include "support/fake_host.h"

namespace testing_support {

struct Stereo {
  std::vector<float> left;
  std::vector<float> right;
  size_t size() const { return left.size(); }
  void append(const Stereo& other);
};

class PluginHarness {
 public:
  explicit PluginHarness(bool withHost = true);

  Quarnel& plugin() { return *plugin_; }
  engine::Engine& engine() { return plugin_->engineState(); }
  FakeHost& host() { return host_; }

  void setParameter(int index, float value) { plugin_->setParameter(index, value); }
  // The values of parameters first..last, as getParameter reports them.
  std::vector<float> parameters(int first, int last);
  void send(MidiBatch& batch) { plugin_->processEvents(batch.events()); }
  void noteOn(int key, int velocity = 100, int delta = 0);
  void noteOff(int key, int delta = 0);
  void controller(int number, int value);

  // Renders `frames` samples in blocks of `block`, calling processEvents with
  // an empty list before every block, as many hosts do.
  Stereo render(int frames, int block = 256, bool emptyEventsEachBlock = true);

 private:
  FakeHost host_;
  std::unique_ptr<Quarnel> plugin_;
};

bool allFinite(const Stereo& s);
bool allZero(const Stereo& s);
float peak(const Stereo& s);

}  // namespace testing_support
