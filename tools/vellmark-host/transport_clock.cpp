#include "transport_clock.h"

#include <cmath>

namespace vhost {

namespace {
constexpr int kBeatsPerBar = 4;
}

TransportClock::TransportClock(double sampleRate, double tempo) { configure(sampleRate, tempo); }

void TransportClock::configure(double sampleRate, double tempo) {
  sampleRate_ = sampleRate;
  tempo_ = tempo;
  update();
}

void TransportClock::moveTo(int64_t samplePos) {
  samplePos_ = samplePos;
  update();
  changed_ = false;  // reported once, with the first block after the change
}

void TransportClock::setPlaying(bool playing) {
  if (playing != playing_) changed_ = true;
  playing_ = playing;
  update();
}

void TransportClock::update() {
  // Every field is derived from the integer sample position, so positions
  // never drift however many blocks have passed.
  const double seconds = static_cast<double>(samplePos_) / sampleRate_;
  const double ppq = seconds * tempo_ / 60.0;
  info_ = VstTimeInfo{};
  info_.samplePos = static_cast<double>(samplePos_);
  info_.sampleRate = sampleRate_;
  info_.nanoSeconds = seconds * 1.0e9;
  info_.ppqPos = ppq;
  info_.tempo = tempo_;
  info_.barStartPos = std::floor(ppq / kBeatsPerBar) * kBeatsPerBar;
  info_.timeSigNumerator = kBeatsPerBar;
  info_.timeSigDenominator = 4;
  info_.flags =
      kVstNanosValid | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  if (playing_) info_.flags |= kVstTransportPlaying;
  if (changed_) info_.flags |= kVstTransportChanged;
}

}  // namespace vhost
