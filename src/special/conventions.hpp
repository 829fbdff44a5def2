// What every special-function routine shares: its errors and help contexts, the default
// tolerance, the zero and pole tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string_view>

namespace quorvex::special {

// Help context of domain errors, poles, divergence and overflow reported by a routine.
inline constexpr std::int32_t kDomainHelpContext = 10008;
// Help context of an iteration that reached its cap.
inline constexpr std::int32_t kConvergeHelpContext = 10010;

// The tolerance of every default form: the worker with this eps.
inline constexpr double kDefaultTolerance = 1e-15;
// Iterations run while their counter is below this; reaching it is a failure to converge.
inline constexpr int kIterationCap = 1000;
// A term at most this fraction of a sum leaves the sum unchanged: half a unit in the sum's last
// place is always more.
inline constexpr double kNegligibleFraction = 0x1p-54;
// One unit in the last place of a double is at most this fraction of it.
inline constexpr double kLastPlaceFraction = 0x1p-52;
// A value this small or smaller is zero by the zero test.
inline constexpr double kZeroTestBound = 1e-12;
// What a zero denominator of a continued fraction is replaced by.
inline constexpr double kTinyValue = 1e-30;

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kHalfPi = std::numbers::pi / 2.0;
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;
// Euler's constant.
inline constexpr double kEulerGamma = std::numbers::egamma;

// The zero test: |v| <= 1e-12.
inline bool IsZeroByTest(double v) { return std::fabs(v) <= kZeroTestBound; }

// The pole test: x <= 0 with no fractional part (truncating toward zero).
inline bool IsNonPositiveInteger(double x) { return x <= 0.0 && x - std::trunc(x) == 0.0; }

// Raises EFunctionError with the message, help context 10008 unless told otherwise.
[[noreturn]] void RaiseFunctionError(std::u16string_view message, std::int32_t helpContext = kDomainHelpContext);

// Raises EConvergeError with the message and help context 10010.
[[noreturn]] void RaiseConvergeError(std::u16string_view message);

}  // namespace quorvex::special
