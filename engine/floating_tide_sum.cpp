#include "engine/floating_tide_sum.h"

#include <cmath>
#include <vector>

#include "engine/data_layouts.h"
#include "engine/held_data.h"

namespace qw {
namespace {

// The terms are padded with zero amplitudes to whole blocks of this many, so the vector
// loops have no scalar tail; a padded term adds exactly nothing.
constexpr size_t kLaneBlock = 8;

// Beyond this many hours from the held year (a corrupt time) the kernel's reduction by
// whole turns loses its exactness: the C library's cosine serves there.
constexpr double kKernelHours = 1.0e6;

// The held record's terms as the sums take them, rebuilt whenever the held data changes.
struct FloatingTerms {
  uint64_t generation = UINT64_MAX;
  int64_t yearStart = 0;   // standard minute of 1 January 00:00 of the held year
  double meanFeet = 0;     // Z0
  std::vector<double> amplitude, speed, phase;  // f H (feet), a (radians per hour), (V0 + u) - kappa
  std::vector<double> turnCos, turnSin;         // cos and sin of each term's angle per minute, a / 60
};

const FloatingTerms& Terms() {
  static FloatingTerms terms;
  const uint64_t generation = HeldDataGeneration();
  if (terms.generation != generation) {
    const SpeedTable& speeds = *ConstituentSpeeds();
    terms = FloatingTerms{};
    for (const PreparedConstituent& c : PreparedConstituents()) {
      const double speed = speeds.speedRadiansPerHour[c.index];
      terms.amplitude.push_back(c.amplitudeFeet);
      terms.speed.push_back(speed);
      terms.phase.push_back(c.phaseRadians);
      terms.turnCos.push_back(std::cos(speed / 60.0));
      terms.turnSin.push_back(std::sin(speed / 60.0));
    }
    const size_t padded = (terms.amplitude.size() + kLaneBlock - 1) / kLaneBlock * kLaneBlock;
    terms.amplitude.resize(padded, 0.0);
    terms.speed.resize(padded, 0.0);
    terms.phase.resize(padded, 0.0);
    terms.turnCos.resize(padded, 1.0);
    terms.turnSin.resize(padded, 0.0);
    terms.yearStart = HeldYearStart();
    terms.meanFeet = HeldMeanLevelMicroFeet() / 1000000.0;
    terms.generation = generation;
  }
  return terms;
}

double HoursFromYearStart(const FloatingTerms& t, int64_t minute) {
  return static_cast<double>(minute - t.yearStart) / 60.0;
}

int32_t ToMicroFeet(double feet) { return ToHeightMicroFeet(static_cast<int64_t>(std::trunc(feet * 1000000.0))); }

// Rounds to the nearest whole number (ties to even) for |x| < 2^51, in plain arithmetic
// the compiler can put on vector lanes.
inline double Whole(double x) {
  constexpr double kShifter = 6755399441055744.0;  // 1.5 * 2^52
  return (x + kShifter) - kShifter;
}

// cos x and sin x without the C library, in plain arithmetic that runs on vector lanes:
// the argument is reduced by whole turns and then quarter turns with constants split so
// that the products are exact (Cody and Waite), and the sine and cosine of the remainder
// (at most pi/4) come from the usual minimax polynomials (the coefficients published with
// fdlibm's sine and cosine kernels). Within a unit or two in the last place of the
// library's functions, far below the millionth of a foot the sum is cut to.
struct CosSin {
  double cosine, sine;
};
inline CosSin KernelCosSin(double x) {
  // 2 pi and pi / 2 in three parts; the first two have short mantissas.
  constexpr double kTurn1 = 6.28318500518798828125;
  constexpr double kTurn2 = 3.01991576634463854134e-7;
  constexpr double kTurn3 = 2.15612114326324762116e-14;
  constexpr double kQuarter1 = kTurn1 / 4, kQuarter2 = kTurn2 / 4, kQuarter3 = kTurn3 / 4;
  constexpr double kTurnsPerRadian = 0.15915494309189533577;
  constexpr double kQuartersPerRadian = 0.63661977236758134308;
  const double k = Whole(x * kTurnsPerRadian);
  const double r = ((x - k * kTurn1) - k * kTurn2) - k * kTurn3;          // |r| <= pi
  const double q = Whole(r * kQuartersPerRadian);                           // -2 .. 2
  const double s = ((r - q * kQuarter1) - q * kQuarter2) - q * kQuarter3;  // |s| <= pi / 4
  const double z = s * s;
  const double sine =
      s + s * z *
              (-1.66666666666666324348e-01 +
               z * (8.33333333332248946124e-03 +
                    z * (-1.98412698298579493134e-04 +
                         z * (2.75573137070700676789e-06 + z * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10)))));
  const double cosine =
      1.0 - 0.5 * z +
      z * z *
          (4.16666666666666019037e-02 +
           z * (-1.38888888888741095749e-03 +
                z * (2.48015872894767294178e-05 +
                     z * (-2.75573143513906633035e-07 + z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11)))));
  // cos(q pi/2 + s): q 0 cos s; q 1 -sin s; q -1 sin s; q +-2 -cos s; and sin(q pi/2 + s):
  // q 0 sin s; q 1 cos s; q -1 -cos s; q +-2 -sin s. With w = q^2 (0, 1 or 4),
  // odd = w (4 - w) / 3 is exactly 1 for odd q and 0 for even q (3 times the double
  // nearest 1/3 rounds to exactly 1), the sign is +-q for odd q and 1 - w/2 for even q,
  // and the unused half is exactly zero: plain arithmetic, no branch, the same value.
  const double w = q * q;
  const double odd = w * (4.0 - w) * (1.0 / 3.0);
  const double even = 1.0 - 0.5 * w;
  return CosSin{odd * (-q * sine) + (1.0 - odd) * (even * cosine), odd * (q * cosine) + (1.0 - odd) * (even * sine)};
}

// Each term's value f H cos(a t + phase) at `hours`, written to `out`.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target_clones("avx512f", "avx2", "default")))
#endif
void TermValues(const FloatingTerms& t, double hours, double* __restrict out) {
  const double* __restrict amplitude = t.amplitude.data();
  const double* __restrict speed = t.speed.data();
  const double* __restrict phase = t.phase.data();
  const size_t n = t.amplitude.size() / kLaneBlock * kLaneBlock;  // always whole blocks
  for (size_t i = 0; i < n; ++i) out[i] = amplitude[i] * KernelCosSin(hours * speed[i] + phase[i]).cosine;
}

// Each term's point f H (cos, sin) of its angle at `hours`: where a run starts.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target_clones("avx512f", "avx2", "default")))
#endif
void SeedPoints(const FloatingTerms& t, double hours, double* __restrict x, double* __restrict y) {
  const double* __restrict amplitude = t.amplitude.data();
  const double* __restrict speed = t.speed.data();
  const double* __restrict phase = t.phase.data();
  const size_t n = t.amplitude.size() / kLaneBlock * kLaneBlock;
  for (size_t i = 0; i < n; ++i) {
    const CosSin v = KernelCosSin(hours * speed[i] + phase[i]);
    x[i] = amplitude[i] * v.cosine;
    y[i] = amplitude[i] * v.sine;
  }
}

// Terms' values in a vector register: four doubles (AVX2, or two SSE2 registers in the
// portable build) or eight (AVX-512). Every operation on them is lane by lane, so every
// width gives the same results. Declared with the alignment of a double and as aliasing
// anything, so that they can be read and written in place over the terms' arrays.
using Quad = double __attribute__((vector_size(4 * sizeof(double)), aligned(sizeof(double)), may_alias));
using Octet = double __attribute__((vector_size(8 * sizeof(double)), aligned(sizeof(double)), may_alias));

template <typename V>
inline V& At(double* p) {
  return *reinterpret_cast<V*>(p);
}
template <typename V>
inline const V& At(const double* p) {
  return *reinterpret_cast<const V*>(p);
}

// The run's arithmetic is inlined into one function per target, where it takes that
// target's instructions.
#if defined(__GNUC__)
#define QW_INLINE inline __attribute__((always_inline))
#else
#define QW_INLINE inline
#endif

// Adds the x of the terms from i to `sum` and turns their points by one minute.
template <typename V>
QW_INLINE void TurnVector(const double* c, const double* s, double* __restrict x, double* __restrict y, size_t i,
                          V& sum) {
  const V xi = At<V>(x + i), yi = At<V>(y + i), ci = At<V>(c + i), si = At<V>(s + i);
  sum += xi;
  At<V>(x + i) = xi * ci - yi * si;
  At<V>(y + i) = xi * si + yi * ci;
}

// `count` successive minutes from the points (x, y): each minute's height is Z0 plus the
// x of every term, and then every point turns by its angle per minute. Term i is added
// into lane i mod 8 of one of two sums, taken in turn block by block so that the
// additions do not wait on each other; then the two sums lane by lane, and the eight
// lanes in an order fixed here, whatever the vector width.
template <typename V>
QW_INLINE void TurnRun(const FloatingTerms& t, double* __restrict x, double* __restrict y, size_t count, int32_t* out) {
  constexpr size_t kWidth = sizeof(V) / sizeof(double);
  constexpr size_t kPerBlock = kLaneBlock / kWidth;  // vectors in a block of terms
  const double* c = t.turnCos.data();
  const double* s = t.turnSin.data();
  const size_t n = t.amplitude.size() / kLaneBlock * kLaneBlock;
  for (size_t m = 0; m < count; ++m) {
    V sums[2 * kPerBlock] = {};
    size_t i = 0;
    for (; i + 2 * kLaneBlock <= n; i += 2 * kLaneBlock) {
#pragma GCC unroll 4
      for (size_t v = 0; v < 2 * kPerBlock; ++v) TurnVector(c, s, x, y, i + v * kWidth, sums[v]);
    }
    if (i < n) {
#pragma GCC unroll 4
      for (size_t v = 0; v < kPerBlock; ++v) TurnVector(c, s, x, y, i + v * kWidth, sums[v]);
    }
    double lane[kLaneBlock];
    for (size_t v = 0; v < kPerBlock; ++v) {
      const V both = sums[v] + sums[kPerBlock + v];
      for (size_t k = 0; k < kWidth; ++k) lane[v * kWidth + k] = both[k];
    }
    const double terms = ((lane[0] + lane[4]) + (lane[2] + lane[6])) + ((lane[1] + lane[5]) + (lane[3] + lane[7]));
    out[m] = ToMicroFeet(t.meanFeet + terms);
  }
}

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target("avx512f"))) void TurnPointsWide(const FloatingTerms& t, double* x, double* y, size_t count,
                                                       int32_t* out) {
  TurnRun<Octet>(t, x, y, count, out);
}

__attribute__((target_clones("avx2", "default"))) void TurnPointsQuad(const FloatingTerms& t, double* x, double* y,
                                                                       size_t count, int32_t* out) {
  TurnRun<Quad>(t, x, y, count, out);
}

void TurnPoints(const FloatingTerms& t, double* x, double* y, size_t count, int32_t* out) {
  static const bool wide = __builtin_cpu_supports("avx512f");
  if (wide) {
    TurnPointsWide(t, x, y, count, out);
  } else {
    TurnPointsQuad(t, x, y, count, out);
  }
}
#else
void TurnPoints(const FloatingTerms& t, double* x, double* y, size_t count, int32_t* out) {
  TurnRun<Quad>(t, x, y, count, out);
}
#endif

}  // namespace

int32_t LibraryFloatingTideSum(int64_t minute) {
  const SpeedTable& speeds = *ConstituentSpeeds();
  const double hours = static_cast<double>(minute - static_cast<int64_t>(HeldYearStart())) / 60.0;
  double height = HeldMeanLevelMicroFeet() / 1000000.0;
  for (const PreparedConstituent& c : PreparedConstituents()) {
    height += c.amplitudeFeet * std::cos(hours * speeds.speedRadiansPerHour[c.index] + c.phaseRadians);
  }
  return ToMicroFeet(height);
}

int32_t FloatingTideSum(int64_t minute) {
  const FloatingTerms& t = Terms();
  const double hours = HoursFromYearStart(t, minute);
  if (std::fabs(hours) > kKernelHours) return LibraryFloatingTideSum(minute);
  thread_local std::vector<double> values;
  values.resize(t.amplitude.size());
  TermValues(t, hours, values.data());
  // Added in the terms' order, as the term-by-term form adds them.
  double height = t.meanFeet;
  for (double value : values) height += value;
  return ToMicroFeet(height);
}

void FloatingTideRun(int64_t first, size_t count, int32_t* out) {
  const FloatingTerms& t = Terms();
  thread_local std::vector<double> x, y;
  x.resize(t.amplitude.size());
  y.resize(t.amplitude.size());
  for (size_t done = 0; done < count;) {
    const size_t length = std::min(count - done, kRunReseedMinutes);
    const int64_t start = first + static_cast<int64_t>(done);
    const double hours = HoursFromYearStart(t, start);
    if (std::fabs(hours) + static_cast<double>(length) / 60.0 > kKernelHours) {
      for (size_t k = 0; k < length; ++k) out[done + k] = FloatingTideSum(start + static_cast<int64_t>(k));
    } else {
      SeedPoints(t, hours, x.data(), y.data());
      TurnPoints(t, x.data(), y.data(), length, out + done);
    }
    done += length;
  }
}

}  // namespace qw
