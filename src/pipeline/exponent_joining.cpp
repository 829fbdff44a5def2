// Exponent-notation joining.
#include "pipeline/exponent_joining.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"

#include <utility>

namespace quorvex {
namespace {

constexpr std::u16string_view kLeadingEMessage = u"eを含む文字列が、正しい数値になっていません";
constexpr std::u16string_view kJoinMessage = u"eに数値を代入する際にエラーになりました";

// Its first "e" is its last unit: 1.5e, 2e and e are; exp, 2e5 and 1e5e are not.
bool IsCandidate(std::u16string_view token) {
    return !token.empty() && token.back() == u'e' && token.find(u'e') == token.size() - 1;
}

[[noreturn]] void RaiseJoinError() { throw EConvertError(std::u16string(kJoinMessage), kNoHelpContext); }

}  // namespace

bool JoinExponentNotation(TokenList& tokens) {
    if (!tokens.empty() && tokens[0] == u"e") {
        throw EConvertError(std::u16string(kLeadingEMessage), kNoHelpContext);
    }
    // Compacts in place; a joined token is not looked at again.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i, ++kept) {
        TokenText& token = tokens[i];
        std::size_t consumed = 0;
        if (IsCandidate(token)) {
            if (i + 1 >= tokens.size()) RaiseJoinError();
            consumed = tokens[i + 1] == u"-" || tokens[i + 1] == u"+" ? 2 : 1;
            if (i + consumed >= tokens.size()) RaiseJoinError();
            for (std::size_t k = 1; k <= consumed; ++k) token += tokens[i + k];
            // Only checked: the joined text stays as typed.
            if (!IsNumberText(token)) RaiseJoinError();
        }
        if (kept != i) tokens[kept] = std::move(token);
        i += consumed;
    }
    tokens.resize(kept);
    return true;
}

}  // namespace quorvex
