// The benchmark corpus: expressions that mean the same to Quorvex and to its peers (no
// chained "^", no unary minus after an operator, no constants), in three size classes, with
// the spelling each evaluator needs for the natural logarithm.
#pragma once

#include <string>
#include <vector>

namespace quorvex::bench {

struct CorpusExpression {
    std::string quorvex;   // ASCII, as Quorvex reads it
    std::string fparser;   // natural logarithm spelled log
    std::string muparser;  // natural logarithm spelled ln
};

enum class SizeClass { kShort, kTypical, kLong };

// The expressions of a class; deterministic.
const std::vector<CorpusExpression>& Corpus(SizeClass size);

const char* SizeClassName(SizeClass size);

}  // namespace quorvex::bench
