// Reads the decimal separator once, at load: on Linux from the environment's numeric locale,
// on Windows from the user's locale (LOCALE_SDECIMAL).
#include "core/decimal_separator.hpp"

#if defined(_WIN32)
#include <windows.h>
#else
#include "core/utf16.hpp"

#include <cerrno>
#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>
#endif

#include <atomic>

namespace quorvex {
namespace {

constexpr char16_t kFallback = u'.';

#if defined(_WIN32)

char16_t ReadLocaleSeparator() noexcept {
    wchar_t separator[8] = {};  // LOCALE_SDECIMAL allows three characters and the NUL
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    // The length counts the NUL: exactly one unit before it, or the fallback.
    return length == 2 ? static_cast<char16_t>(separator[0]) : kFallback;
}

#else

char16_t ReadNumericRadix() noexcept {
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

char16_t ReadLocaleSeparator() noexcept {
    // Read while the host loads the library: its errno stays as it was, whatever the locale.
    const int savedErrno = errno;
    const char16_t separator = ReadNumericRadix();
    errno = savedErrno;
    return separator;
}

#endif

const char16_t kLocaleSeparator = ReadLocaleSeparator();

}  // namespace

std::atomic<char16_t> gDecimalSeparator{kLocaleSeparator};

bool SetDecimalSeparator(char16_t separator) noexcept {
    if (separator == u'\0')
        separator = kLocaleSeparator;
    else if (separator != u'.' && separator != u',')
        return false;
    gDecimalSeparator.store(separator, std::memory_order_relaxed);
    return true;
}

}  // namespace quorvex
