// The C ABI of libQuorvex64.so and Quorvex64.dll: every export runs in its own floating-point
// environment and leaves the host's exactly as it found it.
#include <Quorvex64.h>
#include <quorvex/quorvex.hpp>
#include <quorvex/version.h>

#include "abi/host_exception.hpp"
#include "core/decimal_separator.hpp"
#include "core/errors.hpp"
#include "core/fp_environment.hpp"
#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "pipeline/constants.hpp"
#include "pipeline/driver.hpp"
#include "pipeline/trace.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <string_view>

namespace {

constexpr char16_t kVersion[] = u"" QUORVEX_VERSION;
constexpr std::u16string_view kOutOfMemoryMessage = u"メモリが不足しています";
constexpr std::u16string_view kUnexpectedMessage = u"予期しないエラーが発生しました";

// Errors that are not the library's own leave as its root class, so a host catches one type.
[[noreturn]] void RethrowAsLibraryError() {
    try {
        throw;
    } catch (const quorvex::Exception&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw quorvex::Exception(std::u16string(kOutOfMemoryMessage), quorvex::kNoHelpContext);
    } catch (...) {
        throw quorvex::Exception(std::u16string(kUnexpectedMessage), quorvex::kNoHelpContext);
    }
}

// The message of the last error EvaluonEx reported on this thread.
thread_local std::u16string tErrorMessage;
// The last error Evaluon raised on this thread, which the host's handler reads.
thread_local QuorvexError tErrorRecord{};
// The text of the last GetConstVal on this thread.
thread_local std::u16string tConstantText;

// Messages quote at most kMostQuotedUnits of a token; room past twice that, which only a
// longer message could have needed, is given back rather than kept for the thread's life.
constexpr std::size_t kKeptMessageCapacity = 2 * quorvex::kMostQuotedUnits;

// Keeps the host's errno: the C library's routines that the library calls (ldexp, fmod, sqrt)
// set it on a range or domain fault that the library handles itself.
class ErrnoGuard {
public:
    ErrnoGuard() noexcept : saved_(errno) {}
    ~ErrnoGuard() { errno = saved_; }
    ErrnoGuard(const ErrnoGuard&) = delete;
    ErrnoGuard& operator=(const ErrnoGuard&) = delete;

private:
    int saved_;
};

void Report(QuorvexError* error, const char* errorClass, std::u16string_view message, int32_t helpContext) noexcept {
    try {
        if (tErrorMessage.capacity() > kKeptMessageCapacity) std::u16string().swap(tErrorMessage);
        tErrorMessage.assign(message);
    } catch (...) {
        tErrorMessage.clear();  // no room even for the message: the class still tells
    }
    if (error == nullptr) return;
    error->errorClass = errorClass;
    error->message = tErrorMessage.c_str();
    error->helpContext = helpContext;
}

// Runs one evaluation for a C host: 0 and the value, or 1 and the error as data.
template <typename Evaluation>
int32_t EvaluateForC(const Evaluation& evaluation, double* value, QuorvexError* error) noexcept {
    try {
        const double result = evaluation();
        if (value != nullptr) *value = result;
        return 0;
    } catch (const quorvex::Exception& e) {
        Report(error, e.ClassName(), e.Message(), e.HelpContext());
    } catch (const std::bad_alloc&) {
        Report(error, "Exception", kOutOfMemoryMessage, quorvex::kNoHelpContext);
    } catch (...) {
        Report(error, "Exception", kUnexpectedMessage, quorvex::kNoHelpContext);
    }
    return 1;
}

// UTF-8 texts up to this many bytes become UTF-16 on the stack: a byte gives at most one unit.
constexpr std::size_t kStackConvertedBytes = 256;
// A NUL cannot be quoted in a message that a C host reads up to its NUL, so it has its own.
constexpr std::u16string_view kNulMessage = u"式の途中にNUL文字（U+0000）があります";

double EvaluateUtf8(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) {
        throw quorvex::EConvertError(std::u16string(kNulMessage), quorvex::kNoHelpContext);
    }
    if (text.size() > kStackConvertedBytes) return quorvex::EvaluateExpression(quorvex::ToUtf16(text));
    std::array<char16_t, kStackConvertedBytes> units;
    std::size_t size = 0;
    quorvex::detail::DecodeUtf8(text, [&units, &size](char16_t unit) { units[size++] = unit; });
    return quorvex::EvaluateExpression(std::u16string_view(units.data(), size));
}

}  // namespace

namespace quorvex {

double Evaluate(std::u16string_view expression, EvaluationObserver& observer) {
    const FloatingPointEnvironmentGuard guard;
    const ErrnoGuard errnoGuard;
    try {
        // Only the engine takes the steps an observer is shown.
        return EvaluateExpression(expression, EvaluationContext{&observer, ReductionPath::kEngineOnly});
    } catch (...) {
        RethrowAsLibraryError();
    }
}

}  // namespace quorvex

extern "C" {

// Also the ground of Evaluon: the error as data, after the host's environment is restored.
int32_t EvaluonEx(const char16_t* expression, double* value, QuorvexError* error) {
    const quorvex::FloatingPointEnvironmentGuard guard;
    const ErrnoGuard errnoGuard;
    // Unobserved, also when started from an observer's callback: it would report to the
    // observer that started it, and so without end.
    return EvaluateForC([expression] { return quorvex::EvaluateExpression(expression); }, value, error);
}

double Evaluon(const char16_t* expression) {
    double value = 0.0;
    if (EvaluonEx(expression, &value, &tErrorRecord) != 0) quorvex::RaiseToHost(tErrorRecord);
    return value;
}

// UTF-8 text and the decimal separator.

int32_t EvaluonUtf8Ex(const char* text, size_t length, double* value, QuorvexError* error) {
    const quorvex::FloatingPointEnvironmentGuard guard;
    const ErrnoGuard errnoGuard;
    const std::string_view utf8 = text == nullptr ? std::string_view() : std::string_view(text, length);
    return EvaluateForC([utf8] { return EvaluateUtf8(utf8); }, value, error);
}

int32_t SetDecimalSeparator(char16_t separator) { return quorvex::SetDecimalSeparator(separator) ? 0 : 1; }

char16_t GetDecimalSeparator(void) { return quorvex::DecimalSeparator(); }

const char16_t* GetVersion(void) { return kVersion; }

#if defined(_WIN32)
// The header's name for GetVersion on Windows, for programs that link the library statically;
// the DLL exports only GetVersion.
const char16_t* QuorvexGetVersion(void) { return kVersion; }
#endif

int32_t GetConstNum(void) {
    int32_t count = 0;
    while (GetConstName(count) != nullptr) ++count;
    return count;
}

const char16_t* GetConstName(int32_t index) {
    const auto* row = quorvex::FindPhysicalConstant(index);
    return row == nullptr ? nullptr : row->displayText;
}

const char16_t* GetConstVal(int32_t index) {
    const auto* row = quorvex::FindPhysicalConstant(index);
    if (row == nullptr) return nullptr;
    const quorvex::FloatingPointEnvironmentGuard guard;
    const ErrnoGuard errnoGuard;
    try {
        tConstantText.assign(quorvex::WriteNumberText(row->value).View());
    } catch (...) {
        return nullptr;  // out of memory: no text rather than an exception across C
    }
    return tConstantText.c_str();
}

// The tokens are literals, so a view's text goes out as a C string.
static_assert(std::ranges::all_of(quorvex::kPhysicalConstantTable, [](const quorvex::PhysicalConstant& row) {
    return row.token.data()[row.token.size()] == u'\0';
}));

const char16_t* GetConstToken(int32_t index) {
    const auto* row = quorvex::FindPhysicalConstant(index);
    return row == nullptr ? nullptr : row->token.data();
}

// ---- Batch evaluation ----

}  // extern "C"

namespace {

// One text of a batch: its value, or the flag and the NaN a host reads as "ask EvaluonEx why".
void EvaluateBatchItem(std::u16string_view expression, size_t index, double* values, int32_t* failed,
                       size_t& failures) {
    double value = std::numeric_limits<double>::quiet_NaN();
    int32_t itemFailed = 0;
    try {
        value = quorvex::EvaluateExpression(expression);
    } catch (...) {
        itemFailed = 1;
        ++failures;
    }
    if (values != nullptr) values[index] = value;
    if (failed != nullptr) failed[index] = itemFailed;
}

// Where the next zero unit is, or end: four units at a time, as a batch's texts are short and
// the library reads each one anyway.
const char16_t* FindZeroUnit(const char16_t* from, const char16_t* end) {
    constexpr std::uint64_t kOnes = 0x0001000100010001ULL;
    constexpr std::uint64_t kHighBits = 0x8000800080008000ULL;
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - from >= 4; from += 4) {
            std::uint64_t units = 0;
            std::memcpy(&units, from, sizeof units);
            // The lowest lane flagged is the first zero one; lanes above it may be flagged wrongly.
            const std::uint64_t zeros = (units - kOnes) & ~units & kHighBits;
            if (zeros != 0) return from + std::countr_zero(zeros) / 16;
        }
    }
    return std::find(from, end, u'\0');
}

}  // namespace

extern "C" {

size_t EvaluonManyEx(const char16_t* expressions, size_t count, double* values, int32_t* failed) {
    // One environment switch for the whole batch: nothing in the engine reads the status flags
    // an earlier item leaves, and the switch costs as much as a short evaluation.
    const quorvex::FloatingPointEnvironmentGuard guard;
    const ErrnoGuard errnoGuard;
    size_t failures = 0;
    const char16_t* next = expressions == nullptr ? u"" : expressions;
    for (size_t i = 0; i < count; ++i) {
        const std::u16string_view expression(next);
        if (expressions != nullptr) next += expression.size() + 1;
        EvaluateBatchItem(expression, i, values, failed, failures);
    }
    return failures;
}

size_t EvaluonJoinedEx(const char16_t* joined, size_t length, size_t count, double* values, int32_t* failed) {
    constexpr size_t kMiscounted = std::numeric_limits<size_t>::max();
    if (joined == nullptr && length != 0) return kMiscounted;
    if (count == 0) return length == 0 ? 0 : kMiscounted;
    const quorvex::FloatingPointEnvironmentGuard guard;
    const ErrnoGuard errnoGuard;
    size_t failures = 0;
    // The host joined the texts without looking inside them: a zero unit within one shows here
    // as a separator too many, found before the last text is evaluated.
    const char16_t* at = joined;
    const char16_t* const end = joined + length;
    for (size_t i = 0; i < count; ++i) {
        const char16_t* const separator = FindZeroUnit(at, end);
        const bool last = i + 1 == count;
        if (last != (separator == end)) return kMiscounted;
        EvaluateBatchItem(std::u16string_view(at, static_cast<size_t>(separator - at)), i, values, failed, failures);
        at = separator + 1;
    }
    return failures;
}

// ---- end of batch evaluation ----

}  // extern "C"
