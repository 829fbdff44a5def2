// Constant substitution.
#include "pipeline/constants.hpp"

#include "core/name_index.hpp"
#include "core/utf16.hpp"

#include <quorvex/quorvex.hpp>

#include <utility>

namespace quorvex {
namespace {

constexpr std::int32_t kSubstitutionHelpContext = 10009;
constexpr std::u16string_view kSubstitutionMessageHead = u"定数";
constexpr std::u16string_view kSubstitutionMessageTail = u"に数値を代入する際にエラーになりました";
constexpr std::u16string_view kPiToken = u"pi";
constexpr std::u16string_view kDegToken = u"deg";
constexpr std::u16string_view kDegZeroTail = u"0";
constexpr std::size_t kDegZeroRow = 16;
constexpr std::size_t kLongestConstantToken = 4;

static_assert(kPhysicalConstantTable[kDegZeroRow].token == u"deg0");

constexpr auto kConstantTokens = [] {
    std::array<std::u16string_view, kPhysicalConstantTable.size() + 1> tokens{};
    for (std::size_t i = 0; i < kPhysicalConstantTable.size(); ++i) tokens[i] = kPhysicalConstantTable[i].token;
    tokens.back() = kPiToken;
    return tokens;
}();
constexpr NameIndex kConstantIndex{kConstantTokens};
static_assert(kConstantIndex.HasDistinctNames());

// The value a token stands for, or nullptr. Every constant's token starts with a letter.
const double* ConstantValue(std::u16string_view token) {
    static constexpr double kPiValue = kPi;
    if (token.empty() || token.size() > kLongestConstantToken || token[0] < u'a' || token[0] > u'z') return nullptr;
    const int found = kConstantIndex.Find(token);
    if (found < 0) return nullptr;
    return static_cast<std::size_t>(found) < kPhysicalConstantTable.size()
               ? &kPhysicalConstantTable[static_cast<std::size_t>(found)].value
               : &kPiValue;
}

}  // namespace

const PhysicalConstant* FindPhysicalConstant(std::int32_t index) noexcept {
    if (index < 0 || static_cast<std::size_t>(index) >= kPhysicalConstantTable.size()) return nullptr;
    return &kPhysicalConstantTable[static_cast<std::size_t>(index)];
}

bool SubstituteConstants(Tokens& tokens) {
    // Compacts in place: the "0" after "deg" goes without moving the rest for each one.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i, ++kept) {
        Token& token = tokens[i];
        if (!token.computed) {
            try {
                if (token.Is(kDegToken) && i + 1 < tokens.size() && tokens[i + 1].Is(kDegZeroTail)) {
                    tokens[kept] = NumberToken(kPhysicalConstantTable[kDegZeroRow].value);
                    ++i;
                    continue;
                }
                if (const double* value = ConstantValue(token.Text())) token = NumberToken(*value);
            } catch (...) {
                throw EConvertError(JoinMessage({kSubstitutionMessageHead, token.Text(), kSubstitutionMessageTail}),
                                    kSubstitutionHelpContext);
            }
        }
        if (kept != i) tokens[kept] = token;
    }
    tokens.resize(kept);
    return true;
}

bool SubstituteConstants(TokenList& tokens) {
    return RunOnTexts(tokens, [](Tokens& list) { return SubstituteConstants(list); });
}

}  // namespace quorvex
