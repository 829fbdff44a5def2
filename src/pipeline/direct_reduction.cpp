// The direct reduction. The engine's rounds come to ordinary precedence here: functions bind
// tightest, then a folded sign, then "^", "*" and "/", "+" and "-", each level from the left.
// Each step is the engine's own (the same operation on the same read-back values), so the
// order of the steps changes no value; where it could change which error is raised, the
// first error hands the whole expression back to the engine.
#include "pipeline/direct_reduction.hpp"

#include "functions/unary_functions.hpp"
#include "pipeline/operators.hpp"

#include <cmath>

namespace quorvex {
namespace {

// Deeper nesting goes to the engine, which does not recurse.
constexpr int kDeepestNesting = 48;

class DirectReducer {
public:
    explicit DirectReducer(const Tokens& tokens) : at_(tokens.data()), end_(tokens.data() + tokens.size()) {}

    std::optional<double> Whole() {
        const std::optional<double> value = Sum();
        if (!value || at_ != end_) return std::nullopt;
        return value;
    }

private:
    struct Operand {
        double value;
        bool closesBracket;  // its last token is ")"
    };

    bool AtKind(TokenKind kind, std::ptrdiff_t ahead = 0) const {
        return end_ - at_ > ahead && at_[ahead].kind == kind;
    }
    bool AtNumber(std::ptrdiff_t ahead = 0) const {
        return end_ - at_ > ahead && at_[ahead].kind == TokenKind::kOther && at_[ahead].isNumber;
    }

    // After an operand that ends with ")", a "-" before a number or "(" is folded into a
    // negative number that starts a term of its own, which is then added to what precedes
    // it (a term that comes out non-negative is left beside it, and the engine answers NaN).
    bool AtFoldedSign() const {
        return lastClosed_ && AtKind(TokenKind::kMinus) && (AtNumber(1) || AtKind(TokenKind::kOpen, 1));
    }

    std::optional<double> Sum() {
        std::optional<double> total = Term();
        while (total) {
            if (AtFoldedSign()) {
                const std::optional<double> term = Term();
                if (!term || !std::signbit(*term)) return std::nullopt;
                total = Step(*total, u'+', *term);
            } else if (AtKind(TokenKind::kPlus) || AtKind(TokenKind::kMinus)) {
                const char16_t op = at_->kind == TokenKind::kPlus ? u'+' : u'-';
                // After ")", "-" "-" folds twice, into a sign of its own.
                if (lastClosed_ && op == u'-' && AtKind(TokenKind::kMinus, 1)) return std::nullopt;
                ++at_;
                const std::optional<double> term = Term();
                if (!term) return std::nullopt;
                total = Step(*total, op, *term);
            } else {
                break;
            }
        }
        return total;
    }

    std::optional<double> Term() {
        std::optional<double> product = Power();
        while (product && (AtKind(TokenKind::kTimes) || AtKind(TokenKind::kDivide))) {
            const char16_t op = at_->kind == TokenKind::kTimes ? u'*' : u'/';
            ++at_;
            const std::optional<double> factor = Power();
            if (!factor) return std::nullopt;
            product = Step(*product, op, *factor);
        }
        return product;
    }

    std::optional<double> Power() {
        std::optional<double> base = Signed();
        while (base && AtKind(TokenKind::kPower)) {
            ++at_;
            const std::optional<double> exponent = Signed();
            if (!exponent) return std::nullopt;
            base = Step(*base, u'^', *exponent);
        }
        return base;
    }

    // An operand with the sign folded into it: "-" before a number, a bracket or a function.
    std::optional<double> Signed() {
        if (!AtKind(TokenKind::kMinus)) return Applied();
        ++at_;
        if (AtKind(TokenKind::kMinus)) return std::nullopt;
        const std::optional<double> operand = Applied();
        if (!operand) return std::nullopt;
        return Settle(*operand * -1.0);
    }

    // A number or bracket, or a function name with a (signed) number or bracket after it.
    std::optional<double> Applied() {
        if (end_ == at_ || at_->kind != TokenKind::kOther || at_->isNumber) return Atom();
        const Token& name = *at_;
        if (name.unary < 0 || name.multi >= 0) return std::nullopt;
        ++at_;
        std::optional<double> argument;
        if (AtKind(TokenKind::kMinus)) {
            ++at_;
            if (!AtNumber() && !AtKind(TokenKind::kOpen)) return std::nullopt;
            argument = Atom();
            if (argument) argument = Settle(*argument * -1.0);
        } else {
            argument = Atom();
        }
        if (!argument) return std::nullopt;
        double raw = 0.0;
        if (EvaluateUnaryFunctionValue(name.Text(), *argument, raw) != UnaryOutcome::kValue) return std::nullopt;
        return Settle(raw);
    }

    std::optional<double> Atom() {
        lastClosed_ = false;
        if (AtNumber()) return (at_++)->value;
        if (!AtKind(TokenKind::kOpen) || depth_ == kDeepestNesting) return std::nullopt;
        ++at_;
        ++depth_;
        const std::optional<double> inner = Sum();
        --depth_;
        if (!inner || !AtKind(TokenKind::kClose)) return std::nullopt;
        ++at_;
        lastClosed_ = true;
        return inner;
    }

    static std::optional<double> Step(double a, char16_t op, double b) { return Settle(ComputeOperator(a, op, b)); }

    // What the token written for the value reads back as; a value that writes no number
    // (infinite or NaN) is the engine's to handle.
    static std::optional<double> Settle(double raw) {
        const Token token = NumberToken(raw);
        if (!token.isNumber) return std::nullopt;
        return token.value;
    }

    const Token* at_;
    const Token* end_;
    int depth_ = 0;
    bool lastClosed_ = false;
};

}  // namespace

std::optional<double> ReduceDirectly(const Tokens& tokens) noexcept {
    try {
        return DirectReducer(tokens).Whole();
    } catch (...) {
        return std::nullopt;
    }
}

}  // namespace quorvex
