// Raising the special functions' errors.
#include "special/conventions.hpp"

#include <quorvex/quorvex.hpp>

#include <string>

namespace quorvex::special {

void RaiseFunctionError(std::u16string_view message, std::int32_t helpContext) {
    throw EFunctionError(std::u16string(message), helpContext);
}

void RaiseConvergeError(std::u16string_view message) {
    throw EConvergeError(std::u16string(message), kConvergeHelpContext);
}

}  // namespace quorvex::special
