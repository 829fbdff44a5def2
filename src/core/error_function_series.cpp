// erf near zero by its Maclaurin series in double-double, rounded once.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorvex {
namespace {

constexpr double kSeriesBound = 0.5;
// Below this |x| the cubic term is below 2^-1000 of the result: erf x = (2/sqrt(pi)) x, scaled
// up first so that a subnormal result is still rounded once.
constexpr double kLinearBound = 0x1p-500;
constexpr int kLinearScale = 600;
constexpr DoubleDouble kTwoOverSqrtPiDD = {2.0 * std::numbers::inv_sqrtpi, 1.5335459613165881e-17};

// erf x = (2/sqrt(pi)) x E(x^2), E(u) = sum (-1)^k u^k / (k! (2k + 1)) (A&S 7.1.5); on
// u <= 1/4 the terms past k = 18 are below 2^-98, and the head keeps those down to k = 7 in
// double-double.
// Laid out by hand: two columns of (head, tail) pairs read best as they are.
// clang-format off
constexpr std::array<DoubleDouble, 8> kErfHead = {{
    {1.0, 0.0},
    {-0.33333333333333331, -1.8503717077085941e-17},
    {0.10000000000000001, -5.551115123125783e-18},
    {-0.023809523809523808, -1.3216940769347101e-18},
    {0.0046296296296296294, 2.5699607051508252e-19},
    {-0.00075757575757575758, -6.5709222574879057e-22},
    {0.00010683760683760684, 9.2666852349188413e-23},
    {-1.3227513227513228e-05, 5.5321559264058641e-22},
}};
// clang-format on
// (-1)^k / (k! (2k + 1)), k = 8..18.
constexpr std::array<double, 11> kErfTail = {
    1.4589169000933706e-06, -1.4503852223150468e-07, 1.3122532963802806e-08, -1.0892221037148573e-09,
    8.3507027951472397e-11, -5.9477940136376354e-12, 3.9554295164585257e-13, -2.4668270102644571e-14,
    1.4483264643598138e-15, -8.0327350124157733e-17, 4.2214072888070882e-18,
};

}  // namespace

double ErfNearZero(double x) {
    if (std::isnan(x) || x == 0.0) return x;
    if (std::fabs(x) > kSeriesBound) return std::numeric_limits<double>::quiet_NaN();
    if (std::fabs(x) < kLinearBound) {
        return RoundScaled(Multiply(kTwoOverSqrtPiDD, std::ldexp(x, kLinearScale)), -kLinearScale);
    }
    const DoubleDouble series = EvaluatePolynomial(TwoProduct(x, x), kErfHead, kErfTail);
    return Round(Multiply(Multiply(series, x), kTwoOverSqrtPiDD));
}

}  // namespace quorvex
