// The raising of the untranslated runtime errors.
#include "core/errors.hpp"

#include "core/integer_text.hpp"
#include "core/utf16.hpp"

namespace quorvex {

void RaiseInvalidOp() { throw EInvalidOp(std::u16string(kInvalidOpMessage), kNoHelpContext); }

void RaiseZeroDivide() { throw EZeroDivide(std::u16string(kZeroDivideMessage), kNoHelpContext); }

void RaiseOverflow() { throw EOverflow(std::u16string(kOverflowMessage), kNoHelpContext); }

void RaiseListIndexError(long long index) {
    throw EStringListError(FillPlaceholder(kListIndexMessage, IntegerToText(index)), kNoHelpContext);
}

void RaiseArgumentError(std::u16string_view message, std::int32_t helpContext) {
    throw EFunctionError(std::u16string(message), helpContext);
}

}  // namespace quorvex
