// Fuzzes the C interface: any sequence of UTF-16 units gets a value, NaN or an error of the
// library's own classes; never a crash, a hang, a leak or an unrestored environment.
#include <Quorvex64.h>

#include <cfenv>
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
    return 0;
}
