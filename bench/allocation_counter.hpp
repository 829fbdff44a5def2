// Counts the heap allocations of the whole process, to show evaluations that allocate nothing.
#pragma once

#include <cstdint>

namespace quorvex::bench {

std::uint64_t AllocationCount() noexcept;

}  // namespace quorvex::bench
