// A token text, held without the heap while it is short: a NumberText, a decimal integer or a
// marker. A longer one, an argument answered unchanged, is kept whole on the heap.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex {

class ShortText {
public:
    // The longest NumberText is "-1.79769313486232E-308".
    static constexpr std::size_t kCapacity = 24;

    ShortText() = default;
    explicit ShortText(std::u16string_view text) {
        if (text.size() > kCapacity) {
            Spill(text);
            return;
        }
        for (const char16_t unit : text) units_[size_++] = unit;
    }

    std::u16string_view View() const noexcept {
        return size_ <= kCapacity ? std::u16string_view(units_, size_) : std::u16string_view(long_);
    }
    operator std::u16string_view() const noexcept { return View(); }
    // For the library's own writers, whose texts fit by construction.
    void Append(char16_t unit) noexcept {
        if (size_ < kCapacity) units_[size_++] = unit;
    }
    friend bool operator==(const ShortText& a, std::u16string_view b) noexcept { return a.View() == b; }

private:
    void Spill(std::u16string_view text) {
        long_.assign(text);
        size_ = text.size();
    }

    char16_t units_[kCapacity];
    std::size_t size_ = 0;
    std::u16string long_;  // the whole text, once it is past the capacity
};

}  // namespace quorvex
