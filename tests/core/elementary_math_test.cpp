// The library's elementary functions against reference values computed by mpmath at 320 bits
// or more (tests/data/generate_elementary_math.py), and against C99's special values.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"
#include "support/accuracy.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// The functions by the names the data files give them: atan2 and hypot read y, the others ignore it.
std::optional<double> Call(const std::string& name, double x, double y) {
    static const std::map<std::string, double (*)(double)> unary = {
        {"exp", Exp},   {"expm1", Expm1}, {"log", Log},     {"log1p", Log1p}, {"sin", Sin},        {"cos", Cos},
        {"tan", Tan},   {"asin", Asin},   {"acos", Acos},   {"atan", Atan},   {"sinh", Sinh},      {"cosh", Cosh},
        {"tanh", Tanh}, {"asinh", Asinh}, {"acosh", Acosh}, {"atanh", Atanh}, {"erf", ErfNearZero}};
    if (name == "atan2") return Atan2(x, y);
    if (name == "hypot") return Hypot(x, y);
    const auto found = unary.find(name);
    if (found == unary.end()) return std::nullopt;
    return found->second(x);
}
constexpr std::size_t kFunctions = 19;

// The spacing of doubles at v, as the generator counts it.
double UnitInLastPlace(double v) { return std::ldexp(1.0, std::max(std::ilogb(v) - 52, -1074)); }

TEST(ElementaryMath, MatchesHighPrecisionReference) {
    // Units in the last place off the correctly rounded value, per function: every row exact.
    std::map<std::string, testing::WorstRow> table;
    for (const testing::DataRow& row : testing::ReadDataRows("elementary_math.tsv")) {
        ASSERT_GE(row.fields.size(), 4u) << row.where;
        const std::string& name = row.fields[0];
        const double expected = std::strtod(row.fields[3].c_str(), nullptr);
        const std::optional<double> value =
            Call(name, std::strtod(row.fields[1].c_str(), nullptr), std::strtod(row.fields[2].c_str(), nullptr));
        ASSERT_TRUE(value) << row.where << ": " << name;
        const double actual = *value;
        // A zero of the wrong sign or a non-finite miss counts as infinitely far.
        double ulps = 0.0;
        if (actual != expected || std::signbit(actual) != std::signbit(expected)) {
            ulps = std::isfinite(expected) && actual != expected
                       ? std::fabs(actual - expected) / UnitInLastPlace(expected)
                       : kInf;
        }
        char got[40];
        std::snprintf(got, sizeof got, " gave %a", actual);
        table.try_emplace(name, 0.0, name).first->second.Add(ulps, row.where + got);
    }
    for (const auto& [name, row] : table) std::printf("%-6s %s\n", name.c_str(), row.Summary().c_str());
    EXPECT_EQ(table.size(), kFunctions);
}

// C99 Annex F's special cases, and the edges where our own code answers without the kernels.
TEST(ElementaryMath, SpecialValuesOfC99) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("elementary_special_values.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 4u);
        const std::optional<double> actual = Call(row.fields[0], std::strtod(row.fields[1].c_str(), nullptr),
                                                  std::strtod(row.fields[2].c_str(), nullptr));
        ASSERT_TRUE(actual) << row.fields[0];
        const double expected = std::strtod(row.fields[3].c_str(), nullptr);
        if (std::isnan(expected)) {
            EXPECT_TRUE(std::isnan(*actual)) << *actual;
        } else {
            EXPECT_EQ(*actual, expected);
            EXPECT_EQ(std::signbit(*actual), std::signbit(expected));
        }
    }
    EXPECT_EQ(rows.size(), 77u);
}

struct RoundingCase {
    double hi;
    double lo;
    double err;
    std::optional<double> expected;
};

// Intervals around the midpoints of 1 and its neighbours: above 1 the spacing is 2^-52, below
// it 2^-53, so the midpoints are 1 + 2^-53 and 1 - 2^-54.
const RoundingCase kRoundingCases[] = {
    {1.0, 0x1p-54, 0x1p-60, 1.0},
    {1.0, 0x1p-53 - 0x1p-70, 0x1p-72, 1.0},
    {1.0, 0x1p-53 - 0x1p-70, 0x1p-69, std::nullopt},  // reaches the midpoint
    {1.0, 0x1p-53 + 0x1p-70, 0x1p-72, 1.0000000000000002},
    {1.0, 0x1p-53, 0.0, std::nullopt},  // the midpoint itself: lo's rounding counts
    {1.0, -0x1p-55, 0x1p-60, 1.0},
    {1.0, -0x1p-54 + 0x1p-72, 0x1p-74, 1.0},
    {1.0, -0x1p-54 + 0x1p-72, 0x1p-71, std::nullopt},  // below 1 the spacing halves
    {1.0, -0x1p-54 - 0x1p-72, 0x1p-74, 0.99999999999999989},
    {-1.0, 0x1p-54 - 0x1p-72, 0x1p-74, -1.0},
    {0.75, 0x1p-3, 0x1p-60, 0.875},  // lo need not be below an ulp of hi
};

TEST(ElementaryMath, RoundingTestAnswersOnlyWhenBothEndsAgree) {
    for (const RoundingCase& row : kRoundingCases) {
        SCOPED_TRACE(::testing::Message() << std::hexfloat << row.hi << " + " << row.lo << " +- " << row.err);
        double result = 0.0;
        const bool answered = RoundIfUnambiguous(row.hi, row.lo, row.err, result);
        EXPECT_EQ(answered ? std::optional<double>(result) : std::nullopt, row.expected);
    }
}

}  // namespace
}  // namespace quorvex
