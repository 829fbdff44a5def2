// Integer arguments: 32-bit decimal with range check, or a hexadecimal bit pattern
// (tests/data/integer_text.tsv).
#include "core/integer_text.hpp"

#include "core/utf16.hpp"
#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace quorvex {
namespace {

TEST(IntegerText, ReadsDecimalAndHexadecimalForms) {
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("integer_text.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_EQ(row.fields.size(), 2u);
        const std::optional<std::int32_t> expected =
            row.fields[1] == "none"
                ? std::nullopt
                : std::optional(static_cast<std::int32_t>(std::strtol(row.fields[1].c_str(), nullptr, 10)));
        EXPECT_EQ(TryParseIntegerText(ToUtf16(row.fields[0])), expected);
    }
    EXPECT_EQ(rows.size(), 40u);
}

}  // namespace
}  // namespace quorvex
