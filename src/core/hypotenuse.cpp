// The hypotenuse sqrt(x^2 + y^2), scaled so nothing overflows or underflows on the way,
// summed in double-double and rounded once.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvex {
namespace {

// Past this exponent gap sqrt(a^2 + b^2) = a (1 + 2^-121): the larger one is the result.
constexpr int kNegligibleExponentGap = 60;

}  // namespace

double Hypot(double x, double y) {
    if (std::isinf(x) || std::isinf(y)) return std::numeric_limits<double>::infinity();
    if (std::isnan(x) || std::isnan(y)) return x + y;
    const double a = std::max(std::fabs(x), std::fabs(y));
    const double b = std::min(std::fabs(x), std::fabs(y));
    if (b == 0.0) return a;
    int ea = 0;
    int eb = 0;
    std::frexp(a, &ea);
    std::frexp(b, &eb);
    if (ea - eb > kNegligibleExponentGap) return a;
    const double sa = std::ldexp(a, -ea);
    const double sb = std::ldexp(b, -ea);
    return RoundScaled(SquareRoot(Add(TwoProduct(sa, sa), TwoProduct(sb, sb))), ea);
}

}  // namespace quorvex
