// The direct reduction. The engine's rounds come to ordinary precedence here: functions bind
// tightest, then a folded sign, then "^", "*" and "/", "+" and "-", each level from the left.
// Each step is the engine's own (the same operation on the same read-back values), so the
// order of the steps changes no value; where it could change which error is raised, the
// first error hands the whole expression back to the engine. Operator precedence with two
// stacks, so that no depth of brackets recurses.
#include "pipeline/direct_reduction.hpp"

#include "core/number_text.hpp"
#include "functions/unary_functions.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/registries.hpp"

#include <array>
#include <cmath>
#include <cstddef>
#include <memory_resource>
#include <stdexcept>

namespace quorvex {
namespace {

// For each single-argument name, the row that evaluates it from its argument's value, or -1.
const auto kValueFunctionRows = [] {
    std::array<int, kUnaryFunctionNames.size()> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = FindValueFunction(kUnaryFunctionNames[i]);
    return rows;
}();

// What waits on the stack for its operands: "(", the prefixes that apply to the next operand
// (a folded sign, a function), and the binary operators. kFoldedSum adds a term that began
// with a sign folded after ")", and only a negative one: the engine leaves any other beside
// what precedes it and answers NaN.
enum class Waiting : std::uint8_t { kOpen, kNegate, kFunction, kSum, kDifference, kProduct, kQuotient, kPower, kFoldedSum };

struct WaitingStep {
    Waiting what;
    int row;  // kFunction: the function's row
};

int PrecedenceOf(Waiting what) {
    switch (what) {
        case Waiting::kPower: return 3;
        case Waiting::kProduct:
        case Waiting::kQuotient: return 2;
        case Waiting::kSum:
        case Waiting::kDifference:
        case Waiting::kFoldedSum: return 1;
        default: return 0;  // not a binary operator
    }
}

// A stack with room for one entry per token, which is all it can need: a token adds at most
// one entry, and the folded sign's extra one is matched by the ")" before it. Overflowing
// anyway would be a fault here, so it throws and the engine takes over.
template <typename Entry>
class Stack {
public:
    Stack(std::size_t room, std::pmr::memory_resource& arena)
        : entries_(static_cast<Entry*>(arena.allocate(room * sizeof(Entry), alignof(Entry)))), room_(room) {}
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    Entry& back() { return entries_[size_ - 1]; }
    void push_back(const Entry& entry) {
        if (size_ == room_) throw std::length_error("direct reduction stack");
        entries_[size_++] = entry;
    }
    void pop_back() { --size_; }

private:
    Entry* entries_;
    std::size_t room_;
    std::size_t size_ = 0;
};

class DirectReducer {
public:
    // The stacks are taken from the tokens' arena.
    explicit DirectReducer(const Tokens& tokens)
        : at_(tokens.data()),
          end_(tokens.data() + tokens.size()),
          steps_(tokens.size() + 1, *tokens.get_allocator().resource()),
          values_(tokens.size() + 1, *tokens.get_allocator().resource()) {}

    // The value, or false when the tokens are not a plain expression or a step leaves no number.
    bool Reduce(double& result) {
        bool expectOperand = true;
        while (at_ != end_) {
            if (expectOperand ? !TakeOperandToken(expectOperand) : !TakeOperatorToken(expectOperand)) return false;
        }
        if (expectOperand) return false;
        if (!ApplyWhile(1)) return false;
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

    // Where an operand is due: a sign, a function name, "(" or a number, which completes it.
    bool TakeOperandToken(bool& expectOperand) {
        const Token& token = *at_;
        switch (token.kind) {
            case TokenKind::kMinus:
                // A sign before a number, a bracket or a function; never before another sign.
                if (!AtNumber(1) && !AtKind(TokenKind::kOpen, 1) && !(end_ - at_ > 1 && at_[1].kind == TokenKind::kOther)) {
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
        // A function name: then a number or a bracket, or a sign and one of them.
        if (token.unary < 0 || token.multi >= 0) return false;
        const int row = kValueFunctionRows[static_cast<std::size_t>(token.unary)];
        if (row < 0) return false;
        ++at_;
        steps_.push_back({Waiting::kFunction, row});
        if (AtKind(TokenKind::kMinus)) {
            ++at_;
            steps_.push_back({Waiting::kNegate, 0});
        }
        return AtNumber() || AtKind(TokenKind::kOpen);
    }

    // Where an operator is due: a binary operator or ")".
    bool TakeOperatorToken(bool& expectOperand) {
        Waiting what = Waiting::kSum;
        switch (at_->kind) {
            case TokenKind::kClose: {
                if (!ApplyWhile(1) || steps_.empty() || steps_.back().what != Waiting::kOpen) return false;
                steps_.pop_back();
                const double inner = values_.back();
                values_.pop_back();
                ++at_;
                lastClosed_ = true;
                return TakeOperand(inner);
            }
            case TokenKind::kPlus: what = Waiting::kSum; break;
            case TokenKind::kMinus:
                what = Waiting::kDifference;
                if (lastClosed_) {
                    // After ")", "-" "-" folds twice, into a sign of its own.
                    if (AtKind(TokenKind::kMinus, 1)) return false;
                    // A "-" before a number or "(" is folded into a sign that starts a term:
                    // the sign stays for the operand to take.
                    if (AtNumber(1) || AtKind(TokenKind::kOpen, 1)) {
                        if (!ApplyWhile(1)) return false;
                        steps_.push_back({Waiting::kFoldedSum, 0});
                        expectOperand = true;
                        return true;
                    }
                }
                break;
            case TokenKind::kTimes: what = Waiting::kProduct; break;
            case TokenKind::kDivide: what = Waiting::kQuotient; break;
            case TokenKind::kPower: what = Waiting::kPower; break;
            default: return false;
        }
        if (!ApplyWhile(PrecedenceOf(what))) return false;
        steps_.push_back({what, 0});
        ++at_;
        expectOperand = true;
        return true;
    }

    // An operand is complete: the prefixes waiting for it apply, innermost first.
    bool TakeOperand(double value) {
        while (!steps_.empty() && (steps_.back().what == Waiting::kNegate || steps_.back().what == Waiting::kFunction)) {
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
        while (!steps_.empty() && PrecedenceOf(steps_.back().what) >= precedence) {
            const Waiting what = steps_.back().what;
            steps_.pop_back();
            const double right = values_.back();
            values_.pop_back();
            double& left = values_.back();
            if (what == Waiting::kFoldedSum && !std::signbit(right)) return false;
            if (!Settle(ComputeOperator(left, UnitOf(what), right), left)) return false;
        }
        return true;
    }

    static char16_t UnitOf(Waiting what) {
        switch (what) {
            case Waiting::kDifference: return u'-';
            case Waiting::kProduct: return u'*';
            case Waiting::kQuotient: return u'/';
            case Waiting::kPower: return u'^';
            default: return u'+';
        }
    }

    // What the token written for the value reads back as; a value that writes no number
    // (infinite or NaN) is the engine's to handle.
    static bool Settle(double raw, double& value) { return ReadBackNumberText(raw, value); }

    const Token* at_;
    const Token* end_;
    Stack<WaitingStep> steps_;
    Stack<double> values_;
    bool lastClosed_ = false;
};

}  // namespace

std::optional<double> ReduceDirectly(const Tokens& tokens) noexcept {
    try {
        DirectReducer reducer(tokens);
        if (double value = 0.0; reducer.Reduce(value)) return value;
    } catch (...) {
    }
    return std::nullopt;
}

}  // namespace quorvex
