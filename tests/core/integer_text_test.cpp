// Integer arguments: 32-bit decimal with range check, or a hexadecimal bit pattern.
#include "core/integer_text.hpp"

#include "core/utf16.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvex {
namespace {

TEST(IntegerText, ReadsDecimalAndHexadecimalForms) {
    struct Case {
        std::u16string text;
        std::optional<std::int32_t> value;
    };
    const std::vector<Case> cases = {
        {u"0", 0},
        {u"-0", 0},
        {u"  42", 42},
        {u"+7", 7},
        {u" -5", -5},
        {u"00012", 12},
        {u"0000000000000000000001", 1},
        {u"-2147483648", -2147483647 - 1},
        {u"2147483647", 2147483647},
        {u"2147483648", std::nullopt},
        {u"-2147483649", std::nullopt},
        // Must not wrap around.
        {u"99999999999999999999", std::nullopt},
        // Hexadecimal digits are a bit pattern, so the top bit makes the value negative.
        {u"$FFFFFFFF", -1},
        {u"$ffffffff", -1},
        {u"$7FFFFFFF", 2147483647},
        {u"$80000000", -2147483647 - 1},
        {u"x10", 16},
        {u"X10", 16},
        {u"  $10", 16},
        {u"0x", 0},
        {u"0X1f", 31},
        {u"0x00000001", 1},
        {u"$123456789", std::nullopt},
        {u"0x123456789", std::nullopt},
        {u"$", std::nullopt},
        {u"x", std::nullopt},
        {u"$G", std::nullopt},
        {u"0x-1", std::nullopt},
        {u"0x 1", std::nullopt},
        {u"-$10", std::nullopt},
        {u"+$10", std::nullopt},
        {u"12 ", std::nullopt},
        {u"- 5", std::nullopt},
        {u"", std::nullopt},
        {u"  ", std::nullopt},
        {u"-", std::nullopt},
        {u"+", std::nullopt},
        {u"1.0", std::nullopt},
        {u"1e3", std::nullopt},
        {u"１２", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        EXPECT_EQ(TryParseIntegerText(c.text), c.value);
    }
}

}  // namespace
}  // namespace quorvex
