// Tables of whole evaluations: each expression with the value text it must show, or the error
// it must raise.
#pragma once

#include "core/number_text.hpp"
#include "core/utf16.hpp"
#include "pipeline/driver.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

namespace quorvex::testing {

struct ValueRow {
    std::u16string_view expression;
    std::u16string_view text;  // FormatNumberText of the value, "NAN" when it does not reduce
};

struct ErrorRow {
    std::u16string_view expression;
    ExpectedError error;
};

inline void ExpectValues(const std::vector<ValueRow>& rows) {
    for (const auto& row : rows) {
        SCOPED_TRACE(ToUtf8(row.expression));
        try {
            EXPECT_EQ(ToUtf8(FormatNumberText(EvaluateExpression(row.expression))), ToUtf8(row.text));
        } catch (const Exception& e) {
            ADD_FAILURE() << e.ClassName() << ": " << e.what();
        }
    }
}

inline void ExpectErrors(const std::vector<ErrorRow>& rows) {
    for (const auto& row : rows) {
        SCOPED_TRACE(ToUtf8(row.expression));
        ExpectError([&] { EvaluateExpression(row.expression); }, row.error);
    }
}

}  // namespace quorvex::testing
