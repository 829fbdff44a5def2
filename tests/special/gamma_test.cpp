// The gamma family against the standard library, closed forms of psi and its derivatives, and
// the reflection formulas.
#include "special/gamma.hpp"

#include "special/messages.hpp"
#include "support/accuracy.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace quorvex::special {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kEuler = std::numbers::egamma;

using testing::Arguments;
using testing::RelativeError;
using testing::WorstRow;

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

TEST(Gamma, DigammaAndPolygammaAgainstClosedForms) {
    struct Row {
        int n;
        double x, reference;
    };
    const double zeta3 = std::riemann_zeta(3.0);
    // The shifted asymptotic series and the recurrence leave a few units of 1e-16 per unit of
    // the largest term summed (the -1/z of the shift, up to 10).
    WorstRow worst(4e-15);
    for (const Row& row :
         {Row{0, 1, -kEuler}, Row{0, 0.5, -kEuler - 2 * std::numbers::ln2}, Row{0, 4, -kEuler + 1 + 0.5 + 1.0 / 3},
          Row{0, 1000, 6.9072551956488121},
          // psi(1 - x) - psi(x) = pi cot(pi x): at -1/2 the cotangent vanishes.
          Row{0, -1.25, -kEuler - 3 * std::numbers::ln2 - kPi / 2 + 4.8 + kPi}, Row{1, 1, kPi * kPi / 6},
          Row{1, 0.5, kPi * kPi / 2}, Row{1, 3, kPi * kPi / 6 - 1.25},
          // psi'(x) + psi'(1 - x) = pi^2 / sin^2(pi x)
          Row{1, -0.5, kPi * kPi / 2 + 4}, Row{2, 1, -2 * zeta3}, Row{2, 2, -2 * zeta3 + 2},
          Row{3, 1, std::pow(kPi, 4) / 15}, Row{5, 0.5, 120 * 63 * std::riemann_zeta(6.0)},
          // n! and z^(n+1) apart leave the doubles (mpmath references).
          Row{171, 12, 2.9826633704420662e+123}, Row{300, 50.5, -6.2558657310275829e+101},
          Row{1000, 368.5, -0.042711895081732251}, Row{100, 0.728237666860264, -7.5930574152786002e+171},
          Row{1, 26536042, 3.7684595873125985e-8}}) {
        worst.Relative(Polygamma(row.n, row.x), row.reference, Arguments({double(row.n), row.x}));
    }
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

TEST(Gamma, PolesRaiseTheirRoutinesMessages) {
    using testing::ExpectError;
    for (const double pole : {0.0, -1.0, -2.0, -170.0}) {
        SCOPED_TRACE(pole);
        ExpectError([&] { Gamma(pole); }, {"EFunctionError", 10008, kGammaPole});
        ExpectError([&] { LogGamma(pole); }, {"EFunctionError", 10008, kLogGammaPole});
        ExpectError([&] { Digamma(pole); }, {"EFunctionError", 10008, kDigammaPole});
        ExpectError([&] { Polygamma(0, pole); }, {"EFunctionError", 10008, kDigammaPole});
        ExpectError([&] { Polygamma(2, pole); }, {"EFunctionError", 10008, kPolygammaPole});
    }
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

TEST(Gamma, AgainstMpmath) {
    struct Row {
        int n;  // -2 Gamma, -1 ln Gamma, else psi^(n)
        double x, reference;
    };
    // Within 2e-15 (the large orders sum tens of shifted terms; the rest stay within 1e-16):
    // exact recurrence products and the reduced sine keep every digit next to the poles, at the
    // ends of the range and past the old shift and overflow limits, all once 1e-14 or worse off.
    constexpr Row kRows[] = {
        {-2, 171, 7.25741561530799896739672821113e+306},
        {-2, 171.6, 1.58589690966725650898593647053e+308},
        {-2, 77.89201481069, 9.07677983347275037821417737926e+112},
        {-2, 2.5, 1.32934038817913702047362561251},
        {-2, 1e-300, 9.99999999999999974940908164791e+299},
        {-2, -0.9999999999, -9999999173.01914280402018231477},
        {-2, -44.8265337350318, -9.8209398329958755504436105413e-56},
        {-2, -127.571032484953, 6.70246238868097537655058299068e-215},
        {-2, -170.5, -3.31273952153860731481015406509e-308},
        {-1, -7.00000000001, 16.8032745791085642314791616697},
        // next to the zeros of ln Gamma at 1 and 2 (once 3e6 units of 1e-16 off) and at the seam
        {-1, 1.0000001, -5.77215582991850709696380179324e-08},
        {-1, 0.999999999999, 5.7720289589896659167856702745e-13},
        {-1, 1.99999999999, -4.22784370076575207176535997353e-12},
        {-1, 2.00000000001, 4.22784370083024548912259985089e-12},
        {-1, 1.59999999999999, -0.112591765696757031860455514892},
        {0, -0.9999999999, -9999999172.17357413341757056269},
        {0, 1.87e19, 44.3750551977533632525905949576},
        {0, 1e300, 690.775527898213705257902196661},
        // next to the zero of psi at 1.4616 (once up to 1e8 units of 1e-16 off) and at the seam
        {0, 1.47163214496836, 9.63270300862023174792939853455e-03},
        {0, 1.45163214496836, -9.72125892141994744220500941163e-03},
        {0, 1.46163224496836, 9.67672179325534222332327769113e-08},
        {0, 1.46163204496836, -9.67672312699701514270315322861e-08},
        {0, 1.46163214496936, 9.65302329002288122257905422108e-13},
        {0, 1.21263214496836, -0.273147050473619957864397297468},
        {1, -2.00000001, 10000000121549423.4214466737966},
        {1, 2.02327108673836e28, 4.94249142665337419587145633965e-29},
        {100, 50.597, -8.2908855057154671269881435957e-15},
        {160, 200.5, -1.9631371727827228340025774072e-86},
    };
    WorstRow worst(2e-15);
    for (const Row& row : kRows) {
        const double value = row.n == -2 ? Gamma(row.x) : row.n == -1 ? LogGamma(row.x) : Polygamma(row.n, row.x);
        worst.Relative(value, row.reference, Arguments({double(row.n), row.x}));
    }
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
