// The zeta family: Hasse's alternating binomial series for Riemann zeta with a short direct sum
// where that already reaches the tolerance (its Taylor series about 0, the functional equation
// for s < 0), Euler-Maclaurin summation for Hurwitz zeta, and the polylogarithm by its power
// series (in double-double for s <= 0), the accelerated alternating series, the duplication
// formula or its series in ln x.
#include "special/zeta.hpp"

#include "core/checked_float.hpp"
#include "core/double_double.hpp"
#include "core/double_double_exp_log.hpp"
#include "core/elementary_math.hpp"
#include "core/errors.hpp"
#include "core/polynomial.hpp"
#include "core/power.hpp"
#include "special/gamma.hpp"
#include "special/iteration.hpp"
#include "special/messages.hpp"
#include "special/sine_pi.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <string_view>
#include <vector>

namespace quorvex::special {
namespace {

constexpr double kLn2 = std::numbers::ln2;
// The direct sum runs while L = -ln(eps) / u is below this: at most e^3 + 5 terms.
constexpr double kDirectSumLimit = 3.0;
constexpr double kDirectSumExtraTerms = 5.0;
// Gamma overflows past this argument.
constexpr double kLargestGammaArgument = 171.0;
// For s <= 0 the polylogarithm is summed in powers of ln x from x = 1/4 on and from x = -1/2
// down; nearer 0 by the Euler transform where that is quick and accurate (|x| < 1/4, s down to
// kLargestExactDifferenceOrder, x > 0 or s whole), else by its power series in double-double
// (fewer than 300 terms).
constexpr double kLogarithmicSeriesLimit = 0.9;
constexpr double kEulerTransformLimit = 0.25;
// Down to this s the Euler transform's differences cancel little (whole s: they are exact).
constexpr double kLargestExactDifferenceOrder = -12.0;
// The largest relative rounding error of one operation.
constexpr double kUnitRoundoff = 0x1p-53;
// A value whose bound on rounding errors passes this fraction of it has lost half its digits.
constexpr double kUntrustedFraction = 0x1p-26;
// A double-double power series ends once its terms fall below this fraction of the sum; the
// rounding of its terms and additions is at most the second times the sum of their magnitudes.
constexpr double kDoubleDoubleSumFraction = 0x1p-60;
constexpr double kDoubleDoubleRounding = 0x1p-92;
// From this s down the polylogarithm goes by Jonquiere's formula (unless its power series serves
// near 0): its branches' terms fall as m^(s-1), below 2^-60 of the first within a few; it takes at
// most the second value of them.
constexpr double kJonquiereOrder = -10.0;
constexpr int kJonquiereBranches = 64;
// The series of the polylogarithm in ln x converges from here (e^-5, |ln x| + pi i within 2 pi).
constexpr double kSmallestLogarithmicArgument = 0.0068;
// Past this logarithm x^s overflows: x^-s is below the smallest normal double.
constexpr double kLogOfLargestDouble = 709.0;
// Hurwitz zeta sums its first terms directly; from a + 10 on, each Euler-Maclaurin correction is
// smaller than the one before by about ((s + 2j) / (2 pi (a + 10)))^2.
constexpr int kHurwitzDirectTerms = 10;
// Hurwitz zeta's powers x^-s take the accurate path while |s ln x| stays below this: x^-s and
// every partial power are then normal doubles below 2^990, which double-double products split
// without overflow; beyond it NegativePower keeps its errors.
constexpr double kAccuratePowerLimit = 680.0;
// zeta(s) = sum of c_k s^k for |s| <= 1/128, k = 0 .. 8 (mpmath); the next term is below 1e-19.
// The series about 1 and the reflection leave a unit of the 15th digit next to -1/2.
constexpr double kTaylorAtZeroReach = 1.0 / 128.0;
constexpr std::array<double, 9> kTaylorAtZero = {-0.5,
                                                 -0.9189385332046728,
                                                 -1.0031782279542925,
                                                 -1.0007851944770425,
                                                 -0.9998792995005712,
                                                 -1.0000019408963206,
                                                 -1.000001301146014,
                                                 -0.9999998313841736,
                                                 -1.000000005764676};
// Past this |x| the polylogarithm of s > 0 goes by the accelerated alternating series (x < 0) or
// the duplication formula (x > 0).
constexpr double kDuplicationLimit = 0.5;
// The duplication formula applies at most 64 times (ln x doubles from -2^-53 to past -ln 2): the
// last power series is summed to this share of the tolerance.
constexpr double kDuplicationToleranceShare = 1.0 / 64.0;
// 3 + sqrt 8 and its logarithm: each term of the accelerated series divides its error by it.
constexpr double kAccelerationBase = 5.8284271247461901;
constexpr double kLogAccelerationBase = 1.7627471740390861;
// The accelerated series sums to this fraction of its first term (24 terms): a double holds the
// value as well as it can, whatever the tolerance.
constexpr double kFinestAcceleratedTolerance = 0x1p-60;
// From here on 2^e leaves the doubles.
constexpr double kPowerOfTwoLimit = 1024.0;

// s = -2, -4, ...: the trivial zeros.
bool IsTrivialZero(double s) { return s < 0.0 && s == std::trunc(s) && std::fmod(-std::trunc(s), 2.0) == 0.0; }

// x^-s for x >= 1 and s > 0. Power takes an integral s by repeated multiplication and then the
// reciprocal, so x^s would overflow although x^-s is merely tiny; where x^s would pass the
// largest double, x^-s is taken as exp(-s ln x), which underflows instead.
double NegativePower(double x, double s) {
    if (CheckedMultiply(s, CheckedLn(x)) < kLogOfLargestDouble) return Power(x, -s);
    return CheckedExp(CheckedMultiply(-s, CheckedLn(x)));
}

// x^-s for |s ln x| below kAccuratePowerLimit, s > 0, within about one unit in the last place:
// exp(-s ln x) with s ln x rounded would be off by up to |s ln x| units (31 units of the 15th
// digit for s of a few hundred). s = n + f: x^-n by square-and-multiply in double-double,
// exact for n = s; x^-f as e^hi (1 + lo) with hi + lo = -f ln x in double-double.
double AccurateNegativePower(double x, double s) {
    const double n = std::trunc(s);
    const DoubleDouble exponent = Multiply(LogDoubleDouble(x), -(s - n));
    const double head = Exp(exponent.hi);
    DoubleDouble r = FastTwoSum(head, head * exponent.lo);
    DoubleDouble base = Divide(DoubleDouble{1.0, 0.0}, DoubleDouble{x, 0.0});
    // n < 2^63 as |n ln x| < 700 and |ln x| >= 2^-53 for x != 1.
    for (auto bits = static_cast<std::uint64_t>(n); bits != 0; bits >>= 1) {
        if ((bits & 1) != 0) r = Multiply(r, base);
        if (bits > 1) base = Multiply(base, base);
    }
    return Round(r);
}

// x^-s for x > 0 and s > 1, accurately where the power is a normal double.
double HurwitzPower(double x, double s) {
    if (x != 1.0 && std::fabs(CheckedMultiply(s, CheckedLn(x))) < kAccuratePowerLimit) {
        return AccurateNegativePower(x, s);
    }
    return NegativePower(x, s);
}

// 1 + 2^-u + ... + (n - 1)^-u with n = trunc(e^L) + 5: the tail is below eps when L < 3.
double DirectZetaSum(double u, double bigL) {
    const double n = std::trunc(CheckedExp(bigL)) + kDirectSumExtraTerms;
    Checked r = 1.0;
    for (double i = 2.0; i < n; i += 1.0) r += NegativePower(i, u);
    return double(r);
}

// The alternating binomial sums S(m) = sum over k = 0 .. m of (-1)^k C(m, k) f(k) for
// m = 0, 1, 2, ... in turn, at linear cost each: row m of Pascal's triangle comes from row
// m - 1 by additions (exact integers while below 2^53, through row 56), and each f(k) is
// evaluated once.
template <typename F>
class AlternatingBinomialSums {
public:
    explicit AlternatingBinomialSums(F f) : f_(f) {
        binomials_.reserve(kExpectedRows);
        values_.reserve(kExpectedRows);
    }

    // S(m) for the next m, from 0 on. Rows past 1023 overflow (EOverflow).
    double Next() {
        magnitude_ = 0.0;
        const int m = static_cast<int>(binomials_.size());
        binomials_.push_back(1.0);
        for (int k = m - 1; k > 0; --k) binomials_[k] += binomials_[k - 1];
        // The middle of a row is its largest entry: were any addition to overflow, it would.
        CheckResult(binomials_[m / 2], 1.0);
        values_.push_back(f_(m));
        Checked sum = 0.0;
        for (int k = 0; k <= m; ++k) {
            const Checked term = Checked(binomials_[k]) * values_[k];
            sum = k % 2 == 0 ? sum + term : sum - term;
            magnitude_ += std::fabs(double(term));
        }
        return double(sum);
    }

    // A bound on the rounding error of the last sum: m + 1 roundings, each at most the unit
    // roundoff 2^-53 of the sum of the terms' magnitudes.
    double RoundingBound() const { return static_cast<double>(binomials_.size()) * kUnitRoundoff * magnitude_; }

private:
    // Enough for the default tolerance; more rows grow the storage.
    static constexpr std::size_t kExpectedRows = 64;
    F f_;
    double magnitude_ = 0.0;
    std::vector<double> binomials_;
    std::vector<double> values_;
};

// The sums of (k + 1)^-s, whose negatives are the polylogarithm's differences.
auto PolylogDifferences(double s) {
    return AlternatingBinomialSums([s](int k) { return Power(k + 1.0, -s); });
}

// 2^e within about one ulp, for |e| < 1024: 2^n 2^f with n = floor(e) and f = e - n exact,
// 2^f = e^(f ln 2) from f ln 2 in double-double. (e^(e ln 2) with the product rounded is off by
// up to |e ln 2| ulps: 10 units of the 15th digit of eta at -131.)
double PowerOfTwo(double e) {
    const double n = std::floor(e);
    const DoubleDouble exponent = Multiply(kLn2DoubleDouble, e - n);
    const double head = Exp(exponent.hi);
    return std::ldexp(head + head * exponent.lo, static_cast<int>(n));
}

// 1 - 2^e. Near e = 0 as -expm1(e ln 2): the plain difference keeps only the digits of 2^e that
// differ from 1, and this factor is the pole of zeta at 1. From |e| = 1 on the difference loses
// at most one bit; past the double range the expm1 form overflows as before.
double OneMinusPowerOfTwo(double e) {
    if (std::fabs(e) <= 1.0 || std::fabs(e) >= kPowerOfTwoLimit) return -Expm1(CheckedMultiply(e, kLn2));
    return 1.0 - PowerOfTwo(e);
}

// Hasse: zeta(u) = 1 / (1 - 2^(1-u)) sum over m of 2^-(m+1) sum over k of (-1)^k C(m, k) (k+1)^-u;
// each term relative to the running sum decides the stop. oneMinusU is 1 - u exactly: for a
// reflected s it is s itself, which 1 - u would no longer hold once u = 1 - s is rounded.
double HasseZetaSeries(double u, double oneMinusU, double eps) {
    const Checked d = OneMinusPowerOfTwo(oneMinusU);
    AlternatingBinomialSums sums([u](int k) { return Power(CheckedDivide(1.0, k + 1.0), u); });
    Checked r = Checked(sums.Next()) * 0.5 / d;
    IterateToTolerance(eps, kZetaNoConvergence, 1, RelativeMeasure{}, [&](int m) {
        const Checked sum = sums.Next();
        const Checked t = sum * Power(0.5, m + 1.0) / d;
        r += t;
        return double(t / r);
    });
    return double(r);
}

// 2^e, or 0 below the subnormals; e <= 1 here.
double PowerOfTwoOrZero(double e) { return e < -kPowerOfTwoLimit ? 0.0 : PowerOfTwo(e); }

// The functional equation zeta(s) = 2 (2 pi)^(-u) sin(pi s / 2) Gamma(u) zeta(u), u = 1 - s.
// The sine takes s / 2 exactly: a rounded pi s would be off by up to an ulp of pi s, a few
// hundred units of the 15th digit where the sine is small. (2 pi)^-u is e^(-u ln 2 pi) from a
// double-double exponent: the rounded 2 pi, or a rounded exponent, cost u ulps (24 units of the
// 15th digit at s = -170). Past the range of Gamma, (2 pi)^-u Gamma(u) is one exponential of
// Stirling's form in double-double (its plain logarithms were 170 units off at s = -232.6), with
// the rest of the product taken into the exponent so that only the value itself can overflow:
// zeta(s) stays finite down to s = -259 or so.
double ReflectZeta(double zetaOfU, double s, double u) {
    const double scale = double(Checked(zetaOfU) * 2.0 * SinPi(s / 2.0));
    if (u <= kLargestGammaArgument) {
        return double(Checked(scale) * ExpOfDoubleDouble(Multiply(kLogTwoPiDoubleDouble, -u)) * Gamma(u));
    }
    const DoubleDouble exponent = Subtract(LogGammaDoubleDouble(u), Multiply(kLogTwoPiDoubleDouble, u));
    return std::copysign(ExpOfDoubleDouble(Add(exponent, CheckedLn(std::fabs(scale)))), scale);
}

// The Euler transform: the sum over i of w^(i+1) PolylogDifference(s, i), w = -x / (1 - x).
// For s = 0, -1, -2, ... it ends after 1 - s terms; otherwise it runs until the tolerance is
// met or out of reach.
double EulerTransformedPolylog(double s, double x, double eps) {
    const double w = CheckedDivide(-x, CheckedSubtract(1.0, x));
    // From x = 1/2 on |w| >= 1 and the transform diverges: its terms grow until they overflow,
    // after up to a thousand rounds of growing cost (just above 1/2 the cap comes first). It
    // ends at once, with the overflow.
    if (std::fabs(w) >= 1.0) RaiseOverflow();
    auto differences = PolylogDifferences(s);
    double r = 0.0;
    double roundingBound = 0.0;  // of r, from the differences' cancellation
    double termBound = 0.0;      // of the last term
    const auto step = [&](int i) {
        const double power = Power(w, i + 1.0);
        const double t = double(Checked(power) * -differences.Next());
        r = double(r + Checked(t));
        termBound = std::fabs(power) * differences.RoundingBound();
        roundingBound += termBound;
        return t;
    };
    const bool finite = s <= 0.0 && s == std::trunc(s);
    const double terms = finite ? 1.0 - std::trunc(s) : kIterationCap;
    if (terms >= kIterationCap) {
        IterateToTolerance(eps, kPolylogNoConvergence, 0, AbsoluteMeasure{r}, [&](int i) {
            const double t = step(i);
            // For s far below 0 the differences of growing powers cancel by many orders. A value
            // that rounding may have left wrong in half its digits is not given: once the terms
            // are rounding noise or no longer change it, it will not get better.
            const double size = std::fabs(r);
            const bool noise = std::fabs(t) <= termBound || std::fabs(t) <= kLastPlaceFraction * size;
            if (noise && roundingBound > kUntrustedFraction * size) RaiseConvergeError(kPolylogNoConvergence);
            return t;
        });
    } else {
        for (int i = 0; i < static_cast<int>(terms); ++i) {
            if (eps > std::fabs(step(i))) break;
        }
    }
    return r;
}

// Li_s(x) = sum over k >= 1 of x^k k^-s for s <= 0 and 0 < |x| < 1/2, each term e^(k ln|x| -
// s ln k) and the sum in double-double. For x < 0 the terms alternate and grow before they fall
// (to 0.7 for Li_-3.9(-0.21) = 0.062): a double sum, or the Euler transform's binomial differences
// of growing powers, kept only the absolute digits (9 ulps there). The terms fall below 2^-60 of
// the sum within a few hundred rounds unless the value overflows first. Where the terms cancel
// by more than double-double holds (far below s = -30 for x < 0), no value: nullopt.
std::optional<double> DoubleDoublePowerSeriesPolylog(double s, double x) {
    const DoubleDouble logSize = LogDoubleDouble(std::fabs(x));
    const double peak = -s / -logSize.hi;  // where the terms stop growing
    DoubleDouble sum = {0.0, 0.0};
    double magnitudes = 0.0;  // the sum of |term|, which bounds the terms' rounding
    for (int k = 1; k < kIterationCap; ++k) {
        const DoubleDouble exponent = Subtract(Multiply(logSize, k), Multiply(LogDoubleDouble(k), s));
        DoubleDouble term = ExpToDoubleDouble(exponent);
        if (std::isinf(term.hi)) RaiseOverflow();  // a term past the doubles: so is the value
        magnitudes += term.hi;
        if (x < 0.0 && k % 2 != 0) term = Negate(term);
        sum = Add(sum, term);
        if (k > peak && std::fabs(term.hi) <= kDoubleDoubleSumFraction * std::fabs(sum.hi)) {
            if (kDoubleDoubleRounding * magnitudes > kNegligibleFraction * std::fabs(sum.hi)) return std::nullopt;
            return Round(sum);
        }
    }
    return std::nullopt;
}

// Li_s(x) for s <= kJonquiereOrder and 0 < |x| < 1 by Jonquiere's formula (DLMF 25.12.12 summed
// over the branches): Li_s(e^mu) = Gamma(1 - s) sum over j of (2 pi i j - mu)^(s - 1), mu = ln|x|
// (+ i pi for x < 0). Conjugate branches pair into 2 |w|^(s-1) cos((s - 1) arg w) with
// w = -ln|x| + i b, b = 2 pi m (x > 0, beside the real w = -ln x) or (2m - 1) pi (x < 0); the
// pairs fall as m^(s-1), so a few serve. Each magnitude is one exponential of ln Gamma(1 - s) +
// (s - 1) ln|w| and each phase is in double-double: rounded, they cost |s - 1| ulps. The series
// in ln x, whose zeta(s - k) leave the doubles from s - k = -260 on, raised an overflow here
// where the value is an ordinary double (Li_-100(-0.5) = 6.06e105).
double JonquierePolylog(double s, double x) {
    const DoubleDouble a = Negate(LogDoubleDouble(std::fabs(x)));
    const double order = s - 1.0;
    const DoubleDouble logGamma = LogGammaDoubleDouble(1.0 - s);
    const int first = x > 0.0 ? 0 : 1;
    double sum = 0.0;
    for (int m = first; m < kJonquiereBranches; ++m) {
        const DoubleDouble b = Multiply(kPiDoubleDouble, x > 0.0 ? 2.0 * m : 2.0 * m - 1.0);
        const DoubleDouble logModulus = Multiply(LogDoubleDouble(Add(Multiply(a, a), Multiply(b, b))), 0.5);
        const double magnitude = ExpOfDoubleDouble(Add(logGamma, Multiply(logModulus, order)));
        if (m == 0) {
            sum = magnitude;
            continue;
        }
        const DoubleDouble phase = Multiply(AtanOfRatioDoubleDouble(b, a), order);
        sum += 2.0 * magnitude * (Cos(phase.hi) - Sin(phase.hi) * phase.lo);
        if (m > first && magnitude <= kDoubleDoubleSumFraction * std::fabs(sum)) return sum;
    }
    RaiseConvergeError(kPolylogNoConvergence);
}

// Li_s(x) = Gamma(1-s) (-mu)^(s-1) + sum over k >= 0 of zeta(s-k) mu^k / k! with mu = ln x, the
// principal logarithm (ln|x| + i pi for x < 0), converging like (|mu| / 2 pi)^k. Its real part
// in polar form: mu = rho e^(i theta), -mu = rho e^(i (theta - pi)). For s <= 0 no two terms are
// large and opposite, unlike the binomial differences of the Euler transform.
double LogarithmicPolylog(double s, double x, double eps) {
    const double logSize = CheckedLn(std::fabs(x));
    const double imaginary = x < 0.0 ? kPi : 0.0;
    const double rho = Hypot(logSize, imaginary);
    const double theta = Atan2(imaginary, logSize);
    const double exponent = CheckedSubtract(s, 1.0);
    // rho^(s-1) from a double-double exponent: a rounded one cost 4 units of the 15th digit at
    // s = -4.4, x = 0.9999997. For x > 0, theta - pi is 0.
    const double power = ExpOfDoubleDouble(Multiply(LogDoubleDouble(rho), exponent));
    const double cosine = x > 0.0 ? 1.0 : Cos(CheckedMultiply(exponent, theta - kPi));
    double r = double(Checked(Gamma(CheckedSubtract(1.0, s))) * power * cosine);
    double scaled = 1.0;  // rho^k / k!
    // |zeta(s - k)| grows about as (k - s) / (2 pi) per step, so the terms grow while
    // (k - s) rho > 2 pi (k + 1): a small term before that says nothing (Li_-170(-0.5) stopped at
    // its second term, with half its value).
    const double peak = (-s * rho - kTwoPi) / (kTwoPi - rho);
    IterateToTolerance(eps, kPolylogNoConvergence, 0, RelativeMeasure{}, [&](int k) {
        if (k > 0) scaled = double(Checked(scaled) * rho / k);
        const double zeta = RiemannZeta(CheckedSubtract(s, k));
        r = double(r + Checked(zeta) * scaled * Cos(k * theta));
        // A trivial zero of zeta says nothing about the terms still to come.
        if (zeta == 0.0 || k < peak) return std::numeric_limits<double>::infinity();
        return double(Checked(zeta) * scaled) / std::fmax(1.0, std::fabs(r));
    });
    return r;
}

// Li_s(x) = sum over i >= 1 of x^i / i^s, for s > 0 and |x| <= 1/2, where the terms stop
// counting within 60 rounds whatever the tolerance. i^-s underflows where i^s would overflow: Li_2000(0.3) is 0.3, not
// an overflow.
double PowerSeriesPolylog(double s, double x, double eps) {
    double r = x;
    IterateToTolerance(eps, kPolylogNoConvergence, 2, AbsoluteMeasure{r}, [&](int i) {
        const double t = double(Checked(Power(x, i)) * NegativePower(i, s));
        r = double(r + Checked(t));
        return t;
    });
    return r;
}

// Li_s(-t) for s > 0 and 0 < t <= 1: minus the alternating sum of a_k = t^(k+1) / (k+1)^s, a
// moment sequence (the product of those of t and of the weight (-ln u)^(s-1) / Gamma(s)), summed
// by the first algorithm of Cohen, Rodriguez Villegas and Zagier ("Convergence acceleration of
// alternating series", Experimental Mathematics 9, 2000): n terms leave less than
// 2 a_0 / (3 + sqrt 8)^n, whatever t. Where t nears 1 the Euler transform's binomial differences
// cancel (1e-13 relative for small s); here every term is a positive multiple of a_k.
double AcceleratedPolylog(double s, double t) {
    // As many terms as the finest tolerance a double can use asks for (the value is at least
    // a_0 / 2): any tolerance is met, and a coarse one's fewer terms left 5e-16 of Li_2000(-0.9).
    const int n = std::max(
        1, static_cast<int>(std::ceil(CheckedLn(2.0 * t / kFinestAcceleratedTolerance) / kLogAccelerationBase)));
    double d = Power(kAccelerationBase, n);
    d = (d + 1.0 / d) / 2.0;
    double b = -1.0;
    double c = -d;
    double sum = 0.0;
    double power = t;
    for (int k = 0; k < n; ++k) {
        c = b - c;
        sum += c * (power * NegativePower(k + 1.0, s));
        b = (k + n) * (k - n) * b / ((k + 0.5) * (k + 1.0));
        power *= t;
    }
    return -(sum / d);
}

// Li_s(x) for s > 0 and 1/2 < x < 1 by the duplication formula Li_s(x) = 2^(1-s) Li_s(x^2) -
// Li_s(-x) (the even terms of Li_s(x) + Li_s(-x)), applied until x^(2^k)
// is at most 1/2: Li_s(x) = sum over k of 2^(k(1-s)) |Li_s(-x^(2^k))| + 2^(K(1-s)) Li_s(x^(2^K)).
// Every part is positive, so nothing cancels, and x^(2^k) = e^(2^k ln x) doubles ln x exactly: a
// squared x would lose the digits of 1 - x. Near 1 the power series needs thousands of terms and
// the Euler transform diverges (an overflow was raised for values such as Li_3(0.9946) = 1.19).
double DuplicatedPolylog(double s, double x, double eps) {
    const double logX = CheckedLn(x);
    const double share = eps * kDuplicationToleranceShare;
    Checked sum = 0.0;
    double exponent = logX;
    double argument = x;
    int k = 0;
    for (; argument > kDuplicationLimit; ++k) {
        const double scale = k == 0 ? 1.0 : PowerOfTwoOrZero(k * (1.0 - s));
        sum -= scale * Checked(AcceleratedPolylog(s, argument));
        exponent *= 2.0;
        argument = Exp(exponent);
    }
    return double(sum + Checked(PowerOfTwoOrZero(k * (1.0 - s))) * PowerSeriesPolylog(s, argument, share));
}

}  // namespace

double RiemannZeta(double s, double eps) {
    if (s == 1.0) RaiseFunctionError(kZetaPole);
    if (s == 0.0) return -0.5;
    if (IsTrivialZero(s)) return 0.0;
    RequireReachableTolerance(eps, kZetaNoConvergence);
    if (std::fabs(s) <= kTaylorAtZeroReach) return EvaluatePolynomial(kTaylorAtZero, s);
    const double u = s < 0.0 ? CheckedSubtract(1.0, s) : s;
    const double oneMinusU = s < 0.0 ? s : CheckedSubtract(1.0, s);
    const double bigL = CheckedDivide(-CheckedLn(eps), u);
    const double zetaOfU = bigL < kDirectSumLimit ? DirectZetaSum(u, bigL) : HasseZetaSeries(u, oneMinusU, eps);
    return s < 0.0 ? ReflectZeta(zetaOfU, s, u) : zetaOfU;
}

double DirichletEta(double s, double eps) {
    if (s == 1.0) return kLn2;
    const double factor = OneMinusPowerOfTwo(CheckedSubtract(1.0, s));
    return CheckedMultiply(factor, RiemannZeta(s, eps));
}

double HurwitzZeta(double s, double a, double eps) {
    if (a == 1.0) return RiemannZeta(s, eps);
    if (a <= 0.0) RaiseFunctionError(kHurwitzShiftNotPositive);
    if (s <= 1.0) RaiseFunctionError(kHurwitzOrderAtMostOne);
    Checked r = 0.0;
    for (int k = 0; k < kHurwitzDirectTerms; ++k) r += HurwitzPower(CheckedAdd(a, k), s);
    const Checked z = Checked(a) + kHurwitzDirectTerms;
    const Checked tail = HurwitzPower(double(z), CheckedSubtract(s, 1.0));
    r += tail / (Checked(s) - 1.0);
    r += tail / z / 2.0;
    // B_2j / (2j)! s (s+1) ... (s+2j-2) z^(1-s-2j) = (-1)^(j+1) 2 zeta(2j) (s)_(2j-1) z^(1-s) / (2 pi z)^(2j)
    const Checked circle = kTwoPi * z;
    Checked g = Checked(2.0) * s * tail / circle / circle;
    // Past its smallest term the expansion only diverges: the tolerance is then out of reach.
    IterateToTolerance(eps, kHurwitzNoConvergence, 1, AsymptoticMeasure{}, [&](int j) {
        const Checked t = g * RiemannZeta(2.0 * j);
        r += t;
        // Where every term has underflowed the value is 0, and so is what is left to add.
        const double relative = t == 0.0 ? 0.0 : double(t / r);
        if (eps > std::fabs(relative)) return relative;
        const Checked rising = (Checked(s) + (2.0 * j - 1.0)) * (Checked(s) + 2.0 * j);
        g = -g * rising / circle / circle;
        return relative;
    });
    return double(r);
}

double Polylog(double s, double x, double eps) {
    if (std::fabs(x) > 1.0) RaiseFunctionError(kPolylogOutsideDisc);
    if (x == 1.0) return RiemannZeta(s, eps);
    if (x == -1.0) return -DirichletEta(s, eps);
    RequireReachableTolerance(eps, kPolylogNoConvergence);
    if (s <= 0.0 && s > kJonquiereOrder && (x >= kEulerTransformLimit || x <= -kLogarithmicSeriesLimit)) {
        return LogarithmicPolylog(s, x, eps);
    }
    if (s > 0.0 && x < -kDuplicationLimit) return AcceleratedPolylog(s, -x);
    if (s > 0.0 && x > kDuplicationLimit) return DuplicatedPolylog(s, x, eps);
    if (s > 0.0) return PowerSeriesPolylog(s, x, eps);
    if (x == 0.0) return x;
    if (s <= kJonquiereOrder) {
        if (std::fabs(x) < kEulerTransformLimit) {
            if (const auto value = DoubleDoublePowerSeriesPolylog(s, x)) return *value;
        }
        return JonquierePolylog(s, x);
    }
    // Where the Euler transform's differences are exact integers (s a small whole number) or do
    // not alternate against w's powers (x > 0), it is quick and accurate near 0.
    const bool whole = s == std::trunc(s);
    if (std::fabs(x) < kEulerTransformLimit && s >= kLargestExactDifferenceOrder && (whole || x > 0.0)) {
        return EulerTransformedPolylog(s, x, eps);
    }
    if (const auto value = DoubleDoublePowerSeriesPolylog(s, x)) return *value;
    // The series in ln x converges while |ln x| < 2 pi.
    if (std::fabs(x) > kSmallestLogarithmicArgument) return LogarithmicPolylog(s, x, eps);
    RaiseConvergeError(kPolylogNoConvergence);
}

double PolylogDifference(double s, std::int32_t n) {
    auto differences = PolylogDifferences(s);
    double sum = differences.Next();
    for (std::int32_t m = 1; m <= n; ++m) sum = differences.Next();
    return -sum;
}

}  // namespace quorvex::special
