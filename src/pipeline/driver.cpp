// The evaluation driver.
#include "pipeline/driver.hpp"

#include "core/errors.hpp"
#include "core/number_text.hpp"
#include "core/token_list.hpp"
#include "pipeline/constants.hpp"
#include "pipeline/exponent_joining.hpp"
#include "pipeline/reduction.hpp"
#include "pipeline/tokenizer.hpp"
#include "pipeline/trace.hpp"

#include <bit>
#include <memory>
#include <memory_resource>
#include <cstdint>
#include <string>

namespace quorvex {
namespace {

constexpr std::uint64_t kNotReducedBits = 0xFFF8000000000000ULL;
constexpr std::u16string_view kEmptyExpressionMessage = u"計算する文字がありません\r\n（空白文字では？）";
constexpr std::u16string_view kUnbalancedMessage = u"\u201D\uFF08\u201Dと\u201D\uFF09\u201Dの数が一致しません";

// Drops U+0020 and lower-cases A to Z; every other unit passes unchanged.
void CompactLowerCase(std::u16string_view expression, TokenText& text) {
    text.reserve(expression.size());
    for (const char16_t unit : expression) {
        if (unit == u' ') continue;
        text += (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 0x20) : unit;
    }
}

double Evaluate(std::u16string_view expression, std::pmr::memory_resource& arena) {
    double result = std::bit_cast<double>(kNotReducedBits);
    TokenText text(&arena);
    CompactLowerCase(expression.substr(0, expression.find(u'\0')), text);
    if (text.empty()) throw EConvertError(std::u16string(kEmptyExpressionMessage), kNoHelpContext);
    NormaliseOpeningBrackets(text);
    NormaliseClosingBrackets(text);

    TokenList tokens(&arena);
    if (Tokenize(tokens, text) && !CheckBracketBalance(tokens)) {
        throw EFunctionError(std::u16string(kUnbalancedMessage), kNoHelpContext);
    }
    EvaluationObserver* observer = CurrentObserver();
    if (observer != nullptr) observer->OnStage(u"tokens", ToStandardTokens(tokens));
    if (!SubstituteConstants(tokens)) return result;
    if (observer != nullptr) observer->OnStage(u"constants", ToStandardTokens(tokens));
    if (!JoinExponentNotation(tokens)) return result;
    if (observer != nullptr) observer->OnStage(u"exponents", ToStandardTokens(tokens));
    if (ReduceTokenList(tokens)) {
        if (tokens.empty()) RaiseListIndexError(0);
        result = ParseNumberText(tokens[0]);
    }
    return result;
}

// Each thread keeps one block for the arenas of its evaluations, so that an evaluation of a
// short expression takes nothing from the heap. An evaluation started while one runs on the
// same thread (from an observer) takes a block of its own.
constexpr std::size_t kArenaBlockSize = 64 * 1024;

struct ArenaBlock {
    std::unique_ptr<std::byte[]> bytes;
    bool inUse = false;
};

thread_local ArenaBlock tArenaBlock __attribute__((tls_model("initial-exec")));

}  // namespace

double EvaluateExpression(const char16_t* expression) {
    return EvaluateExpression(expression == nullptr ? std::u16string_view() : std::u16string_view(expression));
}

double EvaluateExpression(std::u16string_view expression) {
    if (tArenaBlock.inUse) {
        std::pmr::monotonic_buffer_resource arena(std::pmr::new_delete_resource());
        return Evaluate(expression, arena);
    }
    if (!tArenaBlock.bytes) tArenaBlock.bytes = std::make_unique<std::byte[]>(kArenaBlockSize);
    struct InUse {
        InUse() { tArenaBlock.inUse = true; }
        ~InUse() { tArenaBlock.inUse = false; }
    } inUse;
    std::pmr::monotonic_buffer_resource arena(tArenaBlock.bytes.get(), kArenaBlockSize, std::pmr::new_delete_resource());
    return Evaluate(expression, arena);
}

}  // namespace quorvex
