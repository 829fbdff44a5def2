// The beta family and the chi-square distribution.
#include "special/beta.hpp"

#include "core/checked_float.hpp"
#include "core/double_double_exp_log.hpp"
#include "core/elementary_math.hpp"
#include "special/error_function.hpp"
#include "special/gamma.hpp"
#include "special/incomplete_gamma.hpp"
#include "special/iteration.hpp"
#include "special/messages.hpp"
#include "special/power_terms.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace quorvex::special {
namespace {

bool IsOutsideUnitInterval(double x) { return x < 0.0 || x > 1.0; }

DoubleDouble Exact(double v) { return {v, 0.0}; }

// The continued fraction 1/(1 + d1/(1 + d2/(1 + ...))) of I_x(a, b) in the modified Lentz form:
// d(2m) = m (b - m) x / ((a + 2m - 1)(a + 2m)), d(2m+1) = -(a + m)(a + b + m) x / ((a + 2m)(a + 2m + 1)),
// an even and an odd step per iteration, stopping on the odd one.
// The start 1 - (a + b) x / (a + 1) is ((a + 1) - (a + b) x) / (a + 1) with the numerator in
// double-double: near the mean it is 1 / (a + 1) from two terms of the size of a, and in doubles
// it lost a^2 ulps (3e4 units of the 15th digit at ibeta(88.7, 9.1e6, 9.8e-6)).
double BetaFraction(double a, double b, double x, double eps) {
    // The plain form once, for its faults (a + b past the doubles) as ever.
    static_cast<void>(1.0 - (Checked(a) + b) * x / (Checked(a) + 1.0));
    const DoubleDouble numerator = Subtract(TwoSum(a, 1.0), Times(TwoSum(a, b), x));
    double start = Round(numerator) / (a + 1.0);
    // The start is compared with eps itself, not with the zero test.
    if (eps > std::fabs(start)) start = kTinyValue;
    start = CheckedDivide(1.0, start);
    LentzState state{start, 1.0, start};
    IterateToTolerance(eps, kRegularizedNoConvergence, 1, [&](int m) {
        const double twoM = 2.0 * m;
        const double even = double(m * (Checked(b) - m) * x / ((Checked(a) + (twoM - 1.0)) * (Checked(a) + twoM)));
        LentzStep(state, even, 1.0, TinyGuard::kZeroTest);
        const Checked numerator = -((Checked(a) + m) * (Checked(a) + b + m) * x);
        const double odd = double(numerator / ((Checked(a) + twoM) * (Checked(a) + (twoM + 1.0))));
        return LentzStep(state, odd, 1.0, TinyGuard::kZeroTest);
    });
    return state.h;
}

// The expansion about the mean serves where both parameters exceed this and lambda is at most
// kMeanExpansionWidth times the smaller: there the fraction needs of the order of sqrt(a)
// steps, past the cap from about a = b = 1e7 on.
constexpr double kMeanExpansionFrom = 100.0;
constexpr double kMeanExpansionWidth = 0.03;
constexpr int kMeanExpansionTerms = 20;
constexpr double kMeanExpansionTolerance = 1e-17;
constexpr double kTwoOverSqrtPi = 1.1283791670955126;      // 2 / sqrt(pi)
constexpr double kInverseSqrtEight = 0.35355339059327378;  // 2^(-3/2)

// I_x(a, b) for a, b > 100 and 0 <= lambda = a - (a + b) x small, by DiDonato and Morris's
// asymptotic expansion (1992, section 6; TOMS 708 basym, after Temme 1982):
//   I_x(a, b) = (2 / sqrt(pi)) e^(-f) e^(-(S(a) + S(b) - S(a + b))) sum ...,
// f = a phi(-lambda / a) + b phi(lambda / b), phi(t) = t - ln(1 + t), the leading term
// erfc(sqrt f) / 2, the rest in powers of 1 / sqrt(min(a, b) (1 + h)), h the ratio of the
// parameters. f in double-double from lambda in double-double.
double MeanExpansion(double a, double b, DoubleDouble lambda) {
    const bool aSmaller = a < b;
    const double h = aSmaller ? a / b : b / a;
    const double r0 = 1.0 / (1.0 + h);
    const double r1 = (b - a) / (aSmaller ? b : a);
    const double w0 = 1.0 / CheckedSqrt((aSmaller ? a : b) * (1.0 + h));
    const DoubleDouble fromA = Add(Times(Log1pDoubleDouble(Over(Negate(lambda), Exact(a))), a), lambda);
    const DoubleDouble fromB = Subtract(Times(Log1pDoubleDouble(Over(lambda, Exact(b))), b), lambda);
    const DoubleDouble f = Negate(Add(fromA, fromB));
    const double u =
        ExpOfDoubleDouble(Exact(-(StirlingCorrection(a) + StirlingCorrection(b) - StirlingCorrection(a + b))));
    const double t = ExpOfDoubleDouble(Negate(f));
    if (t == 0.0) return 0.0;  // below the normals
    const DoubleDouble z0 = f.hi > 0.0 ? SquareRoot(f) : Exact(0.0);
    const double z = 0.5 * (z0.hi / kInverseSqrtEight);
    const double z2 = f.hi + f.hi;
    std::array<double, kMeanExpansionTerms + 1> a0{};
    std::array<double, kMeanExpansionTerms + 1> b0{};
    std::array<double, kMeanExpansionTerms + 1> c{};
    std::array<double, kMeanExpansionTerms + 1> d{};
    a0[0] = (2.0 / 3.0) * r1;
    c[0] = -0.5 * a0[0];
    d[0] = -c[0];
    // j0 = erfc(z0) e^(f) / (2 e0), scaled by e^f so that t j0 is erfc(z0) / (2 e0) again.
    double j0 = 0.5 / kTwoOverSqrtPi * ErfcOfSum(z0.hi, z0.lo) / t;
    double j1 = kInverseSqrtEight;
    double sum = j0 + d[0] * w0 * j1;
    double s = 1.0;
    const double h2 = h * h;
    double hn = 1.0;
    double w = w0;
    double znm1 = z;
    double zn = z2;
    for (int n = 2; n <= kMeanExpansionTerms; n += 2) {
        const auto un = static_cast<std::size_t>(n);
        hn *= h2;
        a0[un - 1] = 2.0 * r0 * (1.0 + h * hn) / (n + 2.0);
        s += hn;
        a0[un] = 2.0 * r1 * s / (n + 3.0);
        for (std::size_t i = un; i <= un + 1; ++i) {
            const double r = -0.5 * (static_cast<double>(i) + 1.0);
            b0[0] = r * a0[0];
            for (std::size_t m = 2; m <= i; ++m) {
                double bsum = 0.0;
                for (std::size_t j = 1; j < m; ++j) {
                    bsum += (static_cast<double>(j) * r - static_cast<double>(m - j)) * a0[j - 1] * b0[m - j - 1];
                }
                b0[m - 1] = r * a0[m - 1] + bsum / static_cast<double>(m);
            }
            c[i - 1] = b0[i - 1] / (static_cast<double>(i) + 1.0);
            double dsum = 0.0;
            for (std::size_t j = 1; j < i; ++j) dsum += d[i - j - 1] * c[j - 1];
            d[i - 1] = -(dsum + c[i - 1]);
        }
        j0 = kInverseSqrtEight * znm1 + (n - 1.0) * j0;
        j1 = kInverseSqrtEight * zn + n * j1;
        znm1 *= z2;
        zn *= z2;
        w *= w0;
        const double t0 = d[un - 1] * w * j0;
        w *= w0;
        const double t1 = d[un] * w * j1;
        sum += t0 + t1;
        if (std::fabs(t0) + std::fabs(t1) <= kMeanExpansionTolerance * sum) break;
    }
    return kTwoOverSqrtPi * t * u * sum;
}

// I_x(a, b) / (x^a y^b / B(a, b)) for a, b > 1 and x at most the mean, by DiDonato and Morris's
// continued fraction (1992, section 4; TOMS 708 bfrac) in lambda = a - (a + b) x >= 0, taken in
// double-double: the fraction in x alone starts from 1 - (a + b) x / (a + 1), which near the mean
// cancels to 1 / (a + 1) and lost up to 67 units of the 15th digit at F(0.99, 94738, 1163).
// Evaluated forwards, each convergent scaled to keep the recurrences in range; the measure is the
// relative change of the convergent.
double MeanFraction(double a, double b, double x, double y, double lambda, double eps) {
    const double c = 1.0 + lambda;
    const double c0 = b / a;
    const double c1 = 1.0 + 1.0 / a;
    const double yPlusOne = y + 1.0;
    double p = 1.0;
    double s = a + 1.0;
    double an = 0.0;
    double bn = 1.0;
    double anp1 = 1.0;
    double bnp1 = c / c1;
    double r = c1 / c;
    IterateToTolerance(eps, kRegularizedNoConvergence, 1, RelativeMeasure{}, [&](int n) {
        double t = n / a;
        const double w = n * (b - n) * x;
        double e = a / s;
        const double alpha = p * (p + c0) * e * e * (w * x);
        e = (1.0 + t) / (c1 + t + t);
        const double beta = n + w / s + e * (c + n * yPlusOne);
        p = 1.0 + t;
        s += 2.0;
        t = alpha * an + beta * anp1;
        an = anp1;
        anp1 = t;
        t = alpha * bn + beta * bnp1;
        bn = bnp1;
        bnp1 = t;
        const double previous = r;
        r = CheckedDivide(anp1, bnp1);
        an /= bnp1;
        bn /= bnp1;
        anp1 = r;
        bnp1 = 1.0;
        return (r - previous) / r;
    });
    return r;
}

// The large-parameter expansion serves from this a on (after the shift below), for b up to
// kExpansionLargestB and x from kExpansionSmallestX on; it takes at most kExpansionTerms terms.
constexpr double kExpansionSmallestA = 15.0;
constexpr double kExpansionLargestB = 40.0;
constexpr double kExpansionSmallestX = 0.7;
constexpr int kExpansionTerms = 30;
// The expansion's terms fall fast: it runs on to where they no longer show in a double, whatever
// coarser eps was asked (stopped at 1e-15 it left 2 units of the 15th digit at t(-1.687, 5208)).
constexpr double kExpansionTolerance = 1e-17;
// Far beyond a, b may be larger: b - 1 steps of the recurrence below, at most kExpansionLargestSteps.
constexpr double kExpansionWideRatio = 100.0;
constexpr double kExpansionLargestSteps = 1000.0;
constexpr int kRefreshSteps = 16;
// How far a small a is raised before the expansion.
constexpr double kExpansionShift = 20.0;

// I_x(a, b) for a >= 15, 0 < b <= 1 and x near 1 by DiDonato and Morris's expansion in
// incomplete gamma functions (TOMS 708, bgrat; Temme's for large a with b fixed): with
// T = a + (b - 1)/2 and z = -T ln x,
//   I_x(a, b) = Gamma(a + b) / (Gamma(a) T^b) r sum d_n J_n,  r = z^b e^-z / Gamma(b),
// J_0 = Q(b, z) / r and J_n, d_n by their recurrences (1992, section 5). Nothing if it does not
// converge within kExpansionTerms terms. The continued fraction there depends on x as steeply as
// x^a does and kept 1e-10 (t(-4.857, 5053691)).
std::optional<double> LargeAExpansion(double a, double b, DoubleDouble x, DoubleDouble y, double eps) {
    const DoubleDouble logX = x.hi > 0.5 ? Log1pDoubleDouble(Negate(y)) : LogDoubleDouble(x);
    const DoubleDouble t = Add(TwoSum(a, -0.5), b / 2.0);
    const DoubleDouble exactZ = Times(t, Negate(logX));
    const double z = exactZ.hi;
    if (!(z > 0.0)) return std::nullopt;
    const double r = ExpOfDoubleDouble(LogGammaPowerTerm(b, z));
    if (r == 0.0) return 0.0;  // Q(b, z) and with it the whole below the subnormals
    // Q(b, z) in closed form for the bases of the t and F distributions, b = 1/2 and 1.
    double q = 0.0;
    if (b == 1.0) {
        q = Exp(-z);
    } else if (b == 0.5) {
        const DoubleDouble root = SquareRoot({z, 0.0});
        q = ErfcOfSum(root.hi, root.lo);
    } else {
        q = RegularizedUpperGamma(b, z, kDefaultTolerance);
    }
    const double v = 0.25 / (t.hi * t.hi);
    const double halfLogSquare = 0.25 * logX.hi * logX.hi;
    std::array<double, kExpansionTerms> c{};
    std::array<double, kExpansionTerms> d{};
    double j = q / r;
    double sum = j;
    double power = 1.0;       // (ln x / 2)^(2(n - 1))
    double reciprocal = 1.0;  // 1 / (2n + 1)!
    bool converged = false;
    for (int n = 1; n <= kExpansionTerms && !converged; ++n) {
        const double shifted = b + 2.0 * (n - 1);
        j = (shifted * (shifted + 1.0) * j + (z + shifted + 1.0) * power) * v;
        power *= halfLogSquare;
        reciprocal /= (2.0 * n) * (2.0 * n + 1.0);
        const auto index = static_cast<std::size_t>(n - 1);
        c[index] = reciprocal;
        double convolution = 0.0;
        for (int i = 1; i < n; ++i) {
            convolution += (i * b - n) * c[static_cast<std::size_t>(i - 1)] * d[static_cast<std::size_t>(n - i - 1)];
        }
        d[index] = (b - 1.0) * reciprocal + convolution / n;
        const double term = d[index] * j;
        sum += term;
        if (!(sum > 0.0)) return std::nullopt;
        converged = std::fabs(term) < std::min(eps, kExpansionTolerance) * sum;
    }
    if (!converged) return std::nullopt;
    // Gamma(a + b) / (Gamma(a) T^b) = Gamma(b) / (B(a, b) T^b)
    const DoubleDouble logScale =
        Subtract(Subtract(LogGammaDoubleDouble(b), LogBeta(a, b)), Times(LogDoubleDouble(t), b));
    const double scale = ExpOfDoubleDouble(logScale);
    // z's low part through dQ/dz = -r / z, the leading term's slope.
    return CheckedMultiply(scale, r * sum - r / z * exactZ.lo);
}

// I_x(a, b) for b < kExpansionLargestB and x >= kExpansionSmallestX below the mean: b brought
// into (0, 1] by I_x(a, b + 1) = I_x(a, b) + x^a y^b / (b B(a, b)) and a small a raised by
// I_x(a, b) = I_x(a + 1, b) + x^a y^b / (a B(a, b)) (DLMF 8.17.20, 8.17.21; TOMS 708 bup), all
// added terms positive, then the expansion above. Nothing where that does not converge.
std::optional<double> ShiftedLargeAExpansion(double a, double b, DoubleDouble x, DoubleDouble y, double eps) {
    double base = b - std::floor(b);
    if (base == 0.0) base = 1.0;
    const int bSteps = static_cast<int>(b - base);
    // x^a y^base / B(a, base), which both recurrences start from.
    const double basePower = BetaPowerTerm(a, base, x, y);
    Checked added = 0.0;
    double term = 0.0;
    for (int k = 0; k < bSteps; ++k) {
        // Taken afresh every kRefreshSteps steps, so that the recurrence's roundings do not pile up.
        if (k % kRefreshSteps == 0)
            term = CheckedDivide(k == 0 ? basePower : BetaPowerTerm(a, base + k, x, y), base + k);
        added += term;
        term = term * y.hi * (a + base + k) / (base + k + 1.0);
    }
    double raised = a;
    if (a < kExpansionSmallestA) {
        double term = CheckedDivide(basePower, a);
        for (int k = 0; k < static_cast<int>(kExpansionShift); ++k) {
            added += term;
            term = term * x.hi * (a + base + k) / (a + k + 1.0);
        }
        raised = a + kExpansionShift;
    }
    const std::optional<double> expansion = LargeAExpansion(raised, base, x, y, eps);
    if (!expansion) return std::nullopt;
    return double(*expansion + added);
}

// Whether I_x(a, b) near x = 1 suits the expansion: b within the steps of the recurrence.
bool SuitsExpansion(double a, double b) {
    return b < kExpansionLargestB || (b < kExpansionLargestSteps && a >= kExpansionWideRatio * b);
}

// I_x(a, b) = x^a / (a B(a, b)) (1 + a sum over n >= 1 of (1 - b)(2 - b)...(n - b) x^n / (n! (a + n)))
// (DLMF 8.17.7 expanded; TOMS 708 bpser) for a, b <= 1 and x < 0.7: the terms are positive and
// fall at least as x^n. 1 - I_(1-x)(b, a) lost all digits where b is tiny (1e-9).
double PowerSeries(double a, double b, DoubleDouble x, double eps) {
    double coefficient = 1.0;  // (1 - b)_n x^n / n!
    double sum = 0.0;
    IterateToTolerance(eps, kRegularizedNoConvergence, 1, RelativeMeasure{}, [&](int n) {
        coefficient = coefficient * (n - b) / n * x.hi;
        const double term = coefficient / (a + n);
        sum += term;
        return a * term / (1.0 + a * sum);
    });
    const double lead = ExpOfDoubleDouble(Subtract(Times(LogDoubleDouble(x), a), LogBeta(a, b))) / a;
    return CheckedMultiply(lead, 1.0 + a * sum);
}

// I_x(a, b) below the swap bound: x^a y^b / (a B(a, b)) times the fraction, the power term
// through its double-double logarithm (DiDonato and Morris's brcomp, which it replaces, formed it
// from ln(1 + (x - x0) / x0); the exponent in doubles put 1e5 units on t(-4.857, 5053691)).
double LowerTail(double a, double b, DoubleDouble x, DoubleDouble y, double eps) {
    // The fraction sees x only in doubles, and near x = 1 with a large it depends on x as steeply
    // as x^a does: there the power term is taken at the same x, so that the two agree. Elsewhere
    // the power term takes x as given (a rounded ratio p / (p + q) put a ulps on it: 29 units of
    // the 15th digit at t(-43.55, 1216)).
    const bool nearOne = x.hi >= kExpansionSmallestX;
    const DoubleDouble seen = nearOne ? DoubleDouble{x.hi, 0.0} : x;
    const DoubleDouble seenComplement = nearOne ? TwoSum(1.0, -x.hi) : y;
    const double fraction = BetaFraction(a, b, x.hi, eps);
    return double(Checked(BetaPowerTerm(a, b, seen, seenComplement)) / a * fraction);
}

}  // namespace

double Beta(double a, double b) {
    if (a <= 0.0) RaiseFunctionError(kBetaNonPositiveA);
    if (b <= 0.0) RaiseFunctionError(kBetaNonPositiveB);
    return ExpOfDoubleDouble(LogBeta(a, b));
}

double IncompleteBetaRegularized(double a, double b, double x, double eps) {
    if (IsOutsideUnitInterval(x)) {
        if (a <= 0.0) RaiseFunctionError(kRegularizedNonPositiveA);
        if (b <= 0.0) RaiseFunctionError(kRegularizedNonPositiveB);
        RaiseFunctionError(kRegularizedOutsideUnit);
    }
    return IncompleteBetaRegularized(a, b, {x, 0.0}, TwoSum(1.0, -x), eps);
}

double IncompleteBetaRegularized(double a, double b, DoubleDouble x, DoubleDouble y, double eps) {
    if (a <= 0.0) RaiseFunctionError(kRegularizedNonPositiveA);
    if (b <= 0.0) RaiseFunctionError(kRegularizedNonPositiveB);
    if (IsOutsideUnitInterval(x.hi) || IsOutsideUnitInterval(y.hi)) RaiseFunctionError(kRegularizedOutsideUnit);
    // The limits at the end points, where the power term would take the logarithm of 0.
    if (x.hi == 0.0) return 0.0;
    if (y.hi == 0.0) return 1.0;
    // Near x = 1 with b below 40 (or far below a), the expansion in incomplete gamma functions,
    // which gives I_x(a, b) itself whatever its size; near x = 0 above the mean with a so, the
    // same for I_(1-x)(b, a), which there is the smaller side.
    const bool belowMean = x.hi * (a + b) <= a;
    if (eps > 0.0 && x.hi >= kExpansionSmallestX && SuitsExpansion(a, b)) {
        const std::optional<double> value = ShiftedLargeAExpansion(a, b, x, y, eps);
        if (value) return *value;
    }
    if (eps > 0.0 && !belowMean && y.hi >= kExpansionSmallestX && SuitsExpansion(b, a)) {
        const std::optional<double> value = ShiftedLargeAExpansion(b, a, y, x, eps);
        if (value) return CheckedSubtract(1.0, *value);
    }
    // Both parameters at most 1 below x = 0.7: the power series, all of whose terms are positive.
    if (std::fmax(a, b) <= 1.0) return PowerSeries(a, b, x, eps);
    const double p = belowMean ? a : b;
    const double q = belowMean ? b : a;
    const DoubleDouble xs = belowMean ? x : y;
    const DoubleDouble ys = belowMean ? y : x;
    if (a > 1.0 && b > 1.0) {
        const DoubleDouble lambda = Subtract(Exact(p), Times(TwoSum(p, q), xs));
        if (std::fmin(p, q) > kMeanExpansionFrom && lambda.hi <= kMeanExpansionWidth * std::fmin(p, q)) {
            RequireReachableTolerance(eps, kRegularizedNoConvergence);
            const double tail = MeanExpansion(p, q, lambda);
            return belowMean ? tail : CheckedSubtract(1.0, tail);
        }
        const double fraction = MeanFraction(p, q, xs.hi, ys.hi, Round(lambda), eps);
        const double tail = CheckedMultiply(BetaPowerTerm(p, q, xs, ys), fraction);
        return belowMean ? tail : CheckedSubtract(1.0, tail);
    }
    // Beyond the bound the fraction converges slowly: I_x(a, b) = 1 - I_(1-x)(b, a).
    const Checked sum = Checked(a) + b + 2.0;
    const bool swapped = x.hi > (Checked(a) + 1.0) / sum || x.hi > 1.0 - (Checked(b) + 1.0) / sum;
    if (swapped) return CheckedSubtract(1.0, LowerTail(b, a, y, x, eps));
    return LowerTail(a, b, x, y, eps);
}

double IncompleteBeta(double a, double b, double x, double eps) {
    if (a <= 0.0) RaiseFunctionError(kIncompleteNonPositiveA);
    if (b <= 0.0) RaiseFunctionError(kIncompleteNonPositiveB);
    if (IsOutsideUnitInterval(x)) RaiseFunctionError(kIncompleteOutsideUnit);
    const double regularized = IncompleteBetaRegularized(a, b, x, eps);
    return CheckedMultiply(regularized, Beta(a, b));
}

double ChiSquareCdf(double x, double k, double eps) {
    if (k <= 0.0) RaiseFunctionError(kChiSquareNonPositiveK);
    if (x < 0.0) RaiseFunctionError(kChiSquareNegativeX);
    return RegularizedLowerGamma(CheckedDivide(k, 2.0), CheckedDivide(x, 2.0), eps);
}

}  // namespace quorvex::special
