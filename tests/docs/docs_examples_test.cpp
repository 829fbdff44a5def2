// Every example row of the documentation evaluates to what the page says.
#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "pipeline/driver.hpp"

#include <quorvex/quorvex.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

namespace quorvex {
namespace {

// "| `expression` | `text` |" (more cells may follow) or "| `expression` | (Class helpContext) |"
const std::regex kValueRow(R"(^\| `([^`]+)` \| `([^`]+)` \|.*$)");
const std::regex kErrorRow(R"(^\| `([^`]+)` \| \((\w+) (\d+)\) \|$)");

std::string Outcome(const std::string& expression) {
    try {
        return ToUtf8(FormatNumberText(EvaluateExpression(ToUtf16(expression))));
    } catch (const Exception& e) {
        return std::string("(") + e.ClassName() + " " + std::to_string(e.HelpContext()) + ")";
    }
}

TEST(Documentation, EveryExampleEvaluatesAsWritten) {
    int examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(QUORVEX_DOCS_DIR)) {
        if (entry.path().extension() != ".md") continue;
        std::ifstream in(entry.path());
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            std::smatch match;
            std::string expected;
            if (std::regex_match(line, match, kValueRow)) {
                expected = match[2];
            } else if (std::regex_match(line, match, kErrorRow)) {
                expected = "(" + match[2].str() + " " + match[3].str() + ")";
            } else {
                continue;
            }
            SCOPED_TRACE(entry.path().filename().string() + ":" + std::to_string(number) + " " + match[1].str());
            EXPECT_EQ(Outcome(match[1]), expected);
            ++examples;
        }
    }
    EXPECT_GT(examples, 100);
}

}  // namespace
}  // namespace quorvex
