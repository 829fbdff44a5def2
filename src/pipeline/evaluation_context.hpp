// What one evaluation runs with, chosen by its caller and handed down the stages, so that no
// state of the thread decides how an evaluation goes. Its memory comes with its token lists:
// their allocator is the evaluation's arena.
#pragma once

#include <quorvex/quorvex.hpp>

#include "core/decimal_separator.hpp"

#include <cstdint>

namespace quorvex {

// Which reduction answers. The engine reduces every shape and shows each step; the direct
// reduction takes the plain shapes in one pass, a long text as it is tokenized, and leaves
// the rest to the engine with the same values and errors.
enum class ReductionPath : std::uint8_t { kDirectFirst, kEngineOnly };

struct EvaluationContext {
    EvaluationObserver* observer = nullptr;  // told each step the engine takes
    ReductionPath path = ReductionPath::kDirectFirst;
    // Taken when the evaluation starts, so that a host changing it meanwhile cannot make the
    // evaluation write a number with one separator and read it with another.
    char16_t separator = DecimalSeparator();
};

}  // namespace quorvex
