// The power rule and the checked arithmetic under it: which faults are errors, and which not.
#include "core/checked_float.hpp"
#include "core/power.hpp"

#include "core/utf16.hpp"

#include <gtest/gtest.h>
#include <quorvex/quorvex.hpp>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace quorvex {
namespace {

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Case {
    const char* label;
    std::function<double()> op;
    double value;                 // when error is null
    const char* error = nullptr;  // class name of the expected error
};

std::string MessageOf(const std::string& errorClass) {
    if (errorClass == "EInvalidOp") return "不正な浮動小数点数演算命令";
    if (errorClass == "EZeroDivide") return "0 による浮動小数点数除算";
    return "浮動小数点数のオーバーフロー";
}

void Check(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.error == nullptr) {
            EXPECT_EQ(c.op(), c.value);
            continue;
        }
        try {
            const double value = c.op();
            ADD_FAILURE() << "no error, value " << value;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.ClassName(), c.error);
            EXPECT_EQ(ToUtf8(e.Message()), MessageOf(c.error));
            EXPECT_EQ(e.HelpContext(), 0);
        }
    }
}

TEST(PowerRule, ZeroExponentThenZeroBaseThenIntegerThenLogarithm) {
    Check({
        {"0^0", [] { return Power(0, 0); }, 1},
        {"(-8)^0", [] { return Power(-8, 0); }, 1},
        {"NaN^0", [] { return Power(kNaN, 0); }, 1},
        {"0^2", [] { return Power(0, 2); }, 0},
        {"0^1e300", [] { return Power(0, 1e300); }, 0},
        {"(-2)^3", [] { return Power(-2, 3); }, -8},
        {"(-2)^-1", [] { return Power(-2, -1); }, -0.5},
        {"1.5^-2", [] { return Power(1.5, -2); }, 1 / 2.25},
        {"10^22", [] { return Power(10, 22); }, 1e22},
        {"2^1023", [] { return Power(2, 1023); }, std::ldexp(1.0, 1023)},
        {"2^-1023", [] { return Power(2, -1023); }, std::ldexp(1.0, -1023)},
        {"(-1)^2147483647", [] { return Power(-1, 2147483647.0); }, -1},
        // e^(0.5 ln 2) with ln 2 rounded: an ulp below the square root 1.4142135623730951.
        {"2^0.5", [] { return Power(2, 0.5); }, 1.414213562373095},
        {"1^1e300", [] { return Power(1, 1e300); }, 1},
        // Underflow is silent; the product simply reaches zero.
        {"0.1^400", [] { return Power(0.1, 400); }, 0},
        {"0^-1", [] { return Power(0, -1); }, 0, "EZeroDivide"},
        {"(-0)^-1", [] { return Power(-0.0, -1); }, 0, "EZeroDivide"},
        {"0^-0.5", [] { return Power(0, -0.5); }, 0, "EZeroDivide"},
        {"(-8)^(1/3)", [] { return Power(-8, 1.0 / 3); }, 0, "EInvalidOp"},
        {"(-2)^2.5", [] { return Power(-2, 2.5); }, 0, "EInvalidOp"},
        // Integral, but past the 32-bit range: no longer an integer power.
        {"(-1)^2147483648", [] { return Power(-1, 2147483648.0); }, 0, "EInvalidOp"},
        {"2^1e10", [] { return Power(2, 1e10); }, 0, "EOverflow"},
        {"2^1024", [] { return Power(2, 1024); }, 0, "EOverflow"},
        {"10^400", [] { return Power(10, 400); }, 0, "EOverflow"},
        // The positive power overflows before its reciprocal could be taken.
        {"10^-400", [] { return Power(10, -400); }, 0, "EOverflow"},
        {"2^-1024", [] { return Power(2, -1024); }, 0, "EOverflow"},
    });
}

TEST(CheckedFloat, TrapsInvalidZeroDivideAndOverflowOnly) {
    Check({
        {"1/3", [] { return CheckedDivide(1, 3); }, 1.0 / 3},
        {"1/0", [] { return CheckedDivide(1, 0); }, 0, "EZeroDivide"},
        {"-1/0", [] { return CheckedDivide(-1, 0); }, 0, "EZeroDivide"},
        {"1/-0", [] { return CheckedDivide(1, -0.0); }, 0, "EZeroDivide"},
        {"0/0", [] { return CheckedDivide(0, 0); }, 0, "EInvalidOp"},
        {"max/1e-10", [] { return CheckedDivide(kMax, 1e-10); }, 0, "EOverflow"},
        {"1e300*1e300", [] { return CheckedMultiply(1e300, 1e300); }, 0, "EOverflow"},
        {"1e-200*1e-200", [] { return CheckedMultiply(1e-200, 1e-200); }, 0},
        {"inf*0", [] { return CheckedMultiply(kInf, 0); }, 0, "EInvalidOp"},
        {"1e-320+1e-320", [] { return CheckedAdd(1e-320, 1e-320); }, 2 * 1e-320},
        {"max+max", [] { return CheckedAdd(kMax, kMax); }, 0, "EOverflow"},
        {"-max-max", [] { return CheckedSubtract(-kMax, kMax); }, 0, "EOverflow"},
        // An infinite operand is not an overflow; cancelling infinities is invalid.
        {"inf+1", [] { return CheckedAdd(kInf, 1); }, kInf},
        {"inf-inf", [] { return CheckedSubtract(kInf, kInf); }, 0, "EInvalidOp"},
        {"ln 1", [] { return CheckedLn(1); }, 0},
        {"ln -1", [] { return CheckedLn(-1); }, 0, "EInvalidOp"},
        {"ln 0", [] { return CheckedLn(0); }, 0, "EZeroDivide"},
        {"ln -0", [] { return CheckedLn(-0.0); }, 0, "EZeroDivide"},
        {"exp 710", [] { return CheckedExp(710); }, 0, "EOverflow"},
        {"exp -1000", [] { return CheckedExp(-1000); }, 0},
        {"sqrt 4", [] { return CheckedSqrt(4); }, 2},
        {"sqrt -1", [] { return CheckedSqrt(-1); }, 0, "EInvalidOp"},
    });
}

}  // namespace
}  // namespace quorvex
