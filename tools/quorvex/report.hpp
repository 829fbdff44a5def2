// What the calculator prints for one expression: plain, JSON, or the road of the evaluation.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace quorvex::tool {

enum class ReportStyle { kPlain, kJson, kTrace };

enum class Outcome { kValue, kNotReduced, kError };

// Evaluates the expression, UTF-16 as the library reads it, and prints its result in the style:
// the value on `out`, an error on `errors` (plain and trace) or in the JSON object. A NaN is
// followed by what the reduction left over, on `errors` or in the object. `line` numbers the
// expression in its input (0: none), in front of what goes to `errors` and in the object.
Outcome EvaluateAndReport(std::u16string_view expression, ReportStyle style, std::size_t line, std::ostream& out,
                          std::ostream& errors);

// A JSON string literal of UTF-8 text, control characters escaped.
std::string JsonString(std::string_view text);

// A library message as a person reads it: one line, without the CRs, empty lines and indenting
// ideographic spaces some messages carry.
std::string DisplayMessage(std::string_view message);

}  // namespace quorvex::tool
