// Making tokens and reading their texts back.
#include "pipeline/token.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"

#include <quorvex/quorvex.hpp>

#include <cmath>
#include <cstring>

namespace quorvex {
Token CopiedTextToken(std::u16string_view text, std::pmr::memory_resource& resource, char16_t separator) {
    auto* units = static_cast<char16_t*>(resource.allocate(text.size() * sizeof(char16_t) + 1, alignof(char16_t)));
    if (!text.empty()) std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    return TextToken(std::u16string_view(units, text.size()), separator);
}

Token NumberToken(double x, char16_t separator) noexcept {
    Token token;
    token.raw = x;
    token.computed = true;
    token.negative = !std::isnan(x) && std::signbit(x);
    token.isNumber = ReadBackNumberText(x, token.value, separator);
    return token;
}

TokenText16::TokenText16(const Token& token, char16_t separator) noexcept : computed_(token.computed) {
    if (computed_)
        written_ = WriteNumberText(token.raw, separator);
    else
        view_ = token.Text();
}

double NumberValueOf(const Token& token, char16_t separator) {
    if (token.isNumber) return token.value;
    throw EConvertError(FillPlaceholder(kNotANumberMessage, TextOf(token, separator)), kNoHelpContext);
}

std::vector<std::u16string> ToStandardTokens(const Tokens& tokens, char16_t separator) {
    std::vector<std::u16string> copy;
    copy.reserve(tokens.size());
    for (const auto& token : tokens) copy.emplace_back(TextOf(token, separator).View());
    return copy;
}

}  // namespace quorvex
