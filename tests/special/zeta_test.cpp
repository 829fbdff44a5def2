// The zeta family against closed forms, the standard library's riemann_zeta, Laurent and Taylor
// coefficients at the pole and at zero, and reference values computed to 30 digits (mpmath).
#include "special/zeta.hpp"

#include "special/messages.hpp"
#include "core/errors.hpp"
#include "support/accuracy.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace quorvex::special {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kLn2 = std::numbers::ln2;
constexpr double kEuler = std::numbers::egamma;

using testing::Arguments;
using testing::RelativeError;
using testing::WorstRow;

struct Row {
    double s, x, reference;
};

TEST(Zeta, RiemannAndEtaValues) {
    // The sums round once per term, ~50 terms; for s < 0 Gamma(1 - s) = exp(ln Gamma) adds ~1e-16
    // of ln Gamma (39 at s = -19).
    WorstRow zeta(1e-14, "zeta");
    for (const Row& row :
         {Row{2, 0, kPi * kPi / 6}, Row{12, 0, 691 * std::pow(kPi, 12) / 638512875},  // direct sum
          Row{3, 0, 1.2020569031595942854}, Row{0.5, 0, -1.4603545088095868129}, Row{60, 0, 1},
          Row{-0.5, 0, -0.20788622497735456602}, Row{-1, 0, -1.0 / 12}, Row{-19, 0, 174611.0 / 6600}}) {
        zeta.Relative(RiemannZeta(row.s), row.reference, Arguments({row.s}));
    }
    EXPECT_EQ(RiemannZeta(0), -0.5);
    EXPECT_EQ(RiemannZeta(-2), 0.0);
    EXPECT_EQ(RiemannZeta(-400), 0.0);
    // Past Gamma's range the functional equation goes through ln Gamma (~700), whose absolute
    // error becomes relative; zeta itself is finite down to about -259.
    EXPECT_LE(RelativeError(RiemannZeta(-201), -1.8568690810125945e+216), 3e-13);
    EXPECT_LE(RelativeError(RiemannZeta(-259), 8.7601563446229215e+306), 3e-13);
    EXPECT_EQ(DirichletEta(1), kLn2);
    EXPECT_EQ(DirichletEta(1, 1e-3), kLn2);
    WorstRow eta(1e-14, "eta");
    for (const Row& row :
         {Row{2, 0, kPi * kPi / 12}, Row{4, 0, 7 * std::pow(kPi, 4) / 720}, Row{0, 0, 0.5}, Row{-1, 0, 0.25}}) {
        eta.Relative(DirichletEta(row.s), row.reference, Arguments({row.s}));
    }
}

TEST(Zeta, AgreesWithTheStandardLibraryFromMinus20To60) {
    // For s < 0 both sides take sin(pi s / 2) Gamma(1 - s); each holds about 1e-14.
    WorstRow zeta(3e-14, "zeta");
    WorstRow eta(3e-14, "eta");
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

TEST(Zeta, ReflectionNearTheTrivialZerosAndForLargeOrders) {
    // sin(pi s / 2) takes s / 2 exactly: from a rounded pi s the sine near a trivial zero kept
    // only the digits of the distance to it (zeta(-20.000000001) was off by 5e-7). References
    // (mpmath, 40 digits) for the double nearest each s.
    WorstRow worst(1e-14);
    for (const Row& row :
         {Row{-2.000001, 0, 3.0448424180905060037e-8}, Row{-3.9999999, 0, 7.983811724073260546e-10},
          Row{-10.0000001, 0, 1.8929927195204017925e-9}, Row{-20.000000001, 0, -1.3228100860563302139e-7},
          Row{-40.00001, 0, -48242347332.010582708}}) {
        worst.Relative(RiemannZeta(row.s), row.reference, Arguments({row.s}));
    }
    // From s = 441 on, n^s of the direct sum overflowed although n^-s is merely tiny.
    for (const double s : {441.0, 512.0, 646.0, 1000.0, 1e6}) {
        SCOPED_TRACE(s);
        EXPECT_EQ(RiemannZeta(s), 1.0);
        EXPECT_EQ(DirichletEta(s), 1.0);
    }
    EXPECT_EQ(HurwitzZeta(700, 2), std::ldexp(1.0, -700));  // (3/2)^-700 later
    EXPECT_EQ(HurwitzZeta(10, 1e300), 0.0);                 // every term underflows
}

TEST(Zeta, HurwitzByEulerMaclaurin) {
    // Hasse's series for zeta(s, a) lost its digits in the binomial sums: 0.644758 for
    // zeta(2, 2) = 0.644934 at eps = 1e-6, -3.7e144 for zeta(10, 2) at 1e-4, and its cap after
    // about a second at the default tolerance. Euler-Maclaurin holds a few units of 1e-16; the
    // references from std::riemann_zeta about 1e-14.
    const double catalan = 0.91596559417721901505;
    WorstRow worst(1e-14);
    for (const Row& row :
         {Row{2, 2, kPi * kPi / 6 - 1}, Row{2, 0.25, kPi * kPi + 8 * catalan}, Row{3, 0.5, 7 * std::riemann_zeta(3.0)},
          Row{2.5, 0.5, (std::pow(2, 2.5) - 1) * std::riemann_zeta(2.5)}, Row{10, 2, 0.00099457512781808533715},
          Row{30, 3, 4.8578041896672467647e-15}, Row{1.1, 2, 9.584448464950800951}, Row{2, 1e6, 1.0000005000001667e-06},
          // exp(-s ln(a + k)) with s ln(a + k) rounded was 4e-14 off here (mpmath, 80 digits).
          Row{316.465759876743, 6.74135877159042, 5.36798680412889376953496573787e-263}}) {
        worst.Relative(HurwitzZeta(row.s, row.x), row.reference, Arguments({row.s, row.x}));
    }
    EXPECT_LE(RelativeError(HurwitzZeta(2, 2, 1e-6), kPi * kPi / 6 - 1), 1e-8);
    for (const double a : {0.001, 0.3, 7.5, 123.0}) {  // zeta(s, a) = a^-s + zeta(s, a + 1)
        EXPECT_LE(RelativeError(HurwitzZeta(3.3, a), std::pow(a, -3.3) + HurwitzZeta(3.3, a + 1)), 4e-15) << a;
    }
}

TEST(Zeta, ErrorsInTheirOrderAndTheCaps) {
    using testing::ExpectError;
    const testing::ExpectedError pole{"EFunctionError", 10008, kZetaPole};
    ExpectError([] { RiemannZeta(1); }, pole);
    ExpectError([] { HurwitzZeta(1, 1); }, pole);  // a = 1 is zeta before any check
    ExpectError([] { Polylog(1, 1); }, pole);
    EXPECT_EQ(HurwitzZeta(0.5, 1), RiemannZeta(0.5));
    ExpectError([] { HurwitzZeta(0.5, 0); }, {"EFunctionError", 10008, kHurwitzShiftNotPositive});
    ExpectError([] { HurwitzZeta(1, 2); }, {"EFunctionError", 10008, kHurwitzOrderAtMostOne});
    ExpectError([] { Polylog(1, 1.5); }, {"EFunctionError", 10008, kPolylogOutsideDisc});
    ExpectError([] { Polylog(2, -1.0000001); }, {"EFunctionError", 10008, kPolylogOutsideDisc});
    // Past its smallest term the Euler-Maclaurin tail diverges: no smaller tolerance is met.
    ExpectError([] { HurwitzZeta(2, 2, 1e-300); }, {"EConvergeError", 10010, kHurwitzNoConvergence});
}

TEST(Zeta, ToleranceOutOfReachEndsAtOnce) {
    // These took 1 to 4 s each: a relative tolerance finer than a double (or none at all) ran
    // Hasse's series or the Euler transform to the cap, recomputing every binomial sum. Now a
    // tolerance <= 0 raises at once, and one that the terms cannot meet raises once they no
    // longer change the sum (relative measure) or ends with the sum they can no longer change
    // (absolute measure).
    using testing::ExpectError;
    const testing::ExpectedError zeta{"EConvergeError", 10010, kZetaNoConvergence};
    const testing::ExpectedError polylog{"EConvergeError", 10010, kPolylogNoConvergence};
    struct ErrorRow {
        const char* call;
        std::function<void()> action;
        testing::ExpectedError error;
    };
    for (const ErrorRow& row : {
             ErrorRow{"zeta(2, 1e-30)", [] { RiemannZeta(2, 1e-30); }, zeta},
             ErrorRow{"zeta(2, 1e-24)", [] { RiemannZeta(2, 1e-24); }, zeta},
             ErrorRow{"zeta(200, 1e-300)", [] { RiemannZeta(200, 1e-300); }, zeta},
             ErrorRow{"zeta(2, 0)", [] { RiemannZeta(2, 0); }, zeta},
             ErrorRow{"zeta(2, -1)", [] { RiemannZeta(2, -1); }, zeta},
             ErrorRow{"eta(2, 1e-300)", [] { DirichletEta(2, 1e-300); }, zeta},
             ErrorRow{"zeta(0.5, 1, 1e-30)", [] { HurwitzZeta(0.5, 1, 1e-30); }, zeta},
             ErrorRow{"zeta(2, 2, 0)", [] { HurwitzZeta(2, 2, 0); }, {"EConvergeError", 10010, kHurwitzNoConvergence}},
             ErrorRow{"Li_1(0, 0)", [] { Polylog(1, 0, 0); }, polylog},
             ErrorRow{"Li_1(0.25, -1)", [] { Polylog(1, 0.25, -1); }, polylog},
             ErrorRow{"Li_-2(0.1, 0)", [] { Polylog(-2, 0.1, 0); }, polylog},  // a finite sum, all the same
             ErrorRow{"Li_-0.5(-0.9, 1e-30)", [] { Polylog(-0.5, -0.9, 1e-30); }, polylog},
         }) {
        SCOPED_TRACE(row.call);
        ExpectError(row.action, row.error);
    }
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

TEST(Polylog, ClosedFormsAndReferenceValues) {
    // The power series stops at its first term below eps and leaves a tail up to x / (1 - x)
    // times that (24 at x = 0.96). For s <= 0 and |x| >= 1/4 the series in ln x replaces the
    // Euler transform, whose binomial differences cancelled (Li_-4.3(-0.9) off in the 8th
    // digit, Li_-0.5(0.9) overflowing); each of its zeta(s - k) holds ~1e-14.
    WorstRow worst(5e-14);
    for (const Row& row :
         {Row{1, -0.99, -std::log1p(0.99)}, Row{1, 0.5, kLn2}, Row{1, 0.96, -std::log1p(-0.96)}, Row{1, -1, -kLn2},
          Row{0, -0.9, -0.9 / 1.9}, Row{0, 0.3, 0.3 / 0.7}, Row{0, 0.9, 9}, Row{-1, -0.999, -0.999 / (1.999 * 1.999)},
          Row{-1, 0.3, 0.3 / 0.49}, Row{-1, 0.99, 0.99 / (0.01 * 0.01)}, Row{2, 0.5, kPi * kPi / 12 - kLn2 * kLn2 / 2},
          Row{2, -1, -kPi * kPi / 12}, Row{2, -0.5, -0.44841420692364620244}, Row{0.5, -0.99, -0.60108447114971784801},
          Row{2.5, -0.999, -0.86643466184741351514}, Row{-4.3, -0.9, -0.051155168127702742026},
          Row{-2.5, -0.99, 0.086868940601417082985}, Row{-0.5, 0.9, 25.708466702797589027},
          Row{-1.5, 0.5, 3.293143919512913722}, Row{-20, 0.5, 5.3553755924887684062e+21},
          Row{-0.5, 0.2, 0.27454031009933119542}, Row{-2.5, -0.2, -0.060773025395974034415},
          // Once overflows: the Euler transform diverged from x = 1/2 on.
          Row{3, 0.994568011212117, 1.1931968720522024010}, Row{0.5, 0.9999999, 5603.5307232602332282},
          Row{2000, -0.9, -0.9}, Row{2000, 0.3, 0.3}}) {
        worst.Relative(Polylog(row.s, row.x), row.reference, Arguments({row.s, row.x}));
    }
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
