// The tokenizer against a slow first-occurrence oracle, and its documented examples
// (tests/data/tokenizer.tsv).
#include "pipeline/tokenizer.hpp"

#include "core/utf16.hpp"
#include "pipeline/separator_table.hpp"
#include "support/evaluation_rows.hpp"
#include "support/text_stages.hpp"
#include "support/tokenizer_oracle.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory_resource>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::OracleTokenize;

TokenList TokensOf(std::u16string_view text) {
    TokenList tokens;
    EXPECT_TRUE(testing::Tokenize(tokens, text));
    return tokens;
}

TEST(TokenizerExamples, GiveDocumentedTokens) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("tokenizer.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 2u);
        const std::u16string text = ToUtf16(row.fields[0]);
        const TokenList expected = testing::TokenListOf(row.fields[1]);
        EXPECT_EQ(TokensOf(text), expected);
        EXPECT_EQ(OracleTokenize(text), expected);
    }
    EXPECT_EQ(rows.size(), 28u);
}

// Built from pieces of table entries so that overlaps, prefixes and near misses are common.
std::u16string RandomText(std::mt19937& rng) {
    static const std::vector<std::u16string> kPieces = {
        u"si",      u"sin",
        u"sinh",    u"s",
        u"h",       u"erf",
        u"erfc",    u"erfcinv",
        u"inv",     u"ex",
        u"exp",     u"expi",
        u"n",       u"ci",
        u"chi",     u"chisq",
        u"sq",      u"or",
        u"an",      u"andn",
        u"no",      u"deg",
        u"weibull", u"3",
        u"gamma",   u"zeta",
        u"x",       u"e",
        u"0",       u"1",
        u"5",       u"9",
        u".",       u",",
        u"+",       u"-",
        u"-",       u"*",
        u"/",       u"^",
        u"(",       u")",
        u"\u3000",  u"\uFF08",
        u"\uFF09",  std::u16string(1, static_cast<char16_t>(0xD800)),
    };
    std::uniform_int_distribution<std::size_t> lengthDist(0, 40);
    std::uniform_int_distribution<std::size_t> pieceDist(0, kPieces.size() - 1);
    const std::size_t length = lengthDist(rng);
    std::u16string text;
    while (text.size() < length) text += kPieces[pieceDist(rng)];
    text.resize(length);
    return text;
}

TEST(TokenizerOracle, MatchesFirstOccurrenceRuleOnGeneratedTexts) {
    std::mt19937 rng(20240611);
    for (int n = 0; n < 4000; ++n) {
        const std::u16string text = RandomText(rng);
        SCOPED_TRACE(ToUtf8(text));
        ASSERT_EQ(TokensOf(text), OracleTokenize(text));
    }
}

TEST(TokenizerOracle, EveryEntryAloneIsOneToken) {
    for (std::size_t i = 0; i < kSeparatorTable.size(); ++i) {
        const std::u16string text = u"1" + std::u16string(kSeparatorTable[i]) + u"1";
        SCOPED_TRACE(ToUtf8(text));
        EXPECT_EQ(TokensOf(text), (TokenList{u"1", TokenText(kSeparatorTable[i]), u"1"}));
    }
}

// The lean scan finds every entry as the tokenizer does, whatever follows its name: a longer
// entry, a letter or a 3 that makes no entry, a bracket.
TEST(LeanScanner, TakesEveryEntryAsTheTokenizerDoes) {
    int compared = 0;
    for (const std::u16string_view entry : kSeparatorTable) {
        for (const std::u16string_view after : {u"(0.5)", u"2", u"3(1)", u"h(1)", u"n(1)", u"inv(1)", u"log(1)"}) {
            const std::u16string text = u"1*" + std::u16string(entry) + std::u16string(after);
            std::array<LeanToken, 128> room;
            LeanScanner scanner(text);
            const LeanScanner::Batch batch = scanner.Next(room);
            if (batch.status != LeanScanner::Status::kEnd) continue;  // not a lean text
            std::pmr::monotonic_buffer_resource arena;
            Tokens tokens(&arena);
            ASSERT_TRUE(Tokenize(tokens, text, u'.'));
            SCOPED_TRACE(ToUtf8(text));
            ASSERT_EQ(batch.made, tokens.size());
            for (std::size_t i = 0; i < tokens.size(); ++i) {
                const LeanToken expected = LeanToken::Of(tokens[i]);
                EXPECT_EQ(room[i].kind, expected.kind) << i;
                EXPECT_EQ(room[i].isNumber, expected.isNumber) << i;
                EXPECT_EQ(room[i].unary, expected.unary) << i;
                EXPECT_EQ(room[i].multi, expected.multi) << i;
                if (expected.isNumber) {
                    EXPECT_EQ(room[i].value, expected.value) << i;
                }
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 300);
}

TEST(TokenizerLongText, CompletesWithEveryToken) {
    constexpr std::size_t kRepeats = 40000;
    std::u16string text;
    for (std::size_t n = 0; n < kRepeats; ++n) text += u"1+sin";
    ASSERT_EQ(text.size(), 200000u);
    const TokenList tokens = TokensOf(text);
    ASSERT_EQ(tokens.size(), 3 * kRepeats);
    EXPECT_EQ(tokens.front(), u"1");
    EXPECT_EQ(tokens.back(), u"sin");
}

TEST(TokenizerBrackets, NormaliseOnlyAsciiCurlyAndSquare) {
    struct Row {
        std::u16string_view text;
        std::u16string_view opened;
        std::u16string_view normalised;
    };
    const std::vector<Row> rows = {
        {u"{[1]}", u"((1]}", u"((1))"},
        {u"", u"", u""},
        {u"\uFF08[x}\uFF09", u"\uFF08(x}\uFF09", u"\uFF08(x)\uFF09"},
        {u"2*(3)", u"2*(3)", u"2*(3)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(ToUtf8(row.text));
        std::u16string text(row.text);
        NormaliseOpeningBrackets(text);
        EXPECT_EQ(text, row.opened);
        NormaliseClosingBrackets(text);
        EXPECT_EQ(text, row.normalised);
    }
}

TEST(TokenizerBrackets, CountsBracketsWithoutOrder) {
    struct Row {
        std::u16string_view text;
        bool balanced;
    };
    const std::vector<Row> rows = {
        {u")(", true},       {u"(1+2", false},     {u"1+2)", false},     {u"", true},
        {u"sin((1))", true}, {u"\uFF08(1)", true}, {u"(1\uFF09", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(ToUtf8(row.text));
        std::pmr::monotonic_buffer_resource arena;
        Tokens tokens(&arena);
        TokenCounts counts;
        ASSERT_TRUE(Tokenize(tokens, row.text, counts));
        EXPECT_EQ(counts.opening == counts.closing, row.balanced);
    }
}

}  // namespace
}  // namespace quorvex
