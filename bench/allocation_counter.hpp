// Counts the heap allocations of the whole process, to show evaluations that allocate nothing,
// and the bytes held, to show the peak memory of one evaluation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvex::bench {

std::uint64_t AllocationCount() noexcept;

// Bytes allocated and not yet freed, not counting the allocator's own overhead.
std::size_t HeldBytes() noexcept;
// The most bytes held at once since the last ResetPeakBytes.
std::size_t PeakBytes() noexcept;
void ResetPeakBytes() noexcept;

}  // namespace quorvex::bench
