// Reading and writing integer text.
#include "core/integer_text.hpp"

#include <cstddef>
#include <limits>

namespace quorvex {
namespace {

constexpr int kMaxHexDigits = 8;
constexpr std::int64_t kLargestMagnitude = 2147483648LL;  // of a negative value

int HexDigitValue(char16_t unit) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
    return -1;
}

std::optional<std::int32_t> ReadHex(std::u16string_view digits, bool allowEmpty) {
    if (digits.empty() && !allowEmpty) return std::nullopt;
    if (digits.size() > kMaxHexDigits) return std::nullopt;
    std::uint32_t pattern = 0;
    for (const char16_t unit : digits) {
        const int value = HexDigitValue(unit);
        if (value < 0) return std::nullopt;
        pattern = (pattern << 4) | static_cast<std::uint32_t>(value);
    }
    return static_cast<std::int32_t>(pattern);
}

}  // namespace

std::optional<std::int32_t> TryParseIntegerText(std::u16string_view s) noexcept {
    std::size_t i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    s.remove_prefix(i);
    if (s.empty()) return std::nullopt;
    if (s[0] == u'$' || s[0] == u'x' || s[0] == u'X') return ReadHex(s.substr(1), false);
    if (s.size() >= 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) return ReadHex(s.substr(2), true);

    bool negative = false;
    if (s[0] == u'+' || s[0] == u'-') {
        negative = s[0] == u'-';
        s.remove_prefix(1);
    }
    if (s.empty()) return std::nullopt;
    std::int64_t magnitude = 0;
    for (const char16_t unit : s) {
        if (unit < u'0' || unit > u'9') return std::nullopt;
        magnitude = magnitude * 10 + (unit - u'0');
        if (magnitude > kLargestMagnitude) return std::nullopt;
    }
    if (!negative && magnitude == kLargestMagnitude) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

// A sign and the 19 or 20 digits of a long long fit a ShortText.
static_assert(1 + std::numeric_limits<unsigned long long>::digits10 + 1 <= ShortText::kCapacity);

ShortText WriteIntegerText(long long value) noexcept {
    const bool negative = value < 0;
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char16_t digits[20];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    ShortText text;
    if (negative) text.Append(u'-');
    while (count > 0) text.Append(digits[--count]);
    return text;
}

}  // namespace quorvex
