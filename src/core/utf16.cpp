// UTF-16 <-> UTF-8 conversion and message joining.
#include "core/utf16.hpp"

#include <quorvex/quorvex.hpp>

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
    if (argument.size() <= kMostQuotedUnits)
        return JoinMessage({pattern.substr(0, at), argument, pattern.substr(at + 2)});
    // Never half a surrogate pair.
    std::size_t kept = kMostQuotedUnits;
    if (argument[kept - 1] >= 0xD800 && argument[kept - 1] <= 0xDBFF) --kept;
    return JoinMessage({pattern.substr(0, at), argument.substr(0, kept), kQuoteEllipsis, pattern.substr(at + 2)});
}

}  // namespace quorvex
