// The direct reduction: one left-to-right pass that gives the engine's value for the common
// shapes of expression, and steps aside for everything else.
#pragma once

#include "pipeline/token.hpp"

#include <cstdint>
#include <memory_resource>
#include <optional>
#include <span>
#include <string_view>

namespace quorvex {

// The value ReduceTokenList and the final read would give, when the tokens are numbers, the
// five operators, brackets and single-argument function names in a plain arrangement and no
// step raises an error. Otherwise nullopt, and the engine is to reduce the tokens, which this
// leaves unchanged; it answers the unusual arrangements and raises the errors in its order.
// Takes room for its work from the arena.
// Out of line it answers through `value`: an optional returned from a call is put together
// in memory a byte at a time and read back whole, which stalls the caller.
bool ReduceDirectly(std::span<const Token> tokens, std::pmr::memory_resource& arena, char16_t separator,
                    double& value) noexcept;
inline std::optional<double> ReduceDirectly(std::span<const Token> tokens, std::pmr::memory_resource& arena,
                                            char16_t separator) noexcept {
    double value = 0.0;
    return ReduceDirectly(tokens, arena, separator, value) ? std::optional<double>(value) : std::nullopt;
}
inline std::optional<double> ReduceDirectly(const Tokens& tokens, char16_t separator = DecimalSeparator()) noexcept {
    return ReduceDirectly(tokens, *tokens.get_allocator().resource(), separator);
}

// The same for the working text, made into tokens a batch at a time as the reduction goes, so
// that a long expression is never held as tokens whole. Also nullopt for a text with constants
// or exponent notation to join, or with unbalanced brackets: the full evaluation, which
// tokenizes again, answers those.
std::optional<double> ReduceWhileTokenizing(std::u16string_view text, std::pmr::memory_resource& arena,
                                            char16_t separator = DecimalSeparator()) noexcept;

// The same for a caller's text under "." made into lean tokens a batch at a time (see
// LeanScanner), for any length: kValue and the value; kNotLean where a token is not one the
// scanner makes, the reduction's tokens being others; or kDeclined where the reduction would
// decline the text's tokens as ReduceDirectly does.
enum class LeanReduction : std::uint8_t { kValue, kNotLean, kDeclined };
LeanReduction ReduceLeanText(std::u16string_view units, std::pmr::memory_resource& arena, double& value) noexcept;

}  // namespace quorvex
