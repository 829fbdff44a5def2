// The token kinds, and the binary operators in one table: the tokenizer, the engine and the
// direct reduction read what they know of an operator from its row.
#pragma once

#include "core/checked_float.hpp"
#include "core/power.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvex {

enum class TokenKind : std::uint8_t { kOther, kPlus, kMinus, kTimes, kDivide, kPower, kOpen, kClose, kComma };

struct OperatorRow {
    char16_t unit;
    TokenKind kind;
    // Higher binds tighter. Both reductions take one level at a time from the highest, each
    // from the left, so every operator is left-associative: 2^3^2 is 64.
    int precedence;
    // The engine applies it in the last position too, where it reads past the end (an error).
    bool appliedLast;
    // a op b; raises EOverflow, EZeroDivide or EInvalidOp, which the reductions translate.
    double (*compute)(double a, double b);
};

// The grammar the direct reduction takes; everything else goes to the engine:
//   expr     -> term { binop term }              binop from the table, by precedence
//   term     -> "-" operand | operand
//   operand  -> number | "(" expr ")" | function ["-"] (number | "(" expr ")")
//             | aggregate "(" expr "," expr { "," expr } ")"
// where a "-" right after ")" starts a term of its own that is added (the engine folds it
// into the number after it), and a function is not applied inside an aggregate's arguments.
//
// ORDER: by TokenKind, from kPlus to kPower.
inline constexpr std::array kOperators = {
    OperatorRow{u'+', TokenKind::kPlus, 1, false, CheckedAdd},
    OperatorRow{u'-', TokenKind::kMinus, 1, false, CheckedSubtract},
    OperatorRow{u'*', TokenKind::kTimes, 2, false, CheckedMultiply},
    OperatorRow{u'/', TokenKind::kDivide, 2, false, CheckedDivide},
    OperatorRow{u'^', TokenKind::kPower, 3, true, Power},
};

inline constexpr int kLowestPrecedence = 1;
inline constexpr int kHighestPrecedence = 3;

constexpr bool IsOperator(TokenKind kind) noexcept { return kind >= TokenKind::kPlus && kind <= TokenKind::kPower; }

// The row of an operator kind.
constexpr const OperatorRow& OperatorOf(TokenKind kind) noexcept {
    return kOperators[static_cast<std::size_t>(kind) - static_cast<std::size_t>(TokenKind::kPlus)];
}

static_assert(
    [] {
        for (std::size_t i = 0; i < kOperators.size(); ++i) {
            const OperatorRow& row = kOperators[i];
            if (!IsOperator(row.kind) || &OperatorOf(row.kind) != &row) return false;
            if (row.precedence < kLowestPrecedence || row.precedence > kHighestPrecedence) return false;
        }
        return kOperators.size() ==
               static_cast<std::size_t>(TokenKind::kPower) - static_cast<std::size_t>(TokenKind::kPlus) + 1;
    }(),
    "the operator rows follow TokenKind");

// The kind of each one-unit text below 128; every longer text is kOther.
inline constexpr auto kKindByUnit = [] {
    std::array<TokenKind, 128> kinds{};
    for (const OperatorRow& row : kOperators) kinds[row.unit] = row.kind;
    kinds[u'('] = TokenKind::kOpen;
    kinds[u')'] = TokenKind::kClose;
    kinds[u','] = TokenKind::kComma;
    return kinds;
}();

constexpr TokenKind KindOf(std::u16string_view text) noexcept {
    return text.size() == 1 && text[0] < kKindByUnit.size() ? kKindByUnit[text[0]] : TokenKind::kOther;
}

}  // namespace quorvex
