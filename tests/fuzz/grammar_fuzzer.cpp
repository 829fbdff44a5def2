// Fuzzes whole expressions built from the fuzzer's bytes by the language's grammar: every
// function name with every argument count, nested calls, brackets, signs, spaces and capitals,
// tolerances from sane to absurd, numbers at the edges of the double range and the constants.
// Besides what the byte-level target checks (a value or an error of the library's own classes,
// the floating-point environment untouched), each evaluation must end within a time limit: a
// routine that runs away on some argument is a finding, not a slow run.
#include "pipeline/physical_constants.hpp"
#include "pipeline/separator_table.hpp"

#include <Quorvex64.h>
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cfenv>
#include <ctime>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using quorvex::kPhysicalConstantTable;
using quorvex::kSeparatorTable;

constexpr std::string_view kClasses[] = {"EConvertError", "EFunctionError", "EConvergeError",  "EOverflow",
                                         "EZeroDivide",   "EInvalidOp",     "EStringListError"};

// Processor time, not wall time, so that a loaded machine cannot trip it: generous for the
// sanitizers, which slow the numerics several times; an unsanitized call ends within a millisecond.
constexpr double kTimeLimitSeconds = 0.5;
constexpr int kDepthLimit = 5;
constexpr int kMostArguments = 6;
// The separator table lists function names after "pi".
constexpr std::size_t kFirstFunctionEntry = quorvex::kFirstNameEntry + 1;

// Numbers as text at the edges: the double range, integer widths, tolerances, exact halves.
constexpr std::array<std::u16string_view, 32> kNumbers = {u"0",
                                                          u"1",
                                                          u"2",
                                                          u"0.5",
                                                          u"-1",
                                                          u"10",
                                                          u"3.75",
                                                          u"1e-15",
                                                          u"1e-300",
                                                          u"1e300",
                                                          u"1.7976931348623157e308",
                                                          u"2.2250738585072014e-308",
                                                          u"4.9e-324",
                                                          u"1e-320",
                                                          u"2147483647",
                                                          u"-2147483648",
                                                          u"4294967296",
                                                          u"9007199254740993",
                                                          u"171",
                                                          u"170.5",
                                                          u"-170.5",
                                                          u"1000000",
                                                          u"0.9999999999999999",
                                                          u"1.0000000000000002",
                                                          u"1e22",
                                                          u"1e23",
                                                          u"123456789012345678901234567890",
                                                          u"0.000000000000000000000000000001",
                                                          u"45",
                                                          u"5.5",
                                                          u"-0.5",
                                                          u"1e-5"};

constexpr std::array<std::u16string_view, 7> kOperators = {u"+", u"-", u"*", u"/", u"^", u",", u""};
constexpr std::array<std::pair<char16_t, char16_t>, 3> kBrackets = {{{u'(', u')'}, {u'[', u']'}, {u'{', u'}'}}};

bool KnownClass(const char* name) {
    for (const auto known : kClasses) {
        if (known == name) return true;
    }
    return false;
}

class ExpressionBuilder {
public:
    explicit ExpressionBuilder(FuzzedDataProvider& data) : data_(data) {}

    std::u16string Build() {
        Expression(0);
        return std::move(text_);
    }

private:
    void Append(std::u16string_view piece) {
        // Capitals and spaces where the bytes say so: the input is lower-cased and spaces dropped.
        const bool upper = data_.ConsumeBool() && data_.ConsumeBool();
        for (const char16_t unit : piece) text_.push_back(upper && unit >= u'a' && unit <= u'z' ? unit - 32 : unit);
        if (data_.ConsumeIntegralInRange(0, 15) == 0) text_.push_back(u' ');
    }

    void Number() {
        if (data_.ConsumeBool()) {
            Append(kNumbers[data_.ConsumeIntegralInRange<std::size_t>(0, kNumbers.size() - 1)]);
            return;
        }
        const double v = data_.ConsumeFloatingPoint<double>();
        const std::string digits = std::to_string(v);
        Append(std::u16string(digits.begin(), digits.end()));
    }

    void Atom(int depth) {
        switch (data_.ConsumeIntegralInRange(0, 5)) {
            case 0:
                Append(kPhysicalConstantTable[data_.ConsumeIntegralInRange<std::size_t>(
                                                  0, kPhysicalConstantTable.size() - 1)]
                           .token);
                return;
            case 1: Append(u"pi"); return;
            case 2:
            case 3:
                if (depth < kDepthLimit) {
                    Call(depth);
                    return;
                }
                [[fallthrough]];
            default: Number();
        }
    }

    void Call(int depth) {
        Append(kSeparatorTable[data_.ConsumeIntegralInRange(kFirstFunctionEntry, kSeparatorTable.size() - 1)]);
        const auto [open, close] = kBrackets[data_.ConsumeIntegralInRange<std::size_t>(0, kBrackets.size() - 1)];
        text_.push_back(open);
        const int arguments = data_.ConsumeIntegralInRange(0, kMostArguments);
        for (int i = 0; i < arguments; ++i) {
            if (i > 0) text_.push_back(u',');
            Expression(depth + 1);
        }
        if (data_.ConsumeIntegralInRange(0, 31) != 0) text_.push_back(close);  // now and then unbalanced
    }

    void Expression(int depth) {
        if (data_.ConsumeIntegralInRange(0, 3) == 0) Append(data_.ConsumeBool() ? u"-" : u"+");
        if (depth < kDepthLimit && data_.ConsumeIntegralInRange(0, 4) == 0) {
            text_.push_back(u'(');
            Expression(depth + 1);
            text_.push_back(u')');
        } else {
            Atom(depth);
        }
        while (depth < kDepthLimit && data_.remaining_bytes() > 0 && data_.ConsumeIntegralInRange(0, 2) == 0) {
            Append(kOperators[data_.ConsumeIntegralInRange<std::size_t>(0, kOperators.size() - 1)]);
            Atom(depth + 1);
        }
    }

    FuzzedDataProvider& data_;
    std::u16string text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const std::u16string text = ExpressionBuilder(data).Build();
    const int roundingBefore = std::fegetround();
    double value = 0;
    QuorvexError error{};
    const std::clock_t start = std::clock();
    const std::int32_t status = EvaluonEx(text.c_str(), &value, &error);
    if (static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC > kTimeLimitSeconds) std::abort();
    if (status != 0 && status != 1) std::abort();
    if (status == 1 && (error.errorClass == nullptr || error.message == nullptr || !KnownClass(error.errorClass)))
        std::abort();
    if (std::fegetround() != roundingBefore || std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT) != 0) std::abort();
    return 0;
}
