// The single-argument evaluator: values, argument checks, translated faults, infinities and
// the integer functions, through whole evaluations.
#include "functions/unary_functions.hpp"

#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex {
namespace {

// Values, the argument checks that come first, faults translated for the function, infinities
// refused as arguments and the integer functions.
TEST(UnaryFunctions, EvaluationsOfTheDataFile) {
    EXPECT_EQ(testing::ExpectOutcomes("evaluations/unary_functions.tsv"), 82);
}

// Where the textbook formulas cancel (sinh near 0, asinh of large negatives, acosh, asec and
// asech near 1, fisher near -1, the erfc and normal tails, erfinv near 0 and -1): mpmath's exact
// values, within 1e-15 relative, a unit of the 15th digit shown.
TEST(UnaryFunctions, CancellingRegionsAgainstHighPrecision) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("cancellation_references.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 3u);
        double value = 0.0;
        ASSERT_EQ(
            EvaluateUnaryFunctionValue(ToUtf16(row.fields[0]), std::strtod(row.fields[1].c_str(), nullptr), value),
            UnaryOutcome::kValue);
        const double exact = std::strtod(row.fields[2].c_str(), nullptr);
        EXPECT_LE(std::fabs(value - exact), 1e-15 * std::fabs(exact));
    }
    EXPECT_EQ(rows.size(), 79u);
}

TEST(UnaryFunctions, InfinitiesAreWritten) {
    const std::vector<std::pair<std::u16string_view, std::u16string_view>> rows = {
        {u"atanh", u"1"},     {u"acoth", u"1"},     {u"atanh", u"-1"},     {u"acoth", u"-1"},
        {u"asech", u"1e-13"}, {u"acsch", u"1e-13"}, {u"acsch", u"-1e-13"}, {u"atanh", u"0.9999999999999"},
    };
    const std::u16string_view texts[] = {u"INF", u"INF", u"-INF", u"-INF", u"INF", u"INF", u"INF", u"INF"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(ToUtf8(rows[i].first));
        EXPECT_EQ(EvaluateUnaryFunction(rows[i].first, rows[i].second), texts[i]);
    }
}

TEST(UnaryFunctions, NamesItDoesNotServeAnswerFalseWithoutReadingTheArgument) {
    for (const std::u16string_view name : {u"max", u"pi", u"Sin", u"", u"sin(", u"beta"}) {
        SCOPED_TRACE(ToUtf8(name));
        EXPECT_EQ(EvaluateUnaryFunction(name, u"not a number"), u"False");
    }
}

}  // namespace
}  // namespace quorvex
