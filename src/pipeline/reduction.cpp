// The reduction engine. Iterative throughout: nothing recurses on the depth of the input.
#include "pipeline/reduction.hpp"

#include "core/errors.hpp"
#include "core/utf16.hpp"
#include "functions/unary_functions.hpp"
#include "pipeline/engine_list.hpp"
#include "pipeline/multi_arg_call.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/trace.hpp"

#include <algorithm>

namespace quorvex {
namespace {

constexpr std::u16string_view kEmptyBracketsMessage = u"\r\n数値が入力されていない（）があります";
constexpr std::u16string_view kArgumentMessageHead = u"\r\n関数\u201D";
constexpr std::u16string_view kArgumentMessageTail = u"\"の引数が数値以外の文字列になっています";

bool IsMinus(const Token& token) { return token.kind == TokenKind::kMinus; }

[[noreturn]] void RaiseNotANumberArgument(const Token& name) {
    RaiseArgumentError(JoinMessage({kArgumentMessageHead, TextOf(name), kArgumentMessageTail}), kNoHelpContext);
}

// The function's answer for the number after it; nullopt when it answers "False".
std::optional<Token> ApplyUnaryFunction(const Token& name, const Token& argument, std::pmr::memory_resource& arena,
                                        const EvaluationContext& context) {
    const TokenText16 nameText = TextOf(name, context.separator);
    double raw = 0.0;
    std::optional<Token> answer;
    switch (EvaluateUnaryFunctionValue(nameText, argument.value, raw)) {
        case UnaryOutcome::kValue: answer = NumberToken(raw, context.separator); break;
        case UnaryOutcome::kReadsText: {
            const ShortText text =
                EvaluateUnaryFunction(nameText, TextOf(argument, context.separator), argument.value, context.separator);
            if (text != kFalseMarker) answer = CopiedTextToken(text, arena, context.separator);
            break;
        }
        case UnaryOutcome::kFalse: break;
    }
    if (EvaluationObserver* observer = context.observer) {
        observer->OnFunction(nameText, TextOf(argument, context.separator),
                             answer ? TextOf(*answer, context.separator).View() : kFalseMarker);
    }
    return answer;
}

enum class Pair { kKeep, kMerged, kFail };

// One pass over the tokens from `first` on that may merge a token with the next, compacting in
// place: step(i, kept) sees tokens[i] with the tokens kept so far ending at tokens[kept - 1], and
// keeps tokens[i], writes the merged token to tokens[kept], or ends the pass in failure, leaving
// the list as it stands.
template <typename Step>
bool MergePairs(Tokens& tokens, std::size_t first, Step step) {
    const std::size_t count = tokens.size();
    std::size_t kept = first;
    for (std::size_t i = first; i < count; ++i, ++kept) {
        const Pair pair = step(i, kept);
        if (pair == Pair::kFail) return false;
        if (pair == Pair::kMerged) {
            ++i;
            continue;
        }
        if (kept != i) tokens[kept] = tokens[i];
    }
    tokens.resize(kept);
    return true;
}

}  // namespace

Token NegatedToken(const Token& number, const EvaluationContext& context) {
    const Token result = NumberToken(number.value * -1.0, context.separator);
    if (EvaluationObserver* observer = context.observer)
        observer->OnFold(TextOf(number, context.separator), TextOf(result, context.separator));
    return result;
}

bool FoldUnaryMinus(Tokens& tokens, const EvaluationContext& context) {
    if (tokens.size() > 1 && IsMinus(tokens[0]) && tokens[1].isNumber) {
        tokens[0] = NegatedToken(tokens[1], context);
        tokens.erase(tokens.begin() + 1);
    }
    if (tokens.empty()) return true;
    // A minus after anything but a number, before a number, joins it.
    return MergePairs(tokens, 1, [&](std::size_t i, std::size_t kept) {
        if (!IsMinus(tokens[i])) return Pair::kKeep;
        if (i + 1 >= tokens.size()) return Pair::kFail;
        if (tokens[kept - 1].isNumber || !tokens[i + 1].isNumber) return Pair::kKeep;
        tokens[kept] = NegatedToken(tokens[i + 1], context);
        return Pair::kMerged;
    });
}

bool ApplyUnaryFunctions(Tokens& tokens, const EvaluationContext& context) {
    if (tokens.size() <= 1) return true;
    std::pmr::memory_resource& arena = *tokens.get_allocator().resource();
    return MergePairs(tokens, 0, [&](std::size_t i, std::size_t kept) {
        if (tokens[i].unary < 0) return Pair::kKeep;
        if (i + 1 >= tokens.size() || !tokens[i + 1].isNumber) RaiseNotANumberArgument(tokens[i]);
        const std::optional<Token> answer = ApplyUnaryFunction(tokens[i], tokens[i + 1], arena, context);
        if (!answer) return Pair::kFail;
        tokens[kept] = *answer;
        return Pair::kMerged;
    });
}

bool ReduceTokenList(Tokens& tokens, const EvaluationContext& context) {
    if (tokens.size() <= 1) return true;
    // Without brackets the first round is the last: fold, then the bracket-free steps.
    if (std::none_of(tokens.begin(), tokens.end(), [](const Token& t) { return t.kind == TokenKind::kOpen; })) {
        return FoldUnaryMinus(tokens, context) &&
               (tokens.size() <= 1 || (ApplyUnaryFunctions(tokens, context) && FoldUnaryMinus(tokens, context) &&
                                       ReduceOperators(tokens, context)));
    }
    EngineList list(tokens);
    Tokens group(tokens.get_allocator());
    while (list.Size() > 1) {
        if (!list.FoldUnaryMinus(context)) return false;
        if (!list.HasOpenBracket()) {
            list.Compact();
            return ApplyUnaryFunctions(tokens, context) && FoldUnaryMinus(tokens, context) &&
                   ReduceOperators(tokens, context);
        }
        switch (list.TakeInnermostGroup(group)) {
            case EngineList::GroupOutcome::NoClosingBracket: return false;
            case EngineList::GroupOutcome::Empty:
                throw EFunctionError(std::u16string(kEmptyBracketsMessage), kNoHelpContext);
            case EngineList::GroupOutcome::Taken: break;
        }
        if (EvaluationObserver* observer = context.observer)
            observer->OnGroup(ToStandardTokens(group, context.separator));
        if (group.size() > 1) {
            const Token* before = list.TokenBeforeSlot();
            if (before != nullptr && before->multi >= 0) {
                if (!EvaluateMultiArgCall(group, *before, context)) return false;
                list.RemoveTokenBeforeSlot();
            }
            if (!FoldUnaryMinus(group, context) || !ApplyUnaryFunctions(group, context) ||
                !FoldUnaryMinus(group, context) || !ReduceOperators(group, context)) {
                return false;
            }
        }
        list.FillSlot(group[0]);
    }
    list.Compact();
    return true;
}

}  // namespace quorvex
