// The integer functions: 32-bit two's-complement arithmetic, and the sign-and-magnitude view
// in which a number is a sign and the binary digits of its magnitude.
#pragma once

#include "core/short_text.hpp"
#include "core/token_list.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// The complement of n's binary digits with n's sign flipped: notn(5) = -2, notn(0) = 1, in
// 32-bit wrap-around arithmetic.
std::int32_t NotN(std::int32_t n);

// The two-argument integer operations on 32-bit arguments: the result, or no value for a zero
// divisor and -2147483648 / -1. mod and div truncate; the shifts take the count modulo 32; the
// Magnitude forms combine sign and magnitude alike, and may leave 32 bits.
std::optional<std::int64_t> Remainder(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> Quotient(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> ShiftLeft(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> ShiftRight(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> BitwiseAnd(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> BitwiseOr(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> BitwiseXor(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> MagnitudeAnd(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> MagnitudeOr(std::int32_t a, std::int32_t b);
std::optional<std::int64_t> MagnitudeXor(std::int32_t a, std::int32_t b);

struct IntegerPairForm {
    std::optional<std::int64_t> (*operation)(std::int32_t a, std::int32_t b) = nullptr;
    std::u16string_view countMessage;
    std::u16string_view valueMessage;
    std::int32_t helpContext = 0;
};

// A two-argument integer function: the result as decimal integer text. A wrong argument count
// raises the count message; an argument that is not a 32-bit integer, an operation without a
// value and a result beyond 32 bits raise the value message (EFunctionError, the form's help
// context).
ShortText EvaluateIntegerFunction(const IntegerPairForm& function, const TokenList& arguments);

}  // namespace quorvex
