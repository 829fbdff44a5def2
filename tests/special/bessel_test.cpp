// Bessel functions against the standard library's cyl_bessel_j and cyl_neumann, closed forms of
// the half-integer orders, published and 25-digit reference values (mpmath), and the Wronskian.
#include "special/bessel.hpp"

#include "special/messages.hpp"
#include "core/errors.hpp"
#include "support/accuracy.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>

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

TEST(BesselJ, PublishedValuesOriginAndCaps) {
    EXPECT_NEAR(BesselJ(1, 0), 0.76519768655796655145, 4e-16);
    EXPECT_NEAR(BesselJ(2, 1), 0.57672480775687338720, 4e-16);
    EXPECT_NEAR(BesselJ(50, 0), 0.055812327669251815005, 2e-17);  // Hankel's expansion
    EXPECT_NEAR(BesselJ(kPi, 0.5), 0.0, 1e-16);
    EXPECT_EQ(BesselJ(1, -1), -BesselJ(1, 1));
    EXPECT_EQ(BesselJ(-2.5, 3), -BesselJ(2.5, 3));
    EXPECT_EQ(BesselJ(0, 0), 1.0);  // J_0(0) = 1; 0 for other orders, divergent for negative non-integers
    for (const double nu : {3.0, -3.0, 0.5, 2.7}) EXPECT_EQ(BesselJ(0, nu), 0.0) << nu;
    testing::ExpectError([] { BesselJ(0, -2.7); }, {"EFunctionError", 10008, kBesselJPole});
    testing::ExpectError([] { BesselJ(0, -0.5); }, {"EFunctionError", 10008, kBesselJPole});
    // With eps = 0 the terms underflow to 0, which is not below eps: the series and the
    // expansion reach their caps.
    testing::ExpectError([] { BesselJ(1, 0, 0); }, {"EConvergeError", 10010, kBesselJNoConvergence});
    testing::ExpectError([] { BesselJ(1e6, 0, 0); }, {"EConvergeError", 10010, kBesselJNoConvergence});
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
    // A negative point with a non-integer order stays invalid, as the series' power of a
    // negative base and the expansion's square root are; beyond -45 for every order.
    for (const double x : {-1.0, -10.0, -50.0}) {
        testing::ExpectError([x] { BesselJ(x, 0.3); }, {"EInvalidOp", 0, kInvalidOpMessage});
    }
    testing::ExpectError([] { BesselJ(-50, 2); }, {"EInvalidOp", 0, kInvalidOpMessage});
}

TEST(BesselJ, LargeOrdersAndLargeArguments) {
    // The series stopped on the absolute size of its terms (J_20(3) ~ 1e-15 came out 0.6% off),
    // overflowed in Gamma(nu + 1) past nu = 170 and took 1 / Gamma(nu + 1) near its poles from a
    // reflection that rounds pi (nu + 1) (J_-2.000000001(3) off by 9e-8). Hankel's expansion
    // served every order (J_50(50) off by 9e-8, J_200(500) by 15%) and rounded away its phase at
    // large x. exp(ln Gamma(nu + 1)) carries ~1e-13 at nu = 150; Steed's method ~1e-13 at x = 500.
    testing::WorstRow large(2e-13);
    for (const Row& row : {Row{3, 20, 1.2275946737992986496e-15}, Row{1, 50, 2.9060049481732393945e-80},
                           Row{5.4, 100.5, 2.2347467993515303007e-116}, Row{5, 200, 4.7600100880022901372e-296},
                           Row{-5.4, 171, -4.4773010227281475014e-236}, Row{2, -30.5, 1.5880739239778077007e+31},
                           Row{3, -2.000000001, 0.48609126100609744184}}) {
        large.Relative(BesselJ(row.x, row.nu), row.reference, Trace(row.x, row.nu));
    }
    // Orders in the billions at a subnormal or moderate x underflow at once: the leading term's
    // product once ran a step per unit of the order (a fuzzer's 13 s hang).
    EXPECT_EQ(BesselJ(4.9e-324, 2147483648.5), 0.0);
    EXPECT_EQ(BesselY(4.9e-324, -2147483648.5), 0.0);
    EXPECT_EQ(BesselJ(1e100, 1e300), 0.0);
    ExpectRows(J,
               {Row{46, 40, 0.054018433006960229744}, Row{50, 50, 0.12140902189761506382},
                Row{100, 55, -0.0869480245024378536893}, Row{500, 200, 0.031202198153727847088},
                Row{2000, 44, -0.001334061040053853649}, Row{1e6, 1.5, -0.00074742033911234470778},
                Row{1e8, 0, 3.2060295340412078037e-5}},
               2e-13);
    // Where x^2 < 10 (nu + 1) Steed's method gives way to the ascending series in double-double;
    // exp(nu ln(x/2) - ln Gamma(nu + 1)) rounded its exponent: J_12(8.89555) off by 6e-15 (its
    // 15th digit), J_150(30) by 1e-13.
    testing::WorstRow series(1e-15);
    for (const Row& row : {Row{8.89555, 12, 0.024808420322691944984}, Row{30, 150, 1.0149719440195299264e-87},
                           Row{31.6, 99, 3.9720825296561823299e-39}, Row{6, 171, 2.9595678611737081142e-228},
                           Row{5.5, 45, 4.1747930955355004513e-37}, Row{27.67629, 125.5, 1.6570963938802932504e-68},
                           Row{10, 20.3, 7.661891254425871729e-6}, Row{60, 400, 1.1604342736008625714e-279},
                           Row{44, 199.99, 3.5082750737664452427e-108}}) {
        series.Relative(BesselJ(row.x, row.nu), row.reference, Trace(row.x, row.nu));
    }
    // Past the double range J underflows to 0 and Y overflows, said before any recurrence runs.
    EXPECT_EQ(BesselJ(2000, 1e6), 0.0);
    EXPECT_EQ(BesselJ(104.1, 727), 0.0);   // 6.6e-521: its recurrence used to overflow
    EXPECT_EQ(BesselY(7.8, -735.5), 0.0);  // sin(735.5 pi) J_735.5, without the infinite Y_735.5
    EXPECT_THROW(BesselY(1e6, 1.1e6), EOverflow);
    EXPECT_THROW(BesselY(2.4e-5, -95), EOverflow);  // its logarithmic series divided by 0
    // Orders between the recurrence's reach (12000) and the turning point, at x above it, are
    // left to Debye's expansions, which are not here.
    testing::ExpectError([] { BesselJ(1e6, 5e5); }, {"EConvergeError", 10010, kBesselJNoConvergence});
    testing::ExpectError([] { BesselY(1e6, 5e5); }, {"EConvergeError", 10010, kBesselYNoConvergence});
}

TEST(BesselY, PublishedValuesErrorsAndCaps) {
    using testing::ExpectError;
    EXPECT_NEAR(BesselY(1, 0), 0.088256964215676957983, 2e-16);
    EXPECT_NEAR(BesselY(1, 0.5), -std::sqrt(2 / kPi) * std::cos(1.0), 2e-16);
    EXPECT_NEAR(BesselY(50, 0), -0.098064995470077079029, 2e-16);
    EXPECT_EQ(BesselY(1, -1), -BesselY(1, 1));
    ExpectError([] { BesselY(0, 1); }, {"EFunctionError", 10008, kBesselYPole});
    ExpectError([] { BesselY(0, 0.5); }, {"EFunctionError", 10008, kBesselYPole});
    ExpectError([] { BesselY(-1, 2); }, {"EFunctionError", 10008, kBesselYImaginary});
    ExpectError([] { BesselY(-50, 0); }, {"EFunctionError", 10008, kBesselYImaginary});
    ExpectError([] { BesselY(-1, 0.5); }, {"EInvalidOp", 0, kInvalidOpMessage});
    ExpectError([] { BesselY(-1, 2.0000001); }, {"EInvalidOp", 0, kInvalidOpMessage});
    // A cap inside J of a non-integer order is Y's own; in the integer branch J keeps its message.
    ExpectError([] { BesselY(1, 0.3, 0); }, {"EConvergeError", 10010, kBesselYNoConvergence});
    ExpectError([] { BesselY(1, 1e-9, 0); }, {"EConvergeError", 10010, kBesselYNoConvergence});
    ExpectError([] { BesselY(1, 0, 0); }, {"EConvergeError", 10010, kBesselYNoConvergence});
    ExpectError([] { BesselY(1, 1, 0); }, {"EConvergeError", 10010, kBesselJNoConvergence});
    ExpectError([] { BesselY(10, 0.3, 0); }, {"EConvergeError", 10010, kBesselYNoConvergence});
    ExpectError([] { BesselY(2000, 150.5, -1); }, {"EConvergeError", 10010, kBesselYNoConvergence});
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

TEST(BesselY, OrdersNearIntegersAndLargeOrders) {
    // Weber's formula is 0/0 at the integers (at x = 3, order 2 + 1e-9 it gave 13.2 for -0.160); Temme's
    // series with upward recurrence below 5.5 and Steed's method above are continuous there. The
    // recurrence also reaches the orders whose n! overflowed in the logarithmic series.
    testing::WorstRow worst(1e-14);
    for (const Row& row : {Row{3, 2.000000001, -0.16040039394828007135}, Row{1, 1e-9, 0.088256963013707242874},
                           Row{1, -1e-12, 0.088256964216878927698}, Row{2, -2.999999, 1.1277834030942702241},
                           Row{0.01, -0.05, -2.9395926405324200337}, Row{10, 0.9999999, 0.24901543047892253768},
                           Row{60, 5.001, 0.099423756953073045738}, Row{5, 172, -1.4683236168059997717e+240},
                           Row{5, -172, -1.4683236168059997717e+240}, Row{5, 200, -3.3446295415444586104e+292}}) {
        worst.Relative(BesselY(row.x, row.nu), row.reference, Trace(row.x, row.nu));
    }
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
