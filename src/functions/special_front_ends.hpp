// The front-ends of the multi-argument special functions and distributions: count test,
// conversion of the arguments, the routine, the answer as NumberText.
#pragma once

#include "core/decimal_separator.hpp"
#include "core/short_text.hpp"
#include "core/token_list.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

inline constexpr std::size_t kMostSpecialArguments = 5;

// The converted arguments in the order written; integer positions hold exact integers.
struct Arguments {
    std::array<double, kMostSpecialArguments> v;
    std::size_t count;
    std::int32_t Integer(std::size_t i) const { return static_cast<std::int32_t>(v[i]); }
};

// Checks on the first argument that run before the count test.
enum class PreCheck { kNone, kNonNegativeOrder, kPositiveOrder };

struct SpecialFrontEnd {
    std::size_t fullCount = 0;
    std::size_t shortCount = 0;     // 0: only the full count is accepted
    unsigned integerPositions = 0;  // bit i: argument i is read as a 32-bit integer
    PreCheck preCheck = PreCheck::kNone;
    double (*compute)(const Arguments& a) = nullptr;  // the form follows from a.count
    std::u16string_view countMessage;
    std::u16string_view nonNumericMessage;
    std::u16string_view preCheckMessage;       // first-argument failures of the pre-check
    std::u16string_view negativeOrderMessage;  // expn: a negative order
    std::u16string_view zeroDivideMessage;     // ndist: a division by zero, named; empty: it passes unchanged
};

inline constexpr unsigned kFirst = 1U;

// The full form ends with the convergence threshold.
template <double (*Full)(double, double), double (*Short)(double)>
double OneArgument(const Arguments& a) {
    return a.count == 2 ? Full(a.v[0], a.v[1]) : Short(a.v[0]);
}
template <double (*Full)(double, double, double), double (*Short)(double, double)>
double TwoArguments(const Arguments& a) {
    return a.count == 3 ? Full(a.v[0], a.v[1], a.v[2]) : Short(a.v[0], a.v[1]);
}
template <double (*Full)(double, double, double, double), double (*Short)(double, double, double)>
double ThreeArguments(const Arguments& a) {
    return a.count == 4 ? Full(a.v[0], a.v[1], a.v[2], a.v[3]) : Short(a.v[0], a.v[1], a.v[2]);
}
template <double (*Full)(std::int32_t, double, double), double (*Short)(std::int32_t, double)>
double OrderAndArgument(const Arguments& a) {
    return a.count == 3 ? Full(a.Integer(0), a.v[1], a.v[2]) : Short(a.Integer(0), a.v[1]);
}

// The answer of a special function or distribution for the argument texts. A count that fits
// no form raises the function's count message (EFunctionError 10008); an argument that does
// not convert raises its non-numeric message (EConvertError 10001); the routines' own errors
// and floating-point faults pass unchanged, except a division by zero where the front-end
// names it (EZeroDivide 10001).
ShortText EvaluateSpecialFunction(const SpecialFrontEnd& row, const TokenList& arguments,
                                  char16_t separator = DecimalSeparator());

}  // namespace quorvex
