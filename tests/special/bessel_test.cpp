// Bessel functions against the standard library's cyl_bessel_j and cyl_neumann, closed forms of
// the half-integer orders, published and 25-digit reference values (mpmath), and the Wronskian.
#include "special/bessel.hpp"

#include "core/errors.hpp"
#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

namespace quorvex::special {
namespace {

constexpr double kPi = std::numbers::pi;

struct Row {
    double x, nu, reference;
};

std::string Trace(double x, double nu) { return "x, nu = " + testing::Arguments({x, nu}); }

// Where J or Y crosses zero only its absolute digits count: errors are measured against the
// modulus sqrt(J^2 + Y^2), the size of the oscillation (the same for -nu and for -x).
double Modulus(double x, double nu) {
    return std::hypot(std::cyl_bessel_j(std::fabs(nu), std::fabs(x)), std::cyl_neumann(std::fabs(nu), std::fabs(x)));
}

void ExpectRows(double (*function)(double, double), std::initializer_list<Row> rows, double tolerance) {
    testing::WorstRow worst(tolerance, "of the modulus");
    for (const Row& row : rows) {
        worst.Add(std::fabs(function(row.x, row.nu) - row.reference) / Modulus(row.x, row.nu), Trace(row.x, row.nu));
    }
}

double J(double x, double nu) { return BesselJ(x, nu); }
double Y(double x, double nu) { return BesselY(x, nu); }

TEST(BesselJ, PublishedValuesAndTheOrigin) {
    EXPECT_NEAR(BesselJ(1, 0), 0.76519768655796655145, 4e-16);
    EXPECT_NEAR(BesselJ(2, 1), 0.57672480775687338720, 4e-16);
    EXPECT_NEAR(BesselJ(50, 0), 0.055812327669251815005, 2e-17);  // Hankel's expansion
    EXPECT_NEAR(BesselJ(kPi, 0.5), 0.0, 1e-16);
    EXPECT_EQ(BesselJ(1, -1), -BesselJ(1, 1));
    EXPECT_EQ(BesselJ(-2.5, 3), -BesselJ(2.5, 3));
    EXPECT_EQ(BesselJ(0, 0), 1.0);  // J_0(0) = 1; 0 for other orders, divergent for negative non-integers
    for (const double nu : {3.0, -3.0, 0.5, 2.7}) EXPECT_EQ(BesselJ(0, nu), 0.0) << nu;
}

TEST(BesselJ, AscendingSeriesAndHalfIntegerOrders) {
    // Near |x| = 5.5 the series adds terms up to I_nu(5.5) ~ 40 in size to reach |J| < 1.
    for (const double x : {0.05, 0.7, 2.2, 3.9, 5.2, 5.49}) {
        for (const double nu : {0.0, 0.25, 1.0, 3.5, 8.0, 13.7}) {
            SCOPED_TRACE(Trace(x, nu));
            EXPECT_NEAR(BesselJ(x, nu), std::cyl_bessel_j(nu, x), 1e-14 * Modulus(x, nu));
        }
    }
    // J_3/2 and Y_3/2 are elementary; every regime, through Weber's formula for Y.
    for (const double x : {0.5, 3.0, 9.0, 30.0, 60.0, 1e4}) {
        const double root = std::sqrt(2 / (kPi * x));
        EXPECT_NEAR(BesselJ(x, 1.5), root * (std::sin(x) / x - std::cos(x)), 1e-14 * root) << x;
        EXPECT_NEAR(BesselY(x, 1.5), -root * (std::cos(x) / x + std::sin(x)), 1e-14 * root) << x;
    }
}

TEST(BesselJ, AccurateBetweenTheSeriesAndTheExpansion) {
    // From 5.5 to 45 neither the series nor Hankel's expansion is accurate; Steed's
    // method holds about 5e-14 of the modulus there.
    ExpectRows(J,
               {Row{5.5, 0, -0.006843869417819196824}, Row{6, -0.3, 0.26660952765097886359},
                Row{7.5, -2.5, 0.013708391569564107247}, Row{10, 0, -0.2459357644513483352},
                Row{12, -3, -0.19513693953109267725}, Row{-12, 3, -0.19513693953109267725},
                Row{20, 1, 0.066833124175850045579}, Row{44.9, 40, 0.13266287243625704742}},
               1e-13);
}

TEST(BesselJ, LargeOrdersAndLargeArguments) {
    // Orders in the billions at a subnormal or moderate x underflow at once: the leading term's
    // product once ran a step per unit of the order (a fuzzer's 13 s hang).
    EXPECT_EQ(BesselJ(4.9e-324, 2147483648.5), 0.0);
    EXPECT_EQ(BesselY(4.9e-324, -2147483648.5), 0.0);
    EXPECT_EQ(BesselJ(1e100, 1e300), 0.0);
    // Hankel's expansion served every order (J_50(50) off by 9e-8, J_200(500) by 15%) and rounded
    // away its phase at large x; Steed's method holds ~1e-13 at x = 500.
    ExpectRows(J,
               {Row{46, 40, 0.054018433006960229744}, Row{50, 50, 0.12140902189761506382},
                Row{100, 55, -0.0869480245024378536893}, Row{500, 200, 0.031202198153727847088},
                Row{2000, 44, -0.001334061040053853649}, Row{1e6, 1.5, -0.00074742033911234470778},
                Row{1e8, 0, 3.2060295340412078037e-5}},
               2e-13);
    // Past the double range J underflows to 0 and Y overflows, said before any recurrence runs.
    EXPECT_EQ(BesselJ(2000, 1e6), 0.0);
    EXPECT_EQ(BesselJ(104.1, 727), 0.0);   // 6.6e-521: its recurrence used to overflow
    EXPECT_EQ(BesselY(7.8, -735.5), 0.0);  // sin(735.5 pi) J_735.5, without the infinite Y_735.5
    EXPECT_THROW(BesselY(1e6, 1.1e6), EOverflow);
    EXPECT_THROW(BesselY(2.4e-5, -95), EOverflow);  // its logarithmic series divided by 0
}

TEST(BesselY, PublishedValuesAndOverflow) {
    EXPECT_NEAR(BesselY(1, 0), 0.088256964215676957983, 2e-16);
    EXPECT_NEAR(BesselY(1, 0.5), -std::sqrt(2 / kPi) * std::cos(1.0), 2e-16);
    EXPECT_NEAR(BesselY(50, 0), -0.098064995470077079029, 2e-16);
    EXPECT_EQ(BesselY(1, -1), -BesselY(1, 1));
    // Y_nu(x) overflows for orders far above x, said before Steed's method recurs through them all.
    EXPECT_THROW(BesselY(10, 1e9), EOverflow);
    EXPECT_THROW(BesselY(10, 300), EOverflow);
}

TEST(BesselY, IntegerOrders) {
    // The logarithmic series below 5.5, against the library; past 5.5 it cancels (Y_0(40) came
    // out 0.507 for 0.126) and Steed's method, good to ~5e-14 of the modulus, takes over.
    for (const double x : {0.05, 0.7, 2.2, 3.9, 5.2, 5.49}) {
        for (const double n : {0.0, 1.0, 2.0, 5.0, 12.0, -3.0}) {
            SCOPED_TRACE(Trace(x, n));
            const double reference = n < 0 ? -std::cyl_neumann(-n, x) : std::cyl_neumann(n, x);
            EXPECT_NEAR(BesselY(x, n), reference, 1e-14 * Modulus(x, n));
        }
    }
    ExpectRows(
        Y,
        {Row{8, 0, 0.22352148938756622053}, Row{10, 5, 0.1354030476893623032}, Row{30, -3, 0.06803569025319872277},
         Row{40, 0, 0.12593641705826092925}, Row{44.9, 2, -0.020631144847296432603},
         Row{46, 30, 0.12368169779423315557}, Row{1e6, 1, -0.00033104337672417628886}},
        1e-13);
}

// tests/data/bessel.tsv: 25-digit references (mpmath) for large orders and arguments, the
// ascending series in double-double, Y near the integer orders; the poles, invalid points and caps.
TEST(Bessel, MatchTheirTable) {
    using A = std::vector<double>;
    EXPECT_EQ(
        testing::ExpectRoutineRows(
            "bessel.tsv", {{"J", [](const A& a) { return BesselJ(a.at(0), a.at(1), testing::ToleranceAt(a, 2)); }},
                           {"Y", [](const A& a) { return BesselY(a.at(0), a.at(1), testing::ToleranceAt(a, 2)); }}}),
        48);
}

TEST(BesselY, WronskianInEveryRegime) {
    // J_(nu+1) Y_nu - J_nu Y_(nu+1) = 2 / (pi x), each method against the others. The products
    // nearly cancel once nu exceeds x; Steed's method holds ~1e-13 near x = 100.
    for (const double x : {0.3, 1.7, 4.9, 5.6, 12.0, 33.0, 44.5, 46.0, 80.0, 300.0, 5000.0}) {
        for (const double nu : {0.0, 0.5, 1.0, 2.3, -1.7, 7.0, -7.0, 25.5, 2.000000001, -3.05}) {
            SCOPED_TRACE(Trace(x, nu));
            const double first = BesselJ(x, nu + 1) * BesselY(x, nu);
            const double second = BesselJ(x, nu) * BesselY(x, nu + 1);
            EXPECT_NEAR(first - second, 2 / (kPi * x), 1e-13 * (std::fabs(first) + std::fabs(second)));
        }
    }
}

}  // namespace
}  // namespace quorvex::special
