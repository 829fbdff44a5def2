// The error function family against the standard library's erf and erfc.
#include "special/error_function.hpp"

#include <quorvex/quorvex.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace quorvex::special {
namespace {

TEST(ErrorFunction, ErfcAndErfAgainstTheStandardLibrary) {
    for (const double x : {-6.0, -3.0, -1.0, -1e-3, 0.0, 1e-8, 0.1, 0.5, 1.0, 2.0, 4.0, 6.1, 6.2, 10.0, 26.0}) {
        SCOPED_TRACE(x);
        // The eight-term sum is good to a few units of the last digit; e^(-x^2) from the exact
        // square adds nothing that grows with x.
        EXPECT_LE(std::fabs(Erfc(x) - std::erfc(x)) / std::erfc(x), 4e-16 * 8);
        // erf = 1 - erfc carries erfc's absolute error, a few 1e-16 on values up to 2 (and so is
        // not accurate relative to a tiny erf).
        EXPECT_NEAR(Erf(x), std::erf(x), 8e-16);
        EXPECT_NEAR(Erf(-x), -Erf(x), 8e-16);
        EXPECT_NEAR(Erf(x) + Erfc(x), 1.0, 2.3e-16);
    }
    EXPECT_EQ(Erfc(1e27), 0.0);  // the square's low part is huge there
    EXPECT_EQ(Erfc(-1e60), 2.0);
    EXPECT_EQ(Erfc(1e200), 0.0);  // the square would overflow: no error, erf(-1e200) is -1
    EXPECT_EQ(Erf(-1e200), -1.0);
    EXPECT_EQ(Erfc(0), 1.0);
    EXPECT_EQ(Erf(0), 0.0);
    EXPECT_NEAR(Erfc(1), 0.15729920705028513, 6e-17);
    EXPECT_NEAR(Erfc(-1), 1.8427007929497148, 8e-16);
    EXPECT_NEAR(Erfc(7), 4.1838256077794144e-23, 1e-37);
    // The low part of the argument moves erfc(26) by 2 26 2^-50 relative (mpmath's values).
    EXPECT_NEAR(ErfcOfSum(26, 0x1p-50) / 5.66319240885588109718741588252e-296, 1.0, 1e-15);
    EXPECT_NEAR(Erfc(26) / 5.66319240885614284647572789693e-296, 1.0, 1e-15);
}

TEST(ErrorFunction, InversesRecoverTheArgument) {
    // The rounding of y = erfc(x) moves the inverse by that rounding over the slope
    // 2/sqrt(pi) e^(-x^2); two Halley steps come within a few units of that and of x's own.
    const auto allowance = [](double x, double y) {
        return 4e-16 * std::fabs(x) + 4e-16 * std::fabs(y) / (1.1283791670955126 * std::exp(-x * x));
    };
    for (const double x : {-5.0, -1.0, -0.1, 0.05, 0.5, 1.5, 3.0, 6.0, 15.0, 26.0}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(InverseErfc(std::erfc(x)), x, allowance(x, std::erfc(x)));
        // InverseErf inverts erfc at 1 - y, rounded at the scale of 1.
        EXPECT_NEAR(InverseErf(std::erf(x / 8)), x / 8, allowance(x / 8, std::max(1.0, std::erfc(x / 8))));
    }
    EXPECT_LT(std::fabs(InverseErfc(1)), 1e-16);
    EXPECT_NEAR(InverseErf(0.5), 0.47693627620446987, 2e-16);
    EXPECT_NEAR(InverseErfc(0.1), 1.1630871536766741, 4e-16);
    EXPECT_LT(InverseErfc(1.0000000000000002), 0.0);
    // No range checks: the logarithm of 0 or of a negative number raises.
    EXPECT_THROW(InverseErfc(0), EZeroDivide);
    EXPECT_THROW(InverseErfc(2), EZeroDivide);
    EXPECT_THROW(InverseErf(1), EZeroDivide);
    EXPECT_THROW(InverseErf(-1), EZeroDivide);
    EXPECT_THROW(InverseErfc(-0.5), EInvalidOp);
    EXPECT_THROW(InverseErfc(2.5), EInvalidOp);
}

}  // namespace
}  // namespace quorvex::special
