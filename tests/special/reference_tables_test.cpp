// Every function form through the whole engine against mpmath's exact values
// (tests/tools/generate_reference_tables.py writes tests/data/reference/*.tsv): one table per
// region of a function, each with its bound on the error in units of the 15th significant digit.
#include "pipeline/driver.hpp"

#include <quorvex/quorvex.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

// |got - exact| in units of the 15th significant digit of max(|exact|, scale).
double DigitError(double got, double exact, double scale) {
    const double magnitude = std::max(std::fabs(exact), scale);
    return std::fabs(got - exact) / std::pow(10.0, std::floor(std::log10(magnitude)) - 14.0);
}

struct Table {
    std::string region;
    double bound = 0.0;
    int rows = 0;
    double sumOfSquares = 0.0;
    double worst = 0.0;
    std::string worstRow;
};

void Report(const Table& table) {
    if (table.rows == 0) return;
    std::printf("%-62s worst %10.3g  rms %9.3g  rows %3d  bound %g%s\n", table.region.c_str(), table.worst,
                std::sqrt(table.sumOfSquares / table.rows), table.rows, table.bound, table.worstRow.c_str());
    EXPECT_LE(table.worst, table.bound) << table.region << table.worstRow;
}

// One row: evaluates the expression and accounts its error; a raised error or a NaN fails it.
void Measure(Table& table, const std::string& line) {
    std::istringstream fields(line);
    std::string expression, exactText, scaleText;
    std::getline(fields, expression, '\t');
    std::getline(fields, exactText, '\t');
    std::getline(fields, scaleText, '\t');
    const double exact = std::strtod(exactText.c_str(), nullptr);
    const double scale = scaleText.empty() ? 0.0 : std::fabs(std::strtod(scaleText.c_str(), nullptr));
    double got = 0.0;
    try {
        got = EvaluateExpression(std::u16string(expression.begin(), expression.end()));
    } catch (const Exception& e) {
        ADD_FAILURE() << table.region << ": " << expression << " raised " << e.ClassName() << ": " << e.what();
        return;
    }
    const double error = std::isnan(got) ? std::numeric_limits<double>::infinity() : DigitError(got, exact, scale);
    EXPECT_FALSE(std::isnan(got)) << table.region << ": " << expression;
    table.rows += 1;
    table.sumOfSquares += error * error;
    if (error >= table.worst) {
        char text[160];
        std::snprintf(text, sizeof text, "  at %s = %.17g, exact %s", expression.c_str(), got, exactText.c_str());
        table.worst = error;
        table.worstRow = text;
    }
}

TEST(ReferenceTables, EveryFormWithinItsBound) {
    const std::filesystem::path directory = QUORVEX_TEST_DATA_DIR "/reference";
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().extension() == ".tsv") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty()) << "no tables in " QUORVEX_TEST_DATA_DIR "/reference";
    int rows = 0;
    for (const auto& file : files) {
        std::ifstream data(file);
        ASSERT_TRUE(data) << file.string();
        std::printf("%s\n", file.filename().string().c_str());
        Table table;
        for (std::string line; std::getline(data, line);) {
            if (line.empty() || line[0] == '#') continue;
            if (line.rfind("table\t", 0) == 0) {
                Report(table);
                rows += table.rows;
                const std::size_t tab = line.find('\t', 6);
                table = Table{};
                table.region = line.substr(6, tab - 6);
                table.bound = std::strtod(line.c_str() + tab + 1, nullptr);
                continue;
            }
            Measure(table, line);
        }
        Report(table);
        rows += table.rows;
    }
    std::printf("%d rows in %zu files\n", rows, files.size());
}

}  // namespace
}  // namespace quorvex
