// Fuzzes the C interface: any sequence of UTF-16 units gets a value, NaN or an error of the
// library's own classes; never a crash, a hang, a leak or an unrestored environment.
#include <Quorvex64.h>

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kClasses[] = {"EConvertError", "EFunctionError", "EConvergeError",  "EOverflow",
                                         "EZeroDivide",   "EInvalidOp",     "EStringListError"};

bool KnownClass(const char* name) {
    for (const auto known : kClasses) {
        if (known == name) return true;
    }
    return false;
}

}  // namespace

// Run under a comma-decimal locale (QUORVEX_EXPECTED_SEPARATOR=,), the target first makes sure
// the library reads that locale: 1.5 is no number there.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* expected = std::getenv("QUORVEX_EXPECTED_SEPARATOR");
    if (expected != nullptr && std::string_view(expected) == ",") {
        double value = 0;
        QuorvexError error{};
        if (EvaluonEx(u"1.5", &value, &error) != 1 || std::string_view(error.errorClass) != "EConvertError")
            std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<char16_t> text(size / 2 + 1, u'\0');
    std::memcpy(text.data(), data, size / 2 * 2);
    const int roundingBefore = std::fegetround();
    double value = 0;
    QuorvexError error{};
    const std::int32_t status = EvaluonEx(text.data(), &value, &error);
    if (status != 0 && status != 1) std::abort();
    if (status == 1 && (error.errorClass == nullptr || error.message == nullptr || !KnownClass(error.errorClass)))
        std::abort();
    if (std::fegetround() != roundingBefore || std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT) != 0) std::abort();
    // The same units as texts joined by zero units: one text more than there are zero units, the
    // first of them the text EvaluonEx read.
    const std::size_t units = size / 2;
    const std::size_t texts = static_cast<std::size_t>(std::count(text.begin(), text.begin() + units, u'\0')) + 1;
    std::vector<double> values(texts);
    std::vector<std::int32_t> failed(texts);
    if (EvaluonJoinedEx(text.data(), units, texts, values.data(), failed.data()) > texts || failed[0] != status ||
        (status == 0 && std::bit_cast<std::uint64_t>(values[0]) != std::bit_cast<std::uint64_t>(value)))
        std::abort();
    if (EvaluonJoinedEx(text.data(), units, texts + 1, nullptr, nullptr) != SIZE_MAX) std::abort();
    return 0;
}
