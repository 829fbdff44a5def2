// Si, Ci, Cin, Shi, Chi and the Fresnel integrals against published and 17-digit reference
// values, their symmetries and limits, and the errors each raises.
#include "special/trigonometric_integrals.hpp"

#include "special/messages.hpp"
#include "core/errors.hpp"
#include "support/accuracy.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>

namespace quorvex::special {
namespace {

using Routine = double (*)(double);

constexpr Routine kSi = SineIntegral;
constexpr Routine kSsi = ShiftedSineIntegral;
constexpr Routine kCi = CosineIntegral;
constexpr Routine kCin = EntireCosineIntegral;
constexpr Routine kShi = HypSineIntegral;
constexpr Routine kChi = HypCosineIntegral;
constexpr Routine kS = FresnelS;
constexpr Routine kC = FresnelC;

struct Row {
    const char* name;
    Routine routine;
    double x;
    double reference;
};

std::string Describe(const Row& row) {
    char text[64];
    std::snprintf(text, sizeof text, "%s(%.17g)", row.name, row.x);
    return text;
}

TEST(TrigonometricIntegrals, MatchPublishedValues) {
    // Tabulated to 15 decimals (Abramowitz & Stegun): half a unit of the last decimal.
    constexpr double kTolerance = 5e-16;
    for (const Row& row : {Row{"Si", kSi, 1.0, 0.946083070367183}, Row{"Ci", kCi, 1.0, 0.337403922900968},
                           Row{"S", kS, 1.0, 0.438259147390355}, Row{"C", kC, 1.0, 0.779893400376823}}) {
        SCOPED_TRACE(Describe(row));
        EXPECT_NEAR(row.routine(row.x), row.reference, kTolerance);
    }
}

TEST(TrigonometricIntegrals, MatchReferenceValues) {
    // 50-digit values (mpmath) rounded to 17 digits, on both sides of every switch (4 for Si, Ci
    // and Cin, 50 for Shi and Chi, 1.5 and 100 for S and C) and far beyond, away from zeros. The
    // methods' rounding there stays within 2e-15 (Fresnel's asymptotic series, whose second
    // sine coefficient is 5 where the classical one is 15, adds up to 2e-15 just above 100).
    constexpr double kTolerance = 4e-15;
    const Row rows[] = {
        {"Si", kSi, 0.5, 0.49310741804306669},         {"Si", kSi, 4.0, 1.7582031389490531},
        {"Si", kSi, 4.5, 1.654140414379244},           {"Si", kSi, 10.0, 1.658347594218874},
        {"Si", kSi, 20.0, 1.5482417010434398},         {"Si", kSi, 1e6, 1.5707953900431191},
        {"Si", kSi, -7.0, -1.4545966142480936},        {"ssi", kSsi, 0.5, -1.0776889087518299},
        {"ssi", kSsi, 4.0, 0.18740681215415644},       {"ssi", kSsi, 20.0, -0.022554625751456779},
        {"ssi", kSsi, 100.0, -0.0085708599058403259},  {"ssi", kSsi, 1e6, -9.3675177753776911e-7},
        {"ssi", kSsi, -50.0, -3.1224133992808325},     {"Ci", kCi, 1e-10, -22.448635265038924},
        {"Ci", kCi, 0.1, -1.7278683866572966},         {"Ci", kCi, 2.0, 0.422980828774865},
        {"Ci", kCi, 4.5, -0.19349112210173876},        {"Ci", kCi, 10.0, -0.045456433004455373},
        {"Ci", kCi, 20.0, 0.044419820845353317},       {"Ci", kCi, 1e6, -3.4999443892272049e-7},
        {"Cin", kCin, 1e-6, 2.4999999999998956e-13},   {"Cin", kCin, 1e-3, 2.4999998958333358e-7},
        {"Cin", kCin, 3.0, 1.5561981675616422},        {"Cin", kCin, 4.0, 2.1044917239083539},
        {"Cin", kCin, 4.5, 2.2747841837795457},        {"Cin", kCin, 1e6, 14.392726572860246},
        {"Shi", kShi, 1e-3, 0.0010000000555555572},    {"Shi", kShi, 2.0, 2.5015674333549756},
        {"Shi", kShi, 49.0, 1.9877213739518724e+19},   {"Shi", kShi, 50.0, 5.2928184485658455e+19},
        {"Shi", kShi, 700.0, 7.2548936802628043e+300}, {"Shi", kShi, -60.0, -9.6809110696463827e+23},
        {"Chi", kChi, 1e-3, -6.3305393640805938},      {"Chi", kChi, 10.0, 1246.1144860424544},
        {"Chi", kChi, 49.0, 1.9877213739518724e+19},   {"Chi", kChi, 100.0, 1.3577763724269399e+41},
        {"S", kS, 0.1, 0.00052358954761221069},        {"S", kS, 1.49, 0.70111322499827987},
        {"S", kS, 1.5, 0.69750496008209301},           {"S", kS, 1.98625, 0.34400790826621123},
        {"S", kS, 3.0, 0.49631299896737504},           {"S", kS, 10.0, 0.46816997858488224},
        {"S", kS, 70.0, 0.49545271596922816},          {"S", kS, 100.0, 0.49681690114783755},
        {"S", kS, 100.5, 0.4970737927674261},          {"S", kS, 1000.0, 0.49968169011381631},
        {"C", kC, 0.5, 0.49234422587144639},           {"C", kC, 1.49, 0.45458652017763682},
        {"C", kC, 1.5, 0.44526117603982154},           {"C", kC, 1.8079, 0.33670442184541285},
        {"C", kC, 1.91, 0.40281901626317524},          {"C", kC, 3.0, 0.60572078929768563},
        {"C", kC, 70.0, 0.49999970460298184},          {"C", kC, 99.9, 0.50004994637848531},
        {"C", kC, 100.5, 0.50121196668151362},         {"C", kC, 1000.0, 0.49999999989867882},
    };
    testing::WorstRow worst(kTolerance);
    for (const Row& row : rows) worst.Relative(row.routine(row.x), row.reference, Describe(row));
}

TEST(TrigonometricIntegrals, KeepTheirSymmetriesAndLimits) {
    for (const double x : {0.3, 1.4999, 2.0, 4.0, 4.5, 49.0, 50.0, 99.9, 100.0, 100.5, 300.0, 1e6}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(SineIntegral(-x), -SineIntegral(x));
        EXPECT_EQ(FresnelS(-x), -FresnelS(x));
        EXPECT_EQ(FresnelC(-x), -FresnelC(x));
        if (x < 700) {
            EXPECT_EQ(HypSineIntegral(-x), -HypSineIntegral(x));
        }
    }
    EXPECT_EQ(SineIntegral(0.0), 0.0);
    EXPECT_EQ(HypSineIntegral(0.0), 0.0);
    // Cin = γ + ln x - Ci where neither side cancels (Cin is 0.2 or more): two roundings.
    for (const double x : {1.0, 2.5, 4.0, 4.5, 8.0, 50.0}) {
        SCOPED_TRACE(x);
        const double identity = std::numbers::egamma + std::log(x) - CosineIntegral(x);
        EXPECT_LE(std::fabs(EntireCosineIntegral(x) - identity) / identity, 2e-15);
    }
    // Beyond the series ssi is Si - π/2 without the subtraction: they agree to an ulp of Si.
    for (const double x : {4.5, 10.0, 30.0}) {
        EXPECT_NEAR(ShiftedSineIntegral(x), SineIntegral(x) - std::numbers::pi / 2, 4.5e-16) << x;
    }
    // For x >= 1e4, S(x) = ½ - cos e/(πx) - sin e/(π²x³) and C(x) = ½ + sin e/(πx) - cos e/(π²x³)
    // to 1e-20, e = πx²/2; for an integer x, x² ≡ 0 (even) or 1 (odd) modulo 4, so cos e and sin e
    // are exact. Two ulps of ½ cover the rounding.
    for (const double x : {1e4, 1e4 + 1, 1e8, 1e8 + 1, 1152921504606846976.0, 1e300}) {
        SCOPED_TRACE(x);
        const bool odd = std::fmod(x, 2.0) == 1.0;
        const double cosE = odd ? 0.0 : 1.0;
        const double sinE = odd ? 1.0 : 0.0;
        const double first = 1.0 / (std::numbers::pi * x);
        const double second = first / (std::numbers::pi * x) / x;
        EXPECT_NEAR(FresnelS(x), 0.5 - cosE * first - sinE * second, 2.3e-16);
        EXPECT_NEAR(FresnelC(x), 0.5 + sinE * first - cosE * second, 2.3e-16);
    }
}

testing::ExpectedError Argument(std::u16string_view message) { return {"EFunctionError", 10008, message}; }
testing::ExpectedError Cap(std::u16string_view message) { return {"EConvergeError", 10010, message}; }
constexpr testing::ExpectedError kOverflow{"EOverflow", kNoHelpContext, kOverflowMessage};

struct ErrorRow {
    const char* what;
    std::function<void()> call;
    testing::ExpectedError error;
};

TEST(TrigonometricIntegrals, RaiseTheirErrors) {
    // With eps = 0 the test eps > |v| never holds: every loop raises at once, as at its cap. Shi's
    // asymptotic series at 60 gives up once its terms stop changing the sum (its smallest is
    // 2e-25).
    const ErrorRow rows[] = {
        {"ci(0)", [] { CosineIntegral(0.0); }, Argument(kCiNotPositive)},
        {"cin(-1)", [] { EntireCosineIntegral(-1.0); }, Argument(kCinNotPositive)},
        {"chi(0)", [] { HypCosineIntegral(0.0); }, Argument(kChiNotPositive)},
        {"ci(0) with eps", [] { CosineIntegral(0.0, 0.0); }, Argument(kCiNotPositive)},
        {"bsi series", [] { SineIntegral(1.0, 0.0); }, Cap(kSiNotConverged)},
        {"bsi fraction", [] { SineIntegral(-10.0, 0.0); }, Cap(kSiNotConverged)},
        {"ssi series", [] { ShiftedSineIntegral(1.0, 0.0); }, Cap(kSsiNotConverged)},
        {"ssi fraction", [] { ShiftedSineIntegral(10.0, 0.0); }, Cap(kSsiNotConverged)},
        {"ssi negative", [] { ShiftedSineIntegral(-10.0, 0.0); }, Cap(kSsiNotConverged)},
        {"ci series", [] { CosineIntegral(1.0, 0.0); }, Cap(kCiNotConverged)},
        {"ci fraction", [] { CosineIntegral(10.0, 0.0); }, Cap(kCiNotConverged)},
        {"cin series", [] { EntireCosineIntegral(1.0, 0.0); }, Cap(kCinNotConverged)},
        {"cin fraction", [] { EntireCosineIntegral(10.0, 0.0); }, Cap(kCinNotConverged)},
        {"shi series", [] { HypSineIntegral(1.0, 0.0); }, Cap(kShiNotConverged)},
        {"shi asymptotic", [] { HypSineIntegral(60.0, 1e-40); }, Cap(kShiNotConverged)},
        {"chi series", [] { HypCosineIntegral(1.0, 0.0); }, Cap(kChiNotConverged)},
        {"chi asymptotic", [] { HypCosineIntegral(60.0, 0.0); }, Cap(kChiNotConverged)},
        {"fsi series", [] { FresnelS(1.0, 0.0); }, Cap(kFresnelSNotConverged)},
        {"fsi quadrature", [] { FresnelS(3.0, 0.0); }, Cap(kFresnelSNotConverged)},
        {"fsi asymptotic", [] { FresnelS(-200.0, 0.0); }, Cap(kFresnelSNotConverged)},
        {"fci series", [] { FresnelC(1.0, 0.0); }, Cap(kFresnelCNotConverged)},
        {"fci quadrature", [] { FresnelC(70.0, 0.0); }, Cap(kFresnelCNotConverged)},
        {"fci asymptotic", [] { FresnelC(200.0, 0.0); }, Cap(kFresnelCNotConverged)},
        {"shi past the largest double", [] { HypSineIntegral(718.0); }, kOverflow},
        {"chi past the largest double", [] { HypCosineIntegral(718.0); }, kOverflow},
    };
    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.what);
        testing::ExpectError(row.call, row.error);
    }
}

TEST(TrigonometricIntegrals, ToleranceFinerThanADouble) {
    // A series that compares its terms with eps (the power series, the Fresnel quadrature and
    // asymptotic series) ends with its value once the terms no longer change it, however small
    // eps is: fsi(10, 0) ran the quadrature to its cap, ~500 000 exponentials, and eps = 1e-300
    // gave the value after as many. A relative test (the continued fraction of E1(ix), the
    // asymptotic series of Shi and Chi) is met below 2^-54 only by a round that changes nothing
    // at all (delta exactly 1), and raises as soon as a round changes the value by less than
    // that without; eps <= 0 raises at once everywhere.
    testing::WorstRow worst(4e-15);
    struct TightRow {
        const char* name;
        double (*routine)(double, double);
        double x;
        double reference;
    };
    for (const TightRow& row :
         {TightRow{"Si", SineIntegral, 4.0, 1.7582031389490531},
          TightRow{"Cin", EntireCosineIntegral, 3.0, 1.5561981675616422},
          TightRow{"Shi", HypSineIntegral, 2.0, 2.5015674333549756},
          TightRow{"Shi", HypSineIntegral, 49.0, 1.9877213739518724e+19},
          TightRow{"Chi", HypCosineIntegral, 10.0, 1246.1144860424544},
          TightRow{"S", FresnelS, 0.1, 0.00052358954761221069}, TightRow{"S", FresnelS, 10.0, 0.46816997858488224},
          TightRow{"C", FresnelC, 3.0, 0.60572078929768563}, TightRow{"S", FresnelS, 1000.0, 0.49968169011381631}}) {
        worst.Relative(row.routine(row.x, 1e-300), row.reference, row.name + testing::Arguments({row.x}));
    }
    const ErrorRow rows[] = {
        {"bsi fraction", [] { SineIntegral(20.0, 1e-300); }, Cap(kSiNotConverged)},
        {"ci fraction", [] { CosineIntegral(4.5, 1e-300); }, Cap(kCiNotConverged)},
        {"chi asymptotic", [] { HypCosineIntegral(100.0, 1e-20); }, Cap(kChiNotConverged)},
        {"fsi quadrature", [] { FresnelS(10.0, 0.0); }, Cap(kFresnelSNotConverged)},
        {"fci negative eps", [] { FresnelC(10.0, -1.0); }, Cap(kFresnelCNotConverged)},
    };
    for (const ErrorRow& row : rows) {
        SCOPED_TRACE(row.what);
        testing::ExpectError(row.call, row.error);
    }
}

}  // namespace
}  // namespace quorvex::special
