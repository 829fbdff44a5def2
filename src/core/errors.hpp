// The runtime errors that reach the host untranslated, with their fixed messages.
#pragma once

#include <quorvex/quorvex.hpp>

#include <cstdint>
#include <string_view>

namespace quorvex {

// Help context of the pipeline's own errors and of untranslated runtime errors.
inline constexpr std::int32_t kNoHelpContext = 0;

inline constexpr std::u16string_view kInvalidOpMessage = u"不正な浮動小数点数演算命令";
inline constexpr std::u16string_view kZeroDivideMessage = u"0 による浮動小数点数除算";
inline constexpr std::u16string_view kOverflowMessage = u"浮動小数点数のオーバーフロー";
inline constexpr std::u16string_view kListIndexMessage = u"リストのインデックスが範囲を超えています (%d)";

[[noreturn]] void RaiseInvalidOp();
[[noreturn]] void RaiseZeroDivide();
[[noreturn]] void RaiseOverflow();
// A token list read at an index it does not have.
[[noreturn]] void RaiseListIndexError(long long index);
// Arguments a function refuses: EFunctionError with the function's own message and help context.
[[noreturn]] void RaiseArgumentError(std::u16string_view message, std::int32_t helpContext);

}  // namespace quorvex
