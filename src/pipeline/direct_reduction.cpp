// The direct reduction. The engine's rounds come to ordinary precedence here: functions bind
// tightest, then a folded sign, then "^", "*" and "/", "+" and "-", each level from the left.
// Each step is the engine's own (the same operation on the same read-back values), so the
// order of the steps changes no value; where it could change which error is raised, the
// first error hands the whole expression back to the engine.
#include "pipeline/direct_reduction.hpp"

#include "core/number_text.hpp"
#include "functions/unary_functions.hpp"
#include "pipeline/operators.hpp"
#include "pipeline/registries.hpp"

#include <array>
#include <cmath>

namespace quorvex {
namespace {

// Deeper nesting goes to the engine, which does not recurse.
constexpr int kDeepestNesting = 48;

// For each single-argument name, the row that evaluates it from its argument's value, or -1.
const auto kValueFunctionRows = [] {
    std::array<int, kUnaryFunctionNames.size()> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = FindValueFunction(kUnaryFunctionNames[i]);
    return rows;
}();

// Every step answers a double; the first shape it does not take sets `failed_`, after which
// the values mean nothing and the caller hands the tokens to the engine.
class DirectReducer {
public:
    explicit DirectReducer(const Tokens& tokens) : at_(tokens.data()), end_(tokens.data() + tokens.size()) {}

    std::optional<double> Whole() {
        const double value = Sum();
        if (failed_ || at_ != end_) return std::nullopt;
        return value;
    }

private:
    double Fail() {
        failed_ = true;
        return 0.0;
    }

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

    double Sum() {
        double total = Term();
        while (!failed_) {
            if (AtFoldedSign()) {
                const double term = Term();
                if (failed_ || !std::signbit(term)) return Fail();
                total = Step(total, u'+', term);
            } else if (AtKind(TokenKind::kPlus) || AtKind(TokenKind::kMinus)) {
                const char16_t op = at_->kind == TokenKind::kPlus ? u'+' : u'-';
                // After ")", "-" "-" folds twice, into a sign of its own.
                if (lastClosed_ && op == u'-' && AtKind(TokenKind::kMinus, 1)) return Fail();
                ++at_;
                const double term = Term();
                if (failed_) return 0.0;
                total = Step(total, op, term);
            } else {
                break;
            }
        }
        return total;
    }

    double Term() {
        double product = Power();
        while (!failed_ && (AtKind(TokenKind::kTimes) || AtKind(TokenKind::kDivide))) {
            const char16_t op = at_->kind == TokenKind::kTimes ? u'*' : u'/';
            ++at_;
            const double factor = Power();
            if (failed_) return 0.0;
            product = Step(product, op, factor);
        }
        return product;
    }

    double Power() {
        double base = Signed();
        while (!failed_ && AtKind(TokenKind::kPower)) {
            ++at_;
            const double exponent = Signed();
            if (failed_) return 0.0;
            base = Step(base, u'^', exponent);
        }
        return base;
    }

    // An operand with the sign folded into it: "-" before a number, a bracket or a function.
    double Signed() {
        if (!AtKind(TokenKind::kMinus)) return Applied();
        ++at_;
        if (AtKind(TokenKind::kMinus)) return Fail();
        const double operand = Applied();
        if (failed_) return 0.0;
        return Settle(operand * -1.0);
    }

    // A number or bracket, or a function name with a (signed) number or bracket after it.
    double Applied() {
        if (end_ == at_ || at_->kind != TokenKind::kOther || at_->isNumber) return Atom();
        const Token& name = *at_;
        if (name.unary < 0 || name.multi >= 0) return Fail();
        ++at_;
        double argument = 0.0;
        if (AtKind(TokenKind::kMinus)) {
            ++at_;
            if (!AtNumber() && !AtKind(TokenKind::kOpen)) return Fail();
            argument = Atom();
            if (failed_) return 0.0;
            argument = Settle(argument * -1.0);
        } else {
            argument = Atom();
        }
        if (failed_) return 0.0;
        const int row = kValueFunctionRows[static_cast<std::size_t>(name.unary)];
        if (row < 0) return Fail();
        return Settle(EvaluateValueFunction(row, argument));
    }

    double Atom() {
        lastClosed_ = false;
        if (AtNumber()) return (at_++)->value;
        if (!AtKind(TokenKind::kOpen) || depth_ == kDeepestNesting) return Fail();
        ++at_;
        ++depth_;
        const double inner = Sum();
        --depth_;
        if (failed_ || !AtKind(TokenKind::kClose)) return Fail();
        ++at_;
        lastClosed_ = true;
        return inner;
    }

    double Step(double a, char16_t op, double b) { return Settle(ComputeOperator(a, op, b)); }

    // What the token written for the value reads back as; a value that writes no number
    // (infinite or NaN) is the engine's to handle.
    double Settle(double raw) {
        double value = 0.0;
        return ReadBackNumberText(raw, value) ? value : Fail();
    }

    const Token* at_;
    const Token* end_;
    int depth_ = 0;
    bool lastClosed_ = false;
    bool failed_ = false;
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
