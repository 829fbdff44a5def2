// Aggregates and the binomial coefficient.
#include "functions/aggregates.hpp"

#include "core/checked_float.hpp"
#include "core/errors.hpp"
#include "core/integer_text.hpp"
#include "core/number_text.hpp"
#include "special/combinatorics.hpp"

#include <quorvex/quorvex.hpp>

#include <cstdint>
#include <string_view>

namespace quorvex {
namespace {

constexpr std::int32_t kAggregateHelpContext = 10006;

// The running answer is kept as text, so each comparison sees the previous 15-digit result.
template <typename Keeps>
ShortText Extreme(const TokenList& arguments, char16_t separator, std::u16string_view emptyMessage, Keeps keeps) {
    if (arguments.empty()) RaiseArgumentError(emptyMessage, kAggregateHelpContext);
    // One argument is answered unchanged: it is always a computed NumberText, since a single
    // number token in brackets is no call.
    ShortText answer(arguments[0]);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const double running = ParseNumberText(answer, separator);
        const double candidate = ParseNumberText(arguments[i], separator);
        answer = WriteNumberText(keeps(running, candidate) ? running : candidate, separator);
    }
    return answer;
}

ShortText SumOf(const TokenList& arguments, char16_t separator, std::u16string_view emptyMessage) {
    if (arguments.empty()) RaiseArgumentError(emptyMessage, kAggregateHelpContext);
    double total = 0.0;
    for (const auto& argument : arguments) total = CheckedAdd(total, ParseNumberText(argument, separator));
    return WriteNumberText(total, separator);
}

}  // namespace

ShortText Maximum(const TokenList& arguments, char16_t separator) {
    return Extreme(arguments, separator, u"Max関数へ入力される数値がありません",
                   [](double a, double b) { return a > b; });
}

ShortText Minimum(const TokenList& arguments, char16_t separator) {
    return Extreme(arguments, separator, u"Min関数へ入力される数値がありません",
                   [](double a, double b) { return a < b; });
}

ShortText Sum(const TokenList& arguments, char16_t separator) {
    return SumOf(arguments, separator, u"Sum関数へ入力される数値がありません");
}

ShortText Average(const TokenList& arguments, char16_t separator) {
    const double total =
        ParseNumberText(SumOf(arguments, separator, u"Average関数へ入力される数値がありません"), separator);
    return WriteNumberText(CheckedDivide(total, static_cast<double>(arguments.size())), separator);
}

ShortText Combin(const TokenList& arguments, char16_t separator) {
    if (arguments.size() != 2)
        RaiseArgumentError(u"Combin関数の引数は２つにして下さい\r\nCombin(総数,抜き取り数)", kAggregateHelpContext);
    const auto n = TryParseIntegerText(arguments[0]);
    const auto k = TryParseIntegerText(arguments[1]);
    if (!n || !k) RaiseArgumentError(u"Combin関数に整数ではない数が入力されました", kAggregateHelpContext);
    if (*n < 0 || *k < 0) RaiseArgumentError(u"Combin関数の引数は自然数でなくてはなりません", kAggregateHelpContext);
    if (*n < *k) {
        RaiseArgumentError(
            u"Combin関数の引数で、抜き取り数は総数より小さくなくてはなりません\r\n"
            u"\u3000\u3000\u3000\u3000\u3000\u3000Combin(総数,抜き取り数)",
            kAggregateHelpContext);
    }
    if (*k == 0) return ShortText(u"1");
    return WriteNumberText(special::BinomialCoefficient(*n, *k), separator);
}

}  // namespace quorvex
