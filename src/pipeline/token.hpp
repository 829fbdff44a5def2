// The engine's token: a text, or a number the engine computed, together with what the engine
// asks of it (its kind, whether it reads as a number and which, whether a function has its
// name), settled once when the token is made. Stages compare kinds and read values; a text is
// written only where one is shown or read as text.
#pragma once

#include "core/decimal_separator.hpp"
#include "core/number_text.hpp"
#include "core/short_text.hpp"
#include "core/token_list.hpp"
#include "pipeline/operator_table.hpp"
#include "pipeline/physical_constants.hpp"
#include "pipeline/registries.hpp"

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

struct Token {
    double value = 0.0;  // what the token reads as, when isNumber
    union {
        const char16_t* text = nullptr;  // not computed: its units, which the evaluation keeps alive
        double raw;                      // computed: the value its NumberText is written from
    };
    std::size_t size = 0;
    TokenKind kind = TokenKind::kOther;
    bool computed = false;
    bool isNumber = false;
    bool negative = false;       // its text is longer than one unit and starts with "-"
    std::int8_t unary = -1;      // its place among the single-argument function names, or -1
    std::int8_t multi = -1;      // its place among the multi-argument function names, or -1
    std::int8_t constant = -1;   // its place among the constants' tokens, or -1
    bool joinsExponent = false;  // not computed, and its first "e" is its last unit

    // Its own text; empty for a computed token, whose text TextOf writes.
    std::u16string_view Text() const { return computed ? std::u16string_view() : std::u16string_view(text, size); }
    bool Is(std::u16string_view t) const { return !computed && Text() == t; }
};

// A token as the direct reduction reads it: for a text tokenized for that reduction alone,
// half a Token's size.
struct LeanToken {
    double value = 0.0;
    TokenKind kind = TokenKind::kOther;
    bool isNumber = false;
    std::int8_t unary = -1;
    std::int8_t multi = -1;

    static constexpr LeanToken Of(const Token& token) noexcept {
        return {token.value, token.kind, token.isNumber, token.unary, token.multi};
    }
};
static_assert(sizeof(LeanToken) <= 16);

// Tokens live in the evaluation's arena, which must be a monotonic resource: texts made by
// the stages are taken from it and never given back one by one.
using Tokens = std::pmr::vector<Token>;
static_assert(sizeof(Token) <= 32, "tokens are copied on every step");

// Makes a default token stand for the text with all but its number settled: what reading it
// as a number gives depends on the decimal separator of the moment. Fills the token where it
// lies, so that nothing is copied through the stack.
// Inlined: the tokenizer classifies every run of text.
[[gnu::always_inline]] constexpr void Classify(Token& token, std::u16string_view text) noexcept {
    token.text = text.data();
    token.size = text.size();
    token.kind = KindOf(text);
    token.negative = text.size() > 1 && text[0] == u'-';
    token.joinsExponent = !text.empty() && text.back() == u'e' && text.find(u'e') == text.size() - 1;
    // Every name starts with a lower-case letter.
    if (token.kind == TokenKind::kOther && !text.empty() && text[0] >= u'a' && text[0] <= u'z') {
        token.unary = static_cast<std::int8_t>(kUnaryFunctionRegistry.Find(text));
        token.multi = static_cast<std::int8_t>(kMultiArgFunctionRegistry.Find(text));
        token.constant = static_cast<std::int8_t>(FindConstantToken(text));
    }
}

constexpr Token ClassifiedText(std::u16string_view text) noexcept {
    Token token;
    Classify(token, text);
    return token;
}

// Settles whether a classified token reads as a number, and as which. Here and below the
// separator is the evaluation's; the defaults, for callers outside one, read the current one.
// Inline, as Classify.
inline void ReadNumber(Token& token, char16_t separator = DecimalSeparator()) noexcept {
    // A lone unit reads as a number only when it is the decimal separator (as 0).
    if (token.kind != TokenKind::kOther && token.text[0] != separator) return;
    token.isNumber = TryParsePlainDecimal(token.Text(), token.value, separator) ||
                     TryParseNumberText(token.Text(), token.value, separator);
}

// A token for the text, which must outlive it.
inline Token TextToken(std::u16string_view text, char16_t separator = DecimalSeparator()) noexcept {
    Token token = ClassifiedText(text);
    ReadNumber(token, separator);
    return token;
}
// A token for a text copied into the resource.
Token CopiedTextToken(std::u16string_view text, std::pmr::memory_resource& resource,
                      char16_t separator = DecimalSeparator());
// The token of the NumberText of x.
Token NumberToken(double x, char16_t separator = DecimalSeparator()) noexcept;

// The text of a token: a view of its own text, or the NumberText written from its value.
class TokenText16 {
public:
    explicit TokenText16(const Token& token, char16_t separator = DecimalSeparator()) noexcept;
    std::u16string_view View() const noexcept { return computed_ ? written_.View() : view_; }
    operator std::u16string_view() const noexcept { return View(); }

private:
    bool computed_;
    ShortText written_;
    std::u16string_view view_;
};

inline TokenText16 TextOf(const Token& token, char16_t separator = DecimalSeparator()) noexcept {
    return TokenText16(token, separator);
}

// The value of a token that reads as a number; any other raises EConvertError naming its text.
double NumberValueOf(const Token& token, char16_t separator = DecimalSeparator());

// A copy of the token texts in the observer's terms.
std::vector<std::u16string> ToStandardTokens(const Tokens& tokens, char16_t separator = DecimalSeparator());

}  // namespace quorvex
