// Weibull distributions.
#include "functions/weibull.hpp"

#include "core/checked_float.hpp"
#include "core/double_double.hpp"
#include "core/double_double_exp_log.hpp"
#include "core/elementary_math.hpp"
#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/power.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <cstdint>
#include <string_view>

namespace quorvex {
namespace {

constexpr std::int32_t kWeibullHelpContext = 10006;

// The mode is tested as text: 1.0 is refused, a computed 2-1 arrives as "1" and is accepted.
bool IsMode(std::u16string_view text) { return text == u"0" || text == u"1"; }

// Mode 1: 1 - exp(-(d / beta)^alpha) as -expm1(-(d / beta)^alpha), which keeps the digits of a
// small power (1 - exp gave 0 below 1e-16); it overflows where exp did. Otherwise
// ((alpha d^(alpha - 1)) exp(-(d / beta)^alpha)) / beta^alpha, computed in exactly this order.
double PlainDistribution(double d, double alpha, double beta, double mode) {
    if (mode == 1.0) {
        const double power = Power(CheckedDivide(d, beta), alpha);
        return -CheckResult(Expm1(-power), power);
    }
    const double rising = CheckedMultiply(alpha, Power(d, CheckedSubtract(alpha, 1.0)));
    const double tail = CheckedExp(-Power(CheckedDivide(d, beta), alpha));
    return CheckedDivide(CheckedMultiply(rising, tail), Power(beta, alpha));
}

// t = (d / beta)^alpha in double-double, for positive normal d (itself a double-double: x -
// gamma exactly) and beta: e^(alpha (ln d - ln beta)) from a double-double exponent, in
// double-double. Both modes hinge on t: the
// density takes e^-t, whose relative error is t's absolute one (35 units of the 15th digit where
// t = 358 came from rounded powers), and the distribution is t itself where t is small. d / beta
// itself is never formed, so that it cannot overflow where t does not.
DoubleDouble ScaledPower(DoubleDouble d, double alpha, double beta) {
    const DoubleDouble logD = Add(LogDoubleDouble(d.hi), d.lo / d.hi);
    return ExpToDoubleDouble(Multiply(Subtract(logD, LogDoubleDouble(beta)), alpha));
}

// Where d, alpha and beta are positive and d and beta normal doubles: mode 1 is
// 1 - e^-t = -expm1(-t_hi) + t_lo e^-t_hi, mode 0 is alpha t e^-t / d (alpha u^(alpha-1) / beta
// with u^(alpha-1) = t / u), each with t from ScaledPower. Elsewhere, and for the powers' own
// faults, the formulas as they stand.
double Distribution(DoubleDouble d, double alpha, double beta, double mode) {
    const double plainD = Round(d);
    if (!(plainD > 0.0 && alpha > 0.0 && beta > 0.0 && std::isnormal(plainD) && std::isnormal(beta))) {
        return PlainDistribution(plainD, alpha, beta, mode);
    }
    const DoubleDouble t = ScaledPower(d, alpha, beta);
    if (mode == 1.0) {
        if (std::isinf(t.hi)) return 1.0;
        return -Expm1(-t.hi) + t.lo * Exp(-t.hi);
    }
    if (std::isinf(t.hi)) return 0.0;
    const double decay = ExpOfDoubleDouble(Negate(t));
    return CheckedDivide(CheckedMultiply(CheckedMultiply(alpha, t.hi), decay), plainD);
}

}  // namespace

ShortText Weibull(const TokenList& arguments, char16_t separator) {
    if (arguments.size() != 4) {
        RaiseArgumentError(u"Weibull関数の引数が足りません\r\nWeibull(x,α,β,[0 or 1])", kWeibullHelpContext);
    }
    const double x = ParseNumberText(arguments[0], separator);
    if (x < 0.0) RaiseArgumentError(u"Weibull関数の第１引数は0以上でなくてはなりません", kWeibullHelpContext);
    const double alpha = ParseNumberText(arguments[1], separator);
    if (alpha <= 0.0)
        RaiseArgumentError(u"Weibull関数の第２引数（形状母数）は0より大きくなくてはなりません", kWeibullHelpContext);
    const double beta = ParseNumberText(arguments[2], separator);
    if (beta <= 0.0)
        RaiseArgumentError(u"Weibull関数の第３引数（尺度母数）は0より大きくなくてはなりません", kWeibullHelpContext);
    if (!IsMode(arguments[3]))
        RaiseArgumentError(u"Weibull関数のモードには0または1を入力してください", kWeibullHelpContext);
    return WriteNumberText(Distribution({x, 0.0}, alpha, beta, ParseNumberText(arguments[3], separator)), separator);
}

ShortText Weibull3(const TokenList& arguments, char16_t separator) {
    if (arguments.size() != 5) {
        RaiseArgumentError(u"Weibull3関数の引数が足りません\r\nWeibull3(x,α,β,γ,[0 or 1])", kWeibullHelpContext);
    }
    if (!IsMode(arguments[4]))
        RaiseArgumentError(u"Weibull3関数のモードには0または1を入力してください", kWeibullHelpContext);
    const double x = ParseNumberText(arguments[0], separator);
    if (x < 0.0) RaiseArgumentError(u"Weibull3関数の第１引数は0より大きくなくてはなりません", kWeibullHelpContext);
    const double alpha = ParseNumberText(arguments[1], separator);
    const double beta = ParseNumberText(arguments[2], separator);
    const double gamma = ParseNumberText(arguments[3], separator);
    // x - gamma is taken exactly; the formulas' subtraction still raises its faults.
    CheckedSubtract(x, gamma);
    return WriteNumberText(Distribution(TwoSum(x, -gamma), alpha, beta, ParseNumberText(arguments[4], separator)),
                           separator);
}

}  // namespace quorvex
