// Operator reduction. Each pass streams the run once, writing results over the tokens it has
// consumed, which is the same as reducing in place and looking at the same index again.
#include "pipeline/operators.hpp"

#include "core/checked_float.hpp"
#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/power.hpp"
#include "pipeline/trace.hpp"

namespace quorvex {
namespace {

constexpr std::u16string_view kOperatorOverflowMessage = u"オーバーフローが発生しました";
constexpr std::u16string_view kOperatorDivisionMessage = u"分母が0になり、0での除算が発生しました";

}  // namespace

double ComputeOperator(double a, char16_t op, double b) {
    try {
        switch (op) {
            case u'+': return CheckedAdd(a, b);
            case u'-': return CheckedSubtract(a, b);
            case u'*': return CheckedMultiply(a, b);
            case u'/': return CheckedDivide(a, b);
            default: return Power(a, b);
        }
    } catch (const EOverflow&) {
        throw EFunctionError(std::u16string(kOperatorOverflowMessage), kNoHelpContext);
    } catch (const EZeroDivide&) {
        throw EFunctionError(std::u16string(kOperatorDivisionMessage), kNoHelpContext);
    }
}

namespace {

char16_t OperatorUnit(TokenKind kind) {
    switch (kind) {
        case TokenKind::kPlus: return u'+';
        case TokenKind::kMinus: return u'-';
        case TokenKind::kTimes: return u'*';
        case TokenKind::kDivide: return u'/';
        default: return u'^';
    }
}

// a op b as a token; op is one of the five operators.
Token Apply(const Token& a, TokenKind op, const Token& b) {
    const double left = NumberValueOf(a);
    const double right = NumberValueOf(b);
    const char16_t unit = OperatorUnit(op);
    const Token result = NumberToken(ComputeOperator(left, unit, right));
    if (EvaluationObserver* observer = CurrentObserver()) {
        observer->OnOperator(TextOf(a), std::u16string_view(&unit, 1), TextOf(b), TextOf(result));
    }
    return result;
}

// One pass over the run. `isOperator` picks the operators of the level; `reachesLast` says
// whether an operator in the last position is applied (and so reads past the end).
template <typename IsOperator>
void ReduceLevel(Tokens& tokens, IsOperator isOperator, bool reachesLast, bool addsNegatives) {
    const std::size_t count = tokens.size();
    if (count == 0) return;
    std::size_t kept = 1;
    std::size_t i = 1;
    while (i < count) {
        const Token& token = tokens[i];
        const bool inLast = i + 1 == count;
        if (isOperator(token.kind) && (reachesLast || !inLast)) {
            // The index read is the list's current length.
            if (inLast) RaiseListIndexError(static_cast<long long>(kept) + 1);
            tokens[kept - 1] = Apply(tokens[kept - 1], token.kind, tokens[i + 1]);
            i += 2;
        } else if (addsNegatives && token.negative) {
            tokens[kept - 1] = Apply(tokens[kept - 1], TokenKind::kPlus, token);
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

ShortText ApplyBinaryOperator(std::u16string_view a, std::u16string_view op, std::u16string_view b) {
    const Token opToken = TextToken(op);
    switch (opToken.kind) {
        case TokenKind::kPlus:
        case TokenKind::kMinus:
        case TokenKind::kTimes:
        case TokenKind::kDivide:
        case TokenKind::kPower: break;
        default: return ShortText(kFalseMarker);
    }
    return ShortText(TextOf(Apply(TextToken(a), opToken.kind, TextToken(b))).View());
}

bool ReduceOperators(Tokens& tokens) {
    ReduceLevel(tokens, [](TokenKind k) { return k == TokenKind::kPower; }, true, false);
    ReduceLevel(tokens, [](TokenKind k) { return k == TokenKind::kTimes || k == TokenKind::kDivide; }, false, false);
    ReduceLevel(tokens, [](TokenKind k) { return k == TokenKind::kPlus || k == TokenKind::kMinus; }, false, true);
    return tokens.size() == 1;
}

bool ReduceOperators(TokenList& tokens) {
    return RunOnTexts(tokens, [](Tokens& list) { return ReduceOperators(list); });
}

}  // namespace quorvex
