// Whole evaluations through the driver: values, NaN and every error the pipeline raises.
#include "pipeline/driver.hpp"

#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace quorvex {
namespace {

using testing::ExpectError;

constexpr std::u16string_view kEmpty = u"計算する文字がありません\r\n（空白文字では？）";
constexpr std::u16string_view kUnbalanced = u"”（”と”）”の数が一致しません";

// Values as the parse of the last text, the NaN of an expression that does not reduce, and the
// error of the stage that fails.
TEST(Driver, EvaluationsOfTheDataFile) { EXPECT_EQ(testing::ExpectOutcomes("evaluations/driver.tsv"), 71); }

TEST(Driver, NegativeZeroSurvivesToTheHost) {
    const double value = EvaluateExpression(u"-0");
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
}

TEST(Driver, NullAndNulTerminateTheExpression) {
    ExpectError([] { EvaluateExpression(static_cast<const char16_t*>(nullptr)); }, {"EConvertError", 0, kEmpty});
    EXPECT_EQ(EvaluateExpression(std::u16string_view(u"1+2\0+5", 6)), 3);
}

TEST(Driver, AFailedEvaluationLeavesNothingBehind) {
    ExpectError([] { EvaluateExpression(u"(1+2"); }, {"EFunctionError", 0, kUnbalanced});
    EXPECT_EQ(EvaluateExpression(u"(1+2)*3"), 9);
}

}  // namespace
}  // namespace quorvex
