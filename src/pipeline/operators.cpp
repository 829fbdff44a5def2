// Operator reduction. Each pass streams the run once, writing results over the tokens it has
// consumed, which is the same as reducing in place and looking at the same index again.
#include "pipeline/operators.hpp"

#include "core/checked_float.hpp"
#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/power.hpp"
#include "pipeline/trace.hpp"

#include <utility>

namespace quorvex {
namespace {

constexpr std::u16string_view kOperatorOverflowMessage = u"オーバーフローが発生しました";
constexpr std::u16string_view kOperatorDivisionMessage = u"分母が0になり、0での除算が発生しました";

bool IsToken(std::u16string_view token, char16_t unit) { return token.size() == 1 && token[0] == unit; }

bool IsNegativeNumberToken(std::u16string_view token) { return token.size() > 1 && token[0] == u'-'; }

double Compute(double a, char16_t op, double b) {
    switch (op) {
        case u'+': return CheckedAdd(a, b);
        case u'-': return CheckedSubtract(a, b);
        case u'*': return CheckedMultiply(a, b);
        case u'/': return CheckedDivide(a, b);
        default: return Power(a, b);
    }
}

// One pass over the run. `isOperator` picks the operators of the level; `reachesLast` says
// whether an operator in the last position is applied (and so reads past the end).
// Answers false when an operator answered "False".
template <typename IsOperator>
bool ReduceLevel(TokenList& tokens, IsOperator isOperator, bool reachesLast, bool addsNegatives) {
    const std::size_t count = tokens.size();
    if (count == 0) return true;
    std::size_t kept = 1;
    std::size_t i = 1;
    while (i < count) {
        TokenText& token = tokens[i];
        const bool inLast = i + 1 == count;
        if (isOperator(token) && (reachesLast || !inLast)) {
            // The index read is the list's current length.
            if (inLast) RaiseListIndexError(static_cast<long long>(kept) + 1);
            const ShortText result = ApplyBinaryOperator(tokens[kept - 1], token, tokens[i + 1]);
            tokens[kept - 1] = result.View();
            const bool failed = result == kFalseMarker;
            if (failed) return false;
            i += 2;
        } else if (addsNegatives && IsNegativeNumberToken(token)) {
            const ShortText result = ApplyBinaryOperator(tokens[kept - 1], u"+", token);
            tokens[kept - 1] = result.View();
            const bool failed = result == kFalseMarker;
            if (failed) return false;
            i += 1;
        } else {
            if (kept != i) tokens[kept] = std::move(token);
            ++kept;
            ++i;
        }
    }
    tokens.resize(kept);
    return true;
}

}  // namespace

ShortText ApplyBinaryOperator(std::u16string_view a, std::u16string_view op, std::u16string_view b) {
    if (op.size() != 1) return ShortText(kFalseMarker);
    const char16_t unit = op[0];
    if (unit != u'+' && unit != u'-' && unit != u'*' && unit != u'/' && unit != u'^') return ShortText(kFalseMarker);
    const double left = ParseNumberText(a);
    const double right = ParseNumberText(b);
    double result = 0.0;
    try {
        result = Compute(left, unit, right);
    } catch (const EOverflow&) {
        throw EFunctionError(std::u16string(kOperatorOverflowMessage), kNoHelpContext);
    } catch (const EZeroDivide&) {
        throw EFunctionError(std::u16string(kOperatorDivisionMessage), kNoHelpContext);
    }
    const ShortText text = WriteNumberText(result);
    if (EvaluationObserver* observer = CurrentObserver()) observer->OnOperator(a, op, b, text);
    return text;
}

bool ReduceOperators(TokenList& tokens) {
    const auto isPower = [](std::u16string_view t) { return IsToken(t, u'^'); };
    const auto isProduct = [](std::u16string_view t) { return IsToken(t, u'*') || IsToken(t, u'/'); };
    const auto isSum = [](std::u16string_view t) { return IsToken(t, u'+') || IsToken(t, u'-'); };
    if (!ReduceLevel(tokens, isPower, true, false)) return false;
    if (!ReduceLevel(tokens, isProduct, false, false)) return false;
    if (!ReduceLevel(tokens, isSum, false, true)) return false;
    return tokens.size() == 1;
}

}  // namespace quorvex
