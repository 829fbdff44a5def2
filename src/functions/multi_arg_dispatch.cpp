// The multi-argument dispatch. No handler is registered yet.
#include "functions/multi_arg_dispatch.hpp"

namespace quorvex {

std::u16string DispatchMultiArgFunction(std::u16string_view /*name*/, const TokenList& /*arguments*/) {
    return std::u16string(kFalseMarker);
}

}  // namespace quorvex
