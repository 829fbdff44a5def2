// The calculator's UTF-8 edges, converted as the library converts its own texts.
#pragma once

#include <quorvex/quorvex.hpp>

namespace quorvex::tool {

using detail::ToUtf16;
using detail::ToUtf8;

}  // namespace quorvex::tool
