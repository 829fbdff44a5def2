// NumberText: the decimal text in which every number travels through the evaluator.
#pragma once

#include "core/decimal_separator.hpp"
#include "core/short_text.hpp"

#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

inline constexpr std::u16string_view kNotANumberMessage = u"'%s' は浮動小数点数ではありません";

// v * 10^p by the fixed sequence of table multiplications and divisions that both directions
// share, each one IEEE operation rounded to nearest: P[p mod 32], Q[(p div 32) mod 8], then
// 1e256 once or twice (1e-256 for negative p). Beyond 10^631 the answer is +infinity, below
// 10^-631 it is 0.
double ScaleByPowerOfTen(double v, long long p);

// The text of x: 15 significant digits rounded on the 16th digit alone, fixed notation for
// magnitudes from 0.0001 up to 10^15, otherwise d.dddE[-]x; the given decimal separator;
// "INF", "-INF", "NAN" for non-finite values, "-0" for negative zero. Never fails.
// An evaluation passes the separator it took at its start; the defaults, for callers outside
// one, read the current separator.
ShortText WriteNumberText(double x, char16_t separator = DecimalSeparator()) noexcept;
inline std::u16string FormatNumberText(double x, char16_t separator = DecimalSeparator()) {
    return std::u16string(WriteNumberText(x, separator).View());
}

// What the NumberText of x reads back as: TryParseNumberText(WriteNumberText(x)), without the
// text. (The out-parameter forms keep the hot paths free of std::optional, whose flag byte
// GCC reloads as a wider word than it stored.)
bool ReadBackNumberText(double x, double& value, char16_t separator = DecimalSeparator()) noexcept;
inline std::optional<double> ReadBackNumberText(double x) noexcept {
    double value = 0.0;
    return ReadBackNumberText(x, value, DecimalSeparator()) ? std::optional<double>(value) : std::nullopt;
}

// The value of a text in the reader's grammar: spaces, optional sign, digits, optional
// separator and digits, optional E/e with optional sign and digits, spaces. No value when
// the text is outside that grammar or overflows.
bool TryParseNumberText(std::u16string_view text, double& value, char16_t separator = DecimalSeparator()) noexcept;
inline std::optional<double> TryParseNumberText(std::u16string_view text,
                                                char16_t separator = DecimalSeparator()) noexcept {
    double value = 0.0;
    return TryParseNumberText(text, value, separator) ? std::optional<double>(value) : std::nullopt;
}

// The divisors the reader's scaling takes for up to 14 fraction digits, all exact.
inline constexpr double kExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                                               1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14};

// Digits with at most one separator among them and no more than 15 units, the commonest
// tokens, read as the exact integer the general grammar accumulates (below 2^53 every step of
// it is exact), scaled once as it would be. False, with nothing read, for any other text.
// Inline: the tokenizer reads every number it makes.
[[gnu::always_inline]] inline bool TryParsePlainDecimal(std::u16string_view s, double& value,
                                                        char16_t separator) noexcept {
    const auto digit = [](char16_t unit) { return static_cast<unsigned>(unit - u'0'); };
    if (s.empty() || s.size() > std::size(kExactPowersOfTen) || digit(s[0]) > 9) return false;
    unsigned long long integer = 0;
    std::size_t i = 0;
    while (i < s.size() && digit(s[i]) <= 9) integer = integer * 10 + digit(s[i++]);
    if (i == s.size()) {
        value = static_cast<double>(integer);
        return true;
    }
    if (s[i] != separator) return false;
    const std::size_t point = i++;
    while (i < s.size() && digit(s[i]) <= 9) integer = integer * 10 + digit(s[i++]);
    if (i != s.size()) return false;
    value = static_cast<double>(integer) / kExactPowersOfTen[s.size() - point - 1];
    return true;
}

// As TryParseNumberText; a text that is not a number raises EConvertError
// "'<text>' は浮動小数点数ではありません" with help context 0.
double ParseNumberText(std::u16string_view text, char16_t separator = DecimalSeparator());

}  // namespace quorvex
