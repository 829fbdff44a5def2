// Exponent-notation joining.
#include "pipeline/exponent_joining.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"

#include <functional>
#include <memory_resource>
#include <string>

namespace quorvex {
namespace {

constexpr std::u16string_view kLeadingEMessage = u"eを含む文字列が、正しい数値になっていません";
constexpr std::u16string_view kJoinMessage = u"eに数値を代入する際にエラーになりました";

[[noreturn]] void RaiseJoinError() { throw EConvertError(std::u16string(kJoinMessage), kNoHelpContext); }

// Where the units lie in the text, or past its end when they lie elsewhere.
std::size_t OffsetIn(std::u16string_view text, const char16_t* units) {
    const std::less_equal<const char16_t*> notAfter;
    if (text.empty() || !notAfter(text.data(), units) || !notAfter(units, text.data() + text.size()))
        return text.size();
    return static_cast<std::size_t>(units - text.data());
}

}  // namespace

void CheckFirstExponentToken(const Token& first) {
    if (first.Is(u"e")) throw EConvertError(std::u16string(kLeadingEMessage), kNoHelpContext);
}

std::size_t JoinExponent(std::span<const Token> ahead, Token& result, std::pmr::memory_resource& arena,
                         std::u16string_view source, char16_t separator) {
    const Token& token = ahead[0];
    result = token;
    // 1.5e, 2e and e join; exp, 2e5 and 1e5e do not.
    if (!token.joinsExponent) return 1;
    if (ahead.size() < 2) RaiseJoinError();
    const TokenKind next = ahead[1].kind;
    const std::size_t taken = next == TokenKind::kMinus || next == TokenKind::kPlus ? 3 : 2;
    if (ahead.size() < taken) RaiseJoinError();
    // Only checked: the joined text stays as typed.
    const std::size_t at = OffsetIn(source, token.text);
    bool inSource = at < source.size();
    std::size_t end = at + token.size;
    for (std::size_t k = 1; k < taken && inSource; ++k) {
        const TokenText16 piece = TextOf(ahead[k], separator);
        inSource = end <= source.size() && source.substr(end).starts_with(piece.View());
        end += piece.View().size();
    }
    if (inSource) {
        result = TextToken(source.substr(at, end - at), separator);
    } else {
        std::pmr::u16string joined(token.Text(), &arena);
        for (std::size_t k = 1; k < taken; ++k) joined += TextOf(ahead[k], separator).View();
        result = CopiedTextToken(joined, arena, separator);
    }
    if (!result.isNumber) RaiseJoinError();
    return taken;
}

void JoinExponentNotation(Tokens& tokens, std::u16string_view source, char16_t separator) {
    if (!tokens.empty()) CheckFirstExponentToken(tokens[0]);
    std::pmr::memory_resource& arena = *tokens.get_allocator().resource();
    // Compacts in place; a joined token is not looked at again.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tokens.size(); ++kept) {
        // Most tokens join nothing: kept without a call.
        if (!tokens[i].joinsExponent) {
            tokens[kept] = tokens[i++];
            continue;
        }
        Token result;
        i += JoinExponent(std::span<const Token>(tokens).subspan(i), result, arena, source, separator);
        tokens[kept] = result;
    }
    tokens.resize(kept);
}

}  // namespace quorvex
