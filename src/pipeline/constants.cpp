// Constant substitution.
#include "pipeline/constants.hpp"

#include "core/utf16.hpp"

#include <quorvex/quorvex.hpp>

#include <utility>

namespace quorvex {
namespace {

constexpr std::int32_t kSubstitutionHelpContext = 10009;
constexpr std::u16string_view kSubstitutionMessageHead = u"定数";
constexpr std::u16string_view kSubstitutionMessageTail = u"に数値を代入する際にエラーになりました";
constexpr std::size_t kDegZeroRow = 16;
constexpr std::u16string_view kDegZeroTail = u"0";
// The function name the tokenizer cuts off deg0, leaving the tail.
constexpr std::u16string_view kDegToken = kPhysicalConstantTable[kDegZeroRow].token.substr(
    0, kPhysicalConstantTable[kDegZeroRow].token.size() - kDegZeroTail.size());

static_assert(kPhysicalConstantTable[kDegZeroRow].token == u"deg0");
static_assert(kConstantIndex.HasDistinctNames());

double ConstantValue(int position) {
    const auto row = static_cast<std::size_t>(position);
    return row < kPhysicalConstantTable.size() ? kPhysicalConstantTable[row].value : kPi;
}

}  // namespace

const PhysicalConstant* FindPhysicalConstant(std::int32_t index) noexcept {
    if (index < 0 || static_cast<std::size_t>(index) >= kPhysicalConstantTable.size()) return nullptr;
    return &kPhysicalConstantTable[static_cast<std::size_t>(index)];
}

std::size_t SubstituteConstant(std::span<const Token> ahead, Token& result, char16_t separator) {
    const Token& token = ahead[0];
    result = token;
    if (token.computed) return 1;
    try {
        if (token.Is(kDegToken) && ahead.size() > 1 && ahead[1].Is(kDegZeroTail)) {
            result = NumberToken(kPhysicalConstantTable[kDegZeroRow].value, separator);
            return 2;
        }
        if (token.constant >= 0) result = NumberToken(ConstantValue(token.constant), separator);
    } catch (...) {
        throw EConvertError(JoinMessage({kSubstitutionMessageHead, token.Text(), kSubstitutionMessageTail}),
                            kSubstitutionHelpContext);
    }
    return 1;
}

void SubstituteConstants(Tokens& tokens, char16_t separator) {
    // Compacts in place: the "0" after "deg" goes without moving the rest for each one.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tokens.size(); ++kept) {
        Token result;
        i += SubstituteConstant(std::span<const Token>(tokens).subspan(i), result, separator);
        tokens[kept] = result;
    }
    tokens.resize(kept);
}

}  // namespace quorvex
