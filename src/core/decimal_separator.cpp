// Reads the decimal separator once, at load, from the environment's numeric locale.
#include "core/decimal_separator.hpp"

#include "core/utf16.hpp"

#include <atomic>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace quorvex {
namespace {

char16_t ReadLocaleSeparator() noexcept {
    constexpr char16_t kFallback = u'.';
    locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (numeric == static_cast<locale_t>(nullptr)) return kFallback;
    char16_t separator = kFallback;
    if (const char* radix = nl_langinfo_l(RADIXCHAR, numeric); radix != nullptr) {
        try {
            const std::u16string units = ToUtf16(std::string_view(radix, std::strlen(radix)));
            if (units.size() == 1) separator = units[0];
        } catch (...) {
            // Out of memory at load: keep the fallback rather than fail to load.
        }
    }
    freelocale(numeric);
    return separator;
}

}  // namespace

std::atomic<char16_t> gDecimalSeparator{ReadLocaleSeparator()};

void SetDecimalSeparatorForTesting(char16_t separator) noexcept {
    gDecimalSeparator.store(separator, std::memory_order_relaxed);
}

}  // namespace quorvex
