// Exponent-notation joining.
#include "pipeline/exponent_joining.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"

#include <memory_resource>
#include <string>

namespace quorvex {
namespace {

constexpr std::u16string_view kLeadingEMessage = u"eを含む文字列が、正しい数値になっていません";
constexpr std::u16string_view kJoinMessage = u"eに数値を代入する際にエラーになりました";

[[noreturn]] void RaiseJoinError() { throw EConvertError(std::u16string(kJoinMessage), kNoHelpContext); }

}  // namespace

bool JoinExponentNotation(Tokens& tokens) {
    if (!tokens.empty() && tokens[0].Is(u"e")) {
        throw EConvertError(std::u16string(kLeadingEMessage), kNoHelpContext);
    }
    std::pmr::memory_resource& arena = *tokens.get_allocator().resource();
    // Compacts in place; a joined token is not looked at again.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i, ++kept) {
        Token& token = tokens[i];
        std::size_t consumed = 0;
        // 1.5e, 2e and e join; exp, 2e5 and 1e5e do not.
        if (token.joinsExponent) {
            if (i + 1 >= tokens.size()) RaiseJoinError();
            const TokenKind next = tokens[i + 1].kind;
            consumed = next == TokenKind::kMinus || next == TokenKind::kPlus ? 1 : 0;
            consumed += 1;
            if (i + consumed >= tokens.size()) RaiseJoinError();
            std::pmr::u16string joined(token.Text(), &arena);
            for (std::size_t k = 1; k <= consumed; ++k) joined += TextOf(tokens[i + k]).View();
            // Only checked: the joined text stays as typed.
            token = CopiedTextToken(joined, arena);
            if (!token.isNumber) RaiseJoinError();
        }
        if (kept != i) tokens[kept] = token;
        i += consumed;
    }
    tokens.resize(kept);
    return true;
}

bool JoinExponentNotation(TokenList& tokens) {
    return RunOnTexts(tokens, [](Tokens& list) { return JoinExponentNotation(list); });
}

}  // namespace quorvex
