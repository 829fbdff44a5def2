// The evaluation driver.
#include "pipeline/driver.hpp"

#include "core/errors.hpp"
#include "pipeline/constants.hpp"
#include "pipeline/direct_reduction.hpp"
#include "pipeline/exponent_joining.hpp"
#include "pipeline/reduction.hpp"
#include "pipeline/token.hpp"
#include "pipeline/tokenizer.hpp"
#include "pipeline/trace.hpp"

#include <array>
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

// Units the working text does not keep as they are: the space goes, capitals become small
// letters, and the other brackets become round ones.
constexpr auto kChangedUnits = [] {
    std::array<bool, 128> changed{};
    for (char16_t unit = u'A'; unit <= u'Z'; ++unit) changed[unit] = true;
    for (const char16_t unit : {u' ', u'{', u'[', u'}', u']'}) changed[unit] = true;
    return changed;
}();

bool IsChanged(char16_t unit) { return unit < kChangedUnits.size() && kChangedUnits[unit]; }

// The expression up to its first NUL as the working text. A text that needs no change is
// used where it lies; any other is rewritten into the arena.
std::u16string_view WorkingText(std::u16string_view expression, std::pmr::memory_resource& arena) {
    std::size_t end = 0;
    bool unchanged = true;
    for (; end < expression.size() && expression[end] != u'\0'; ++end) {
        if (IsChanged(expression[end])) unchanged = false;
    }
    expression = expression.substr(0, end);
    if (unchanged) return expression;
    auto* units = static_cast<char16_t*>(arena.allocate(expression.size() * sizeof(char16_t), alignof(char16_t)));
    std::size_t size = 0;
    for (const char16_t unit : expression) {
        if (unit == u' ') continue;
        char16_t normal = unit;
        if (unit >= u'A' && unit <= u'Z') normal = static_cast<char16_t>(unit + 0x20);
        else if (unit == u'{' || unit == u'[') normal = u'(';
        else if (unit == u'}' || unit == u']') normal = u')';
        units[size++] = normal;
    }
    return {units, size};
}

double Evaluate(std::u16string_view expression, std::pmr::memory_resource& arena) {
    double result = std::bit_cast<double>(kNotReducedBits);
    const std::u16string_view text = WorkingText(expression, arena);
    if (text.empty()) throw EConvertError(std::u16string(kEmptyExpressionMessage), kNoHelpContext);

    Tokens tokens(&arena);
    TokenCounts counts;
    if (Tokenize(tokens, text, counts) && counts.opening != counts.closing) {
        throw EFunctionError(std::u16string(kUnbalancedMessage), kNoHelpContext);
    }
    // A stage that finds nothing to change is skipped; an observer still sees each stage.
    EvaluationObserver* observer = CurrentObserver();
    if (observer != nullptr) observer->OnStage(u"tokens", ToStandardTokens(tokens));
    if (counts.constants > 0 && !SubstituteConstants(tokens)) return result;
    if (observer != nullptr) observer->OnStage(u"constants", ToStandardTokens(tokens));
    if (counts.exponentJoins > 0 && !JoinExponentNotation(tokens)) return result;
    if (observer != nullptr) observer->OnStage(u"exponents", ToStandardTokens(tokens));
    if (observer == nullptr) {
        if (const auto value = ReduceDirectly(tokens)) return *value;
    }
    if (ReduceTokenList(tokens)) {
        if (tokens.empty()) RaiseListIndexError(0);
        result = NumberValueOf(tokens[0]);
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
