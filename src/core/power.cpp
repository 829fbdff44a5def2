// The power rule.
#include "core/power.hpp"

#include "core/checked_float.hpp"
#include "core/errors.hpp"

#include <cmath>

namespace quorvex {
namespace {

constexpr double kLargestIntegerExponent = 2147483647.0;

}  // namespace

double IntegerPower(double x, long long n) {
    double r = 1.0;
    double b = x;
    unsigned long long e = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    while (e > 0) {
        while (e % 2 == 0) {
            e /= 2;
            b = CheckedMultiply(b, b);
        }
        e -= 1;
        r = CheckedMultiply(r, b);
    }
    return n < 0 ? CheckedDivide(1.0, r) : r;
}

double Power(double x, double y) {
    if (y == 0.0) return 1.0;
    if (x == 0.0 && y > 0.0) return 0.0;
    if (y == std::trunc(y) && std::fabs(y) <= kLargestIntegerExponent) {
        return IntegerPower(x, static_cast<long long>(y));
    }
    if (x < 0.0) RaiseInvalidOp();
    return CheckedExp(CheckedMultiply(y, CheckedLn(x)));
}

}  // namespace quorvex
