// Replaces the global allocation functions with counting ones. Each block carries its size just
// before the caller's bytes, so that a free knows how much it gives back; the aligned forms are
// replaced too, since the polymorphic resources allocate through them.
#include "allocation_counter.hpp"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::uint64_t> gAllocations{0};
std::atomic<std::size_t> gHeld{0};
std::atomic<std::size_t> gPeak{0};

// Each block starts with room for the caller's alignment and two words: where the block starts
// and the size the caller asked for.
void* Allocate(std::size_t size, std::size_t alignment) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    constexpr std::size_t kWords = 2 * sizeof(std::size_t);
    void* base = std::malloc(size + kWords + alignment);
    if (base == nullptr) throw std::bad_alloc();
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(base) + kWords;
    auto* words = reinterpret_cast<std::size_t*>((start + alignment - 1) / alignment * alignment);
    words[-2] = reinterpret_cast<std::uintptr_t>(base);
    words[-1] = size;
    const std::size_t held = gHeld.fetch_add(size, std::memory_order_relaxed) + size;
    std::size_t peak = gPeak.load(std::memory_order_relaxed);
    while (held > peak && !gPeak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
    return words;
}

void Free(void* p, std::size_t) noexcept {
    if (p == nullptr) return;
    auto* words = static_cast<std::size_t*>(p);
    gHeld.fetch_sub(words[-1], std::memory_order_relaxed);
    std::free(reinterpret_cast<void*>(words[-2]));
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

std::size_t Alignment(std::align_val_t alignment) { return static_cast<std::size_t>(alignment); }

}  // namespace

std::uint64_t quorvex::bench::AllocationCount() noexcept { return gAllocations.load(std::memory_order_relaxed); }
std::size_t quorvex::bench::HeldBytes() noexcept { return gHeld.load(std::memory_order_relaxed); }
std::size_t quorvex::bench::PeakBytes() noexcept { return gPeak.load(std::memory_order_relaxed); }
void quorvex::bench::ResetPeakBytes() noexcept {
    gPeak.store(gHeld.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

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
