// The direct reduction, over the grammar written on the operator table. The engine's rounds
// come to ordinary precedence here: functions bind tightest, then a folded sign, then the
// operators by their rows' precedence, each level from the left.
// Each step is the engine's own (the same operation on the same read-back values), so the
// order of the steps changes no value; where it could change which error is raised, the
// first error hands the whole expression back to the engine. Operator precedence with two
// stacks, so that no depth of brackets recurses.
#include "pipeline/direct_reduction.hpp"

#include "core/checked_float.hpp"
#include "core/number_text.hpp"
#include "functions/function_table.hpp"
#include "functions/unary_functions.hpp"
#include "pipeline/constants.hpp"
#include "pipeline/exponent_joining.hpp"
#include "pipeline/registries.hpp"
#include "pipeline/tokenizer.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <memory_resource>
#include <span>

namespace quorvex {
namespace {

// For each single-argument name, the row that evaluates it from its argument's value, or -1.
constexpr auto kValueFunctionRows = [] {
    std::array<int, kUnaryFunctionNames.size()> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = kFunctionIndex.Find(kUnaryFunctionNames[i]);
        rows[i] = kFunctionTable[static_cast<std::size_t>(row)].single.kind == SingleKind::kValue ? row : -1;
    }
    return rows;
}();

// What waits on the stack for its operands: "(", the "(" of a call, the prefixes that apply
// to the next operand (a folded sign, a function), and the binary operators. kFoldedSum adds
// a term that began with a sign folded after ")", and only a negative one: the engine leaves
// any other beside what precedes it and answers NaN.
enum class Waiting : std::uint8_t { kOpen, kCall, kNegate, kFunction, kOperator, kFoldedSum };

// The calls taken here, the rows' streamed aggregates: each folds its arguments into a running
// answer as they come, so that a call of any length holds no argument list. Their handlers'
// steps, on values.
constexpr auto kStreamedAggregates = [] {
    std::array<std::optional<Aggregate>, kMultiArgFunctionNames.size()> streamed{};
    for (std::size_t i = 0; i < streamed.size(); ++i)
        streamed[i] = FindFunctionRow(kMultiArgFunctionNames[i])->list.streamed;
    return streamed;
}();

constexpr std::optional<Aggregate> AggregateOf(int multi) {
    return multi < 0 ? std::nullopt : kStreamedAggregates[static_cast<std::size_t>(multi)];
}

struct CallState {
    Aggregate what;
    std::size_t count = 0;
    double running = 0.0;  // the extremes: the 15-digit answer so far
    double total = 0.0;    // the sums: the unrounded total so far
};

// Four bytes, so that a step is written and read back as one word: written a byte at a time
// and read at once, it would wait for the bytes to reach memory.
struct WaitingStep {
    Waiting what;
    std::uint8_t row = 0;         // kFunction: the function's row; kOperator: the operator's TokenKind
    std::uint8_t precedence = 0;  // the binary operators' only
    std::uint8_t unused = 0;
};
static_assert(sizeof(WaitingStep) == 4);
static_assert(kUnaryFunctionNames.size() <= 256, "a function's row fits a step");

// The operator a binary step applies.
TokenKind OperatorOf(const WaitingStep& step) {
    return step.what == Waiting::kFoldedSum ? TokenKind::kPlus : static_cast<TokenKind>(step.row);
}

WaitingStep BinaryStep(Waiting what, TokenKind op) {
    return {what, static_cast<std::uint8_t>(op), static_cast<std::uint8_t>(OperatorOf(op).precedence)};
}

// The operator row's computation, the four arithmetic ones inline: called through the row,
// the call would cost more than the step.
double Compute(TokenKind op, double left, double right) {
    switch (op) {
        case TokenKind::kPlus: return CheckedAdd(left, right);
        case TokenKind::kMinus: return CheckedSubtract(left, right);
        case TokenKind::kTimes: return CheckedMultiply(left, right);
        case TokenKind::kDivide: return CheckedDivide(left, right);
        default: return OperatorOf(op).compute(left, right);
    }
}

// A stack that doubles its room in the arena when it is full; the arena keeps what it leaves.
// The first few entries lie in the stack itself: most expressions need no more, and an
// allocation from the arena is a virtual call.
template <typename Entry, std::size_t Inline>
class Stack {
public:
    Stack(std::size_t room, std::pmr::memory_resource& arena) : arena_(arena) {
        base_ = room <= Inline ? inline_.entries : Allocate(room);
        top_ = base_;
        end_ = base_ + std::max(room, Inline);
    }
    Stack(const Stack&) = delete;
    Stack& operator=(const Stack&) = delete;
    bool empty() const { return top_ == base_; }
    std::size_t size() const { return static_cast<std::size_t>(top_ - base_); }
    Entry& back() { return top_[-1]; }
    const Entry& operator[](std::size_t i) const { return base_[i]; }
    void push_back(const Entry& entry) {
        if (top_ == end_) Grow();
        *top_++ = entry;
    }
    void pop_back() { --top_; }

private:
    Entry* Allocate(std::size_t room) {
        return static_cast<Entry*>(arena_.allocate(room * sizeof(Entry), alignof(Entry)));
    }
    void Grow() {
        const std::size_t size = this->size();
        const std::size_t room = static_cast<std::size_t>(end_ - base_);
        Entry* larger = Allocate(2 * room);
        std::copy(base_, top_, larger);
        base_ = larger;
        top_ = larger + size;
        end_ = larger + 2 * room;
    }

    std::pmr::memory_resource& arena_;
    // Left unset: an entry is written before it is read.
    union Storage {
        Storage() {}
        Entry entries[Inline];
    } inline_;
    Entry* base_;
    Entry* top_;
    Entry* end_;
};

// Takes the tokens in batches, so that they need not all be held at once; the stacks grow
// with the depth of the expression, not its length. The tokens are Tokens or LeanTokens.
template <typename Item>
class DirectReducer {
public:
    // A step looks at most this many tokens past its first.
    static constexpr std::ptrdiff_t kLookahead = 2;
    // The depth the stacks hold without the arena.
    static constexpr std::size_t kInlineDepth = 64;

    // The stacks start with room for this depth, in the reducer up to kInlineDepth and else
    // from the arena: a token adds at most one entry, and the folded sign's extra one is
    // matched by the ")" before it.
    DirectReducer(std::size_t depth, std::pmr::memory_resource& arena, char16_t separator)
        : steps_(depth, arena), values_(depth, arena), calls_(kCallRoom, arena), separator_(separator) {}

    // Takes tokens from the front of the batch while the rest holds the ones a step looks at,
    // all of them when it is the last. Answers where it stopped, or nullptr when the tokens are
    // not a plain expression or a step leaves no number.
    const Item* Take(const Item* begin, const Item* end, bool last) {
        at_ = begin;
        end_ = end;
        bool expectOperand = expectOperand_;
        // Where the tokens a step may look at run past the batch.
        const Item* const stop = last ? end : end - begin > kLookahead ? end - kLookahead : begin;
        while (at_ < stop) {
            if (expectOperand ? !TakeOperandToken(expectOperand) : !TakeOperatorToken(expectOperand)) return nullptr;
        }
        expectOperand_ = expectOperand;
        return at_;
    }

    // After the last batch: the value, or false when the expression is incomplete.
    bool Finish(double& result) {
        if (expectOperand_) return false;
        if (!ApplyWhile(kLowestPrecedence)) return false;
        if (!steps_.empty() || values_.size() != 1) return false;  // a "(" left open
        result = values_.back();
        return true;
    }

private:
    bool AtKind(TokenKind kind, std::ptrdiff_t ahead = 0) const {
        return end_ - at_ > ahead && at_[ahead].kind == kind;
    }
    bool AtNumber(std::ptrdiff_t ahead = 0) const {
        return end_ - at_ > ahead && at_[ahead].kind == TokenKind::kOther && at_[ahead].isNumber;
    }

    bool AtCall(std::ptrdiff_t ahead) const {
        return end_ - at_ > ahead && at_[ahead].kind == TokenKind::kOther && at_[ahead].multi >= 0 &&
               AtKind(TokenKind::kOpen, ahead + 1);
    }

    // Where an operand is due: a sign, a function name, "(" or a number, which completes it.
    bool TakeOperandToken(bool& expectOperand) {
        const Item& token = *at_;
        switch (token.kind) {
            case TokenKind::kMinus:
                // A sign before a number, a bracket or a function; never before another sign.
                if (!AtNumber(1) && !AtKind(TokenKind::kOpen, 1) &&
                    !(end_ - at_ > 1 && at_[1].kind == TokenKind::kOther)) {
                    return false;
                }
                steps_.push_back({Waiting::kNegate, 0});
                ++at_;
                return true;
            case TokenKind::kOpen:
                steps_.push_back({Waiting::kOpen, 0});
                ++at_;
                return true;
            case TokenKind::kOther: break;
            default: return false;
        }
        if (token.isNumber) {
            ++at_;
            lastClosed_ = false;
            expectOperand = false;
            return TakeOperand(token.value);
        }
        if (token.multi >= 0) return TakeCall(token);
        // A function name: then a number or a bracket, or a sign and one of them. A call's
        // arguments are reduced without applying functions, so one there is the engine's.
        if (token.unary < 0 || InCallArguments()) return false;
        const int row = kValueFunctionRows[static_cast<std::uint8_t>(token.unary)];
        if (row < 0) return false;
        ++at_;
        steps_.push_back({Waiting::kFunction, static_cast<std::uint8_t>(row)});
        if (AtKind(TokenKind::kMinus)) {
            ++at_;
            steps_.push_back({Waiting::kNegate, 0});
        }
        return AtNumber() || AtKind(TokenKind::kOpen);
    }

    // Where an operator is due: a binary operator or ")". Inlined into Take's loop, which GCC
    // left calling it for every other token.
    [[gnu::always_inline]] bool TakeOperatorToken(bool& expectOperand) {
        switch (at_->kind) {
            case TokenKind::kClose: {
                if (!ApplyWhile(kLowestPrecedence) || steps_.empty()) return false;
                const Waiting bracket = steps_.back().what;
                if (bracket != Waiting::kOpen && bracket != Waiting::kCall) return false;
                steps_.pop_back();
                double inner = values_.back();
                values_.pop_back();
                if (bracket == Waiting::kCall && !FinishCall(inner)) return false;
                ++at_;
                lastClosed_ = true;
                return TakeOperand(inner);
            }
            case TokenKind::kComma:
                if (!ApplyWhile(kLowestPrecedence) || steps_.empty() || steps_.back().what != Waiting::kCall) {
                    return false;
                }
                if (!TakeArgument(values_.back())) return false;
                values_.pop_back();
                ++at_;
                lastClosed_ = false;
                expectOperand = true;
                return true;
            case TokenKind::kMinus:
                if (lastClosed_) {
                    // After ")", "-" "-" folds twice, into a sign of its own.
                    if (AtKind(TokenKind::kMinus, 1)) return false;
                    // A "-" before a number, "(" or a call (whose name is gone before its
                    // answer fills the "(") is folded into a sign that starts a term: the
                    // sign stays for the operand to take.
                    if (AtNumber(1) || AtKind(TokenKind::kOpen, 1) || AtCall(1)) {
                        if (!ApplyWhile(kLowestPrecedence)) return false;
                        steps_.push_back(BinaryStep(Waiting::kFoldedSum, TokenKind::kPlus));
                        expectOperand = true;
                        return true;
                    }
                }
                break;
            default:
                if (!IsOperator(at_->kind)) return false;
                break;
        }
        const TokenKind op = at_->kind;
        if (!ApplyWhile(OperatorOf(op).precedence)) return false;
        steps_.push_back(BinaryStep(Waiting::kOperator, op));
        ++at_;
        expectOperand = true;
        return true;
    }

    // A call of an aggregate with its "(": the name alone, or any other call, is the engine's.
    bool TakeCall(const Item& name) {
        const std::optional<Aggregate> what = AggregateOf(name.multi);
        if (!what || name.unary >= 0 || !AtKind(TokenKind::kOpen, 1)) return false;
        steps_.push_back({Waiting::kCall, 0});
        calls_.push_back({*what});
        at_ += 2;
        return true;
    }

    // Whether the innermost bracket open is a call's.
    bool InCallArguments() const {
        for (std::size_t i = steps_.size(); i > 0; --i) {
            const Waiting what = steps_[i - 1].what;
            if (what == Waiting::kOpen) return false;
            if (what == Waiting::kCall) return true;
        }
        return false;
    }

    // The next argument of the innermost call, as its handler takes it.
    bool TakeArgument(double argument) {
        CallState& call = calls_.back();
        switch (call.what) {
            case Aggregate::kMaximum:
            case Aggregate::kMinimum:
                if (call.count == 0) {
                    call.running = argument;
                } else {
                    const bool keeps =
                        call.what == Aggregate::kMaximum ? call.running > argument : call.running < argument;
                    if (!Settle(keeps ? call.running : argument, call.running)) return false;
                }
                break;
            case Aggregate::kSum:
            case Aggregate::kAverage: call.total = CheckedAdd(call.total, argument); break;
        }
        ++call.count;
        return true;
    }

    // Takes the last argument and answers the call. One argument is the engine's: its group
    // is no call there.
    bool FinishCall(double& answer) {
        if (!TakeArgument(answer)) return false;
        const CallState call = calls_.back();
        calls_.pop_back();
        if (call.count < 2) return false;
        switch (call.what) {
            case Aggregate::kMaximum:
            case Aggregate::kMinimum: answer = call.running; return true;
            case Aggregate::kSum: return Settle(call.total, answer);
            case Aggregate::kAverage: {
                double total = 0.0;
                return Settle(call.total, total) &&
                       Settle(CheckedDivide(total, static_cast<double>(call.count)), answer);
            }
        }
        return false;
    }

    // An operand is complete: the prefixes waiting for it apply, innermost first.
    bool TakeOperand(double value) {
        while (!steps_.empty() &&
               (steps_.back().what == Waiting::kNegate || steps_.back().what == Waiting::kFunction)) {
            const WaitingStep step = steps_.back();
            steps_.pop_back();
            if (!Settle(step.what == Waiting::kNegate ? value * -1.0 : EvaluateValueFunction(step.row, value), value)) {
                return false;
            }
        }
        values_.push_back(value);
        return true;
    }

    // Applies the waiting binary operators of at least this precedence, latest first.
    bool ApplyWhile(int precedence) {
        while (!steps_.empty() && steps_.back().precedence >= precedence) {
            const WaitingStep step = steps_.back();
            steps_.pop_back();
            const double right = values_.back();
            values_.pop_back();
            double& left = values_.back();
            if (step.what == Waiting::kFoldedSum && !std::signbit(right)) return false;
            // The row's own computation: its errors hand the expression to the engine anyway,
            // untranslated.
            if (!Settle(Compute(OperatorOf(step), left, right), left)) return false;
        }
        return true;
    }

    // What the token written for the value reads back as; a value that writes no number
    // (infinite or NaN) is the engine's to handle.
    bool Settle(double raw, double& value) const { return ReadBackNumberText(raw, value, separator_); }

    const Item* at_ = nullptr;
    const Item* end_ = nullptr;
    static constexpr std::size_t kCallRoom = 4;

    Stack<WaitingStep, kInlineDepth> steps_;
    Stack<double, kInlineDepth> values_;
    Stack<CallState, kCallRoom> calls_;
    char16_t separator_;
    bool expectOperand_ = true;
    bool lastClosed_ = false;
};

// The scanner's tokens with the constants substituted and exponent notation joined, as the
// stages over the whole list would leave them. Each stage keeps the few tokens it looks at.
class StagedScanner {
public:
    StagedScanner(std::u16string_view text, std::pmr::memory_resource& arena, char16_t separator)
        : text_(text), scanner_(text, separator), arena_(arena), separator_(separator) {}

    // Writes up to room.size() staged tokens and answers how many; 0 at the end. The stages'
    // errors propagate.
    std::size_t Next(std::span<Token> room) {
        std::size_t made = 0;
        while (made < room.size() && Joined(room[made])) ++made;
        return made;
    }

    bool Balanced() const { return counts_.opening == counts_.closing; }

private:
    static constexpr std::size_t kScanned = 16;  // the scanner writes up to four at a time
    static constexpr std::size_t kSubstituted = 3;

    // The queue of a stage: the tokens it has been given and not yet taken.
    template <std::size_t Room>
    struct Queue {
        Token tokens[Room];
        std::size_t begin = 0;
        std::size_t end = 0;
        std::span<const Token> Held() const { return {tokens + begin, end - begin}; }
        void Drop(std::size_t count) { begin += count; }
        void MakeRoom() {
            std::copy(tokens + begin, tokens + end, tokens);
            end -= begin;
            begin = 0;
        }
    };

    // The next token of the substitution stage, which looks at two scanned tokens.
    bool Substituted(Token& token) {
        while (scanned_.Held().size() < 2 && !scanDone_) {
            scanned_.MakeRoom();
            const std::size_t made = scanner_.Next(std::span<Token>(scanned_.tokens).subspan(scanned_.end), counts_);
            scanDone_ = made == 0;
            scanned_.end += made;
        }
        if (scanned_.Held().empty()) return false;
        scanned_.Drop(SubstituteConstant(scanned_.Held(), token, separator_));
        return true;
    }

    // The next token of the joining stage, which looks at three substituted ones.
    bool Joined(Token& token) {
        while (substituted_.Held().size() < kSubstituted && !substitutedDone_) {
            substituted_.MakeRoom();
            substitutedDone_ = !Substituted(substituted_.tokens[substituted_.end]);
            if (!substitutedDone_) ++substituted_.end;
        }
        if (substituted_.Held().empty()) return false;
        if (first_) CheckFirstExponentToken(substituted_.Held()[0]);
        first_ = false;
        substituted_.Drop(JoinExponent(substituted_.Held(), token, arena_, text_, separator_));
        return true;
    }

    std::u16string_view text_;
    TokenScanner scanner_;
    std::pmr::memory_resource& arena_;
    char16_t separator_;
    TokenCounts counts_;
    Queue<kScanned> scanned_;
    Queue<kSubstituted> substituted_;
    bool scanDone_ = false;
    bool substitutedDone_ = false;
    bool first_ = true;
};

}  // namespace

namespace {

template <typename Item>
bool ReduceArray(std::span<const Item> tokens, std::pmr::memory_resource& arena, char16_t separator,
                 double& value) noexcept {
    try {
        // Few expressions nest as deep as they are long: the stacks start in the reducer.
        DirectReducer<Item> reducer(std::min(tokens.size() + 1, DirectReducer<Item>::kInlineDepth), arena, separator);
        const Item* end = tokens.data() + tokens.size();
        return reducer.Take(tokens.data(), end, true) == end && reducer.Finish(value);
    } catch (...) {
    }
    return false;
}

}  // namespace

bool ReduceDirectly(std::span<const Token> tokens, std::pmr::memory_resource& arena, char16_t separator,
                    double& value) noexcept {
    return ReduceArray(tokens, arena, separator, value);
}

namespace {

// The batches the reducer takes, and the tokens the last step of the batch before still had to
// look at. Left unset, since the scanner writes every token it hands out.
constexpr std::size_t kBatchSize = 32;
template <typename Item, std::size_t Size = kBatchSize>
union Window {
    Window() {}
    Item tokens[Size + DirectReducer<Item>::kLookahead];
};

// Feeds the reducer the batches `next` writes into the window, until `next` writes none or the
// reducer declines. Answers the value, or nullopt; `next` may also stop the reduction by
// answering kStop.
constexpr std::size_t kStop = std::numeric_limits<std::size_t>::max();

template <typename Next>
std::optional<double> ReduceBatches(std::pmr::memory_resource& arena, char16_t separator, Next next) {
    Window<Token> window;
    const std::span<Token> room(window.tokens);
    DirectReducer<Token> reducer(kBatchSize, arena, separator);
    std::size_t held = 0;
    for (;;) {
        const std::size_t made = next(room.subspan(held));
        if (made == kStop) return std::nullopt;
        held += made;
        const bool last = made == 0;
        const Token* stop = reducer.Take(room.data(), room.data() + held, last);
        if (stop == nullptr) return std::nullopt;
        if (last) break;
        held = static_cast<std::size_t>(room.data() + held - stop);
        std::copy(stop, stop + held, room.data());
    }
    if (double value = 0.0; reducer.Finish(value)) return value;
    return std::nullopt;
}

}  // namespace

std::optional<double> ReduceWhileTokenizing(std::u16string_view text, std::pmr::memory_resource& arena,
                                            char16_t separator) noexcept {
    try {
        // Most texts have no constant and no exponent notation, so the stages would pass every
        // token on unchanged: the scanner's tokens go to the reducer as they are until one of
        // them counts for a stage, and only then is the text read again through the stages.
        TokenScanner scanner(text, separator);
        TokenCounts counts;
        bool staged = false;
        const auto plain = ReduceBatches(arena, separator, [&](std::span<Token> room) {
            const std::size_t made = scanner.Next(room, counts);
            staged = counts.constants > 0 || counts.exponentJoins > 0;
            return staged ? kStop : made;
        });
        // Unbalanced brackets are an error, which the full evaluation raises.
        if (!staged) return plain && counts.opening == counts.closing ? plain : std::nullopt;

        StagedScanner stages(text, arena, separator);
        const auto value = ReduceBatches(arena, separator, [&](std::span<Token> room) { return stages.Next(room); });
        if (value && stages.Balanced()) return value;
    } catch (...) {
    }
    return std::nullopt;
}

LeanReduction ReduceLeanText(std::u16string_view units, std::pmr::memory_resource& arena, double& value) noexcept {
    try {
        // Most texts are whole in the first batch, which is large enough for that.
        constexpr std::size_t kLeanBatch = 128;
        Window<LeanToken, kLeanBatch> window;
        const std::span<LeanToken> room(window.tokens);
        DirectReducer<LeanToken> reducer(DirectReducer<LeanToken>::kInlineDepth, arena, u'.');
        LeanScanner scanner(units);
        std::size_t held = 0;
        for (;;) {
            const LeanScanner::Batch batch = scanner.Next(room.subspan(held));
            if (batch.status == LeanScanner::Status::kDeclined) return LeanReduction::kNotLean;
            held += batch.made;
            if (batch.status == LeanScanner::Status::kRun) {
                // Room for it: the batch stopped short of its last places.
                if (!scanner.TakeRun(room[held])) return LeanReduction::kNotLean;
                ++held;
                continue;
            }
            const bool last = batch.status == LeanScanner::Status::kEnd;
            const LeanToken* stop = reducer.Take(room.data(), room.data() + held, last);
            if (stop == nullptr) return LeanReduction::kDeclined;
            if (last) break;
            held = static_cast<std::size_t>(room.data() + held - stop);
            std::copy(stop, stop + held, room.data());
        }
        // An empty text or a "(" left open is the full evaluation's error.
        return reducer.Finish(value) ? LeanReduction::kValue : LeanReduction::kDeclined;
    } catch (...) {
    }
    return LeanReduction::kDeclined;
}

}  // namespace quorvex
