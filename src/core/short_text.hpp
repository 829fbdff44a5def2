// A short token text held without the heap: a NumberText, a decimal integer or a marker.
#pragma once

#include <cstddef>
#include <string_view>

namespace quorvex {

class ShortText {
public:
    // The longest NumberText is "-1.79769313486232E-308".
    static constexpr std::size_t kCapacity = 24;

    ShortText() = default;
    // Texts longer than the capacity are cut; callers only pass texts that fit.
    explicit ShortText(std::u16string_view text) noexcept {
        for (const char16_t unit : text.substr(0, kCapacity)) Append(unit);
    }

    std::u16string_view View() const noexcept { return {units_, size_}; }
    operator std::u16string_view() const noexcept { return View(); }
    void Append(char16_t unit) noexcept {
        if (size_ < kCapacity) units_[size_++] = unit;
    }
    friend bool operator==(const ShortText& a, std::u16string_view b) noexcept { return a.View() == b; }

private:
    char16_t units_[kCapacity];
    std::size_t size_ = 0;
};

}  // namespace quorvex
