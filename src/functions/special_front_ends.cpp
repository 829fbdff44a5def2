// One handler for all special-function and distribution front-ends, driven by their rows of the
// function table.
#include "functions/special_front_ends.hpp"

#include "core/errors.hpp"
#include "core/integer_text.hpp"
#include "core/number_text.hpp"

#include <quorvex/quorvex.hpp>

#include <cstdint>
#include <optional>

namespace quorvex {
namespace {

constexpr std::int32_t kCountHelpContext = 10008;
constexpr std::int32_t kNonNumericHelpContext = 10001;

void RunPreCheck(const SpecialFrontEnd& row, const TokenList& arguments) {
    if (row.preCheck == PreCheck::kNone) return;
    const auto order = arguments.empty() ? std::nullopt : TryParseIntegerText(arguments[0]);
    if (!order) RaiseArgumentError(row.preCheckMessage, kCountHelpContext);
    const bool refused = row.preCheck == PreCheck::kPositiveOrder ? *order <= 0 : *order < 0;
    if (refused) RaiseArgumentError(row.negativeOrderMessage, kCountHelpContext);
}

Arguments Convert(const SpecialFrontEnd& row, const TokenList& arguments, char16_t separator) {
    Arguments converted{{}, arguments.size()};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::optional<double> value;
        if ((row.integerPositions >> i) & 1U) {
            if (const auto integer = TryParseIntegerText(arguments[i])) value = *integer;
        } else {
            value = TryParseNumberText(arguments[i], separator);
        }
        // The first argument that does not convert ends the call; the routine is not reached.
        if (!value) throw EConvertError(std::u16string(row.nonNumericMessage), kNonNumericHelpContext);
        converted.v[i] = *value;
    }
    return converted;
}

}  // namespace

ShortText EvaluateSpecialFunction(const SpecialFrontEnd& row, const TokenList& arguments, char16_t separator) {
    RunPreCheck(row, arguments);
    if (arguments.size() != row.fullCount && (row.shortCount == 0 || arguments.size() != row.shortCount)) {
        RaiseArgumentError(row.countMessage, kCountHelpContext);
    }
    const Arguments converted = Convert(row, arguments, separator);
    try {
        return WriteNumberText(row.compute(converted), separator);
    } catch (const EZeroDivide&) {
        if (row.zeroDivideMessage.empty()) throw;
        throw EZeroDivide(std::u16string(row.zeroDivideMessage), kNonNumericHelpContext);
    }
}

}  // namespace quorvex
