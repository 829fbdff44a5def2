// Constant substitution in the token list, and the display texts hosts show.
#include "pipeline/constants.hpp"

#include "core/decimal_separator.hpp"
#include "core/utf16.hpp"
#include "support/text_stages.hpp"

#include <gtest/gtest.h>

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
    struct Row {
        std::u16string_view token;
        std::u16string_view numberText;
    };
    const std::vector<Row> rows = {
        {u"pi", u"3.14159265358979"}, {u"r", u"8.314472"},
        {u"k", u"1.3806505E-23"},     {u"a", u"6.0221415E23"},
        {u"h", u"6.6260693E-34"},     {u"mp", u"2.1767E-8"},
        {u"lp", u"1.616E-35"},        {u"tp", u"5.3906E-44"},
        {u"f", u"96485.3383"},        {u"g0", u"6.6742E-11"},
        {u"g", u"9.80665"},           {u"rr", u"10973731.568525"},
        {u"c", u"299792458"},         {u"u0", u"1.25663706143592E-6"},
        {u"e0", u"8.854187817E-12"},  {u"z0", u"376.730313461"},
        {u"atm", u"101325"},          {u"deg0", u"273.15"},
        {u"el0", u"1.602176462E-19"}, {u"mel", u"9.10938188E-31"},
        {u"mpr", u"1.67262158E-27"},  {u"mne", u"1.67492716E-27"},
        {u"mu", u"1.66053873E-27"},   {u"af", u"0.007297352533"},
        {u"a0", u"5.291772083E-11"},  {u"he", u"4.35974381E-18"},
        {u"ub", u"9.27400899E-24"},   {u"ue", u"-9.28476362E-24"},
        {u"ge", u"2.0023193043737"},  {u"un", u"5.0507866E-27"},
        {u"up", u"1.41060761E-26"},   {u"rp", u"267522128"},
        {u"s", u"5.6704E-8"},         {u"c1", u"3.74177107E-16"},
        {u"c2", u"0.014387752"},
    };
    ASSERT_EQ(rows.size(), kPhysicalConstantTable.size() + 1);
    for (const auto& row : rows) {
        SCOPED_TRACE(ToUtf8(row.token));
        TokenList tokens = {u"2", u"*", TokenText(row.token), u"+", TokenText(row.token)};
        SubstituteConstants(tokens);
        const TokenText text(row.numberText);
        EXPECT_EQ(tokens, (TokenList{u"2", u"*", text, u"+", text}));
    }
}

TEST_F(ConstantsTest, OnlyWholeTokensAndDegFollowedByZero) {
    struct Row {
        TokenList tokens;
        TokenList expected;
    };
    const std::vector<Row> rows = {
        {{}, {}},
        {{u"mnu"}, {u"mnu"}},
        {{u"kk", u"+", u"c3"}, {u"kk", u"+", u"c3"}},
        {{u"2k"}, {u"2k"}},
        {{u"K"}, {u"K"}},
        {{u"pi0"}, {u"pi0"}},
        {{u"deg", u"0"}, {u"273.15"}},
        {{u"2", u"*", u"deg", u"0"}, {u"2", u"*", u"273.15"}},
        {{u"deg", u"0", u"+", u"1"}, {u"273.15", u"+", u"1"}},
        {{u"deg", u"0", u"deg", u"0", u"c"}, {u"273.15", u"273.15", u"299792458"}},
        {{u"deg", u"05"}, {u"deg", u"05"}},
        {{u"deg", u"0.5"}, {u"deg", u"0.5"}},
        {{u"deg", u"(", u"0", u")"}, {u"deg", u"(", u"0", u")"}},
        {{u"deg"}, {u"deg"}},
        {{u"0", u"deg"}, {u"0", u"deg"}},
        // The "0" after deg is consumed, not read as a token of its own.
        {{u"deg", u"0", u"0"}, {u"273.15", u"0"}},
    };
    for (const auto& row : rows) {
        std::u16string trace;
        for (const auto& token : row.tokens) trace += token + u" ";
        SCOPED_TRACE(ToUtf8(trace));
        TokenList tokens = row.tokens;
        SubstituteConstants(tokens);
        EXPECT_EQ(tokens, row.expected);
    }
}

TEST(ConstantsTable, DisplayTextsAreExact) {
    struct Row {
        std::size_t index;
        std::u16string_view display;
    };
    const std::vector<Row> rows = {
        {0, u"R  気体定数 (J/(mol*K))"},      {1, u"k  ボルツマン定数 (J/K)"},
        {2, u"A  アボガドロ定数 (1/mol)"},    {3, u"h  プランク定数 (J*s)"},
        {7, u"F  ファラデー定数 (C/mol)"},    {9, u"g  重力加速度 (m/s^2)"},
        {11, u"c  真空中の光速 (m/s)"},       {14, u"z0 真空のインピーダンス (\u03A9)"},
        {15, u"atm  標準大気圧 (Pa)"},        {16, u"Deg0 摂氏0\u2103 (K)"},
        {20, u"Mnu 中性子の静止質量 (kg)"},   {21, u"Mu  原子質量単位 (kg)"},
        {24, u"Eh ハートリーエネルギー (J)"}, {31, u"s シュテファン-ボルツマン定数 (W/(m^2*k^4))"},
        {33, u"c2 第二放射定数 (m*K)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.index);
        const PhysicalConstant* constant = FindPhysicalConstant(static_cast<std::int32_t>(row.index));
        ASSERT_NE(constant, nullptr);
        EXPECT_EQ(std::u16string_view(constant->displayText), row.display);
    }
    EXPECT_EQ(FindPhysicalConstant(34), nullptr);
    EXPECT_EQ(FindPhysicalConstant(-1), nullptr);
}

}  // namespace
}  // namespace quorvex
