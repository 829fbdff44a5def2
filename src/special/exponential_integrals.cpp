// Ei, E_n and li. Ei sums its power series below 40 (its Taylor series about its zero within 0.1
// of it) and its asymptotic series beyond; E_n sums
// its power series near the origin and its continued fraction further out; each reaches the
// other's negative half-line and words the other's errors as its own.
#include "special/exponential_integrals.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/utf16.hpp"
#include "special/iteration.hpp"
#include "special/messages.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvex::special {
namespace {

// Ei sums its power series below this and its asymptotic series from it on.
constexpr double kEiAsymptoticBound = 40.0;
// E_n sums its power series below this...
constexpr double kEnSeriesBound = 0.5;
// ...and below this for orders under kEnLowOrderLimit: for those the continued fraction
// converges slowly below 1.5 (150 steps at 0.5) and its rounding grows to 2e-14, while the
// series stays within 3e-15 (it cancels as e^2x, which is what ends it at 1.5).
constexpr double kEnLowOrderSeriesBound = 1.5;
constexpr std::int32_t kEnLowOrderLimit = 20;
// From this order on the continued fraction serves every x > 0: it converges in few steps for
// large orders, while the series, whose sum is about 1/n, stops on an absolute term below eps,
// so that its relative error grows as n · 5e-17 (5e-14 at n = 1000).
constexpr std::int32_t kEnFractionOnlyOrder = 50;

// Ei's zero u0 and li's zero x0 = e^u0, each rounded to a sum of two doubles (mpmath), and
// e^u0 / u0 = Ei'(u0) to 17 digits.
constexpr double kEiZeroHigh = 0.3725074107813666;
constexpr double kEiZeroLow = 1.3140183414386028e-17;
constexpr double kLiZeroHigh = 1.451369234883381;
constexpr double kLiZeroLow = -4.82713642696033e-17;
constexpr double kEiSlopeAtZero = 3.8962157339071672;
// Within this distance of u0 Ei is summed about its zero: the power series there cancels to
// the few digits by which Ei differs from 0, and li's rounded ln x shifts Ei by a unit of u0.
constexpr double kNearZeroReach = 0.1;

// e^x · factor with e^x taken in two halves, so that only a product beyond the largest double
// overflows (e^x alone overflows from 709.8 on, Ei(x) only from 716.4 on).
double ScaledExp(double x, double factor) {
    const Checked half = CheckedExp(x / 2.0);
    return double(half * (half * factor));
}

// Ei(x) = γ + ln x + Σ x^i/(i·i!), i >= 1. The test measures t = x^i/i!, not the term t/i.
double EiPowerSeries(double x, double eps) {
    Checked r = Checked(kEulerGamma) + CheckedLn(x);
    Checked t = x;
    IterateToTolerance(eps, kEiNotConverged, 1, [&](int i) {
        if (i > 1) t = t * x / i;
        r += t / i;
        return double(t);
    });
    return double(r);
}

// Ei(u0 + d) = e^u0 / u0 · Σ b_k d^(k+1)/(k+1), k >= 0, from Ei' = e^u/u = e^u0/u0 · e^d/(1 + d/u0),
// whose expansion has b_k = -b_(k-1)/u0 + 1/k!; for |d| <= 0.1 the terms shrink at least as
// (d/u0)^k, 0.27^k, and the sum holds Ei to its relative rounding, a unit or two of 2^-53.
// The test measures the term relative to the sum; d is never 0 (u0 is no double).
double EiAboutItsZero(double d, double eps) {
    double b = 1.0;
    double reciprocalFactorial = 1.0;
    double power = d;  // d^(k+1)
    double r = d;
    IterateToTolerance(eps, kEiNotConverged, 1, [&](int k) {
        reciprocalFactorial /= k;
        b = reciprocalFactorial - b / kEiZeroHigh;
        power *= d;
        const double t = b * power / (k + 1.0);
        r += t;
        return t == 0.0 ? 0.0 : t / r;
    });
    return kEiSlopeAtZero * r;
}

// e^-x · Ei(x) ~ 1/x · Σ k!/x^k, k >= 0: asymptotic, its terms shrink while k < x; an eps they
// do not meet by then is out of reach.
double EiAsymptoticRatio(double x, double eps) {
    Checked s = 1.0;
    Checked t = Checked(1.0) / x;
    IterateToTolerance(eps, kEiNotConverged, 1, AsymptoticMeasure{}, [&](int i) {
        if (i > 1) t = t * i / x;
        s += t;
        return double(t);
    });
    return double(s / x);
}

// (-x)^(n-1)/(n-1)! · (ψ(n) - ln x), ψ(n) = -γ + Σ 1/i for i < n; the power over the factorial
// is carried as one ratio, as in the sum below.
double EnLogarithmicTerm(std::int32_t n, double x) {
    double psiMinusLn = -kEulerGamma - CheckedLn(x);
    double ratio = 1.0;
    for (std::int32_t i = 1; i < n; ++i) {
        ratio = ratio * -x / i;
        psiMinusLn += 1.0 / i;
    }
    return ratio * psiMinusLn;
}

// E_n(x) = (-x)^(n-1)/(n-1)! · (ψ(n) - ln x) - Σ (-x)^i/((i-n+1)·i!), i >= 0, i != n-1. The
// test measures the last term taken; the skipped one leaves it unchanged (10 before the first).
// (-x)^i/i! is carried as one ratio, so that with an eps that cannot be met the sum reaches its
// cap rather than overflowing i! at 171.
double EnPowerSeries(std::int32_t n, double x, double eps) {
    const double order = n;
    const std::int64_t skipped = static_cast<std::int64_t>(n) - 1;
    double r = EnLogarithmicTerm(n, x);
    if (n != 1) r -= 1.0 / (1.0 - order);
    double power = 1.0;  // (-x)^i/i!
    double term = 10.0;
    IterateToTolerance(eps, kEnNotConverged, 1, [&](int i) {
        power = power * -x / i;
        if (i != skipped) {
            term = power / (i - order + 1.0);
            r -= term;
        }
        return term;
    });
    return r;
}

// E_n(x) = e^-x · 1/(x+n- 1·n/(x+n+2- 2(n+1)/(x+n+4- ...))). Modified Lentz from the tiny start
// finds how deep the fraction must go for the tolerance; that convergent is then evaluated again
// from its bottom up, which its rounding hardly touches, while Lentz's products drift (48 ulps
// for E_1 between 1.5 and 4.5, 2 ulps from the bottom up). e^-x is applied afterwards: folded into
// the first step it would have to stay far above the tiny start, which it does not beyond x of
// about 40.
double EnContinuedFraction(std::int32_t n, double x, double eps, double exponential) {
    const double order = n;
    LentzState fraction{kTinyValue, kTinyValue, 0.0};
    LentzStep(fraction, 1.0, x + order, TinyGuard::kExactZero);
    int depth = 0;
    IterateToTolerance(eps, kEnNotConverged, 1, [&](int i) {
        depth = i;
        const double a = i * (order + i - 1.0);
        return LentzStep(fraction, -a, x + order + 2.0 * i, TinyGuard::kExactZero);
    });
    double tail = 0.0;
    for (int i = depth; i >= 1; --i) tail = -(i * (order + i - 1.0)) / (x + order + 2.0 * i + tail);
    const double value = 1.0 / (x + order + tail);
    // Where the bottom-up sum is not finite (a denominator of 0) Lentz's guarded value stands.
    return CheckedMultiply(std::isfinite(value) ? value : fraction.h, exponential);
}

// E_n(x) for x > 0. The caller may know the fraction's factor e^-x exactly (li, whose x here is
// the rounded -ln of its argument, knows that the factor is its argument).
double EnOnPositiveAxis(std::int32_t n, double x, double eps, std::optional<double> exponential) {
    const double seriesBound = n < kEnLowOrderLimit ? kEnLowOrderSeriesBound : kEnSeriesBound;
    if (n < kEnFractionOnlyOrder && x < seriesBound) return EnPowerSeries(n, x, eps);
    return EnContinuedFraction(n, x, eps, exponential ? *exponential : CheckedExp(-x));
}

// Ei(x) = -E_1(-x) for x < 0, every error of E_1 worded as Ei's failure to converge.
double EiOnNegativeAxis(double x, double eps, std::optional<double> exponential) {
    try {
        return -EnOnPositiveAxis(1, -x, eps, exponential);
    } catch (const Exception&) {
        RaiseConvergeError(kEiNotConverged);
    }
}

// E_n(x) = -Ei(-x) for x < 0 and every order, Ei's errors worded as E_n's.
double EnOnNegativeAxis(double x, double eps) {
    try {
        return -ExpIntegralEi(-x, eps);
    } catch (const EFunctionError&) {
        RaiseFunctionError(kEnOverflow);
    } catch (const EConvergeError&) {
        RaiseFunctionError(kEnNotConverged);
    } catch (const Exception& e) {
        throw Exception(JoinMessage({kEnOtherErrorPrefix, e.Message()}), kDomainHelpContext);
    }
}

// Ei(x) for x > 0; every error but its own failure to converge is an overflow. Beyond 40 the
// asymptotic ratio is multiplied by e^x, which the caller may know exactly (li knows e^(ln x));
// otherwise e^x · ratio is taken, not exp(ln s + x)/x, whose rounded exponent cost up to 4e-14
// near x = 700.
// offset, when given, is x - u0 known better than x itself (li's ln(x / x0)).
double EiOnPositiveAxis(double x, double eps, std::optional<double> exponential, std::optional<double> offset) {
    try {
        if (CheckedLn(eps) > x) return kEulerGamma + CheckedLn(std::fabs(x));
        // x - u0 is exact for x within a factor 2 of u0 before its low part is taken off.
        if (offset || std::fabs(x - kEiZeroHigh) < kNearZeroReach) {
            return EiAboutItsZero(offset ? *offset : (x - kEiZeroHigh) - kEiZeroLow, eps);
        }
        if (x < kEiAsymptoticBound) return EiPowerSeries(x, eps);
        const double ratio = EiAsymptoticRatio(x, eps);
        return exponential ? CheckedMultiply(*exponential, ratio) : ScaledExp(x, ratio);
    } catch (const EConvergeError&) {
        throw;
    } catch (const Exception&) {
        RaiseFunctionError(kEiOverflow);
    }
}

}  // namespace

double ExpIntegralEi(double x, double eps) {
    if (x == 0.0) RaiseFunctionError(kEiDivergent);
    return x > 0.0 ? EiOnPositiveAxis(x, eps, std::nullopt, std::nullopt) : EiOnNegativeAxis(x, eps, std::nullopt);
}

double ExpIntegralEn(std::int32_t n, double x, double eps) {
    if (x == 0.0) {
        if (n == 1) RaiseFunctionError(kEnDivergent);
        return 1.0 / (static_cast<double>(n) - 1.0);
    }
    if (n == 0) return CheckedDivide(CheckedExp(-x), x);
    if (x < 0.0) return EnOnNegativeAxis(x, eps);
    return EnOnPositiveAxis(n, x, eps, std::nullopt);
}

double LogIntegral(double x, double eps) {
    if (x == 1.0) RaiseFunctionError(kLiAtOne);
    if (x < 0.0) RaiseFunctionError(kLiNegative);
    if (x == 0.0) return 0.0;
    // e^(ln x) is x itself: neither Ei's asymptotic series nor E_1's fraction then needs an
    // exponential of the rounded ln x, which would be off by up to 6e-14 relative for x far
    // from 1. ln x is not 0 here, as x is not 1.
    const double lnX = CheckedLn(x);
    // Near li's zero x0 the rounding of ln x would be most of li: ln x - u0 = ln(1 + (x - x0)/x0),
    // x - x0 exact before x0's low part is taken off.
    if (std::fabs(lnX - kEiZeroHigh) < kNearZeroReach) {
        const double offset = Log1p(((x - kLiZeroHigh) - kLiZeroLow) / kLiZeroHigh);
        return EiOnPositiveAxis(lnX, eps, x, offset);
    }
    return lnX > 0.0 ? EiOnPositiveAxis(lnX, eps, x, std::nullopt) : EiOnNegativeAxis(lnX, eps, x);
}

}  // namespace quorvex::special
