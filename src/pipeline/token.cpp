// Making tokens and reading their texts back.
#include "pipeline/token.hpp"

#include "core/decimal_separator.hpp"
#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <cstring>

namespace quorvex {
void ReadNumber(Token& token) noexcept {
    // A lone unit reads as a number only when it is the decimal separator (as 0).
    if (token.kind != TokenKind::kOther && token.text[0] != DecimalSeparator()) return;
    token.isNumber = TryParseNumberText(token.Text(), token.value);
}

Token CopiedTextToken(std::u16string_view text, std::pmr::memory_resource& resource) {
    auto* units = static_cast<char16_t*>(resource.allocate(text.size() * sizeof(char16_t) + 1, alignof(char16_t)));
    if (!text.empty()) std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    return TextToken(std::u16string_view(units, text.size()));
}

Token NumberToken(double x) noexcept {
    Token token;
    token.raw = x;
    token.computed = true;
    token.negative = !std::isnan(x) && std::signbit(x);
    token.isNumber = ReadBackNumberText(x, token.value);
    return token;
}

TokenText16::TokenText16(const Token& token) noexcept : computed_(token.computed) {
    if (computed_)
        written_ = WriteNumberText(token.raw);
    else
        view_ = token.Text();
}

double NumberValueOf(const Token& token) {
    if (token.isNumber) return token.value;
    throw EConvertError(FillPlaceholder(kNotANumberMessage, TextOf(token)), kNoHelpContext);
}

std::vector<std::u16string> ToStandardTokens(const Tokens& tokens) {
    std::vector<std::u16string> copy;
    copy.reserve(tokens.size());
    for (const auto& token : tokens) copy.emplace_back(TextOf(token).View());
    return copy;
}

}  // namespace quorvex
