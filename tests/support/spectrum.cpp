#include "support/spectrum.h"

#include <cmath>
#include <complex>

namespace testing_support {

namespace {

void fft(std::vector<std::complex<double>>& a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const double angle = -2.0 * M_PI / static_cast<double>(len);
    const std::complex<double> wl(std::cos(angle), std::sin(angle));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w(1.0);
      for (size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> u = a[i + k];
        const std::complex<double> v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
        w *= wl;
      }
    }
  }
}

}  // namespace

double strongestPeakHz(const std::vector<float>& signal, double rate, double loHz, double hiHz) {
  size_t n = 1;
  while (n < signal.size() * 4) n <<= 1;
  std::vector<std::complex<double>> a(n);
  const size_t m = signal.size();
  for (size_t i = 0; i < m; ++i) {
    const double w = 0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / (m - 1));
    a[i] = signal[i] * w;
  }
  fft(a);
  const double binHz = rate / static_cast<double>(n);
  size_t best = 0;
  double bestMag = -1.0;
  for (size_t k = 1; k + 1 < n / 2; ++k) {
    const double f = k * binHz;
    if (f < loHz || f > hiHz) continue;
    const double mag = std::abs(a[k]);
    if (mag > bestMag) {
      bestMag = mag;
      best = k;
    }
  }
  if (best == 0) return 0.0;
  const double l = std::log(std::abs(a[best - 1]) + 1e-30);
  const double c = std::log(std::abs(a[best]) + 1e-30);
  const double r = std::log(std::abs(a[best + 1]) + 1e-30);
  const double shift = 0.5 * (l - r) / (l - 2.0 * c + r);
  return (static_cast<double>(best) + shift) * binHz;
}

double centsBetween(double f, double reference) { return 1200.0 * std::log2(f / reference); }

}  // namespace testing_support
