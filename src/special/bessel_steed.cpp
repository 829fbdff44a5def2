// Steed's method for J_nu(x) and Y_nu(x), nu >= 0 (Numerical Recipes 6.7, bessjy), its recurrences
// with exact orders, J's scaled by powers of two and Y's in double-double (within 1.2 units of the
// 15th digit against mpmath for 2 <= x <= 45),
// with Temme's series below x = 2 (Temme 1976) and, for J at orders far above x, its ascending
// series in double-double. Plain arithmetic and the library's own functions only, so that every
// platform rounds alike.
#include "special/bessel_steed.hpp"

#include "core/checked_float.hpp"
#include "core/double_double.hpp"
#include "core/elementary_math.hpp"
#include "core/errors.hpp"
#include "special/bessel_hankel.hpp"
#include "special/conventions.hpp"
#include "special/gamma.hpp"
#include "special/iteration.hpp"

#include <array>
#include <cmath>
#include <limits>

namespace quorvex::special {
namespace {

constexpr double kTwoOverPi = 0.6366197723675814;
// The continued fractions and Temme's series run to the rounding of a double.
constexpr double kMachineEpsilon = std::numeric_limits<double>::epsilon();
// The square root of the smallest normal double, 2^-511: the guard of the continued fractions
// and the scale the downward recurrence starts from. A power of two, so scaling by it is exact.
constexpr double kSteedTiny = 0x1p-511;
// Below this CF2 converges slowly and Temme's series gives Y_mu instead.
constexpr double kTemmeLimit = 2.0;
// J's downward recurrence grows towards low orders: past 2^600 it is scaled down by 2^-600 (exactly)
// and the scale kept aside, so that a J too small for a double underflows instead of overflowing.
constexpr double kRescaleAbove = 0x1p600;
constexpr double kRescaleFactor = 0x1p-600;
constexpr int kRescaleExponent = 600;
// The double-double series stops far below the rounding of its result.
constexpr double kSeriesTolerance = 0x1p-70;
// Beyond 2x + 2000 |Y_nu(x)| exceeds e^(0.45 nu) and overflows even times the smallest
// sin(nu pi) of a non-integer double; the recurrence would run through every order to say so.
constexpr double kOverflowOrderMargin = 2000.0;

// Taylor coefficients of 1/Gamma(z) = sum of c_k z^k (Abramowitz and Stegun 6.1.34): c_2, c_4, ..., c_26
// and c_1, c_3, ..., c_25, for Temme's Gamma_1 and Gamma_2 without cancellation.
constexpr std::array<double, 13> kReciprocalGammaEven = {
    0.57721566490153286,     -0.042002635034095236,   -0.042197734555544337,  0.0072189432466630995,
    -0.00021524167411495097, -2.0134854780788239e-05, 1.1330272319816959e-06, 6.1160951044814158e-09,
    -1.1812745704870201e-09, 7.7822634399050713e-12,  5.1003702874544760e-13, -5.3481225394230180e-15,
    -1.1812593016974588e-16};
constexpr std::array<double, 13> kReciprocalGammaOdd = {
    1.0000000000000000,     -0.65587807152025388,   0.16653861138229149,     -0.0096219715278769736,
    -0.0011651675918590651, 0.00012805028238811619, -1.2504934821426707e-06, -2.0563384169776071e-07,
    5.0020076444692229e-09, 1.0434267116911005e-10, -3.6968056186422057e-12, -2.0583260535665068e-14,
    1.2267786282382608e-15};

// Temme's Gamma_1(mu) = (1/Gamma(1 - mu) - 1/Gamma(1 + mu)) / (2 mu) and
// Gamma_2(mu) = (1/Gamma(1 - mu) + 1/Gamma(1 + mu)) / 2 from the Taylor series of 1/Gamma.
double EvenSeriesInSquare(const std::array<double, 13>& coefficients, double square) {
    double sum = 0.0;
    for (auto c = coefficients.rbegin(); c != coefficients.rend(); ++c) sum = sum * square + *c;
    return sum;
}

// Past this many factors the leading term is first estimated by logarithms; below this exponent
// it underflows whatever the product's rounding.
constexpr double kLongestLeadingProduct = 2000.0;
constexpr double kLeadingTermUnderflowExponent = -800.0;

// 1/Gamma(1 + mu) = c_1 + c_2 mu + ... + c_26 mu^25 for |mu| <= 1/2, in double-double.
DoubleDouble ReciprocalGammaOfOnePlus(double mu) {
    DoubleDouble sum{0.0, 0.0};
    for (std::size_t k = kReciprocalGammaOdd.size(); k-- > 0;) {
        sum = Add(Multiply(sum, mu), kReciprocalGammaEven[k]);
        sum = Add(Multiply(sum, mu), kReciprocalGammaOdd[k]);
    }
    return sum;
}

// (x/2)^nu / Gamma(nu + 1) in double-double: (x/2)^mu / Gamma(1 + mu) at the nearest mu = nu - n
// within 1/2, times the n factors (x/2) / (mu + k), each mu + k exact. Past k = x the factors are
// below 1/2, so however large n is the product underflows to 0 within about x + 1100 of them.
DoubleDouble SeriesLeadingTerm(double half, double nu) {
    const double n = std::round(nu);
    const double mu = nu - n;
    // With x/2 itself gone to 0, or a huge order whose power underflows far before the product
    // would know it (the factors exceed 1 up to k = x/2), the term is 0: the loop would otherwise
    // run for as many steps as the order (2^31 of them for bessely(4.9e-324, -2147483648.5)).
    if (half == 0.0) return {0.0, 0.0};
    if (n > kLongestLeadingProduct &&
        nu * Log(half) - LogGammaDoubleDouble(nu + 1.0).hi < kLeadingTermUnderflowExponent) {
        return {0.0, 0.0};
    }
    DoubleDouble product = ReciprocalGammaOfOnePlus(mu);
    if (mu != 0.0) product = Multiply(product, Exp(mu * Log(half)));
    for (double k = 1.0; k <= n && product.hi != 0.0; k += 1.0) {
        product = Multiply(product, Divide(DoubleDouble{half, 0.0}, DoubleDouble{mu + k, 0.0}));
    }
    return product;
}

}  // namespace

// The terms are measured against the sum and run to eps, and at least far below the rounding
// of the result: unlike exp(nu ln(x/2) - ln Gamma(nu + 1)), no large exponent is rounded.
double SeriesBesselJ(double x, double nu, double eps, std::u16string_view message) {
    RequireReachableTolerance(eps, message);
    const double half = x / 2.0;
    const DoubleDouble lead = SeriesLeadingTerm(half, nu);
    if (lead.hi == 0.0) return 0.0;
    const DoubleDouble minusQuarterSquare = Negate(TwoProduct(half, half));
    DoubleDouble term{1.0, 0.0};
    DoubleDouble sum{1.0, 0.0};
    IterateToTolerance(std::fmin(eps, kSeriesTolerance), message, 1, [&](int i) {
        const double k = i;
        term = Divide(Multiply(term, minusQuarterSquare), Multiply(TwoSum(nu, k), k));
        sum = Add(sum, term);
        return term.hi / sum.hi;
    });
    return Round(Multiply(lead, sum));
}

namespace {

// What Steed's method leaves at mu = nu - steps: J_nu, and Y_mu, Y_(mu+1) for the recurrence up.
struct SteedValues {
    double j;
    double mu;
    int steps;
    OrderPair y;
};

// The number of orders the recurrences run through: down to mu within 1/2 of 0 below x = 2
// (Temme's series), else to mu near x, where CF2 converges quickly.
int RecurrenceSteps(double x, double nu) {
    // Half up, as the series wants mu in [-1/2, 1/2); lround would move the count at nu just below 1/2.
    if (x < kTemmeLimit) return static_cast<int>(nu + 0.5);  // NOLINT(bugprone-incorrect-roundings)
    return static_cast<int>(std::fmax(0.0, nu - x + 1.5));
}

// The sign of J_nu (the count of negative denominators) and f = J'_nu / J_nu by CF1,
// nu/x - 1/(2(nu+1)/x - 1/(2(nu+2)/x - ...)), in the modified Lentz form.
struct RatioAndSign {
    double ratio;
    double sign;
};

RatioAndSign ContinuedFractionOne(double x, double nu, std::u16string_view message) {
    const double h = std::fmax(nu / x, kSteedTiny);
    LentzState state{h, h, 0.0};
    double sign = 1.0;
    // The denominators stay below 2 for the first x - nu terms, where CF1 oscillates: the
    // shared cap counts from where it converges. Each denominator 2(nu+k)/x is formed anew:
    // summed up step by step its rounding would grow with the count of terms.
    const int oscillating = static_cast<int>(std::fmax(0.0, x - nu));
    double k = 0.0;
    IterateToTolerance(kMachineEpsilon, message, 1 - oscillating, [&](int) {
        k += 1.0;
        const double change = LentzStep(state, -1.0, 2.0 * (nu + k) / x, TinyGuard::kExactZero);
        if (state.d < 0.0) sign = -sign;
        return change;
    });
    return {state.h, sign};
}

// p + iq = (J'_mu + i Y'_mu) / (J_mu + i Y_mu) by CF2, -1/(2x) + i + (i/x) (1/4 - mu^2) /
// (2(x + i) + (9/4 - mu^2) / (2(x + 2i) + ...)), in the modified Lentz form in complex arithmetic.
struct Complex {
    double re;
    double im;
};

Complex ContinuedFractionTwo(double x, double mu, std::u16string_view message) {
    const double xi = 1.0 / x;
    double a = 0.25 - mu * mu;
    double q = 1.0;
    double p = -xi / 2.0;
    const double br = 2.0 * x;
    double bi = 2.0;
    double fact = a * xi / (p * p + q * q);
    double cr = br + q * fact;
    double ci = bi + p * fact;
    double den = br * br + bi * bi;
    double dr = br / den;
    double di = -bi / den;
    const auto multiplyBy = [&](double re, double im) {
        const double product = p * re - q * im;
        q = p * im + q * re;
        p = product;
    };
    multiplyBy(cr * dr - ci * di, cr * di + ci * dr);
    IterateToTolerance(kMachineEpsilon, message, 2, [&](int i) {
        a += 2.0 * (i - 1);
        bi += 2.0;
        dr = a * dr + br;
        di = a * di + bi;
        if (std::fabs(dr) + std::fabs(di) < kSteedTiny) dr = kSteedTiny;
        fact = a / (cr * cr + ci * ci);
        cr = br + cr * fact;
        ci = bi - ci * fact;
        if (std::fabs(cr) + std::fabs(ci) < kSteedTiny) cr = kSteedTiny;
        den = dr * dr + di * di;
        dr /= den;
        di /= -den;
        const double deltaRe = cr * dr - ci * di;
        const double deltaIm = cr * di + ci * dr;
        multiplyBy(deltaRe, deltaIm);
        return std::fabs(deltaRe - 1.0) + std::fabs(deltaIm);
    });
    return {p, q};
}

// Steed's method: CF1 gives J'_nu / J_nu; the recurrence J_(v-1) = (v/x) J_v + J'_v,
// J'_(v-1) = ((v-1)/x) J_(v-1) - J_v, stable downwards, carries it to mu up to a common factor;
// CF2 (Temme's series below x = 2) with the Wronskian J_mu Y'_mu - Y_mu J'_mu = 2/(pi x) fixes
// that factor and Y_mu, Y_(mu+1). Plain arithmetic: a recurrence that overflows leaves a value
// that is not finite, which the caller reports.
SteedValues Steed(double x, double nu, std::u16string_view message) {
    const int steps = RecurrenceSteps(x, nu);
    const double mu = nu - steps;
    const double xi = 1.0 / x;
    const double w = 2.0 / (kPi * x);
    const RatioAndSign cf1 = ContinuedFractionOne(x, nu, message);
    double jl = 1.0;
    double jpl = cf1.ratio;
    int scale = 0;
    for (int l = steps; l >= 1; --l) {
        const double v = mu + l;
        const double next = v / x * jl + jpl;
        jpl = (v - 1.0) / x * next - jl;
        jl = next;
        if (std::fabs(jl) > kRescaleAbove) {
            jl *= kRescaleFactor;
            jpl *= kRescaleFactor;
            scale += kRescaleExponent;
        }
    }
    if (jl == 0.0) jl = kMachineEpsilon;
    const double f = jpl / jl;
    double jmu = 0.0;
    OrderPair y{};
    if (x < kTemmeLimit) {
        y = TemmeSeries(x, mu, kMachineEpsilon, message);
        const double ypmu = mu * xi * y.lower - y.upper;
        jmu = w / (ypmu - f * y.lower);
    } else {
        const Complex pq = ContinuedFractionTwo(x, mu, message);
        const double gam = (pq.re - f) / pq.im;
        jmu = std::copysign(std::sqrt(w / ((pq.re - f) * gam + pq.im)), cf1.sign * jl);
        const double ymu = gam * jmu;
        const double ypmu = (pq.re + pq.im / gam) * ymu;
        y = {ymu, mu * xi * ymu - ypmu};
    }
    return {std::ldexp(jmu / jl, -scale), mu, steps, y};
}

// The overflow of a recurrence, or an input that is not finite, as the non-finite value
// it leaves.
double FiniteOrOverflow(double value) {
    if (!std::isfinite(value)) RaiseOverflow();
    return value;
}

void RequireFinite(double x, double nu) {
    if (!std::isfinite(x) || !std::isfinite(nu)) RaiseOverflow();
}

}  // namespace

// Temme's series for |mu| <= 1/2: Y_mu = -sum c_k g_k, Y_(mu+1) = -(2/x) sum c_k h_k with
// c_k = (-x^2/4)^k / k!, f_k = (k f_(k-1) + p_(k-1) + q_(k-1)) / (k^2 - mu^2), p_k = p_(k-1) / (k - mu),
// q_k = q_(k-1) / (k + mu), g_k = f_k + (2/mu) sin^2(mu pi / 2) q_k, h_k = p_k - k g_k.
// Continuous through the integer orders, where Weber's formula is 0/0.
OrderPair TemmeSeries(double x, double mu, double eps, std::u16string_view message) {
    const Checked logTwoOverX = -CheckedLn(Checked(x) / 2.0);
    const double sigma = double(mu * logTwoOverX);
    const double square = mu * mu;
    const double gamma1 = -EvenSeriesInSquare(kReciprocalGammaEven, square);
    const double gamma2 = EvenSeriesInSquare(kReciprocalGammaOdd, square);
    const double gammaPlus = 1.0 / (gamma2 - mu * gamma1);   // Gamma(1 + mu)
    const double gammaMinus = 1.0 / (gamma2 + mu * gamma1);  // Gamma(1 - mu)
    const double piMu = kPi * mu;
    const double piMuOverSine = mu == 0.0 ? 1.0 : piMu / Sin(piMu);
    const double sinhRatio = sigma == 0.0 ? 1.0 : CheckedDivide(Sinh(sigma), sigma);
    const double halfPiMu = piMu / 2.0;
    const double sincHalf = mu == 0.0 ? 1.0 : Sin(halfPiMu) / halfPiMu;
    const double rho = kPi * halfPiMu * sincHalf * sincHalf;  // (2/mu) sin^2(mu pi / 2)
    Checked f = (kTwoOverPi * piMuOverSine) * (Cosh(sigma) * Checked(gamma1) + sinhRatio * logTwoOverX * gamma2);
    const Checked powerOfTwoOverX = CheckedExp(sigma);
    Checked p = powerOfTwoOverX * gammaPlus / kPi;
    // A double: rho q, with rho below 2.5, is a raw product.
    double q = double(gammaMinus / (powerOfTwoOverX * kPi));
    const double minusQuarterSquare = -double(Checked(x) * x) / 4.0;
    Checked c = 1.0;
    Checked sumG = f + rho * q;
    Checked sumH = p;
    IterateToTolerance(eps, message, 1, [&](int k) {
        f = (k * f + p + q) / (k * static_cast<double>(k) - square);
        p /= k - mu;
        q = CheckedDivide(q, k + mu);
        c *= minusQuarterSquare / k;
        const Checked g = c * (f + rho * q);
        const Checked h = c * p - k * g;
        sumG += g;
        sumH += h;
        return std::fmax(std::fabs(double(g)), std::fabs(double(h)));
    });
    return {-double(sumG), -double(2.0 / Checked(x) * sumH)};
}

double SteedBesselJ(double x, double nu, std::u16string_view message) {
    RequireFinite(x, nu);
    if (x * x < kSeriesOrderFactor * (nu + 1.0)) return SeriesBesselJ(x, nu, kSeriesTolerance, message);
    return FiniteOrOverflow(Steed(x, nu, message).j);
}

// Y_(v+1) = (2v/x) Y_v - Y_(v-1) upwards from mu, stable for Y, in double-double (over a hundred
// orders the rounding of plain doubles reaches the 15th digit).
double SteedBesselY(double x, double nu, std::u16string_view message) {
    RequireFinite(x, nu);
    if (nu > 2.0 * Checked(x) + kOverflowOrderMargin) RaiseOverflow();
    const SteedValues values = Steed(x, nu, message);
    return FiniteOrOverflow(RecurUpwardsFrom(x, values.mu, values.steps, values.y.lower, values.y.upper));
}

}  // namespace quorvex::special
