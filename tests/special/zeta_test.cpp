// The zeta family against closed forms, the standard library's riemann_zeta, Laurent and Taylor
// coefficients at the pole and at zero, and reference values computed to 30 digits (mpmath).
#include "special/zeta.hpp"

#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace quorvex::special {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLn2 = std::numbers::ln2;
constexpr double kEuler = std::numbers::egamma;

using testing::Arguments;
using testing::RelativeError;

// tests/data/zeta.tsv: closed forms and mpmath's values, the reflection near the trivial zeros,
// Hurwitz by Euler-Maclaurin, the polylogarithm by region, the errors in their order and the
// tolerances out of reach that once ran for seconds and now end at once.
TEST(Zeta, MatchTheirTable) {
    using testing::ToleranceAt;
    using A = std::vector<double>;
    EXPECT_EQ(testing::ExpectRoutineRows(
                  "zeta.tsv", {{"zeta", [](const A& a) { return RiemannZeta(a.at(0), ToleranceAt(a, 1)); }},
                               {"eta", [](const A& a) { return DirichletEta(a.at(0), ToleranceAt(a, 1)); }},
                               {"hurwitz", [](const A& a) { return HurwitzZeta(a.at(0), a.at(1), ToleranceAt(a, 2)); }},
                               {"polylog", [](const A& a) { return Polylog(a.at(0), a.at(1), ToleranceAt(a, 2)); }}}),
              72);
}

TEST(Zeta, ExactZerosAndTheFarNegativeAxis) {
    EXPECT_EQ(RiemannZeta(0), -0.5);
    EXPECT_EQ(RiemannZeta(-2), 0.0);
    EXPECT_EQ(RiemannZeta(-400), 0.0);
    // Past Gamma's range the functional equation goes through ln Gamma (~700), whose absolute
    // error becomes relative; zeta itself is finite down to about -259.
    EXPECT_LE(RelativeError(RiemannZeta(-201), -1.8568690810125945e+216), 3e-13);
    EXPECT_LE(RelativeError(RiemannZeta(-259), 8.7601563446229215e+306), 3e-13);
    EXPECT_EQ(DirichletEta(1), kLn2);
    EXPECT_EQ(DirichletEta(1, 1e-3), kLn2);
}

TEST(Zeta, AgreesWithTheStandardLibraryFromMinus20To60) {
    // For s < 0 both sides take sin(pi s / 2) Gamma(1 - s); each holds about 1e-14.
    testing::WorstRow zeta(3e-14, "zeta");
    testing::WorstRow eta(3e-14, "eta");
    for (int quarter = -80; quarter <= 240; ++quarter) {
        const double s = quarter / 4.0;
        if (s == 1.0 || RiemannZeta(s) == 0.0) continue;
        zeta.Relative(RiemannZeta(s), std::riemann_zeta(s), Arguments({s}));
        eta.Relative(DirichletEta(s), (1 - std::pow(2.0, 1 - s)) * std::riemann_zeta(s), Arguments({s}));
    }
}

TEST(Zeta, KeepsItsDigitsAtThePoleAndJustBelowZero) {
    // 1 - 2^(1-s) as a plain difference kept only ~|1 - s| of its digits: zeta(1 + 1e-9) and
    // zeta(-1e-9) were off in the 8th digit, zeta(-1e-300) divided by zero. References:
    // zeta(1 + d) = 1/d + gamma - gamma_1 d, eta(1 + d) = ln 2 + (gamma ln 2 - ln^2 2 / 2) d,
    // zeta(-d) = -1/2 + ln(2 pi) d / 2, each with its next term below 1e-16.
    const double stieltjes1 = -0.072815845483676724861;
    for (const double step : {1e-6, -1e-6, 1e-9, -1e-9, 0x1p-40}) {
        SCOPED_TRACE(step);
        const double s = 1 + step;
        const double d = s - 1;  // exact
        EXPECT_LE(RelativeError(RiemannZeta(s), 1 / d + kEuler - stieltjes1 * d), 2e-15);
        if (std::fabs(d) > 1e-8) continue;
        EXPECT_LE(RelativeError(DirichletEta(s), kLn2 + (kEuler * kLn2 - kLn2 * kLn2 / 2) * d), 2e-15);
        EXPECT_LE(RelativeError(RiemannZeta(-std::fabs(step)), -0.5 + 0.91893853320467274178 * std::fabs(step)), 2e-15);
    }
    // 2 (2 pi)^-1 sin(pi s / 2) zeta(1 - s) with its four roundings: one ulp of 1/2.
    EXPECT_LE(RelativeError(RiemannZeta(-1e-300), -0.5), 2.3e-16);
}

TEST(Zeta, LargeOrders) {
    // From s = 441 on, n^s of the direct sum overflowed although n^-s is merely tiny.
    for (const double s : {441.0, 512.0, 646.0, 1000.0, 1e6}) {
        SCOPED_TRACE(s);
        EXPECT_EQ(RiemannZeta(s), 1.0);
        EXPECT_EQ(DirichletEta(s), 1.0);
    }
    EXPECT_EQ(HurwitzZeta(700, 2), std::ldexp(1.0, -700));  // (3/2)^-700 later
    EXPECT_EQ(HurwitzZeta(10, 1e300), 0.0);                 // every term underflows
}

TEST(Zeta, HurwitzAtALooseToleranceAndItsRecurrence) {
    EXPECT_EQ(HurwitzZeta(0.5, 1), RiemannZeta(0.5));
    EXPECT_LE(RelativeError(HurwitzZeta(2, 2, 1e-6), kPi * kPi / 6 - 1), 1e-8);
    for (const double a : {0.001, 0.3, 7.5, 123.0}) {  // zeta(s, a) = a^-s + zeta(s, a + 1)
        EXPECT_LE(RelativeError(HurwitzZeta(3.3, a), std::pow(a, -3.3) + HurwitzZeta(3.3, a + 1)), 4e-15) << a;
    }
}

TEST(Zeta, AbsoluteMeasuresAndLargeTerms) {
    // Absolute measures: the sum is as good as a double holds it once its terms no longer change
    // it, whatever eps still asks of the terms.
    EXPECT_LE(RelativeError(Polylog(2, -0.99, 1e-30), -0.81552588147733974292), 5e-15);
    EXPECT_LE(RelativeError(Polylog(100, -0.999999, 1e-300), -0.999999), 1e-15);
    EXPECT_EQ(Polylog(2, 0, 1e-300), 0.0);
    // Terms that grow by dozens of orders before they fall, summed in double-double (mpmath).
    EXPECT_LE(RelativeError(Polylog(-30.5, -0.2), -1.6377585775478230091e16), 1e-15);
    EXPECT_LE(RelativeError(Polylog(-100.5, 0.2), 9.8671733994034122362e137), 1e-15);
    // A relative tolerance down to half the rounding unit is still met.
    EXPECT_LE(RelativeError(RiemannZeta(3, 1e-16), 1.2020569031595942854), 1e-15);
}

TEST(Polylog, DuplicationAndEdges) {
    // Li_s(x) + Li_s(-x) = 2^(1-s) Li_s(x^2), across the switches between the methods.
    for (const double s : {-3.5, -1.5, 0.5, 2.0}) {
        for (const double x : {0.2, 0.3, 0.6, 0.9}) {
            SCOPED_TRACE(Arguments({s, x}));
            const double scale = std::fabs(Polylog(s, x)) + std::fabs(Polylog(s, -x));
            EXPECT_NEAR(Polylog(s, x) + Polylog(s, -x), std::pow(2.0, 1 - s) * Polylog(s, x * x), 5e-14 * scale);
        }
    }
    EXPECT_EQ(Polylog(2, 0), 0.0);
    EXPECT_DOUBLE_EQ(Polylog(1, 0.5, 1e-310), kLn2);  // the power series ends where its terms stop counting
    EXPECT_EQ(PolylogDifference(3, 0), -1);
    EXPECT_EQ(PolylogDifference(-2, 2), -2);  // -1 + 2 * 4 - 9
    EXPECT_EQ(PolylogDifference(2, 1), -0.75);
}

}  // namespace
}  // namespace quorvex::special
