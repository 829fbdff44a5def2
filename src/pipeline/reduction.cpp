// The reduction engine. Iterative throughout: nothing recurses on the depth of the input.
#include "pipeline/reduction.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "functions/unary_functions.hpp"
#include "pipeline/multi_arg_call.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/registries.hpp"

#include <utility>

namespace quorvex {
namespace {

constexpr std::u16string_view kEmptyBracketsMessage = u"\r\n数値が入力されていない（）があります";
constexpr std::u16string_view kArgumentMessageHead = u"\r\n関数\u201D";
constexpr std::u16string_view kArgumentMessageTail = u"\"の引数が数値以外の文字列になっています";

bool IsMinus(std::u16string_view token) { return token.size() == 1 && token[0] == u'-'; }

std::u16string Negated(double value) { return FormatNumberText(value * -1.0); }

[[noreturn]] void RaiseArgumentError(std::u16string_view name) {
    throw EFunctionError(JoinMessage({kArgumentMessageHead, name, kArgumentMessageTail}), kNoHelpContext);
}

// Index of the last "(" below `limit`, or -1.
std::ptrdiff_t FindLastOpeningBracket(const TokenList& tokens, std::size_t limit) {
    for (std::size_t i = limit; i-- > 0;) {
        if (tokens[i] == u"(") return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

}  // namespace

bool FoldUnaryMinus(TokenList& tokens) {
    if (tokens.size() > 1 && IsMinus(tokens[0])) {
        if (const auto value = TryParseNumberText(tokens[1])) {
            tokens[0] = Negated(*value);
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
                    tokens[kept] = Negated(*value);
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
            if (i + 1 >= count || !IsNumberText(tokens[i + 1])) RaiseArgumentError(tokens[i]);
            std::u16string answer = EvaluateUnaryFunction(tokens[i], tokens[i + 1]);
            const bool failed = answer == kFalseMarker;
            tokens[kept] = std::move(answer);
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
    TokenList group;
    // No "(" stands after the last group's slot, so each search starts below it.
    std::size_t searchLimit = tokens.size();
    while (tokens.size() > 1) {
        if (!FoldUnaryMinus(tokens)) return false;
        if (searchLimit > tokens.size()) searchLimit = tokens.size();
        const std::ptrdiff_t found = FindLastOpeningBracket(tokens, searchLimit);
        if (found < 0) {
            if (!ApplyUnaryFunctions(tokens) || !FoldUnaryMinus(tokens) || !ReduceOperators(tokens)) {
                return false;
            }
            continue;
        }
        auto p = static_cast<std::size_t>(found);
        std::size_t q = p + 1;
        while (q < tokens.size() && tokens[q] != u")") ++q;
        if (q == tokens.size()) return false;
        if (q == p + 1) throw EFunctionError(std::u16string(kEmptyBracketsMessage), kNoHelpContext);

        group.assign(std::make_move_iterator(tokens.begin() + static_cast<std::ptrdiff_t>(p) + 1),
                     std::make_move_iterator(tokens.begin() + static_cast<std::ptrdiff_t>(q)));
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(p) + 1,
                     tokens.begin() + static_cast<std::ptrdiff_t>(q) + 1);
        if (group.size() > 1) {
            if (p > 0 && FindRegistryName(kMultiArgFunctionRegistry, tokens[p - 1]) >= 0) {
                if (!EvaluateMultiArgCall(group, tokens[p - 1])) return false;
                tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(p) - 1);
                --p;
            }
            if (!FoldUnaryMinus(group) || !ApplyUnaryFunctions(group) || !FoldUnaryMinus(group) ||
                !ReduceOperators(group)) {
                return false;
            }
        }
        tokens[p] = std::move(group[0]);
        searchLimit = p;
    }
    return true;
}

}  // namespace quorvex
