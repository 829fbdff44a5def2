// UTF-16 <-> UTF-8 conversion and message joining.
#include "core/utf16.hpp"

#include <quorvex/quorvex.hpp>

#include <cstdint>
#include <limits>

namespace quorvex {

// One conversion for the library and its hosts: the public header's.
std::string ToUtf8(std::u16string_view text) { return detail::ToUtf8(text); }

std::u16string ToUtf16(std::string_view text) { return detail::ToUtf16(text); }

std::u16string JoinMessage(std::initializer_list<std::u16string_view> pieces) {
    std::size_t size = 0;
    for (const auto piece : pieces) size += piece.size();
    std::u16string out;
    out.reserve(size);
    for (const auto piece : pieces) out += piece;
    return out;
}

std::u16string FillPlaceholder(std::u16string_view pattern, std::u16string_view argument) {
    std::size_t at = pattern.find(u"%s");
    if (at == std::u16string_view::npos) at = pattern.find(u"%d");
    if (at == std::u16string_view::npos) return std::u16string(pattern);
    if (argument.size() <= kMostQuotedUnits) return JoinMessage({pattern.substr(0, at), argument, pattern.substr(at + 2)});
    // Never half a surrogate pair.
    std::size_t kept = kMostQuotedUnits;
    if (argument[kept - 1] >= 0xD800 && argument[kept - 1] <= 0xDBFF) --kept;
    return JoinMessage({pattern.substr(0, at), argument.substr(0, kept), kQuoteEllipsis, pattern.substr(at + 2)});
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
