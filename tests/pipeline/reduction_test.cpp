// The reduction engine, unary-minus folding, function application and the operators.
#include "pipeline/reduction.hpp"

#include "core/utf16.hpp"
#include "pipeline/registries.hpp"
#include "support/evaluation_rows.hpp"
#include "support/text_stages.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::ApplyUnaryFunctions;
using testing::EvaluateMultiArgCall;
using testing::ExpectError;
using testing::FoldUnaryMinus;
using testing::ReduceOperators;
using testing::ReduceTokenList;

std::string Show(const TokenList& tokens) {
    std::string out;
    for (const auto& token : tokens) {
        if (!out.empty()) out += ' ';
        out.append(token.begin(), token.end());
    }
    return out;
}

// tests/data/reduction_stages.tsv: the minus fold, the single-argument functions and the
// operators on token lists.
TEST(ReductionStages, MatchTheirTable) {
    const std::map<std::string, bool (*)(TokenList&)> stages = {
        {"fold", FoldUnaryMinus}, {"apply", ApplyUnaryFunctions}, {"operators", ReduceOperators}};
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("reduction_stages.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_GE(row.fields.size(), 3u);
        TokenList tokens = testing::TokenListOf(row.fields[1]);
        const bool answer = row.fields[2] == "true";
        EXPECT_EQ(stages.at(row.fields[0])(tokens), answer);
        if (answer) {
            ASSERT_EQ(row.fields.size(), 4u);
            EXPECT_EQ(tokens, testing::TokenListOf(row.fields[3]));
        }
    }
    EXPECT_EQ(rows.size(), 31u);
}

TEST(ApplyUnaryFunctions, RefusesAFunctionWithoutANumber) {
    for (const auto& tokens : std::vector<TokenList>{{u"1", u"+", u"sin"}, {u"sin", u"cos", u"0"}, {u"sin", u"x"}}) {
        SCOPED_TRACE(Show(tokens));
        TokenList copy = tokens;
        ExpectError([&] { ApplyUnaryFunctions(copy); },
                    {"EFunctionError", 0, u"\r\n関数”sin\"の引数が数値以外の文字列になっています"});
    }
}

TEST(ReduceOperators, RefusesATextThatIsNoNumber) {
    TokenList notANumber = {u"x", u"+", u"1"};
    ExpectError([&] { ReduceOperators(notANumber); }, {"EConvertError", 0, u"'x' は浮動小数点数ではありません"});
}

TEST(EvaluateMultiArgCall, FailsOnArgumentsThatDoNotReduce) {
    for (const auto& group : std::vector<TokenList>{
             {u"1", u",", u",", u"2"}, {u",", u"1"}, {u"1", u","}, {u"1", u"2", u",", u"3"}, {u"1", u"-"}}) {
        SCOPED_TRACE(Show(group));
        TokenList copy = group;
        EXPECT_FALSE(EvaluateMultiArgCall(copy, u"max"));
    }
    TokenList group = {u"1", u"+", u"1", u",", u"-3", u"*", u"2", u",", u"-", u"3"};
    EXPECT_TRUE(EvaluateMultiArgCall(group, u"max"));
    EXPECT_EQ(group, TokenList{u"2"});
}

// The engine as first written: a vector, the whole list folded every round and the last "("
// searched every round. Slow, obviously faithful; the oracle for the engine.
bool ReferenceReduce(TokenList& t) {
    TokenList group;
    while (t.size() > 1) {
        if (!FoldUnaryMinus(t)) return false;
        std::ptrdiff_t p = -1;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] == u"(") p = static_cast<std::ptrdiff_t>(i);
        }
        if (p < 0) {
            if (!ApplyUnaryFunctions(t) || !FoldUnaryMinus(t) || !ReduceOperators(t)) return false;
            continue;
        }
        auto q = static_cast<std::size_t>(p) + 1;
        while (q < t.size() && t[q] != u")") ++q;
        if (q == t.size()) return false;
        if (q == static_cast<std::size_t>(p) + 1) throw EFunctionError(u"\r\n数値が入力されていない（）があります", 0);
        group.assign(t.begin() + p + 1, t.begin() + static_cast<std::ptrdiff_t>(q));
        t.erase(t.begin() + p + 1, t.begin() + static_cast<std::ptrdiff_t>(q) + 1);
        if (group.size() > 1) {
            if (p > 0 && kMultiArgFunctionRegistry.Find(t[static_cast<std::size_t>(p) - 1]) >= 0) {
                if (!EvaluateMultiArgCall(group, t[static_cast<std::size_t>(p) - 1])) return false;
                t.erase(t.begin() + p - 1);
                --p;
            }
            if (!FoldUnaryMinus(group) || !ApplyUnaryFunctions(group) || !FoldUnaryMinus(group) ||
                !ReduceOperators(group)) {
                return false;
            }
        }
        t[static_cast<std::size_t>(p)] = group[0];
    }
    return true;
}

// What a reduction came to: its answer and list, or the error it raised.
std::string Outcome(bool (*reduce)(TokenList&), TokenList tokens) {
    try {
        const bool answer = reduce(tokens);
        return (answer ? "true: " : "false: ") + (answer ? Show(tokens) : std::string());
    } catch (const Exception& e) {
        return std::string(e.ClassName()) + ": " + e.what();
    }
}

TEST(ReduceTokenList, AgreesWithTheReferenceEngineOnGeneratedLists) {
    // Weighted towards minus signs and brackets, where the engine's bookkeeping lives.
    const std::vector<std::u16string> pieces = {
        u"1", u"2", u"0.5", u"3", u"-", u"-", u"-",   u"(",   u"(",    u"(", u")", u")",
        u")", u"+", u"*",   u"/", u"^", u",", u"max", u"sin", u"zeta", u"0", u"x",
    };
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 24);
    for (int round = 0; round < 20000; ++round) {
        TokenList tokens;
        const int n = length(random);
        for (int i = 0; i < n; ++i) tokens.emplace_back(pieces[pick(random)]);
        SCOPED_TRACE(Show(tokens));
        const std::string expected = Outcome(ReferenceReduce, tokens);
        ASSERT_EQ(Outcome(ReduceTokenList, tokens), expected);
    }
}

TEST(ReduceTokenList, HandlesDeepAndLongInputWithoutRecursion) {
    TokenList nested;
    constexpr int kDepth = 100000;
    for (int i = 0; i < kDepth; ++i) {
        nested.push_back(u"(");
        nested.push_back(u"-");
    }
    nested.push_back(u"1");
    for (int i = 0; i < kDepth; ++i) nested.push_back(u")");
    ASSERT_TRUE(ReduceTokenList(nested));
    EXPECT_EQ(nested, TokenList{u"1"});  // an even number of minus signs
}

}  // namespace
}  // namespace quorvex
