// The gamma family.
#include "special/gamma.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"
#include "core/power.hpp"
#include "special/combinatorics.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace quorvex::special {
namespace {

constexpr std::u16string_view kGammaPole = u"ガンマ関数gammaが発散しました\r\n（z=0,-1,-2...で発散します）";
constexpr std::u16string_view kLogGammaPole = u"ガンマ関数の対数lgammaが発散しました\r\n（z=0,-1,-2...で発散します）";
constexpr std::u16string_view kDigammaPole = u"ディガンマ関数dgammaが発散しました\r\n（z=0,-1,-2...で発散します）";
constexpr std::u16string_view kPolygammaPole = u"ポリガンマ関数pgammaが発散しました\r\n（z=0,-1,-2...で発散します）";

// Coefficients g0 .. g10 of the closed approximation of ln Gamma.
constexpr std::array<double, 11> kLogGammaTable = {
    0.12242597732687992, 0.8513708131650342, 2.2502304753561817, 2.0962955353895,
    0.5021972270339209,  0.011240582657165408, 1.0000000000006553, 1.9999999996201023,
    3.000000046726524,   3.999996630000751,   5.0003589884831925};
constexpr double kLogGammaShift = 6.0975075753906856;
constexpr double kLogGammaOffset = 0.005636065618975607;

// The asymptotic series of psi: -1/2, -1/12, 1/120, -1/252, 1/240, -5/660, 691/32760, -1/12.
constexpr std::array<std::int32_t, 8> kDigammaNumerators = {-1, -1, 1, -1, 1, -5, 691, -1};
constexpr std::array<std::int32_t, 8> kDigammaDenominators = {2, 12, 120, 252, 240, 660, 32760, 12};

// B_2j for j = 0 .. 10 (slot 0 holds 1/2 and is not used).
constexpr std::array<std::int32_t, 11> kBernoulliNumerators = {1, 1, -1, 1, -1, 5, -691, 7, -3617, 43867, -174611};
constexpr std::array<std::int32_t, 11> kBernoulliDenominators = {2, 6, 30, 42, 30, 66, 2730, 6, 510, 798, 330};
constexpr double kBernoulli12Magnitude = 691.0 / 2730.0;

// Beyond this no double-precision result changes, and the upward shift must stay bounded for
// any tolerance a caller passes.
constexpr double kLargestShiftBound = 1e6;
// Above this ln Gamma(1 - x) the reflection's Gamma(1 - x) overflows: go through logarithms.
constexpr double kLargestLogOfDouble = 709.0;

double ShiftBound(double exponent) { return std::min(CheckedExp(exponent), kLargestShiftBound); }

// sin(pi x) with the argument reduced exactly first: pi x rounded loses the digits that
// matter next to an integer.
double SineOfPiTimes(double x) {
    const double nearest = std::nearbyint(x);
    const double sine = Sin(kPi * (x - nearest));
    return std::fmod(nearest, 2.0) == 0.0 ? sine : -sine;
}

// Reflection for x < 0: pi / (sin(pi x) Gamma(1 - x)).
double ReflectedGamma(double x) {
    const double sine = SineOfPiTimes(x);
    const double logOfMirror = LogGammaPositive(CheckedSubtract(1.0, x));
    if (logOfMirror < kLargestLogOfDouble) {
        return CheckedDivide(kPi, CheckedMultiply(sine, CheckedExp(logOfMirror)));
    }
    const double magnitude =
        CheckedExp(CheckedSubtract(CheckedSubtract(CheckedLn(kPi), CheckedLn(std::fabs(sine))), logOfMirror));
    return sine < 0.0 ? -magnitude : magnitude;
}

}  // namespace

double LogGammaPositive(double x) {
    const auto& g = kLogGammaTable;
    double b = CheckedAdd(CheckedDivide(g[5], CheckedAdd(x, g[10])), g[4]);
    for (int i = 3; i >= 0; --i) {
        const auto index = static_cast<std::size_t>(i);
        b = CheckedAdd(CheckedDivide(b, CheckedAdd(x, g[index + 6])), g[index]);
    }
    const double lead = CheckedMultiply(CheckedSubtract(x, 0.5), CheckedLn(CheckedAdd(x, kLogGammaShift)));
    const double tail = CheckedLn(CheckedAdd(CheckedDivide(b, x), kLogGammaOffset));
    return CheckedAdd(CheckedSubtract(lead, x), tail);
}

double Gamma(double x) {
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kGammaPole);
    if (x < 0.0) return ReflectedGamma(x);
    return CheckedExp(LogGammaPositive(x));
}

double LogGamma(double x) {
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kLogGammaPole);
    if (x > 0.0) return LogGammaPositive(x);
    const double logSine = CheckedLn(Sin(CheckedMultiply(kPi, x)));
    return CheckedSubtract(CheckedSubtract(CheckedLn(kPi), logSine), LogGammaPositive(CheckedSubtract(1.0, x)));
}

double Digamma(double x, double eps) {
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kDigammaPole);
    double z = x < 0.0 ? CheckedSubtract(1.0, x) : x;
    const double bound = ShiftBound(CheckedDivide(CheckedSubtract(-CheckedLn(eps), CheckedLn(12.0)), 14.0));
    double s = 0.0;
    while (bound + 1.0 > z) {
        s = CheckedSubtract(s, CheckedDivide(1.0, z));
        z = CheckedAdd(z, 1.0);
    }
    // ln z - 1/(2z) - 1/(12 z^2) + 1/(120 z^4) - ... - 1/(12 z^14)
    s = CheckedAdd(CheckedAdd(s, CheckedLn(z)), CheckedDivide(-1.0, CheckedMultiply(2.0, z)));
    const double w = CheckedMultiply(z, z);
    double p = w;
    for (std::size_t k = 1; k < kDigammaNumerators.size(); ++k) {
        s = CheckedAdd(s, CheckedDivide(kDigammaNumerators[k], CheckedMultiply(kDigammaDenominators[k], p)));
        p = CheckedMultiply(p, w);
    }
    if (x < 0.0) {
        const double angle = CheckedMultiply(kPi, x);
        s = CheckedSubtract(s, CheckedMultiply(kPi, CheckedDivide(Cos(angle), Sin(angle))));
    }
    return s;
}

double Polygamma(std::int32_t n, double x, double eps) {
    if (n == 0) return Digamma(x, eps);
    if (IsNonPositiveInteger(x)) RaiseFunctionError(kPolygammaPole);
    double z = x < 0.0 ? CheckedSubtract(1.0, x) : x;
    const double sigma = n % 2 != 0 ? -1.0 : 1.0;
    double product = 1.0;  // 13 * 14 * ... * (n + 11)
    for (std::int32_t k = 13; k <= n + 11; ++k) product = CheckedMultiply(product, k);
    const double exponent =
        CheckedAdd(CheckedSubtract(CheckedLn(kBernoulli12Magnitude), CheckedLn(eps)), CheckedLn(product));
    const double bound = ShiftBound(CheckedDivide(exponent, n + 12.0));
    const double nFactorial = IntFactorial(n);
    double s = 0.0;
    while (bound + 1.0 > z) {
        s = CheckedSubtract(s, CheckedDivide(CheckedMultiply(sigma, nFactorial), Power(z, n + 1.0)));
        z = CheckedAdd(z, 1.0);
    }
    const double u = -sigma;
    const double leading = CheckedAdd(CheckedDivide(IntFactorial(n - 1), Power(z, n)),
                                      CheckedDivide(nFactorial, CheckedMultiply(2.0, Power(z, n + 1.0))));
    s = CheckedAdd(s, CheckedMultiply(u, leading));
    double bigZ = Power(z, n + 2.0);
    const double w = CheckedMultiply(z, z);
    for (std::int32_t j = 1; j < static_cast<std::int32_t>(kBernoulliNumerators.size()); ++j) {
        const auto index = static_cast<std::size_t>(j);
        const double numerator =
            CheckedMultiply(CheckedMultiply(u, kBernoulliNumerators[index]), IntFactorial(n + 2 * j - 1));
        const double denominator =
            CheckedMultiply(CheckedMultiply(kBernoulliDenominators[index], IntFactorial(2 * j)), bigZ);
        s = CheckedAdd(s, CheckedDivide(numerator, denominator));
        bigZ = CheckedMultiply(bigZ, w);
    }
    if (x < 0.0) {
        const double reflection = CheckedMultiply(Power(kPi, n + 1.0), CotDerivative(n, CheckedMultiply(kPi, x)));
        return CheckedMultiply(sigma, CheckedSubtract(s, reflection));
    }
    return s;
}

double CotDerivative(std::int32_t n, double y) {
    // coefficients[i] multiplies q^(m + 1 - 2i) in K_m; each step maps a q^k to k a (q^(k-1) + q^(k+1)).
    std::vector<double> coefficients(static_cast<std::size_t>((std::max(n, 0) + 1) / 2 + 1), 0.0);
    coefficients[0] = 1.0;
    for (std::int32_t m = 0; m < n; ++m) {
        std::vector<double> next(coefficients.size(), 0.0);
        for (std::size_t i = 0; i < coefficients.size(); ++i) {
            const double power = m + 1 - 2 * static_cast<std::int32_t>(i);
            if (power <= 0.0 || coefficients[i] == 0.0) continue;
            const double term = CheckedMultiply(power, coefficients[i]);
            next[i] = CheckedAdd(next[i], term);
            if (i + 1 < next.size()) next[i + 1] = CheckedAdd(next[i + 1], term);
        }
        coefficients = std::move(next);
    }
    const double q = CheckedDivide(Cos(y), Sin(y));
    double sum = 0.0;
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        sum = CheckedAdd(sum, CheckedMultiply(coefficients[i], Power(q, n + 1.0 - 2.0 * static_cast<double>(i))));
    }
    return sum;
}

}  // namespace quorvex::special
