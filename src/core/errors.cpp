// The error classes and the raising of the untranslated runtime errors.
#include "core/errors.hpp"

#include "core/utf16.hpp"

#include <utility>

namespace quorvex {

Exception::Exception(std::u16string message, std::int32_t helpContext)
    : message_(std::move(message)), utf8Message_(ToUtf8(message_)), helpContext_(helpContext) {}

Exception::~Exception() = default;

const char* Exception::ClassName() const noexcept { return "Exception"; }

const char* Exception::what() const noexcept { return utf8Message_.c_str(); }

EConvertError::~EConvertError() = default;
const char* EConvertError::ClassName() const noexcept { return "EConvertError"; }

EFunctionError::~EFunctionError() = default;
const char* EFunctionError::ClassName() const noexcept { return "EFunctionError"; }

EConvergeError::~EConvergeError() = default;
const char* EConvergeError::ClassName() const noexcept { return "EConvergeError"; }

EOverflow::~EOverflow() = default;
const char* EOverflow::ClassName() const noexcept { return "EOverflow"; }

EZeroDivide::~EZeroDivide() = default;
const char* EZeroDivide::ClassName() const noexcept { return "EZeroDivide"; }

EInvalidOp::~EInvalidOp() = default;
const char* EInvalidOp::ClassName() const noexcept { return "EInvalidOp"; }

EStringListError::~EStringListError() = default;
const char* EStringListError::ClassName() const noexcept { return "EStringListError"; }

void RaiseInvalidOp() { throw EInvalidOp(std::u16string(kInvalidOpMessage), kNoHelpContext); }

void RaiseZeroDivide() { throw EZeroDivide(std::u16string(kZeroDivideMessage), kNoHelpContext); }

void RaiseOverflow() { throw EOverflow(std::u16string(kOverflowMessage), kNoHelpContext); }

void RaiseListIndexError(long long index) {
    throw EStringListError(FillPlaceholder(kListIndexMessage, IntegerToText(index)), kNoHelpContext);
}

}  // namespace quorvex
