// The reduction engine. Iterative throughout: nothing recurses on the depth of the input.
#include "pipeline/reduction.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "functions/unary_functions.hpp"
#include "pipeline/engine_list.hpp"
#include "pipeline/multi_arg_call.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/registries.hpp"
#include "pipeline/trace.hpp"

#include <algorithm>
#include <utility>

namespace quorvex {
namespace {

constexpr std::u16string_view kEmptyBracketsMessage = u"\r\n数値が入力されていない（）があります";
constexpr std::u16string_view kArgumentMessageHead = u"\r\n関数\u201D";
constexpr std::u16string_view kArgumentMessageTail = u"\"の引数が数値以外の文字列になっています";

bool IsMinus(std::u16string_view token) { return token.size() == 1 && token[0] == u'-'; }

ShortText Negated(std::u16string_view number, double value) {
    const ShortText result = WriteNumberText(value * -1.0);
    if (EvaluationObserver* observer = CurrentObserver()) observer->OnFold(number, result);
    return result;
}

[[noreturn]] void RaiseArgumentError(std::u16string_view name) {
    throw EFunctionError(JoinMessage({kArgumentMessageHead, name, kArgumentMessageTail}), kNoHelpContext);
}

}  // namespace

bool FoldUnaryMinus(TokenList& tokens) {
    if (tokens.size() > 1 && IsMinus(tokens[0])) {
        if (const auto value = TryParseNumberText(tokens[1])) {
            tokens[0] = Negated(tokens[1], *value).View();
            tokens.erase(tokens.begin() + 1);
        }
    }
    // Compacts in place: the token before index i is tokens[kept - 1].
    const std::size_t count = tokens.size();
    if (count == 0) return true;
    std::size_t kept = 1;
    for (std::size_t i = 1; i < count; ++i, ++kept) {
        if (IsMinus(tokens[i])) {
            if (i + 1 >= count) return false;
            if (!IsNumberText(tokens[kept - 1])) {
                if (const auto value = TryParseNumberText(tokens[i + 1])) {
                    tokens[kept] = Negated(tokens[i + 1], *value).View();
                    ++i;
                    continue;
                }
            }
        }
        if (kept != i) tokens[kept] = std::move(tokens[i]);
    }
    tokens.resize(kept);
    return true;
}

bool ApplyUnaryFunctions(TokenList& tokens) {
    const std::size_t count = tokens.size();
    if (count <= 1) return true;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i, ++kept) {
        if (FindRegistryName(kUnaryFunctionRegistry, tokens[i]) >= 0) {
            const auto value = i + 1 < count ? TryParseNumberText(tokens[i + 1]) : std::nullopt;
            if (!value) RaiseArgumentError(tokens[i]);
            const ShortText answer = EvaluateUnaryFunction(tokens[i], tokens[i + 1], value);
            if (EvaluationObserver* observer = CurrentObserver()) observer->OnFunction(tokens[i], tokens[i + 1], answer);
            tokens[kept] = answer.View();
            const bool failed = answer == kFalseMarker;
            if (failed) return false;
            ++i;
            continue;
        }
        if (kept != i) tokens[kept] = std::move(tokens[i]);
    }
    tokens.resize(kept);
    return true;
}

bool ReduceTokenList(TokenList& tokens) {
    if (tokens.size() <= 1) return true;
    // Without brackets the first round is the last: fold, then the bracket-free steps.
    if (std::find(tokens.begin(), tokens.end(), u"(") == tokens.end()) {
        return FoldUnaryMinus(tokens) &&
               (tokens.size() <= 1 || (ApplyUnaryFunctions(tokens) && FoldUnaryMinus(tokens) && ReduceOperators(tokens)));
    }
    EngineList list(tokens);
    TokenList group(tokens.get_allocator());
    while (list.Size() > 1) {
        if (!list.FoldUnaryMinus()) return false;
        if (!list.HasOpenBracket()) {
            list.Compact();
            return ApplyUnaryFunctions(tokens) && FoldUnaryMinus(tokens) && ReduceOperators(tokens);
        }
        switch (list.TakeInnermostGroup(group)) {
            case EngineList::GroupOutcome::NoClosingBracket: return false;
            case EngineList::GroupOutcome::Empty:
                throw EFunctionError(std::u16string(kEmptyBracketsMessage), kNoHelpContext);
            case EngineList::GroupOutcome::Taken: break;
        }
        if (EvaluationObserver* observer = CurrentObserver()) observer->OnGroup(ToStandardTokens(group));
        if (group.size() > 1) {
            const std::u16string_view before = list.TokenBeforeSlot();
            if (!before.empty() && FindRegistryName(kMultiArgFunctionRegistry, before) >= 0) {
                if (!EvaluateMultiArgCall(group, before)) return false;
                list.RemoveTokenBeforeSlot();
            }
            if (!FoldUnaryMinus(group) || !ApplyUnaryFunctions(group) || !FoldUnaryMinus(group) ||
                !ReduceOperators(group)) {
                return false;
            }
        }
        list.FillSlot(group[0]);
    }
    list.Compact();
    return true;
}

}  // namespace quorvex
