// Constant substitution in the token list, and the display texts hosts show
// (tests/data/constant_values.tsv, constant_substitution.tsv, constant_displays.tsv).
#include "pipeline/constants.hpp"

#include "core/decimal_separator.hpp"
#include "core/utf16.hpp"
#include "support/evaluation_rows.hpp"
#include "support/text_stages.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::SubstituteConstants;

// The expected texts are written with ".".
class ConstantsTest : public ::testing::Test {
protected:
    void SetUp() override { SetDecimalSeparator(u'.'); }
    void TearDown() override { SetDecimalSeparator(0); }
};

TEST_F(ConstantsTest, EveryRowBecomesItsNumberText) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("constant_values.tsv");
    ASSERT_EQ(rows.size(), kPhysicalConstantTable.size() + 1);
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 2u);
        const TokenText token(ToUtf16(row.fields[0]));
        TokenList tokens = {u"2", u"*", token, u"+", token};
        SubstituteConstants(tokens);
        const TokenText text(ToUtf16(row.fields[1]));
        EXPECT_EQ(tokens, (TokenList{u"2", u"*", text, u"+", text}));
    }
}

TEST_F(ConstantsTest, OnlyWholeTokensAndDegFollowedByZero) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("constant_substitution.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 2u);
        TokenList tokens = testing::TokenListOf(row.fields[0]);
        SubstituteConstants(tokens);
        EXPECT_EQ(tokens, testing::TokenListOf(row.fields[1]));
    }
    EXPECT_EQ(rows.size(), 16u);
}

TEST(ConstantsTable, DisplayTextsAreExact) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("constant_displays.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 2u);
        const PhysicalConstant* constant = FindPhysicalConstant(std::atoi(row.fields[0].c_str()));
        ASSERT_NE(constant, nullptr);
        EXPECT_EQ(std::u16string_view(constant->displayText), ToUtf16(row.fields[1]));
    }
    EXPECT_EQ(rows.size(), 15u);
    EXPECT_EQ(FindPhysicalConstant(34), nullptr);
    EXPECT_EQ(FindPhysicalConstant(-1), nullptr);
}

}  // namespace
}  // namespace quorvex
