// Frequency analysis for tests: the strongest spectral peak of a signal.
#pragma once

#include <vector>

namespace testing_support {

// Frequency in Hz of the strongest component between loHz and hiHz, refined
// by parabolic interpolation on a zero-padded Hann-windowed spectrum.
double strongestPeakHz(const std::vector<float>& signal, double rate, double loHz, double hiHz);

double centsBetween(double f, double reference);

}  // namespace testing_support
