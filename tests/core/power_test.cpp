// The power rule and the checked arithmetic under it: which faults are errors, and which not
// (tests/data/checked_arithmetic.tsv).
#include "core/checked_float.hpp"
#include "core/power.hpp"

#include "support/evaluation_rows.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using Operation = double (*)(double, double);

TEST(PowerRule, AndTheCheckedOperationsMatchTheirTable) {
    static const std::map<std::string, Operation> operations = {
        {"pow", Power},
        {"div", CheckedDivide},
        {"mul", CheckedMultiply},
        {"add", CheckedAdd},
        {"sub", CheckedSubtract},
        {"ln", [](double x, double) { return CheckedLn(x); }},
        {"exp", [](double x, double) { return CheckedExp(x); }},
        {"sqrt", [](double x, double) { return CheckedSqrt(x); }},
    };
    const std::vector<testing::DataRow> rows = testing::ReadDataRows("checked_arithmetic.tsv");
    for (const testing::DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        ASSERT_GE(row.fields.size(), 4u);
        const Operation operation = operations.at(row.fields[0]);
        const double x = std::strtod(row.fields[1].c_str(), nullptr);
        const double y = std::strtod(row.fields[2].c_str(), nullptr);
        if (testing::NamesError(row, 3)) {
            testing::ExpectErrorOf([&] { operation(x, y); }, row, 3);
        } else {
            EXPECT_EQ(operation(x, y), std::strtod(row.fields[3].c_str(), nullptr));
        }
    }
    EXPECT_EQ(rows.size(), 48u);
}

}  // namespace
}  // namespace quorvex
