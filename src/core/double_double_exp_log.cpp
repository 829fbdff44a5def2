// ln x as 2^e m with m in [1/sqrt 2, sqrt 2) and ln m = 2 atanh t, t = (m - 1) / (m + 1), by
// t + t^3/3 + t^5/5 + ... (|t| <= 0.172, at most 22 terms).
#include "core/double_double_exp_log.hpp"

#include "core/checked_float.hpp"
#include "core/elementary_math.hpp"

#include <cmath>
#include <numbers>

namespace quorvex {
namespace {

constexpr double kSqrtHalf = std::numbers::sqrt2 / 2.0;
// The atanh series stops below this fraction of its first term: past double-double.
constexpr double kDoubleDoubleFraction = 0x1p-106;
// More terms than |t| <= 0.172 ever needs.
constexpr int kMostAtanhTerms = 30;

}  // namespace

DoubleDouble LogDoubleDouble(double x) {
    int e = 0;
    double m = std::frexp(x, &e);
    if (m < kSqrtHalf) {
        m *= 2.0;
        --e;
    }
    const DoubleDouble scaled = Multiply(kLn2DoubleDouble, static_cast<double>(e));
    if (m == 1.0) return scaled;
    const DoubleDouble t = Divide(DoubleDouble{m - 1.0, 0.0}, TwoSum(m, 1.0));
    const DoubleDouble t2 = Multiply(t, t);
    DoubleDouble power = t;
    DoubleDouble sum = t;
    for (int k = 1; k < kMostAtanhTerms; ++k) {
        power = Multiply(power, t2);
        const DoubleDouble term = Divide(power, DoubleDouble{2.0 * k + 1.0, 0.0});
        sum = Add(sum, term);
        if (std::fabs(term.hi) < kDoubleDoubleFraction * std::fabs(t.hi)) break;
    }
    return Add(scaled, Multiply(sum, 2.0));
}

DoubleDouble ExpToDoubleDouble(DoubleDouble exponent) {
    const double head = Exp(exponent.hi);
    if (head == 0.0 || std::isinf(head)) return {head, 0.0};
    const DoubleDouble residual = Subtract(exponent, LogDoubleDouble(head));
    return FastTwoSum(head, head * residual.hi);
}

double ExpOfDoubleDouble(DoubleDouble exponent) {
    const double head = CheckedExp(exponent.hi);
    return head + head * exponent.lo;
}

}  // namespace quorvex
