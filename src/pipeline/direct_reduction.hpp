// The direct reduction: one left-to-right pass that gives the engine's value for the common
// shapes of expression, and steps aside for everything else.
#pragma once

#include "pipeline/token.hpp"

#include <optional>

namespace quorvex {

// The value ReduceTokenList and the final read would give, when the tokens are numbers, the
// five operators, brackets and single-argument function names in a plain arrangement and no
// step raises an error. Otherwise nullopt, and the engine is to reduce the tokens, which this
// leaves unchanged; it answers the unusual arrangements and raises the errors in its order.
// Takes room for its work from the tokens' arena.
std::optional<double> ReduceDirectly(const Tokens& tokens) noexcept;

}  // namespace quorvex
