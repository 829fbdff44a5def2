// Integer text: reading a 32-bit signed integer, for the integer arguments of functions, and
// writing the decimal text of an integer.
#pragma once

#include "core/short_text.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// Leading spaces, then either an optional sign and decimal digits whose value lies in
// -2147483648 .. 2147483647, or (without sign) "$", "x", "X", "0x" or "0X" and at most eight
// hexadecimal digits taken as a 32-bit pattern ("0x" alone reads as 0). Nothing may follow.
std::optional<std::int32_t> TryParseIntegerText(std::u16string_view text) noexcept;

// Decimal text of an integer.
ShortText WriteIntegerText(long long value) noexcept;
inline std::u16string IntegerToText(long long value) { return std::u16string(WriteIntegerText(value).View()); }

}  // namespace quorvex
