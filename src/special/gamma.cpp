// The gamma family.
#include "special/gamma.hpp"

#include "core/checked_float.hpp"
#include "core/double_double.hpp"
#include "core/double_double_exp_log.hpp"
#include "core/elementary_math.hpp"
#include "core/polynomial.hpp"
#include "core/power.hpp"
#include "special/messages.hpp"
#include "special/sine_pi.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <vector>

namespace quorvex::special {
namespace {

// Coefficients g0 .. g10 of the closed approximation of ln Gamma.
constexpr std::array<double, 11> kLogGammaTable = {0.12242597732687992, 0.8513708131650342, 2.2502304753561817,
                                                   2.0962955353895,     0.5021972270339209, 0.011240582657165408,
                                                   1.0000000000006553,  1.9999999996201023, 3.000000046726524,
                                                   3.999996630000751,   5.0003589884831925};
constexpr double kLogGammaShift = 6.0975075753906856;
constexpr double kLogGammaOffset = 0.005636065618975607;

// The asymptotic series of psi: -1/2, -1/12, 1/120, -1/252, 1/240, -5/660, 691/32760, -1/12.
constexpr std::array<std::int32_t, 8> kDigammaNumerators = {-1, -1, 1, -1, 1, -5, 691, -1};
constexpr std::array<std::int32_t, 8> kDigammaDenominators = {2, 12, 120, 252, 240, 660, 32760, 12};

// B_2j for j = 0 .. 10 (slot 0 holds 1/2 and is not used).
constexpr std::array<std::int32_t, 11> kBernoulliNumerators = {1, 1, -1, 1, -1, 5, -691, 7, -3617, 43867, -174611};
constexpr std::array<std::int32_t, 11> kBernoulliDenominators = {2, 6, 30, 42, 30, 66, 2730, 6, 510, 798, 330};
// |B_22| and ln 22!: the first term the psi^(n) series leaves out.
constexpr double kBernoulli22Magnitude = 854513.0 / 138.0;
constexpr double kLogFactorial22 = 48.471181351835227;
constexpr double kOmittedTermIndex = 22.0;
// A tolerance below 2^-64 asks for more than a double holds: it is taken as 2^-64, which keeps
// the shift short (tens of steps) and its rounding small.
constexpr double kLogFinestTolerance = -44.361419555836498;

// Coefficients B(2k) / (2k (2k - 1)) of Stirling's series for k = 1 .. 8, in powers 1/x^(2k-1)
// (A&S 6.1.41); from x = 10 on the first omitted term is below 2e-18.
constexpr std::array<double, 8> kStirlingCoefficients = {1.0 / 12.0,    -1.0 / 360.0,      1.0 / 1260.0,
                                                         -1.0 / 1680.0, 1.0 / 1188.0,      -691.0 / 360360.0,
                                                         1.0 / 156.0,   -3617.0 / 122400.0};
// From here on ln Gamma goes by Stirling's series; past the second value its first term is all a
// double holds of the correction; past the third Dekker's product would leave the doubles.
constexpr double kStirlingLimit = 10.0;
constexpr double kStirlingFirstTermOnly = 1e17;
constexpr double kSplitLimit = 1e290;
// ln Gamma(1/2) = ln(pi) / 2 in double-double.
constexpr DoubleDouble kHalfLogPiDoubleDouble = {0.5723649429247001, 5.132975581353913e-18};
// Up to here ln n! is the logarithm of the correctly rounded n!, past it Stirling's series.
constexpr std::int32_t kLargestFactorialOrder = 170;
// A polygamma sum ends once what it leaves out is below this fraction of what it holds.
constexpr double kPolygammaNegligible = 0x1p-60;

// Beyond this no double-precision result changes, and the upward shift must stay bounded for
// any tolerance a caller passes.
constexpr double kLargestShiftBound = 1e6;

double ShiftBound(double exponent) { return std::min(CheckedExp(exponent), kLargestShiftBound); }

// ln eps, checked (eps <= 0 raises as before), no finer than a double can use.
double LogTolerance(double eps) { return std::max(CheckedLn(eps), kLogFinestTolerance); }

// 1/Gamma(1 + z) = 1 + z Q(z) on -1/2 <= z <= 1: Q as a polynomial in z, the Chebyshev fit of
// degree 17 (mpmath chebyfit), within 1.9e-19 of Q. Q(0) = Euler's gamma, so z Q(z) keeps its
// relative digits next to z = 0, which ln Gamma needs near its zeros at 1 and 2.
constexpr std::array<double, 18> kReciprocalGammaTable = {
    5.7721566490153287e-01,  -6.5587807152025390e-01, -4.2002635034095195e-02, 1.6653861138229142e-01,
    -4.2197734555546498e-02, -9.6219715278743085e-03, 7.2189432467060395e-03,  -1.1651675919228510e-03,
    -2.1524167451624613e-04, 1.2805028314784856e-04,  -2.0134852990060787e-05, -1.2504981338042983e-06,
    1.1330245401008387e-06,  -2.0561971210504360e-07, 6.1109730663954764e-09,  4.9848536170741817e-09,
    -1.1634052822210534e-09, 1.0440526006919462e-10};

// ln Gamma goes through Q on [kLogGammaNearOneLow, kLogGammaNearTwoHigh], where its zeros at 1
// and 2 lie, and through the closed approximation elsewhere.
constexpr double kLogGammaNearOneLow = 0.5;
constexpr double kLogGammaNearTwoLow = 1.6;
constexpr double kLogGammaNearTwoHigh = 2.5;

// psi(x0 + d) = d P(d) for |d| <= kDigammaRootHalfWidth around the positive zero x0 of psi:
// x0 as hi + lo and P as a polynomial in d, constant term first, both from mpmath (Chebyshev
// interpolation of psi(x0 + d) / d, degree 16, converted to monomials; within 8.2e-19 relative
// of it, 3.7e-17 once rounded to doubles); tests/data/generate_digamma_root_fit.py.
constexpr DoubleDouble kDigammaRoot = {1.4616321449683622, 9.5499954299656970e-17};
constexpr double kDigammaRootHalfWidth = 0.25;
constexpr std::array<double, 17> kDigammaRootTable = {
    9.6767224544762120e-01, -4.4276316898359208e-01, 2.5849976095565097e-01, -1.6394270544244532e-01,
    1.0782405069128891e-01, -7.2199561247776961e-02, 4.8804288158206192e-02, -3.3161127345345397e-02,
    2.2597648827772654e-02, -1.5424719669211927e-02, 1.0538759984258197e-02, -7.2059239133406621e-03,
    4.9277320457820533e-03, -3.3461365316861395e-03, 2.2889357466539520e-03, -1.7881731629368614e-03,
    1.2233433006454324e-03};

// Up to here Gamma goes by the recurrence's exact factors (a few hundred products at most);
// past it Gamma overflows, and its reflection underflows below the smallest subnormal.
constexpr double kLargestProductArgument = 200.0;
// The running product is rescaled by 2^-512 whenever it passes 2^512, far below where
// Dekker's product would overflow (2^995).
constexpr double kRescaleBound = 0x1p512;
constexpr double kRescaleFactor = 0x1p-512;
constexpr int kRescaleExponent = 512;
constexpr double kSmallestDoubleDoubleDivisor = 0x1p-990;

// mantissa 2^exponent: Gamma of arguments whose value leaves the doubles.
struct ScaledValue {
    DoubleDouble mantissa;
    int exponent;
};

// Q(z) of kReciprocalGammaTable, for -1/2 <= z <= 1.
double ReciprocalGammaQ(double z) { return EvaluatePolynomial(kReciprocalGammaTable, z); }

// Gamma(1 + z) for 0 <= z <= 1 as 1 / (1 + z Q(z)), within 1e-16 relative.
DoubleDouble GammaOfOnePlus(double z) {
    const DoubleDouble reciprocal = Add(TwoProduct(z, ReciprocalGammaQ(z)), 1.0);
    return Divide({1.0, 0.0}, reciprocal);
}

// Gamma(y) for 1 <= y <= 200: (y - 1)(y - 2) ... (1 + z) Gamma(1 + z) (A&S 6.1.15) with
// z = y - floor(y). Each factor y - j is exact and the product runs in double-double, so
// integers come out correctly rounded and others within about one ulp.
ScaledValue GammaByRecurrence(double y) {
    ScaledValue result = {GammaOfOnePlus(y - std::floor(y)), 0};
    for (double factor = y - 1.0; factor >= 1.0; factor -= 1.0) {
        result.mantissa = Multiply(result.mantissa, factor);
        if (std::fabs(result.mantissa.hi) > kRescaleBound) {
            result.mantissa = {result.mantissa.hi * kRescaleFactor, result.mantissa.lo * kRescaleFactor};
            result.exponent += kRescaleExponent;
        }
    }
    return result;
}

// mantissa 2^exponent rounded to a double; overflow raises EOverflow.
double Unscale(const ScaledValue& v) {
    double result = Round(v.mantissa);
    for (int e = v.exponent; e > 0; e -= kRescaleExponent) result = CheckedMultiply(result, kRescaleBound);
    for (int e = v.exponent; e < 0; e += kRescaleExponent) result = result * kRescaleFactor;
    return result;
}

// Reflection for x < 0 (A&S 6.1.17): Gamma(x) = -pi / (x sin(pi x) Gamma(-x)), with -x exact
// (1 - x is not) and sin(pi x) of the exactly reduced argument. Past -200 the value underflows.
double ReflectedGamma(double x) {
    const double sine = SinPi(x);
    const double y = -x;
    if (y > kLargestProductArgument) return sine < 0.0 ? -0.0 : 0.0;
    // Gamma(1 + y) = y Gamma(y)
    ScaledValue mirror = y < 1.0 ? ScaledValue{GammaOfOnePlus(y), 0} : GammaByRecurrence(y);
    if (y >= 1.0) mirror.mantissa = Multiply(mirror.mantissa, y);
    const DoubleDouble denominator = Multiply(mirror.mantissa, sine);
    if (std::fabs(denominator.hi) < kSmallestDoubleDoubleDivisor) return CheckedDivide(kPi, Round(denominator));
    const DoubleDouble quotient = Divide(kPiDoubleDouble, denominator);
    return Unscale({quotient, -mirror.exponent});
}

// ln Gamma(x) for 1/2 <= x <= 5/2, within 5e-16 relative, zeros included. With z = x - 1 and
// w = x - 2 (both exact): ln Gamma(1 + z) = -ln(1 + z Q(z)), and, as Gamma(2 + w) =
// (1 + w) Gamma(1 + w), ln Gamma(2 + w) = ln(1 + w (1 - Q(w)) / (1 + w Q(w))), with 1 - Q(w) =
// (1 - q0) - w T(w) for Q(w) = q0 + w T(w), so that nothing cancels.
double LogGammaNearItsZeros(double x) {
    if (x < kLogGammaNearTwoLow) {
        const double z = x - 1.0;
        return 0.0 - Log1p(z * ReciprocalGammaQ(z));  // +0 at x = 1
    }
    const double w = x - 2.0;
    const double wTail = w * EvaluatePolynomial(std::span(kReciprocalGammaTable).subspan(1), w);
    const double oneMinusQ = (1.0 - kReciprocalGammaTable[0]) - wTail;
    const double q = kReciprocalGammaTable[0] + wTail;
    return Log1p(w * oneMinusQ / (1.0 + w * q));
}

// psi(x) for |x - x0| <= kDigammaRootHalfWidth as d P(d), within 3e-16 relative: x - hi is
// exact there (Sterbenz), so d = (x - hi) - lo keeps its digits where the shifted series
// cancels to an absolute 1e-16.
double DigammaNearItsRoot(double x) {
    const double d = (x - kDigammaRoot.hi) - kDigammaRoot.lo;
    return d * EvaluatePolynomial(kDigammaRootTable, d);
}

// ln Gamma(x) for x > 0 by the closed approximation, to a few units of 1e-16 of its largest term.
double LogGammaClosed(double x) {
    const auto& g = kLogGammaTable;
    Checked b = g[5] / (Checked(x) + g[10]) + g[4];
    for (int i = 3; i >= 0; --i) {
        const auto index = static_cast<std::size_t>(i);
        b = b / (Checked(x) + g[index + 6]) + g[index];
    }
    const Checked lead = (Checked(x) - 0.5) * CheckedLn(Checked(x) + kLogGammaShift);
    const Checked tail = CheckedLn(b / x + kLogGammaOffset);
    return double(lead - x + tail);
}

// ln n! in double-double: the logarithm of the correctly rounded n! while n! is a double,
// Stirling's series beyond.
DoubleDouble LogFactorialDoubleDouble(std::int32_t n) {
    if (n <= kLargestFactorialOrder) return LogDoubleDouble(Gamma(n + 1.0));
    return LogGammaDoubleDouble(n + 1.0);
}

// n! sum over k >= 0 of (z + k)^-(n+1) for n >= 1 and z > 0, that is |psi^(n)(z)| (A&S 6.4.10).
// The terms below the shift bound one by one, relative to the first, (z / (z + k))^(n+1) =
// e^-(n+1) ln(1 + k/z); then the asymptotic expansion (A&S 6.4.11) at w = z + m, relative to the
// first term as well: (z/n) (z/w)^n (1 + n/(2w) + sum_j B_2j n(n+1)...(n+2j-1) / ((2j)! w^2j)).
// The first term n! z^-(n+1) is one exponential with a double-double exponent, taken together
// with the sum: n! alone leaves the doubles from n = 171 on, z^(n+1) sooner, and the powers by
// repeated products were off by up to 4 units of the 15th digit at n = 100, while the value often
// is an ordinary double. The shift stops early where the terms fall fast (large n): what it leaves,
// below the integral (z/n) (z/(z+k))^n of the k-th term's decay, is then negligible.
double PolygammaSum(std::int32_t n, double z, double bound) {
    const double order = n;
    double sum = 0.0;
    double k = 0.0;
    for (; bound + 1.0 > z + k; k += 1.0) {
        const double growth = k == 0.0 ? 0.0 : Log1p(k / z);
        const double term = Exp(-(order + 1.0) * growth);
        sum += term;
        if (term * ((z + k) / order) < kPolygammaNegligible * sum) break;
    }
    if (!(bound + 1.0 > z + k)) {
        const double w = z + k;
        const double square = 1.0 / (w * w);
        double series = 0.0;
        double rising = 1.0;
        double power = 1.0;
        std::array<double, kBernoulliNumerators.size()> terms{};
        for (std::size_t j = 1; j < terms.size(); ++j) {
            const double twoJ = 2.0 * static_cast<double>(j);
            rising = rising * ((order + twoJ - 2.0) * (order + twoJ - 1.0)) / ((twoJ - 1.0) * twoJ);
            power *= square;
            terms[j] = static_cast<double>(kBernoulliNumerators[j]) / kBernoulliDenominators[j] * rising * power;
        }
        for (auto t = terms.rbegin(); t != terms.rend(); ++t) series += *t;
        series = 1.0 + (order / (2.0 * w) + series);
        const double decay = k == 0.0 ? 1.0 : Exp(-order * Log1p(k / z));
        sum += z / order * decay * series;
    }
    // The sum joins the exponent as 2^e m: ln m is small, so its rounding is; ln of the whole sum
    // rounded cost up to |ln sum| ulps (10 at n = 1, z = 2.7e7).
    int e = 0;
    const double mantissa = std::frexp(sum, &e);
    const DoubleDouble lead = Subtract(LogFactorialDoubleDouble(n), Multiply(LogDoubleDouble(z), order + 1.0));
    return ExpOfDoubleDouble(Add(Add(lead, Multiply(kLn2DoubleDouble, static_cast<double>(e))), Log(mantissa)));
}

}  // namespace

double LogGammaPositive(double x) {
    if (x >= kLogGammaNearOneLow && x <= kLogGammaNearTwoHigh) return LogGammaNearItsZeros(x);
    return LogGammaClosed(x);
}

double Gamma(double x) {
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kGammaPole);
    if (x < 0.0) return ReflectedGamma(x);
    if (x > kLargestProductArgument) return CheckedExp(LogGammaPositive(x));  // overflows
    if (x < 1.0) return CheckedDivide(Round(GammaOfOnePlus(x)), x);
    return Unscale(GammaByRecurrence(x));
}

double LogGamma(double x) {
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kLogGammaPole);
    if (x > 0.0) return LogGammaPositive(x);
    const double logSine = CheckedLn(SinPi(x));
    return double(Checked(CheckedLn(kPi)) - logSine - LogGammaPositive(CheckedSubtract(1.0, x)));
}

double Digamma(double x, double eps) {
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kDigammaPole);
    if (x < 0.0) {
        // psi(x) = psi(1 - x) - pi cot(pi x) (A&S 6.3.7), with 1 - x as hi + lo and psi(hi) by
        // this routine, near its positive zero by the fit: where the two terms cancel, next to
        // psi's negative zeros, the plain shifted series (60 ulps about 1.5) and the rounding of
        // 1 - x cost up to 5 units of the 15th digit of the terms. psi'(z) ~ 1/(z - 1/2) is close
        // enough for the low part's correction.
        const DoubleDouble z = TwoSum(1.0, -x);
        const Checked reflected = Checked(Digamma(z.hi, eps)) + z.lo / (z.hi - 0.5);
        return double(reflected - kPi * (Checked(CosPi(x)) / SinPi(x)));
    }
    Checked z = x;
    const double bound = ShiftBound(double((Checked(-LogTolerance(eps)) - CheckedLn(12.0)) / 14.0));
    // Any tolerance: the fit's error is below the absolute 1e-16 the series leaves at its best.
    if (std::fabs(x - kDigammaRoot.hi) <= kDigammaRootHalfWidth) return DigammaNearItsRoot(x);
    Checked s = 0.0;
    while (bound + 1.0 > z) {
        s -= 1.0 / z;
        z += 1.0;
    }
    // ln z - 1/(2z) - 1/(12 z^2) + 1/(120 z^4) - ... - 1/(12 z^14) (A&S 6.3.18), in powers of
    // 1/z^2, which underflow harmlessly for large z where powers of z^2 would overflow.
    s = s + CheckedLn(z) + -1.0 / (2.0 * z);
    const Checked w = 1.0 / z / z;
    Checked p = w;
    for (std::size_t k = 1; k < kDigammaNumerators.size(); ++k) {
        s += Checked(kDigammaNumerators[k]) / kDigammaDenominators[k] * p;
        p *= w;
    }
    return double(s);
}

DoubleDouble GammaDoubleDouble(double x) {
    if (x < 1.0) return Divide(GammaOfOnePlus(x), {x, 0.0});
    return GammaByRecurrence(x).mantissa;  // below 10! no rescaling happens
}

double StirlingCorrection(double x) {
    // Past 1e17 the first term is all a double holds (and x^2 may leave the doubles).
    if (x > kStirlingFirstTermOnly) return 1.0 / (12.0 * x);
    return EvaluatePolynomial(kStirlingCoefficients, 1.0 / (x * x)) / x;
}

double GammaOnePlusMinusOne(double a) {
    const double aq = a * ReciprocalGammaQ(a);  // 1 / Gamma(1 + a) - 1
    return -aq / (1.0 + aq);
}

DoubleDouble LogGammaDoubleDouble(double x) {
    // The half-integer and unit orders of the t and F distributions, exactly.
    if (x == 0.5) return kHalfLogPiDoubleDouble;
    if (x == 1.0 || x == 2.0) return {0.0, 0.0};
    // Gamma(x) = Gamma(1 + x) / x; an x below the normals has its reciprocal beyond them.
    if (x < 0.5) return Subtract(Log1pDoubleDouble({GammaOnePlusMinusOne(x), 0.0}), LogDoubleDouble(x));
    if (x < kStirlingLimit) return LogDoubleDouble(Gamma(x));
    // Past the split limit Dekker's product leaves the doubles; x ln x - x is then all there is.
    if (x > kSplitLimit) return {CheckedMultiply(x, Log(x) - 1.0), 0.0};
    const DoubleDouble lead = Multiply(LogDoubleDouble(x), TwoSum(x, -0.5));
    return Add(Add(Add(lead, -x), kHalfLogTwoPiDoubleDouble), StirlingCorrection(x));
}

double Polygamma(std::int32_t n, double x, double eps) {
    if (n == 0) return Digamma(x, eps);
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kPolygammaPole);
    const double z = x < 0.0 ? CheckedSubtract(1.0, x) : x;
    const double sigma = n % 2 != 0 ? -1.0 : 1.0;
    // The omitted term B_22 (n+21)! / ((n-1)! 22! z^(n+22)) falls below eps times the leading
    // (n-1)! / z^n once ln z passes (ln |B_22| - ln 22! + ln n + ... + ln(n+21) - ln eps) / 22.
    Checked exponent = Checked(CheckedLn(kBernoulli22Magnitude)) - (kLogFactorial22 + LogTolerance(eps));
    for (double k = n; k < n + kOmittedTermIndex; k += 1.0) exponent += CheckedLn(k);
    // Not capped as psi's is: the sum stops early where its terms fall fast, which for the large
    // orders that make the bound large takes a few hundred terms at most.
    const double bound = double(CheckedExp(exponent / kOmittedTermIndex));
    const double s = -sigma * PolygammaSum(n, z, bound);
    if (x < 0.0) {
        const double cotangent = CheckedDivide(CosPi(x), SinPi(x));
        const Checked reflection = Checked(Power(kPi, n + 1.0)) * CotDerivativeOfCotangent(n, cotangent);
        return double(sigma * (s - reflection));
    }
    return s;
}

double CotDerivative(std::int32_t n, double y) { return CotDerivativeOfCotangent(n, CheckedDivide(Cos(y), Sin(y))); }

double CotDerivativeOfCotangent(std::int32_t n, double q) {
    // coefficients[i] multiplies q^(m + 1 - 2i) in K_m; each step maps a q^k to k a (q^(k-1) + q^(k+1)).
    // K_m has (m + 1) / 2 + 1 of them, grown step by step: its leading one, m!, overflows past
    // m = 170, so a large order ends in EOverflow after a few short steps.
    std::vector<double> coefficients(1, 1.0);
    for (std::int32_t m = 0; m < n; ++m) {
        std::vector<double> next(static_cast<std::size_t>(m / 2) + 2, 0.0);
        for (std::size_t i = 0; i < coefficients.size(); ++i) {
            const double power = static_cast<double>(m) + 1.0 - 2.0 * static_cast<double>(i);
            if (power <= 0.0 || coefficients[i] == 0.0) continue;
            const Checked term = Checked(power) * coefficients[i];
            next[i] = double(next[i] + term);
            if (i + 1 < next.size()) next[i + 1] = double(next[i + 1] + term);
        }
        coefficients = std::move(next);
    }
    Checked sum = 0.0;
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        sum += Checked(coefficients[i]) * Power(q, n + 1.0 - 2.0 * static_cast<double>(i));
    }
    return double(sum);
}

}  // namespace quorvex::special
