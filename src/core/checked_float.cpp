// Checked floating-point arithmetic.
#include "core/checked_float.hpp"

#include "core/elementary_math.hpp"
#include "core/errors.hpp"

#include <cmath>

namespace quorvex {

double CheckNonFiniteResult(double result, double a, double b) {
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b)) RaiseInvalidOp();
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b)) RaiseOverflow();
    return result;
}

double CheckNonFiniteResult(double result, double a) {
    if (std::isnan(result) && !std::isnan(a)) RaiseInvalidOp();
    if (std::isinf(result) && std::isfinite(a)) RaiseOverflow();
    return result;
}

double CheckDivisionFault(double a, double b) {
    if (b == 0.0 && std::isfinite(a) && a != 0.0) RaiseZeroDivide();
    return CheckNonFiniteResult(a / b, a, b);
}

double CheckedLn(double x) {
    if (x == 0.0) RaiseZeroDivide();
    if (x < 0.0) RaiseInvalidOp();
    return Log(x);
}

double CheckedExp(double x) { return CheckResult(Exp(x), x); }

double CheckedSqrt(double x) {
    if (x < 0.0) RaiseInvalidOp();
    return std::sqrt(x);
}

}  // namespace quorvex
