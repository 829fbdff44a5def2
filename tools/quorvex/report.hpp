// What the calculator prints for one expression: plain, JSON, or the road of the evaluation.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace quorvex::tool {

enum class ReportStyle { kPlain, kJson, kTrace };

// Evaluates the expression, UTF-16 as the library reads it, and prints its result in the style:
// the value on `out`, an error on `errors` (plain and trace) or in the JSON object. Answers false
// on error.
bool EvaluateAndReport(std::u16string_view expression, ReportStyle style, std::ostream& out, std::ostream& errors);

// A JSON string literal of UTF-8 text, control characters escaped.
std::string JsonString(std::string_view text);

}  // namespace quorvex::tool
