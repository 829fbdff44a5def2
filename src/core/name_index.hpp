// A fixed list of distinct names with a constant-time lookup of a name's position, built at
// compile time: open addressing over a hash of the UTF-16 units.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace quorvex {

// The `name` fields of a table's rows, in order: what a NameIndex over the table indexes.
template <typename Row, std::size_t N>
constexpr std::array<std::u16string_view, N> NamesOf(const std::array<Row, N>& rows) {
    std::array<std::u16string_view, N> names{};
    for (std::size_t i = 0; i < N; ++i) names[i] = rows[i].name;
    return names;
}

class NameIndex {
public:
    static constexpr std::size_t kCapacity = 128;

    constexpr explicit NameIndex(std::span<const std::u16string_view> names) : names_(names) {
        slots_.fill(kEmpty);
        for (std::size_t i = 0; i < names.size(); ++i) {
            std::size_t slot = Hash(names[i]) & kSlotMask;
            while (slots_[slot] != kEmpty) slot = (slot + 1) & kSlotMask;
            slots_[slot] = static_cast<std::int16_t>(i);
        }
    }

    // The position of the name in the list, or -1.
    constexpr int Find(std::u16string_view name) const noexcept {
        for (std::size_t slot = Hash(name) & kSlotMask;; slot = (slot + 1) & kSlotMask) {
            const std::int16_t position = slots_[slot];
            if (position == kEmpty) return -1;
            if (names_[static_cast<std::size_t>(position)] == name) return position;
        }
    }

    constexpr std::size_t size() const noexcept { return names_.size(); }
    constexpr std::u16string_view operator[](std::size_t i) const noexcept { return names_[i]; }
    constexpr auto begin() const noexcept { return names_.begin(); }
    constexpr auto end() const noexcept { return names_.end(); }

    // True when no name repeats: the index needs it, and callers state it at compile time.
    constexpr bool HasDistinctNames() const noexcept {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (Find(names_[i]) != static_cast<int>(i)) return false;
        }
        return names_.size() <= kCapacity;
    }

private:
    static constexpr std::size_t kSlots = 2 * kCapacity;  // at most half full
    static constexpr std::size_t kSlotMask = kSlots - 1;
    static constexpr std::int16_t kEmpty = -1;

    // FNV-1a over the units.
    static constexpr std::uint32_t Hash(std::u16string_view name) noexcept {
        std::uint32_t hash = 2166136261U;
        for (const char16_t unit : name) {
            hash ^= unit;
            hash *= 16777619U;
        }
        return hash;
    }

    std::span<const std::u16string_view> names_;
    std::array<std::int16_t, kSlots> slots_{};
};

}  // namespace quorvex
