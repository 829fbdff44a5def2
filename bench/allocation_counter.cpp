// Replaces the global allocation functions with counting ones. Each block carries its size just
// before the caller's bytes, so that a free knows how much it gives back; the aligned forms are
// replaced too, since the polymorphic resources allocate through them.
#include "allocation_counter.hpp"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> gAllocations{0};
std::atomic<std::size_t> gHeld{0};
std::atomic<std::size_t> gPeak{0};

// Room before the caller's bytes: the size sits in its last word.
std::size_t HeaderFor(std::size_t alignment) { return std::max(alignment, alignof(std::max_align_t)); }

void* Allocate(std::size_t size, std::size_t alignment) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    const std::size_t header = HeaderFor(alignment);
    const std::size_t total = (header + std::max<std::size_t>(size, 1) + alignment - 1) / alignment * alignment;
    auto* base = static_cast<std::byte*>(alignment <= alignof(std::max_align_t) ? std::malloc(total)
                                                                                 : std::aligned_alloc(alignment, total));
    if (base == nullptr) throw std::bad_alloc();
    std::byte* p = base + header;
    reinterpret_cast<std::size_t*>(p)[-1] = size;
    const std::size_t held = gHeld.fetch_add(size, std::memory_order_relaxed) + size;
    std::size_t peak = gPeak.load(std::memory_order_relaxed);
    while (held > peak && !gPeak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
    return p;
}

void Free(void* p, std::size_t alignment) noexcept {
    if (p == nullptr) return;
    auto* bytes = static_cast<std::byte*>(p);
    gHeld.fetch_sub(reinterpret_cast<std::size_t*>(bytes)[-1], std::memory_order_relaxed);
    std::free(bytes - HeaderFor(alignment));
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

std::size_t Alignment(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }

}  // namespace

std::uint64_t quorvex::bench::AllocationCount() noexcept { return gAllocations.load(std::memory_order_relaxed); }
std::size_t quorvex::bench::HeldBytes() noexcept { return gHeld.load(std::memory_order_relaxed); }
std::size_t quorvex::bench::PeakBytes() noexcept { return gPeak.load(std::memory_order_relaxed); }
void quorvex::bench::ResetPeakBytes() noexcept { gPeak.store(gHeld.load(std::memory_order_relaxed), std::memory_order_relaxed); }

void* operator new(std::size_t size) { return Allocate(size, kPlain); }
void* operator new[](std::size_t size) { return Allocate(size, kPlain); }
void* operator new(std::size_t size, std::align_val_t alignment) { return Allocate(size, Alignment(alignment)); }
void* operator new[](std::size_t size, std::align_val_t alignment) { return Allocate(size, Alignment(alignment)); }
void operator delete(void* p) noexcept { Free(p, kPlain); }
void operator delete[](void* p) noexcept { Free(p, kPlain); }
void operator delete(void* p, std::size_t) noexcept { Free(p, kPlain); }
void operator delete[](void* p, std::size_t) noexcept { Free(p, kPlain); }
void operator delete(void* p, std::align_val_t alignment) noexcept { Free(p, Alignment(alignment)); }
void operator delete[](void* p, std::align_val_t alignment) noexcept { Free(p, Alignment(alignment)); }
void operator delete(void* p, std::size_t, std::align_val_t alignment) noexcept { Free(p, Alignment(alignment)); }
void operator delete[](void* p, std::size_t, std::align_val_t alignment) noexcept { Free(p, Alignment(alignment)); }
