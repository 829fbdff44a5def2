// Si, Ci, Cin, Shi, Chi and the Fresnel integrals. Each is a power series near the origin and,
// where that series would lose digits to cancellation or overflow, a continued fraction,
// asymptotic series or quadrature further out.
#include "special/trigonometric_integrals.hpp"

#include "core/checked_float.hpp"
#include "core/double_double.hpp"
#include "core/elementary_math.hpp"
#include "core/polynomial.hpp"
#include "core/power.hpp"
#include "special/iteration.hpp"
#include "special/messages.hpp"

#include <quorvex/quorvex.hpp>

#include <array>
#include <cmath>
#include <complex>
#include <limits>
#include <span>
#include <string_view>

namespace quorvex::special {
namespace {

// Si, Ci and Cin sum their power series up to this |x| and use the continued fraction of
// E1(ix) beyond: the alternating series carries terms up to e^|x|/|x|, so it keeps 15 digits
// to about 4 and loses one more digit every 2.3 beyond (Si(20) off by 1e-10).
constexpr double kOscillatingSeriesBound = 4.0;
// Ci's first zero and Chi's only zero, each as a double-double, and the Taylor coefficients
// c_1 .. c_24 of the function about it (f(x0 + d) = sum c_k d^k), from mpmath; within 0.1 of
// the zero the polynomial holds f to 6.4e-17 relative (tests/data/generate_integral_zero_series.py),
// where gamma + ln x and the series cancel to the few digits by which f differs from 0.
constexpr DoubleDouble kCiZero = {0.6165054856207163, -4.209920321433186e-17};
constexpr DoubleDouble kChiZero = {0.5238225713898644, -2.6671382575502846e-17};
constexpr double kNearZeroReach = 0.1;
constexpr std::array<double, 24> kCiAboutItsZero = {
    1.3234333479537534e+00, -1.5422578557475290e+00, 1.4471694707721721e+00, -1.7214541989292569e+00,
    2.2448503553441719e+00, -3.0356772345272214e+00, 4.2203147143912014e+00, -5.9898267270182446e+00,
    8.6362454132391608e+00, -1.2607545614006199e+01, 1.8590921493037811e+01, -2.7642378586330853e+01,
    4.1388182858484093e+01, -6.2338267832589260e+01, 9.4374477871573603e+01, -1.4351222344034758e+02,
    2.1909022886935659e+02, -3.3563131928890118e+02, 5.1575617804989963e+02, -7.9475102910737246e+02,
    1.2277356157584647e+03, -1.9009229905324744e+03, 2.9493235782427082e+03, -4.5846065635088207e+03};
constexpr std::array<double, 24> kChiAboutItsZero = {
    2.1769985090709922e+00, -1.5548106648036688e+00, 2.3416337318890323e+00, -3.3091117726079520e+00,
    5.0719319310955040e+00, -8.0673283499945416e+00, 1.3201185880880741e+01, -2.2051405729152147e+01,
    3.7419641210849306e+01, -6.4292145428867173e+01, 1.1157863016254353e+02, -1.9525773910392124e+02,
    3.4408199047429372e+02, -6.0994833535459122e+02, 1.0867899630348661e+03, -1.9450585866161118e+03,
    3.4947775747452552e+03, -6.3010329170803079e+03, 1.1395842660648152e+04, -2.0667399839015834e+04,
    3.7576154631317397e+04, -6.8473848897827731e+04, 1.2503608780912509e+05, -2.2875350808030638e+05};
// Shi and Chi sum their power series below this |x| and their common asymptotic series from it
// on: the series needs ever more terms (about 165 at 50), and the asymptotic series meets 1e-15
// from about 37 on and keeps 15 digits from 50.
constexpr double kHyperbolicAsymptoticBound = 50.0;
// The Fresnel power series serves below this |x|: it keeps 15 digits to 1.5 but cancels to
// 1e-14 near 2, where the quadrature is accurate to 6e-16.
constexpr double kFresnelSeriesBound = 1.5;
// Beyond this x the Fresnel integrals follow their asymptotic series.
constexpr double kFresnelAsymptoticBound = 100.0;
// From here on every double is an even integer, so x^2 is a whole number of full turns of the
// Fresnel phase.
constexpr double kEvenIntegersFrom = 9007199254740992.0;  // 2^53

// Ci(x) and Si(x) - π/2 for x > 0, as -Re and Im of E1(ix) = e^-ix/(1+ix- 1²/(3+ix- 2²/(5+ix-
// ...))). The denominator fraction starts from its first partial denominator 1 + ix, which
// needs no tiny start value (one would swamp 1/(1 + ix) for x beyond 1e14); no step can
// overflow, as |b| >= 1 and the ratios c and 1/d stay near b. About 45 steps at
// x = 4, fewer beyond.
struct OscillatingIntegrals {
    double cosine;
    double shiftedSine;
};

OscillatingIntegrals OscillatingIntegralsByFraction(double x, double eps, std::u16string_view message) {
    const std::complex<double> first(1.0, x);
    ComplexLentzState denominator{first, first, 0.0};
    IterateToTolerance(eps, message, 1, RelativeMeasure{}, [&](int i) {
        return ComplexLentzStep(denominator, -static_cast<double>(i) * i, std::complex<double>(2.0 * i + 1.0, x));
    });
    const std::complex<double> e1 = std::complex<double>(Cos(x), -Sin(x)) / denominator.h;
    return {-e1.real(), e1.imag()};
}

// f(x) = d P(d) with d = x - x0 for |x - x0| <= kNearZeroReach: x - hi is exact there (Sterbenz),
// so d keeps its digits.
double AboutItsZero(double x, DoubleDouble zero, std::span<const double> coefficients) {
    const double d = (x - zero.hi) - zero.lo;
    return d * EvaluatePolynomial(coefficients, d);
}

// Si(x) = Σ (-1)^k x^(2k+1)/((2k+1)·(2k+1)!). The test measures v = x^m/m!, not the term v/m.
double SineSeries(double x, double eps) {
    double r = 0.0;
    double v = x;
    IterateToTolerance(eps, kSiNotConverged, 1, AbsoluteMeasure{r}, [&](int i) {
        if (i > 1) v = v * x * x / (2.0 * (i - 1));
        const double m = 2.0 * i - 1.0;
        v = v / m;
        r = i % 2 == 1 ? r + v / m : r - v / m;
        return v;
    });
    return r;
}

// Cin(x) = Σ (-1)^(k+1) x^(2k)/(2k·(2k)!), k >= 1, so that Ci(x) = γ + ln x - Cin(x). Summed on
// its own it keeps the digits that γ + ln x - Ci(x) cancels away near 0 (x²/4 out of ln x).
// The test measures v = x^(2k)/(2k)!.
double EntireCosineSeries(double x, double eps, std::u16string_view message) {
    double r = 0.0;
    double v = 1.0;
    IterateToTolerance(eps, message, 1, AbsoluteMeasure{r}, [&](int i) {
        if (i > 1) v = v / (2.0 * i - 1.0);
        v = v * x * x / (2.0 * i);
        r = i % 2 == 1 ? r + v / (2.0 * i) : r - v / (2.0 * i);
        return v;
    });
    return r;
}

// Shi(x) = x + Σ x^(2i+1)/((2i+1)·(2i+1)!), i >= 1; all terms share the sign of x. The power
// over the factorial is carried as one ratio u: kept apart, (2i+1)! overflows at 171 (for x
// from about 54 on, and for any x once eps cannot be met) although the term is small.
double HyperbolicSineSeries(double x, double eps) {
    const double square = Power(x, 2.0);
    double r = x;
    double u = x;
    IterateToTolerance(eps, kShiNotConverged, 1, AbsoluteMeasure{r}, [&](int i) {
        u = u * square / ((2.0 * i) * (2.0 * i + 1.0));
        const double v = u / (2.0 * i + 1.0);
        r = r + v;
        return v;
    });
    return r;
}

// Chi(x) = γ + ln x + Σ x^(2i)/(2i·(2i)!), i >= 1, with x^(2i)/(2i)! carried as one ratio u.
double HyperbolicCosineSeries(double x, double eps) {
    const double square = Power(x, 2.0);
    double r = kEulerGamma + CheckedLn(x);
    double u = 1.0;
    IterateToTolerance(eps, kChiNotConverged, 1, AbsoluteMeasure{r}, [&](int i) {
        u = u * square / ((2.0 * i - 1.0) * (2.0 * i));
        const double v = u / (2.0 * i);
        r = r + v;
        return v;
    });
    return r;
}

// Shi(x) and Chi(x) for x >= 50: both are (Ei(x) ± E1(x))/2 with E1(x)/Ei(x) below e^-100, so
// both are e^x/(2x) · Σ k!/x^k, k >= 0. Asymptotic: the terms shrink until k reaches x, and an
// eps below the smallest term cannot be met.
double HyperbolicAsymptoticSeries(double x, double eps, std::u16string_view message) {
    double s = 1.0;
    double t = 1.0;
    IterateToTolerance(eps, message, 1, AsymptoticMeasure{}, [&](int k) {
        t = t * k / x;
        s += t;
        return t;
    });
    const Checked half = CheckedExp(x / 2.0);
    return double(half * (half * (s / (2.0 * x))));
}

// cos and sin of the Fresnel phase e = πx²/2. Written as x·(π/2)·x the phase carries the
// rounding of the product and of π/2, a few 1e-12 at x = 100 and 0.2 at x = 1e8 (S off by 1e-13
// at 1e4, 3e-9 at 1e8); instead x² is split into its rounded value and exact error, each reduced
// modulo 4 (a full turn), and only what is left of the nearest quarter turn is scaled by π/2.
struct Phase {
    double cosine;
    double sine;
};

Phase FresnelPhase(double x) {
    const double ax = std::fabs(x);
    if (ax >= kEvenIntegersFrom) return {1.0, 0.0};
    const double square = ax * ax;
    const double squareError = TwoProduct(ax, ax).lo;
    const double turns = std::fmod(square, 4.0);
    const double quadrant = std::nearbyint(turns);
    const double angle = kHalfPi * (turns - quadrant + std::fmod(squareError, 4.0));
    const double c = Cos(angle);
    const double s = Sin(angle);
    switch (static_cast<int>(quadrant) % 4) {
        case 0: return {c, s};
        case 1: return {-s, c};
        case 2: return {-c, -s};
        default: return {s, -c};
    }
}

// S(x) = Σ (-1)^k (π/2)^(2k+1) x^(4k+3)/((2k+1)!·(4k+3)), k >= 0.
double FresnelSSeries(double x, double eps) {
    const double halfPiSquared = Power(kHalfPi, 2.0);
    const double q = Power(x, 4.0);
    double p = Power(x, 3.0);
    double r = p * kHalfPi / 3.0;
    double h = kHalfPi;
    double f = 1.0;
    IterateToTolerance(eps, kFresnelSNotConverged, 1, AbsoluteMeasure{r}, [&](int k) {
        h = h * halfPiSquared;
        p = p * q;
        f = f * (2.0 * k) * (2.0 * k + 1.0);
        const double t = h * p / (f * (4.0 * k + 3.0));
        r = k % 2 == 1 ? r - t : r + t;
        return t;
    });
    return r;
}

// C(x) = Σ (-1)^k (π/2)^(2k) x^(4k+1)/((2k)!·(4k+1)), k >= 0.
double FresnelCSeries(double x, double eps) {
    const double halfPiSquared = Power(kHalfPi, 2.0);
    const double q = Power(x, 4.0);
    double r = x;
    double v = x;
    double e = 1.0;
    double f = 1.0;
    IterateToTolerance(eps, kFresnelCNotConverged, 1, AbsoluteMeasure{r}, [&](int k) {
        e = e * halfPiSquared;
        v = v * q;
        f = f * (4.0 * k - 2.0) * k;
        const double t = e * v / (f * (4.0 * k + 1.0));
        r = k % 2 == 1 ? r - t : r + t;
        return t;
    });
    return r;
}

enum class FresnelKind { kSine, kCosine };

// S(x) and C(x) for 1.5 <= |x| <= 100 by the trapezium rule with a pole correction,
// repeated for N = 1, 2, ... until three successive values agree within eps (about 12 rounds):
// S_N = A - x/√(N+½)·(s₁ e cos e + s₂ sin e), C_N = A + x/√(N+½)·(s₁ e sin e - s₂ cos e), with
// t_i = (i-½)π/√((N+½)π), s₁ = Σ exp(-t_i²)/(e² + t_i⁴), s₂ = Σ t_i² exp(-t_i²)/(e² + t_i⁴) and
// the pole term A = (sinh z ∓ sin z)/2/(cos z + cosh z), z = xπ√(N+½). A is evaluated with
// numerator and denominator divided by cosh z, which overflows for z beyond 710; cos e and sin e
// come from the exactly reduced phase.
double FresnelQuadrature(double x, double eps, FresnelKind kind) {
    const bool sine = kind == FresnelKind::kSine;
    const double e = x * kHalfPi * x;
    const double eSquared = Power(e, 2.0);
    const Phase phase = FresnelPhase(x);
    double current = 0.0;
    double lastChange = std::numeric_limits<double>::infinity();
    const std::u16string_view message = sine ? kFresnelSNotConverged : kFresnelCNotConverged;
    IterateToTolerance(eps, message, 1, AbsoluteMeasure{current}, [&](int n) {
        const double root = std::sqrt(n + 0.5);
        const double z = x * kPi * root;
        const double decay = Exp(-std::fabs(z));
        const double sech = 2.0 * decay / (1.0 + decay * decay);
        const double sinOverCosh = Sin(z) * sech;
        const double numerator = sine ? Tanh(z) - sinOverCosh : Tanh(z) + sinOverCosh;
        const double a = numerator * 0.5 / (Cos(z) * sech + 1.0);
        const double nodeScale = std::sqrt((n + 0.5) * kPi);
        double s1 = 0.0;
        double s2 = 0.0;
        for (int i = 1; i <= n; ++i) {
            const double t = (i - 0.5) * kPi / nodeScale;
            const double tSquared = Power(t, 2.0);
            const double denominator = eSquared + Power(t, 4.0);
            s1 += Exp(-tSquared) / denominator;
            s2 += tSquared * Exp(-tSquared) / denominator;
        }
        const double scale = x / root;
        const double previous = current;
        current = sine ? a - scale * (s1 * e * phase.cosine + s2 * phase.sine)
                       : a + scale * (s1 * e * phase.sine - s2 * phase.cosine);
        // The error shrinks about 30-fold a round, but unevenly: two rounds can agree by chance
        // while both are still off by several eps (C(1.8079) stopped at N = 8 off by 2e-14),
        // so the test measures the larger of the last two changes. The first round has nothing
        // to be compared with.
        const double change = n == 1 ? std::numeric_limits<double>::infinity() : std::fabs(previous - current);
        const double tested = std::fmax(change, lastChange);
        lastChange = change;
        return tested;
    });
    return current;
}

// The asymptotic series for x > 100, with w = 1/(πx), h = (1/(π²x⁴))^k:
// S(x) = ½ - (cos e + sin e/(πx²))·w + Σ ±(cos e·(4k-1)·h + sin e·(4k+1)·h/(πx²))·w,
// C(x) = ½ - (cos e/(πx²) - sin e)·w + Σ ±(cos e·(4k+1)·h/(πx²) - sin e·(4k-1)·h)·w,
// the signs alternating from + for S and from - for C. The classical coefficients are the double
// factorials (4k-1)!! and (4k+1)!!; the difference (15 against 5 in the first sine term) is 2e-15
// relative just above 100 and falls as x^-7. 1/(πx) and 1/(πx²) are taken by successive
// division, so that no product overflows for large x.
double FresnelAsymptoticSeries(double x, double eps, FresnelKind kind) {
    const bool sine = kind == FresnelKind::kSine;
    const Phase phase = FresnelPhase(x);
    const double w = 1.0 / kPi / x;
    const double h0 = 1.0 / Power(kPi, 2.0) / x / x / x / x;
    double r = sine ? 0.5 - (phase.cosine + phase.sine / kPi / x / x) * w
                    : 0.5 - (phase.cosine / kPi / x / x - phase.sine) * w;
    double h = h0;
    IterateToTolerance(eps, sine ? kFresnelSNotConverged : kFresnelCNotConverged, 1, AbsoluteMeasure{r}, [&](int k) {
        if (k > 1) h = h * h0;
        const double m = 4.0 * k - 1.0;
        const double o = (sine ? phase.sine : phase.cosine) * (4.0 * k + 1.0) * h / kPi / x / x;
        double t = sine ? (phase.cosine * m * h + o) * w : (-phase.sine * m * h + o) * w;
        if (k % 2 == 0) t = -t;
        r = r + t;
        return t;
    });
    return r;
}

double FresnelIntegral(double x, double eps, FresnelKind kind) {
    if (std::fabs(x) < kFresnelSeriesBound) {
        return kind == FresnelKind::kSine ? FresnelSSeries(x, eps) : FresnelCSeries(x, eps);
    }
    // Both are odd; the asymptotic series is written for positive x.
    if (x < -kFresnelAsymptoticBound) return -FresnelIntegral(-x, eps, kind);
    if (x > kFresnelAsymptoticBound) return FresnelAsymptoticSeries(x, eps, kind);
    return FresnelQuadrature(x, eps, kind);
}

}  // namespace

double SineIntegral(double x, double eps) {
    if (std::fabs(x) <= kOscillatingSeriesBound) return SineSeries(x, eps);
    // Si is odd.
    const double shifted = OscillatingIntegralsByFraction(std::fabs(x), eps, kSiNotConverged).shiftedSine;
    return std::copysign(kHalfPi + shifted, x);
}

double ShiftedSineIntegral(double x, double eps) {
    // Beyond the series the fraction yields Si(x) - π/2 itself, which subtracting π/2 from
    // Si(x) would cancel away (6e-11 relative at x = 1e6, even from a correctly rounded Si).
    if (x > kOscillatingSeriesBound) return OscillatingIntegralsByFraction(x, eps, kSsiNotConverged).shiftedSine;
    try {
        return SineIntegral(x, eps) - kHalfPi;
    } catch (const EConvergeError&) {
        RaiseConvergeError(kSsiNotConverged);
    }
}

double CosineIntegral(double x, double eps) {
    if (x <= 0.0) RaiseFunctionError(kCiNotPositive);
    if (std::fabs(x - kCiZero.hi) <= kNearZeroReach) {
        RequireReachableTolerance(eps, kCiNotConverged);
        return AboutItsZero(x, kCiZero, kCiAboutItsZero);
    }
    if (x <= kOscillatingSeriesBound) return kEulerGamma + CheckedLn(x) - EntireCosineSeries(x, eps, kCiNotConverged);
    return OscillatingIntegralsByFraction(x, eps, kCiNotConverged).cosine;
}

double EntireCosineIntegral(double x, double eps) {
    if (x <= 0.0) RaiseFunctionError(kCinNotPositive);
    if (x <= kOscillatingSeriesBound) return EntireCosineSeries(x, eps, kCinNotConverged);
    return -OscillatingIntegralsByFraction(x, eps, kCinNotConverged).cosine + CheckedLn(x) + kEulerGamma;
}

double HypSineIntegral(double x, double eps) {
    if (std::fabs(x) < kHyperbolicAsymptoticBound) return HyperbolicSineSeries(x, eps);
    // Shi is odd.
    return std::copysign(HyperbolicAsymptoticSeries(std::fabs(x), eps, kShiNotConverged), x);
}

double HypCosineIntegral(double x, double eps) {
    if (x <= 0.0) RaiseFunctionError(kChiNotPositive);
    if (std::fabs(x - kChiZero.hi) <= kNearZeroReach) {
        RequireReachableTolerance(eps, kChiNotConverged);
        return AboutItsZero(x, kChiZero, kChiAboutItsZero);
    }
    if (x < kHyperbolicAsymptoticBound) return HyperbolicCosineSeries(x, eps);
    return HyperbolicAsymptoticSeries(x, eps, kChiNotConverged);
}

double FresnelS(double x, double eps) { return FresnelIntegral(x, eps, FresnelKind::kSine); }

double FresnelC(double x, double eps) { return FresnelIntegral(x, eps, FresnelKind::kCosine); }

}  // namespace quorvex::special
