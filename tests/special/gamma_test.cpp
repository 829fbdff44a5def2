// The gamma family against the standard library, closed forms of psi and its derivatives, and
// the reflection formulas.
#include "special/gamma.hpp"

#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace quorvex::special {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEuler = std::numbers::egamma;

using testing::RelativeError;

TEST(Gamma, AgainstTgammaOnBothSides) {
    // exp(ln Gamma) turns the absolute error of ln Gamma into relative error: a few units of
    // 1e-16 times |ln Gamma(x)| (707 at -170.5), through the reflection formula for x < 0.
    for (const double x : {0.001, 0.5, 1.0, 1.5, 2.0, 5.0, 7.3, 20.0, 50.5, 100.0, 170.5, -0.5, -1.5, -2.5, -3.7, -10.3,
                           -50.5, -100.5, -170.5}) {
        SCOPED_TRACE(x);
        EXPECT_LE(RelativeError(Gamma(x), std::tgamma(x)), 4e-16 * std::max(16.0, std::fabs(std::lgamma(x))));
    }
    EXPECT_NEAR(Gamma(0.5), std::sqrt(kPi), 4e-16);
    // Below about -171.6 the value leaves the doubles; it goes through logarithms and underflows
    // with its sign (Gamma(-180.3) < 0).
    EXPECT_EQ(Gamma(-180.3), 0.0);
    EXPECT_TRUE(std::signbit(Gamma(-180.3)));
    EXPECT_THROW(Gamma(172), EOverflow);
}

TEST(Gamma, LogGammaAgainstLgamma) {
    // ln Gamma is a closed approximation good to a few units of 1e-16 times its largest term.
    for (const double x : {1e-5, 0.5, 1.0, 1.5, 2.0, 3.0, 10.5, 100.0, 1e5, 1e250, -1.5, -3.7, -11.3}) {
        SCOPED_TRACE(x);
        EXPECT_NEAR(LogGamma(x), std::lgamma(x), 1e-15 * std::max(1.0, std::fabs(std::lgamma(x))));
    }
    EXPECT_NEAR(LogGamma(-1.5), 0.8600470153764810, 6e-16);  // off in the 16th digit
    // Where Gamma(x) < 0 the logarithm is invalid; no absolute value is taken.
    EXPECT_THROW(LogGamma(-0.5), EInvalidOp);
    EXPECT_THROW(LogGamma(-2.5), EInvalidOp);
}

TEST(Gamma, DigammaNearItsZeroAndTheCotangentDerivatives) {
    // Reflected onto 1.5, next to the zero at 1.46, psi keeps its absolute digits only.
    EXPECT_NEAR(Digamma(-0.5), 2 - kEuler - 2 * std::numbers::ln2, 1e-15);
    // A loose tolerance shortens the shift and costs digits, never an error.
    EXPECT_NEAR(Digamma(1, 1e-3), -kEuler, 1e-6);
    // (-1)^n d^n cot(y) / dy^n: cot y, 1 / sin^2 y, 2 cos y / sin^3 y.
    const double y = 0.7;
    EXPECT_NEAR(CotDerivative(0, y), 1 / std::tan(y), 1e-15);
    EXPECT_NEAR(CotDerivative(1, y), 1 / std::pow(std::sin(y), 2), 4e-15);
    EXPECT_NEAR(CotDerivative(2, y), 2 * std::cos(y) / std::pow(std::sin(y), 3), 1e-14);
    // The leading coefficient n! overflows past order 170, whatever the order: nothing is sized
    // by the order; a negative one leaves cot^(n+1) alone.
    for (const std::int32_t n :
         {171, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()}) {
        testing::ExpectError([n, y] { CotDerivative(n, y); }, {"EOverflow", 0, u"浮動小数点数のオーバーフロー"});
    }
    EXPECT_EQ(CotDerivative(-1, y), 1.0);
}

TEST(Gamma, ReflectionKeepsItsDigitsNextToNegativeIntegers) {
    // Gamma(x) Gamma(1 - x) = pi / sin(pi x), with the sine of the exactly reduced argument.
    for (const double x : {-1.000000001, -2.9999999, -10.5, -0.999999999999}) {
        SCOPED_TRACE(x);
        const double reduced = x - std::nearbyint(x);
        const double sine = std::sin(std::numbers::pi * reduced) * (std::fmod(std::nearbyint(x), 2.0) == 0 ? 1 : -1);
        const double expected = std::numbers::pi / (sine * std::tgamma(1 - x));
        EXPECT_NEAR(Gamma(x) / expected, 1.0, 1e-13);
    }
}

// tests/data/gamma.tsv: the polygammas against closed forms, Gamma, ln Gamma and psi against
// mpmath next to their poles, zeros and the ends of their range, and the poles' messages.
TEST(Gamma, MatchTheirTable) {
    using A = std::vector<double>;
    const auto order = [](const A& a) { return static_cast<std::int32_t>(a.at(0)); };
    EXPECT_EQ(
        testing::ExpectRoutineRows(
            "gamma.tsv",
            {{"gamma", [](const A& a) { return Gamma(a.at(0)); }},
             {"lgamma", [](const A& a) { return LogGamma(a.at(0)); }},
             {"psi", [](const A& a) { return Digamma(a.at(0), testing::ToleranceAt(a, 1)); }},
             {"polygamma", [&](const A& a) { return Polygamma(order(a), a.at(1), testing::ToleranceAt(a, 2)); }}}),
        66);
}

TEST(Gamma, IntegersAreCorrectlyRoundedFactorials) {
    double factorial = 1.0;  // exact up to 22!
    for (int k = 1; k <= 23; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Gamma(k), factorial);
        factorial *= k;
    }
}

TEST(Gamma, AFinerToleranceThanADoubleHoldsCostsNothing) {
    // Once taken literally, eps = 1e-300 shifted a million steps and lost 700 units of 1e-16.
    EXPECT_NEAR(Digamma(1, 1e-300), -kEuler, 2e-16);
    EXPECT_NEAR(Polygamma(1, 1, 1e-300), kPi * kPi / 6, 4e-16);
}

}  // namespace
}  // namespace quorvex::special
