// Integer functions.
#include "functions/integer_functions.hpp"

#include "core/integer_text.hpp"
#include "core/name_index.hpp"
#include "core/utf16.hpp"
#include "special/combinatorics.hpp"

#include <quorvex/quorvex.hpp>

#include <array>
#include <limits>
#include <optional>

namespace quorvex {
namespace {

constexpr std::int32_t kModHelpContext = 10006;
constexpr std::int32_t kIntegerHelpContext = 10007;
constexpr std::int32_t kSmallest = std::numeric_limits<std::int32_t>::min();

using Operation = std::optional<std::int64_t> (*)(std::int32_t a, std::int32_t b);

struct IntegerFunction {
    std::u16string_view name;
    Operation operation;  // no value: the value message
    std::u16string_view countMessage;
    std::u16string_view valueMessage;
    std::int32_t helpContext;
};

std::uint32_t Bits(std::int32_t v) { return static_cast<std::uint32_t>(v); }
std::int32_t FromBits(std::uint32_t v) { return static_cast<std::int32_t>(v); }

bool DividesBadly(std::int32_t a, std::int32_t b) { return b == 0 || (a == kSmallest && b == -1); }

// Sign-and-magnitude: the magnitudes combined by `combine`, the signs (set when negative) by
// the same operation. Magnitudes are taken in 64 bits so that -2147483648 has one.
template <typename Combine>
std::optional<std::int64_t> SignAndMagnitude(std::int32_t a, std::int32_t b, Combine combine) {
    const std::int64_t magnitude = combine(a < 0 ? -std::int64_t{a} : a, b < 0 ? -std::int64_t{b} : b);
    const bool negative = combine(std::int64_t{a < 0}, std::int64_t{b < 0}) != 0;
    return negative ? -magnitude : magnitude;
}

constexpr std::u16string_view kAndCount = u"and関数の引数は２つにして下さい";
constexpr std::u16string_view kAndValue = u"and関数に整数ではない数が入力されました";
constexpr std::u16string_view kOrCount = u"or関数の引数は２つにして下さい";
constexpr std::u16string_view kOrValue = u"or関数に整数ではない数が入力されました";
constexpr std::u16string_view kXorCount = u"xor関数の引数は２つにして下さい";
constexpr std::u16string_view kXorValue = u"xor関数に整数ではない数が入力されました";

constexpr std::array<IntegerFunction, 10> kIntegerFunctions = {{
    {u"mod",
     [](std::int32_t a, std::int32_t b) -> std::optional<std::int64_t> {
         if (DividesBadly(a, b)) return std::nullopt;
         return a % b;
     },
     u"mod関数の引数は２つにして下さい", u"mod関数に整数ではない数が入力されました", kModHelpContext},
    {u"div",
     [](std::int32_t a, std::int32_t b) -> std::optional<std::int64_t> {
         if (DividesBadly(a, b)) return std::nullopt;
         return a / b;
     },
     u"div関数の引数は２つにして下さい", u"div関数に整数ではない数が入力されました", kIntegerHelpContext},
    // The count is taken modulo 32, as the processor takes it.
    {u"shl", [](std::int32_t a, std::int32_t b) -> std::optional<std::int64_t> { return FromBits(Bits(a) << (Bits(b) & 31U)); },
     u"shl関数の引数は２つにして下さい", u"shl関数に整数ではない数が入力されました", kIntegerHelpContext},
    {u"shr", [](std::int32_t a, std::int32_t b) -> std::optional<std::int64_t> { return FromBits(Bits(a) >> (Bits(b) & 31U)); },
     u"shr関数の引数は２つにして下さい", u"shr関数に整数ではない数が入力されました", kIntegerHelpContext},
    {u"and", [](std::int32_t a, std::int32_t b) -> std::optional<std::int64_t> { return a & b; }, kAndCount, kAndValue,
     kIntegerHelpContext},
    {u"or", [](std::int32_t a, std::int32_t b) -> std::optional<std::int64_t> { return a | b; }, kOrCount, kOrValue,
     kIntegerHelpContext},
    {u"xor", [](std::int32_t a, std::int32_t b) -> std::optional<std::int64_t> { return a ^ b; }, kXorCount, kXorValue,
     kIntegerHelpContext},
    {u"andn",
     [](std::int32_t a, std::int32_t b) {
         return SignAndMagnitude(a, b, [](std::int64_t x, std::int64_t y) { return x & y; });
     },
     kAndCount, kAndValue, kIntegerHelpContext},
    {u"orn",
     [](std::int32_t a, std::int32_t b) {
         return SignAndMagnitude(a, b, [](std::int64_t x, std::int64_t y) { return x | y; });
     },
     kOrCount, kOrValue, kIntegerHelpContext},
    {u"xorn",
     [](std::int32_t a, std::int32_t b) {
         return SignAndMagnitude(a, b, [](std::int64_t x, std::int64_t y) { return x ^ y; });
     },
     kXorCount, kXorValue, kIntegerHelpContext},
}};

constexpr auto kIntegerFunctionNames = NamesOf(kIntegerFunctions);
constexpr NameIndex kIntegerFunctionIndex{kIntegerFunctionNames};
static_assert(kIntegerFunctionIndex.HasDistinctNames());

bool FitsIn32Bits(std::int64_t v) {
    return v >= kSmallest && v <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace

std::int32_t NotN(std::int32_t n) {
    const std::uint32_t sign = n < 0 ? 0xFFFFFFFFU : 1U;  // -1 or 1 as 32-bit patterns
    const std::uint32_t magnitude = Bits(n) * sign;
    const auto k = static_cast<std::uint32_t>(32 - special::BitLength(FromBits(magnitude))) % 32U;
    const std::uint32_t complement = ~(magnitude << k) >> k;
    return FromBits((0U - sign) * complement);
}

ShortText EvaluateIntegerFunction(std::u16string_view name, const TokenList& arguments) {
    const int row = kIntegerFunctionIndex.Find(name);
    if (row < 0) return ShortText(kFalseMarker);
    const IntegerFunction& function = kIntegerFunctions[static_cast<std::size_t>(row)];
    if (arguments.size() != 2) throw EFunctionError(std::u16string(function.countMessage), function.helpContext);
    const auto a = TryParseIntegerText(arguments[0]);
    const auto b = TryParseIntegerText(arguments[1]);
    const std::optional<std::int64_t> result = a && b ? function.operation(*a, *b) : std::nullopt;
    if (!result || !FitsIn32Bits(*result)) {
        throw EFunctionError(std::u16string(function.valueMessage), function.helpContext);
    }
    return WriteIntegerText(*result);
}

}  // namespace quorvex
