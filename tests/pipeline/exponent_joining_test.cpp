// Rejoining exponent notation that the tokenizer cut at its sign.
#include "pipeline/exponent_joining.hpp"

#include "core/utf16.hpp"
#include "pipeline/constants.hpp"
#include "support/error_matchers.hpp"
#include "support/text_stages.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::JoinExponentNotation;
using testing::SubstituteConstants;

constexpr std::u16string_view kLeadingE = u"eを含む文字列が、正しい数値になっていません";
constexpr std::u16string_view kJoinFailed = u"eに数値を代入する際にエラーになりました";

std::string Describe(const TokenList& tokens) {
    std::u16string text;
    for (const auto& token : tokens) text += token + u" ";
    return ToUtf8(text);
}

TEST(ExponentJoining, JoinsCandidatesWithSignAndNextToken) {
    struct Row {
        TokenList tokens;
        TokenList expected;
    };
    const std::vector<Row> rows = {
        {{}, {}},
        {{u"1.5e", u"-", u"3"}, {u"1.5e-3"}},
        {{u"1.5e", u"-", u"3", u"*", u"2"}, {u"1.5e-3", u"*", u"2"}},
        {{u"1e", u"+", u"5"}, {u"1e+5"}},
        {{u"2e5"}, {u"2e5"}},
        {{u"2e5", u"-", u"1"}, {u"2e5", u"-", u"1"}},
        {{u"-", u"1", u"*", u"1e", u"-", u"3"}, {u"-", u"1", u"*", u"1e-3"}},
        // Without a sign the next token is glued on directly.
        {{u"2e", u"5"}, {u"2e5"}},
        {{u"1e", u"-", u"3", u"+", u"2e", u"+", u"1"}, {u"1e-3", u"+", u"2e+1"}},
        // A lone e that is not first reads as a number once joined.
        {{u"2", u"*", u"e", u"+", u"1"}, {u"2", u"*", u"e+1"}},
        {{u"exp", u"(", u"1", u")"}, {u"exp", u"(", u"1", u")"}},
        {{u"1e5e"}, {u"1e5e"}},
        {{u"4.35974381E-18", u"+", u"1"}, {u"4.35974381E-18", u"+", u"1"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Describe(row.tokens));
        TokenList tokens = row.tokens;
        JoinExponentNotation(tokens);
        EXPECT_EQ(tokens, row.expected);
    }
}

TEST(ExponentJoining, ConstantsEndingInEAreNumbersBeforeJoining) {
    for (const TokenText token : {u"he", u"ue", u"ge", u"mne"}) {
        SCOPED_TRACE(ToUtf8(token));
        TokenList tokens = {u"1", u"+", token, u"-", u"1"};
        SubstituteConstants(tokens);
        const TokenList substituted = tokens;
        JoinExponentNotation(tokens);
        EXPECT_EQ(tokens, substituted);
    }
}

TEST(ExponentJoining, RaisesWhenNoNumberCanBeFormed) {
    struct Row {
        TokenList tokens;
        std::u16string_view message;
    };
    const std::vector<Row> rows = {
        {{u"e"}, kLeadingE},
        {{u"e", u"+", u"1"}, kLeadingE},
        {{u"e", u"*", u"2"}, kLeadingE},
        {{u"3e"}, kJoinFailed},
        {{u"1", u"+", u"3e"}, kJoinFailed},
        {{u"1e", u"-"}, kJoinFailed},
        {{u"1e", u"+"}, kJoinFailed},
        {{u"2e", u"(", u"3", u")"}, kJoinFailed},
        {{u"2e", u"+", u"("}, kJoinFailed},
        {{u"1", u"*", u"e", u"-", u"x"}, kJoinFailed},
        {{u"1.5e", u"-", u"3e"}, kJoinFailed},
        // Unsubstituted, a constant ending in e is a candidate like any other.
        {{u"he", u"+", u"1"}, kJoinFailed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Describe(row.tokens));
        TokenList tokens = row.tokens;
        testing::ExpectError([&] { JoinExponentNotation(tokens); }, {"EConvertError", 0, row.message});
    }
}

}  // namespace
}  // namespace quorvex
