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

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <memory_resource>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <string>

namespace quorvex {
namespace {

constexpr std::uint64_t kNotReducedBits = 0xFFF8000000000000ULL;
constexpr std::u16string_view kEmptyExpressionMessage = u"計算する文字がありません\r\n（空白文字では？）";
constexpr std::u16string_view kUnbalancedMessage = u"\u201D\uFF08\u201Dと\u201D\uFF09\u201Dの数が一致しません";

// Each thread keeps one block for the arenas of its evaluations, so that an evaluation of a
// short expression takes nothing from the heap. An evaluation started while one runs on the
// same thread (from an observer) takes a block of its own.
constexpr std::size_t kArenaBlockSize = std::size_t{64} * 1024;
// Texts whose tokens, one a unit at most, take no more than a quarter of the block: they are
// made into an array, which the engine copies into its list.
constexpr std::size_t kTokenizedWholeUnits = kArenaBlockSize / 4 / sizeof(Token);

// The rewritten units by table, for the scan of a text that has them.
constexpr auto kSpecialUnits = [] {
    std::array<bool, 128> special{};
    for (std::size_t unit = 0; unit < special.size(); ++unit)
        special[unit] = IsRewrittenUnit(static_cast<char16_t>(unit));
    return special;
}();

// The length of a C string, which ends at its NUL.
constexpr std::size_t kUnknownLength = std::numeric_limits<std::size_t>::max();
// The most units a view of a C string spans: the scans read it only up to its NUL.
constexpr std::size_t kMostViewedUnits = std::u16string_view().max_size();

// The expression up to its first NUL, or its end, as the working text. A text that needs no
// change is used where it lies; any other is rewritten into the arena. A C string (`limit`
// unknown) is measured in the same scan.
std::u16string_view WorkingText(const char16_t* units, std::size_t limit, std::pmr::memory_resource& arena) {
    std::size_t end = 0;
    bool unchanged = true;
    const auto scan = [&](auto before) {
        for (; before(end); ++end) {
            const char16_t unit = units[end];
            if (unit >= kSpecialUnits.size() || !kSpecialUnits[unit]) continue;
            if (unit == u'\0') break;
            unchanged = false;
        }
    };
    // A C string ends at its NUL, itself a special unit: the only test a plain unit needs.
    if (limit == kUnknownLength) {
        scan([](std::size_t) { return true; });
    } else {
        scan([limit](std::size_t at) { return at < limit; });
    }
    const std::u16string_view expression(units, end);
    if (unchanged) return expression;
    auto* normal = static_cast<char16_t*>(arena.allocate(expression.size() * sizeof(char16_t), alignof(char16_t)));
    std::size_t size = 0;
    for (const char16_t unit : expression) {
        if (unit == u' ') continue;
        normal[size++] = unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 0x20) : unit;
    }
    NormaliseOpeningBrackets({normal, size});
    NormaliseClosingBrackets({normal, size});
    return {normal, size};
}

// Every text the lean tokens do not reduce: `stillDirect` says whether the direct reduction may
// still take it.
[[gnu::noinline]] double EvaluateFully(const char16_t* expression, std::size_t limit, std::pmr::memory_resource& arena,
                                       const EvaluationContext& context, bool stillDirect) {
    double result = std::bit_cast<double>(kNotReducedBits);
    const char16_t separator = context.separator;
    // Most other texts are short and their own working text: their tokens are made in the scan
    // that finds so.
    TokenCounts counts;
    std::span<Token> made;
    std::u16string_view text(expression, std::min(limit, kTokenizedWholeUnits + 1));
    const bool tokenized = TokenizeUnchangedInArena(text, kTokenizedWholeUnits, arena, counts, separator, made);
    if (!tokenized) {
        counts = {};
        text = WorkingText(expression, limit, arena);
    }
    if (text.empty()) throw EConvertError(std::u16string(kEmptyExpressionMessage), kNoHelpContext);

    // A long text is reduced directly as it is tokenized, so that its tokens are never held
    // whole; a short one's fit the thread's arena block and are quickest made all at once.
    EvaluationObserver* observer = context.observer;
    const bool shortText = text.size() <= kTokenizedWholeUnits;
    const bool streamed = stillDirect && !shortText;
    if (streamed) {
        if (const auto value = ReduceWhileTokenizing(text, arena, context.separator)) return *value;
    }

    Tokens tokens(&arena);
    if (shortText) {
        if (!tokenized) made = TokenizeInArena(text, arena, counts, separator);
    } else if (!Tokenize(tokens, text, counts, separator)) {
        // The tokens made before memory ran out are a fragment of the expression: reducing
        // them would answer for another one.
        throw std::bad_alloc();
    }
    if (counts.opening != counts.closing) throw EFunctionError(std::u16string(kUnbalancedMessage), kNoHelpContext);
    if (shortText) {
        // Most short expressions have nothing for the stages to change and no observer to show
        // them: those go from the array straight to the direct reduction.
        if (stillDirect && counts.constants == 0 && counts.exponentJoins == 0 && observer == nullptr) {
            if (double value = 0.0; ReduceDirectly(made, arena, separator, value)) return value;
            stillDirect = false;  // declined: the stages change nothing, so it would decline again
        }
        tokens.assign(made.begin(), made.end());
    }
    // A stage that finds nothing to change is skipped; an observer still sees each stage.
    if (observer != nullptr) observer->OnStage(u"tokens", ToStandardTokens(tokens, separator));
    if (counts.constants > 0) SubstituteConstants(tokens, separator);
    if (observer != nullptr) observer->OnStage(u"constants", ToStandardTokens(tokens, separator));
    if (counts.exponentJoins > 0) JoinExponentNotation(tokens, text, separator);
    if (observer != nullptr) observer->OnStage(u"exponents", ToStandardTokens(tokens, separator));
    // A streamed text's tokens are the ones it already declined.
    if (stillDirect && !streamed) {
        if (const auto value = ReduceDirectly(tokens, separator)) return *value;
    }
    if (ReduceTokenList(tokens, context)) {
        if (tokens.empty()) RaiseListIndexError(0);
        result = NumberValueOf(tokens[0], separator);
    }
    return result;
}

double Evaluate(const char16_t* expression, std::size_t limit, std::pmr::memory_resource& arena,
                const EvaluationContext& context) {
    // Most texts are plain expressions under ".", which are made into tokens for the direct
    // reduction alone as it goes, whatever their length. The view reaches no further than the
    // scan reads, which stops at the NUL.
    const bool direct = context.path == ReductionPath::kDirectFirst;
    if (!direct || context.observer != nullptr || context.separator != u'.')
        return EvaluateFully(expression, limit, arena, context, direct);
    const std::u16string_view units(expression, std::min(limit, kMostViewedUnits));
    double value = 0.0;
    const LeanReduction lean = ReduceLeanText(units, arena, value);
    if (lean == LeanReduction::kValue) return value;
    // Declined, the same tokens would be declined again.
    return EvaluateFully(expression, limit, arena, context, lean == LeanReduction::kNotLean);
}

// A monotonic arena over the thread's block, and past its end over the heap. Its own, rather
// than std::pmr::monotonic_buffer_resource, so that taking room from the block is a few
// instructions and an evaluation that stays in the block ends with nothing to release.
class BlockArena final : public std::pmr::memory_resource {
public:
    BlockArena(std::byte* block, std::size_t size) noexcept : next_(block), end_(block + size) {}

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        const auto at = reinterpret_cast<std::uintptr_t>(next_);
        const std::uintptr_t aligned = (at + alignment - 1) & ~(std::uintptr_t{alignment} - 1);
        const auto room = static_cast<std::size_t>(end_ - next_);
        if (aligned - at <= room && bytes <= room - (aligned - at)) {
            next_ += aligned - at + bytes;
            return next_ - bytes;
        }
        if (!heap_) heap_.emplace(kArenaBlockSize, std::pmr::new_delete_resource());
        return heap_->allocate(bytes, alignment);
    }
    void do_deallocate(void*, std::size_t, std::size_t) override {}
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

    std::byte* next_;
    std::byte* end_;
    std::optional<std::pmr::monotonic_buffer_resource> heap_;
};

#if defined(_WIN32)
// The block owned in thread storage itself. Under Wine, a released block's destruction
// registered apart from it made a process that had freed the DLL while its threads lived hang
// at its exit now and then, and MinGW reaches thread storage through a call anyway.
struct ArenaBlock {
    std::unique_ptr<std::byte[]> owner;
    std::byte* bytes = nullptr;
    bool inUse = false;
};

thread_local ArenaBlock tArenaBlock;

[[gnu::noinline]] void MakeArenaBlock() {
    tArenaBlock.owner = std::make_unique<std::byte[]>(kArenaBlockSize);
    tArenaBlock.bytes = tArenaBlock.owner.get();
}
#else
// Trivial, so that reaching it costs no check of whether the thread has made it yet: the
// block is released at the thread's end by ArenaBlockRelease, set up with the block.
struct ArenaBlock {
    std::byte* bytes = nullptr;
    bool inUse = false;
};

constinit thread_local ArenaBlock tArenaBlock __attribute__((tls_model("initial-exec")));

struct ArenaBlockRelease {
    ~ArenaBlockRelease() {
        delete[] tArenaBlock.bytes;
        tArenaBlock.bytes = nullptr;
    }
};

[[gnu::noinline]] void MakeArenaBlock() {
    auto block = std::make_unique<std::byte[]>(kArenaBlockSize);
    // Made on the thread's first evaluation, which registers its destruction at the thread's end.
    thread_local const ArenaBlockRelease release;
    static_cast<void>(release);
    tArenaBlock.bytes = block.release();
}
#endif

// An evaluation started while the thread's block is in use (from an observer's callback).
[[gnu::noinline]] double EvaluateInOwnArena(const char16_t* expression, std::size_t limit,
                                            const EvaluationContext& context) {
    std::pmr::monotonic_buffer_resource arena(std::pmr::new_delete_resource());
    return Evaluate(expression, limit, arena, context);
}

double EvaluateInArena(const char16_t* expression, std::size_t limit, const EvaluationContext& context) {
    if (tArenaBlock.inUse) [[unlikely]]
        return EvaluateInOwnArena(expression, limit, context);
    if (tArenaBlock.bytes == nullptr) [[unlikely]]
        MakeArenaBlock();
    struct InUse {
        InUse() { tArenaBlock.inUse = true; }
        ~InUse() { tArenaBlock.inUse = false; }
    } inUse;
    BlockArena arena(tArenaBlock.bytes, kArenaBlockSize);
    return Evaluate(expression, limit, arena, context);
}

}  // namespace

double EvaluateExpression(const char16_t* expression, const EvaluationContext& context) {
    if (expression == nullptr) return EvaluateInArena(u"", 0, context);
    return EvaluateInArena(expression, kUnknownLength, context);
}

double EvaluateExpression(std::u16string_view expression, const EvaluationContext& context) {
    return EvaluateInArena(expression.data(), expression.size(), context);
}

}  // namespace quorvex
