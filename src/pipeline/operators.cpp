// Operator reduction. Each pass streams the run once, writing results over the tokens it has
// consumed, which is the same as reducing in place and looking at the same index again.
#include "pipeline/operators.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "pipeline/trace.hpp"

namespace quorvex {
namespace {

constexpr std::u16string_view kOperatorOverflowMessage = u"オーバーフローが発生しました";
constexpr std::u16string_view kOperatorDivisionMessage = u"分母が0になり、0での除算が発生しました";

}  // namespace

double ComputeOperator(double a, TokenKind op, double b) {
    try {
        return OperatorOf(op).compute(a, b);
    } catch (const EOverflow&) {
        throw EFunctionError(std::u16string(kOperatorOverflowMessage), kNoHelpContext);
    } catch (const EZeroDivide&) {
        throw EFunctionError(std::u16string(kOperatorDivisionMessage), kNoHelpContext);
    }
}

namespace {

// a op b as a token; op is one of the five operators.
Token Apply(const Token& a, TokenKind op, const Token& b, const EvaluationContext& context) {
    const double left = NumberValueOf(a, context.separator);
    const double right = NumberValueOf(b, context.separator);
    const Token result = NumberToken(ComputeOperator(left, op, right), context.separator);
    if (EvaluationObserver* observer = context.observer) {
        const char16_t separator = context.separator;
        observer->OnOperator(TextOf(a, separator), std::u16string_view(&OperatorOf(op).unit, 1), TextOf(b, separator),
                             TextOf(result, separator));
    }
    return result;
}

// One pass over the run for the operators of one level. At the lowest, a negative number
// directly after another token is added to it.
void ReduceLevel(Tokens& tokens, int level, const EvaluationContext& context) {
    const std::size_t count = tokens.size();
    if (count == 0) return;
    std::size_t kept = 1;
    std::size_t i = 1;
    while (i < count) {
        const Token& token = tokens[i];
        const bool inLast = i + 1 == count;
        if (IsOperator(token.kind) && OperatorOf(token.kind).precedence == level &&
            (OperatorOf(token.kind).appliedLast || !inLast)) {
            // The index read is the list's current length.
            if (inLast) RaiseListIndexError(static_cast<long long>(kept) + 1);
            tokens[kept - 1] = Apply(tokens[kept - 1], token.kind, tokens[i + 1], context);
            i += 2;
        } else if (level == kLowestPrecedence && token.negative) {
            tokens[kept - 1] = Apply(tokens[kept - 1], TokenKind::kPlus, token, context);
            i += 1;
        } else {
            if (kept != i) tokens[kept] = token;
            ++kept;
            ++i;
        }
    }
    tokens.resize(kept);
}

}  // namespace

bool ReduceOperators(Tokens& tokens, const EvaluationContext& context) {
    for (int level = kHighestPrecedence; level >= kLowestPrecedence; --level) ReduceLevel(tokens, level, context);
    return tokens.size() == 1;
}

}  // namespace quorvex
