// The multi-argument dispatch: the list forms of the function table, looked up in constant time.
#include "functions/multi_arg_dispatch.hpp"

#include "functions/function_table.hpp"

namespace quorvex {

ShortText DispatchMultiArgFunction(std::u16string_view name, const TokenList& arguments, char16_t separator) {
    const FunctionRow* row = FindFunctionRow(name);
    if (row == nullptr) return ShortText(kFalseMarker);
    switch (row->list.kind) {
        case ListKind::kIntegerPair: return EvaluateIntegerFunction(row->list.integerPair, arguments);
        case ListKind::kSpecial: return EvaluateSpecialFunction(row->list.special, arguments, separator);
        case ListKind::kList: return row->list.list(arguments, separator);
        case ListKind::kNone: break;
    }
    return ShortText(kFalseMarker);
}

}  // namespace quorvex
