// UTF-16 <-> UTF-8 conversion and message joining.
#include "core/utf16.hpp"

#include <quorvex/quorvex.hpp>

#include <cstdint>
#include <limits>

namespace quorvex {
namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
}

}  // namespace

std::string ToUtf8(std::u16string_view text) { return detail::ToUtf8(text); }

std::u16string ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        int length = 0;
        char32_t codePoint = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            codePoint = lead & 0x1F;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            codePoint = lead & 0x0F;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            codePoint = lead & 0x07;
            minimum = 0x10000;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (valid && length > 1) {
            valid = codePoint >= minimum && codePoint <= 0x10FFFF &&
                    !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
        }
        if (valid) {
            AppendUtf16(out, codePoint);
            i += static_cast<std::size_t>(length);
        } else {
            out += static_cast<char16_t>(kReplacementCharacter);
            ++i;
        }
    }
    return out;
}

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
