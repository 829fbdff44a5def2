// Integer functions.
#include "functions/integer_functions.hpp"

#include "core/errors.hpp"
#include "core/integer_text.hpp"
#include "core/utf16.hpp"
#include "special/combinatorics.hpp"

#include <quorvex/quorvex.hpp>

#include <limits>
#include <optional>

namespace quorvex {
namespace {

constexpr std::int32_t kSmallest = std::numeric_limits<std::int32_t>::min();

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

bool FitsIn32Bits(std::int64_t v) { return v >= kSmallest && v <= std::numeric_limits<std::int32_t>::max(); }

}  // namespace

std::optional<std::int64_t> Remainder(std::int32_t a, std::int32_t b) {
    if (DividesBadly(a, b)) return std::nullopt;
    return a % b;
}

std::optional<std::int64_t> Quotient(std::int32_t a, std::int32_t b) {
    if (DividesBadly(a, b)) return std::nullopt;
    return a / b;
}

// The count is taken modulo 32, as the processor takes it.
std::optional<std::int64_t> ShiftLeft(std::int32_t a, std::int32_t b) { return FromBits(Bits(a) << (Bits(b) & 31U)); }
std::optional<std::int64_t> ShiftRight(std::int32_t a, std::int32_t b) { return FromBits(Bits(a) >> (Bits(b) & 31U)); }

std::optional<std::int64_t> BitwiseAnd(std::int32_t a, std::int32_t b) { return a & b; }
std::optional<std::int64_t> BitwiseOr(std::int32_t a, std::int32_t b) { return a | b; }
std::optional<std::int64_t> BitwiseXor(std::int32_t a, std::int32_t b) { return a ^ b; }

std::optional<std::int64_t> MagnitudeAnd(std::int32_t a, std::int32_t b) {
    return SignAndMagnitude(a, b, [](std::int64_t x, std::int64_t y) { return x & y; });
}
std::optional<std::int64_t> MagnitudeOr(std::int32_t a, std::int32_t b) {
    return SignAndMagnitude(a, b, [](std::int64_t x, std::int64_t y) { return x | y; });
}
std::optional<std::int64_t> MagnitudeXor(std::int32_t a, std::int32_t b) {
    return SignAndMagnitude(a, b, [](std::int64_t x, std::int64_t y) { return x ^ y; });
}

std::int32_t NotN(std::int32_t n) {
    const std::uint32_t sign = n < 0 ? 0xFFFFFFFFU : 1U;  // -1 or 1 as 32-bit patterns
    const std::uint32_t magnitude = Bits(n) * sign;
    const auto k = static_cast<std::uint32_t>(32 - special::BitLength(FromBits(magnitude))) % 32U;
    const std::uint32_t complement = ~(magnitude << k) >> k;
    return FromBits((0U - sign) * complement);
}

ShortText EvaluateIntegerFunction(const IntegerPairForm& function, const TokenList& arguments) {
    if (arguments.size() != 2) RaiseArgumentError(function.countMessage, function.helpContext);
    const auto a = TryParseIntegerText(arguments[0]);
    const auto b = TryParseIntegerText(arguments[1]);
    const std::optional<std::int64_t> result = a && b ? function.operation(*a, *b) : std::nullopt;
    if (!result || !FitsIn32Bits(*result)) {
        RaiseArgumentError(function.valueMessage, function.helpContext);
    }
    return WriteIntegerText(*result);
}

}  // namespace quorvex
