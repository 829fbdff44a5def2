// Tables of reference data kept in tests/data: one row a line, its fields separated by tabs, and
// whole evaluations among them, each expression with the value it must give or the error it must
// raise. A failure names the file and line of its row.
#pragma once

#include "core/number_text.hpp"
#include "core/token_list.hpp"
#include "core/utf16.hpp"
#include "pipeline/driver.hpp"
#include "special/conventions.hpp"
#include "support/accuracy.hpp"
#include "support/error_matchers.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex::testing {

// A row of a data file: where it stands and its fields, with \r, \n, \t and \\ unescaped.
struct DataRow {
    std::string where;  // path:line
    std::vector<std::string> fields;
};

// The rows of tests/data/NAME; blank lines and lines that start with # are passed over.
inline std::vector<DataRow> ReadDataRows(const std::string& name) {
    const std::string path = QUORVEX_TEST_DATA_DIR "/" + name;
    std::ifstream data(path, std::ios::binary);
    EXPECT_TRUE(data) << "missing " << path;
    std::vector<DataRow> rows;
    int number = 0;
    for (std::string line; std::getline(data, line);) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        DataRow row{"tests/data/" + name + ":" + std::to_string(number), {""}};
        for (std::size_t i = 0; i < line.size(); ++i) {
            char c = line[i];
            if (c == '\t') {
                row.fields.emplace_back();
                continue;
            }
            if (c == '\\' && i + 1 < line.size()) {
                c = line[++i];
                if (c != 'r' && c != 'n' && c != 't' && c != '\\') ADD_FAILURE() << row.where << ": escape \\" << c;
                c = c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
            }
            row.fields.back() += c;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

// The numbers of a field written a,b,..., each as strtod reads it.
inline std::vector<double> Numbers(const std::string& field) {
    std::vector<double> numbers;
    for (const char* at = field.c_str();;) {
        char* end = nullptr;
        numbers.push_back(std::strtod(at, &end));
        if (end == at || (*end != ',' && *end != '\0')) {
            ADD_FAILURE() << "not numbers: " << field;
            break;
        }
        if (*end == '\0') break;
        at = end + 1;
    }
    return numbers;
}

// The tokens of a field, separated by single spaces; an empty field is an empty list.
inline TokenList TokenListOf(const std::string& field) {
    TokenList tokens;
    for (std::size_t at = 0; at < field.size();) {
        const std::size_t end = std::min(field.find(' ', at), field.size());
        tokens.emplace_back(ToUtf16(field.substr(at, end - at)));
        at = end + 1;
    }
    return tokens;
}

// The fields from `at` on name an error: its class alone, or class, help context and message.
inline bool NamesError(const DataRow& row, std::size_t at) {
    const std::string& field = row.fields[at];
    return field.size() > 1 && field[0] == 'E' && field[1] >= 'A' && field[1] <= 'Z';
}

// Expects the action to raise the error the fields from `at` on name.
inline void ExpectErrorOf(const std::function<void()>& action, const DataRow& row, std::size_t at) {
    if (row.fields.size() == at + 1) {
        try {
            action();
            ADD_FAILURE() << "no error; expected " << row.fields[at];
        } catch (const Exception& e) {
            EXPECT_EQ(std::string_view(e.ClassName()), row.fields[at]);
        }
        return;
    }
    ASSERT_EQ(row.fields.size(), at + 3) << "class, help context and message";
    const std::u16string message = ToUtf16(row.fields[at + 2]);
    ExpectError(action, {row.fields[at], std::atoi(row.fields[at + 1].c_str()), message});
}

// The value bits of an expression that does not reduce.
inline constexpr std::uint64_t kNotReducedBits = 0xFFF8000000000000ULL;

// Evaluates the expression of the first field and checks the outcome of the second on: the
// value's text as shown (NAN: it does not reduce), =TEXT for exactly the value TEXT reads as,
// ~NUMBER for within 1e-14 relative of NUMBER (the 15 digits the engine rounds to), or an error.
inline void ExpectOutcome(const DataRow& row) {
    SCOPED_TRACE(row.where + ": " + row.fields[0]);
    ASSERT_GE(row.fields.size(), 2u) << "no outcome";
    const std::u16string expression = ToUtf16(row.fields[0]);
    if (NamesError(row, 1)) {
        ExpectErrorOf([&] { EvaluateExpression(expression); }, row, 1);
        return;
    }
    const std::string& outcome = row.fields[1];
    try {
        const double value = EvaluateExpression(expression);
        if (outcome[0] == '=') {
            EXPECT_EQ(value, ParseNumberText(ToUtf16(outcome.substr(1))));
        } else if (outcome[0] == '~') {
            const double reference = std::strtod(outcome.c_str() + 1, nullptr);
            EXPECT_NEAR(value, reference, 1e-14 * std::fabs(reference));
        } else {
            EXPECT_EQ(ToUtf8(FormatNumberText(value)), outcome);
            if (outcome == "NAN") {
                EXPECT_EQ(std::bit_cast<std::uint64_t>(value), kNotReducedBits);
            }
        }
    } catch (const Exception& e) {
        ADD_FAILURE() << e.ClassName() << ": " << e.what();
    }
}

// Every evaluation of tests/data/NAME; the number of rows, for the test to tell a file cut short.
inline int ExpectOutcomes(const std::string& name) {
    const std::vector<DataRow> rows = ReadDataRows(name);
    for (const DataRow& row : rows) ExpectOutcome(row);
    return static_cast<int>(rows.size());
}

// A routine of the library called with a row's arguments.
using Routine = std::function<double(const std::vector<double>&)>;

// The tolerance an argument list ends with, or the default where it leaves it out.
inline double ToleranceAt(const std::vector<double>& arguments, std::size_t at) {
    return arguments.size() > at ? arguments[at] : special::kDefaultTolerance;
}

// The rows of tests/data/NAME as bound<TAB>routine<TAB>arguments<TAB>outcome: the routine's value
// within the bound of the reference, relative or, written "N digits", in units of the 15th
// significant digit, the rows of one bound failing together at their worst; or, where the bound
// is "error", the error. The number of rows, as ExpectOutcomes.
inline int ExpectRoutineRows(const std::string& name, const std::map<std::string, Routine>& routines) {
    std::map<std::string, WorstRow> tables;
    const std::vector<DataRow> rows = ReadDataRows(name);
    for (const DataRow& row : rows) {
        SCOPED_TRACE(row.where);
        if (row.fields.size() < 4) {
            ADD_FAILURE() << "bound, routine, arguments and outcome";
            continue;
        }
        const auto routine = routines.find(row.fields[1]);
        if (routine == routines.end()) {
            ADD_FAILURE() << "no routine " << row.fields[1];
            continue;
        }
        const std::vector<double> arguments = Numbers(row.fields[2]);
        const auto call = [&] { return routine->second(arguments); };
        const std::string& bound = row.fields[0];
        if (bound == "error") {
            ExpectErrorOf(call, row, 3);
            continue;
        }
        WorstRow& table =
            tables.try_emplace(bound, std::strtod(bound.c_str(), nullptr), name + " within " + bound).first->second;
        const double reference = std::strtod(row.fields[3].c_str(), nullptr);
        if (bound.ends_with(" digits")) {
            table.Digits(call(), reference, row.where);
        } else {
            table.Relative(call(), reference, row.where);
        }
    }
    return static_cast<int>(rows.size());
}

}  // namespace quorvex::testing
