// The direct reduction against the engine: every expression must come out the same, value for
// value and error for error, whichever of the two reduces it.
#include "core/utf16.hpp"
#include "pipeline/constants.hpp"
#include "pipeline/direct_reduction.hpp"
#include "pipeline/driver.hpp"
#include "pipeline/exponent_joining.hpp"
#include "pipeline/token.hpp"
#include "pipeline/tokenizer.hpp"
#include "pipeline/trace.hpp"

#include <gtest/gtest.h>
#include <quorvex/quorvex.hpp>

#include <bit>
#include <cstdint>
#include <limits>
#include <memory_resource>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {
namespace {

struct Outcome {
    bool raised = false;
    std::uint64_t bits = 0;
    std::string errorClass;
    std::u16string message;
    std::int32_t helpContext = 0;

    bool operator==(const Outcome&) const = default;
};

Outcome Run(std::u16string_view expression, bool throughEngine) {
    const EvaluationContext context{nullptr, throughEngine ? ReductionPath::kEngineOnly : ReductionPath::kDirectFirst};
    Outcome outcome;
    try {
        outcome.bits = std::bit_cast<std::uint64_t>(EvaluateExpression(expression, context));
    } catch (const Exception& e) {
        outcome.raised = true;
        outcome.errorClass = e.ClassName();
        outcome.message = std::u16string(e.Message());
        outcome.helpContext = e.HelpContext();
    }
    return outcome;
}

void ExpectSameOutcome(std::u16string_view expression) {
    const Outcome direct = Run(expression, false);
    const Outcome engine = Run(expression, true);
    EXPECT_EQ(direct, engine) << ToUtf8(expression) << (direct.raised ? " raised " + direct.errorClass : "")
                              << " / engine " << (engine.raised ? engine.errorClass : std::to_string(engine.bits));
}

bool TakesDirectPath(std::u16string_view expression) {
    std::pmr::monotonic_buffer_resource arena;
    Tokens tokens(&arena);
    Tokenize(tokens, expression);
    return ReduceDirectly(tokens).has_value();
}

TEST(DirectReduction, AgreesWithTheEngineOnTheQuirksOfSignsAndBrackets) {
    // A "-" after ")" folds into the number after it and binds tighter than "^"; functions
    // bind tighter still; "^" runs from the left; a name before a bracket pair with a comma is
    // a call.
    for (const std::u16string_view expression :
         {u"(2)-3^2", u"(2)-3^3", u"sin(1)-2^2", u"(1)-(2)^2", u"(1)-(2)^3", u"(1)-((2)+3)", u"2^(3)-4^2", u"2*(3)-4*5",
          u"(4)-2/2", u"(1)-sin(2)", u"(1)-0", u"(1)-0^2", u"2^3^2", u"2^-3^2", u"-3^2", u"2*-3^2", u"2*-sin(1)^2",
          u"sin-1", u"sin-(1)", u"sin 2^2", u"sin(2)^2", u"2*--3", u"(2)(3)", u"(2)(-3)", u"sin cos 1", u"sqrt(-1)",
          u"1/0+2^5000", u"2^5000+1/0", u"ln(0)-1/0", u"max(1,2)", u"zeta(2)", u"zeta(1+1)", u"not(2)", u"fact(3)",
          u"1+", u"()", u"(1))(", u"-(1)", u"(-(2))^2", u"1e-3*2", u"2e", u"pi*2", u"deg0-1", u"x+1", u"1.5.5+1",
          u"1,5", u"10^-400", u"1e308*10", u"-0", u"0*-1", u"(0)-0*1", u"abs(-0)",
          // Runs that go on past their plain decimal.
          u"2x+1", u"1e-x", u"1.2e*2", u"1.2e+", u"1e-2e", u"2.5e3e", u"1e5pi", u"1.2e-2.5", u"3e-(2)", u"-2e-3^2",
          u"1e-2e-3", u"12345678901234567890123456+1", u"2e+3e", u"1.e5", u"1e400-1e400", u"1e-400*1",
          // The aggregates' calls: one argument is no call, functions in an argument are not
          // applied, the extremes compare 15-digit texts, the sums add unrounded.
          u"max(5)", u"max(1+2)", u"max(sin(1),2)", u"max((sin(1)),2)", u"max(sin 1,2)", u"max((1,2))", u"max(1,,2)",
          u"max(1,2,)", u"max(,1)", u"-max(-1,-2)^2", u"sum(1,2)-3", u"max(1,2)-(3)", u"max(1,2)(3)", u"sin max(1,2)",
          u"max(max(1,2),min(3,0.5))", u"max(1.0000000000000000000000e5,1)", u"sum(0.1,0.2,0.3)", u"average(1,2,4)",
          u"average(1e308,1e308)", u"sum(1e308,1e308,-1e308)", u"min(0.1+0.2,0.3)", u"max(-0,0)", u"min(0,-0)*-1",
          u"sum(2)", u"average(1/3,1/3,1/3)*3", u"max(1,2)max(3,4)", u"(min(2,sum(3,0)-min(5,-1)))", u"(3)-max(1,2)",
          u"max(1,2)-max(3,4)^2"}) {
        ExpectSameOutcome(expression);
    }
}

TEST(DirectReduction, TakesThePlainShapesAndLeavesTheRest) {
    for (const std::u16string_view plain : {u"1+2*3", u"sin(0.5)+2^3", u"-(1+2)*3", u"(2)-3^3", u"sqrt(2)*-ln(3)",
                                            u"max(1,2)", u"sin(max(1,-2)*sum(1,2))"}) {
        EXPECT_TRUE(TakesDirectPath(plain)) << ToUtf8(plain);
    }
    for (const std::u16string_view unusual :
         {u"(2)-3^2", u"max(5)", u"max(sin(1),2)", u"and(1,2)", u"2*--3", u"(2)(3)", u"1/0", u"not(5)"}) {
        EXPECT_FALSE(TakesDirectPath(unusual)) << ToUtf8(unusual);
    }
}

TEST(DirectReduction, TakesAnyDepthOfBrackets) {
    // Deep enough that a recursive reduction would exhaust a small thread stack.
    const std::size_t depth = 100000;
    const std::vector<std::u16string> deep = {
        std::u16string(depth, u'(') + u"1" + std::u16string(depth, u')'),
        [&] {
            std::u16string text;
            for (std::size_t i = 0; i < depth; ++i) text += u"1*-(";
            return text + u"1" + std::u16string(depth, u')');
        }(),
        [&] {
            std::u16string text;
            for (std::size_t i = 0; i < depth; ++i) text += u"sin(1+";
            return text + u"0" + std::u16string(depth, u')');
        }(),
    };
    for (const auto& expression : deep) {
        EXPECT_TRUE(TakesDirectPath(expression));
        ExpectSameOutcome(expression);
    }
}

// Random expressions over a small alphabet that reaches every shape the direct reduction
// takes and many it refuses, including unbalanced and empty brackets.
std::u16string RandomExpression(std::mt19937_64& random) {
    static const std::vector<std::u16string> kPieces = {
        u"0",   u"1",   u"2",    u"3",   u"0.5", u"10", u"1e3", u"2e-1", u"pi",  u"+",    u"-",
        u"-",   u"*",   u"/",    u"^",   u"(",   u"(",  u")",   u")",    u"sin", u"sqrt", u"ln",
        u"exp", u"abs", u"fact", u"not", u"max", u",",  u"x",   u"300",  u"-0"};
    std::u16string expression;
    const std::size_t length = 1 + random() % 14;
    for (std::size_t i = 0; i < length; ++i) expression += kPieces[random() % kPieces.size()];
    return expression;
}

// Expressions built to the plain shapes, with signs, functions and brackets anywhere, so that
// most of them take the direct path; one in four has one piece changed.
// A call's arguments mostly go without functions of their own, which the engine does not
// apply there.
void AppendShaped(std::mt19937_64& random, std::u16string& out, int depth, bool argument = false) {
    static const std::vector<std::u16string> kNumbers = {u"0",  u"1",    u"2",  u"3",    u"0.5",    u"7",    u"1e3",
                                                         u"pi", u"2.25", u"ge", u"1e-3", u"2.5e+2", u"deg0", u"1.5e-7"};
    static const std::vector<std::u16string> kFunctions = {u"sin", u"sqrt", u"ln", u"exp", u"abs", u"fact", u"cos"};
    static const std::vector<std::u16string> kOperators = {u"+", u"-", u"*", u"/", u"^"};
    const std::size_t operands = 1 + random() % 4;
    for (std::size_t i = 0; i < operands; ++i) {
        if (i > 0) out += kOperators[random() % kOperators.size()];
        if (random() % 4 == 0) out += u"-";
        if (random() % (argument ? 16 : 4) == 0) out += kFunctions[random() % kFunctions.size()];
        if (depth < 3 && random() % 5 == 0) {
            static const std::vector<std::u16string> kAggregates = {u"max(", u"min(", u"sum(", u"average("};
            out += kAggregates[random() % kAggregates.size()];
            for (std::size_t more = 1 + random() % 3; more > 0; --more) {
                AppendShaped(random, out, depth + 1, true);
                out += u",";
            }
            AppendShaped(random, out, depth + 1, true);
            out += u")";
        } else if (depth < 3 && random() % 3 == 0) {
            out += u"(";
            AppendShaped(random, out, depth + 1);
            out += u")";
        } else {
            out += kNumbers[random() % kNumbers.size()];
        }
    }
}

std::u16string ShapedExpression(std::mt19937_64& random) {
    std::u16string expression;
    AppendShaped(random, expression, 0);
    if (random() % 4 == 0 && !expression.empty()) {
        static const std::vector<std::u16string> kChanges = {u"-", u"(", u")", u",", u"^", u"max", u"x", u"e", u"e+"};
        expression.insert(random() % expression.size(), kChanges[random() % kChanges.size()]);
    }
    return expression;
}

TEST(DirectReduction, AgreesWithTheEngineOnShapedExpressions) {
    std::mt19937_64 random(2612);
    int direct = 0;
    for (int i = 0; i < 100000; ++i) {
        const std::u16string expression = ShapedExpression(random);
        direct += TakesDirectPath(expression) ? 1 : 0;
        ExpectSameOutcome(expression);
        if (HasFailure()) break;
    }
    // Most must reach the direct path, or this tests nothing.
    EXPECT_GT(direct, 18000);
}

// Reduced as it is tokenized, a batch at a time, as over the whole list. Answers whether it
// was reduced.
bool ExpectBatchesAgreeWithTheWholeList(std::u16string_view expression) {
    std::pmr::monotonic_buffer_resource arena;
    Tokens tokens(&arena);
    TokenCounts counts;
    Tokenize(tokens, expression, counts);
    // Batches are staged as they come; the whole list, by the stages first. Unbalanced
    // brackets and the stages' errors are the full evaluation's.
    std::optional<double> whole;
    try {
        if (counts.opening == counts.closing) {
            SubstituteConstants(tokens);
            JoinExponentNotation(tokens);
            whole = ReduceDirectly(tokens);
        }
    } catch (const Exception&) {
    }
    const auto batched = ReduceWhileTokenizing(expression, arena);
    EXPECT_EQ(batched.has_value(), whole.has_value()) << ToUtf8(expression);
    if (whole && batched) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*batched), std::bit_cast<std::uint64_t>(*whole));
    }
    // The lean tokens may not be made for more texts (the stages' shapes); made, they are
    // declined or answered as the whole list is.
    double value = 0.0;
    const LeanReduction lean = ReduceLeanText(expression, arena, value);
    if (lean != LeanReduction::kNotLean) {
        EXPECT_EQ(lean == LeanReduction::kValue, whole.has_value()) << ToUtf8(expression);
        if (lean == LeanReduction::kValue && whole) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(*whole)) << ToUtf8(expression);
        }
    }
    return whole.has_value();
}

// Expressions of many batches, so that a step's look-ahead falls on every place of a batch's end.
TEST(DirectReduction, BatchesAgreeWithTheWholeList) {
    std::mt19937_64 random(3011);
    int reduced = 0;
    for (int i = 0; i < 40000 && !HasFailure(); ++i) {
        std::u16string expression = ShapedExpression(random);
        for (std::size_t pieces = random() % 8; pieces > 0; --pieces) {
            static const std::u16string_view kJoints[] = {u"+", u"*-", u"-sqrt-"};
            expression += kJoints[random() % 3];
            AppendShaped(random, expression, 0);
        }
        reduced += ExpectBatchesAgreeWithTheWholeList(expression) ? 1 : 0;
    }
    EXPECT_GT(reduced, 1000);
}

// Plain pieces, so that the lean tokens are made for all, over many of their batches.
TEST(DirectReduction, LeanBatchesAgreeWithTheWholeList) {
    static const std::u16string_view kPieces[] = {u"1.5",     u"2*3",    u"(4-1)*(2+5)", u"sin(0.5)", u"-(2)",
                                                  u"sqrt(2)", u"7/3",    u"2^3",         u"(1+2)^2",  u"cos-1",
                                                  u"2.5e3",   u"1.2e-2", u"1e+5",        u"3.5e-1*2"};
    std::mt19937_64 random(817);
    int reduced = 0;
    for (int i = 0; i < 2000 && !HasFailure(); ++i) {
        std::u16string expression(kPieces[random() % std::size(kPieces)]);
        for (std::size_t pieces = random() % 80; pieces > 0; --pieces) {
            expression += random() % 2 == 0 ? u"+" : u"*";
            expression += kPieces[random() % std::size(kPieces)];
        }
        reduced += ExpectBatchesAgreeWithTheWholeList(expression) ? 1 : 0;
    }
    EXPECT_GT(reduced, 1900);
}

// Plain batches first, then a token the stages change, or a step the reducer declines before it.
TEST(DirectReduction, BatchesTurnToTheStagesWhereTheyFirstChangeAToken) {
    std::u16string plain;
    for (int i = 0; i < 100; ++i) plain += u"1.5+";
    for (const std::u16string_view tail : {u"pi", u"2.5e-3", u"deg0*2", u"e", u"x+pi", u"(pi", u"1e"}) {
        ExpectBatchesAgreeWithTheWholeList(plain + std::u16string(tail));
    }
}

TEST(DirectReduction, AgreesWithTheEngineOnRandomExpressions) {
    std::mt19937_64 random(1207);
    for (int i = 0; i < 200000; ++i) {
        const std::u16string expression = RandomExpression(random);
        ExpectSameOutcome(expression);
        if (HasFailure()) break;
    }
}

}  // namespace
}  // namespace quorvex
