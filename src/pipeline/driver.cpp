// The evaluation driver.
#include "pipeline/driver.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/token_list.hpp"
#include "pipeline/constants.hpp"
#include "pipeline/exponent_joining.hpp"
#include "pipeline/reduction.hpp"
#include "pipeline/tokenizer.hpp"
#include "pipeline/trace.hpp"

#include <bit>
#include <cstdint>
#include <string>

namespace quorvex {
namespace {

constexpr std::uint64_t kNotReducedBits = 0xFFF8000000000000ULL;
constexpr std::u16string_view kEmptyExpressionMessage = u"計算する文字がありません\r\n（空白文字では？）";
constexpr std::u16string_view kUnbalancedMessage = u"\u201D\uFF08\u201Dと\u201D\uFF09\u201Dの数が一致しません";

// Drops U+0020 and lower-cases A to Z; every other unit passes unchanged.
std::u16string CompactLowerCase(std::u16string_view expression) {
    std::u16string text;
    text.reserve(expression.size());
    for (const char16_t unit : expression) {
        if (unit == u' ') continue;
        text += (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 0x20) : unit;
    }
    return text;
}

}  // namespace

double EvaluateExpression(const char16_t* expression) {
    return EvaluateExpression(expression == nullptr ? std::u16string_view() : std::u16string_view(expression));
}

double EvaluateExpression(std::u16string_view expression) {
    double result = std::bit_cast<double>(kNotReducedBits);
    std::u16string text = CompactLowerCase(expression.substr(0, expression.find(u'\0')));
    if (text.empty()) throw EConvertError(std::u16string(kEmptyExpressionMessage), kNoHelpContext);
    text = NormaliseClosingBrackets(NormaliseOpeningBrackets(text));

    TokenList tokens;
    if (Tokenize(tokens, text) && !CheckBracketBalance(tokens)) {
        throw EFunctionError(std::u16string(kUnbalancedMessage), kNoHelpContext);
    }
    EvaluationObserver* observer = CurrentObserver();
    if (observer != nullptr) observer->OnStage(u"tokens", tokens);
    if (!SubstituteConstants(tokens)) return result;
    if (observer != nullptr) observer->OnStage(u"constants", tokens);
    if (!JoinExponentNotation(tokens)) return result;
    if (observer != nullptr) observer->OnStage(u"exponents", tokens);
    if (ReduceTokenList(tokens)) {
        if (tokens.empty()) RaiseListIndexError(0);
        result = ParseNumberText(tokens[0]);
    }
    return result;
}

}  // namespace quorvex
