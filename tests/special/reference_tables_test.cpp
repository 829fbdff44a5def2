// Every function form through the whole engine against mpmath's exact values
// (tests/tools/generate_reference_tables.py writes tests/data/reference/*.tsv): one table per
// region of a function, each with its bound on the error in units of the 15th significant digit.
#include "pipeline/driver.hpp"
#include "support/accuracy.hpp"

#include <quorvex/quorvex.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using testing::WorstRow;

// One row: expression, exact value, and the scale its digits are counted at; a raised error or
// a NaN fails it.
void Measure(WorstRow& table, const std::string& region, const std::string& line) {
    std::istringstream fields(line);
    std::string expression, exactText, scaleText;
    std::getline(fields, expression, '\t');
    std::getline(fields, exactText, '\t');
    std::getline(fields, scaleText, '\t');
    const double exact = std::strtod(exactText.c_str(), nullptr);
    const double scale = scaleText.empty() ? 0.0 : std::fabs(std::strtod(scaleText.c_str(), nullptr));
    try {
        const double got = EvaluateExpression(std::u16string(expression.begin(), expression.end()));
        EXPECT_FALSE(std::isnan(got)) << region << ": " << expression;
        table.Digits(got, exact, expression, scale);
    } catch (const Exception& e) {
        ADD_FAILURE() << region << ": " << expression << " raised " << e.ClassName() << ": " << e.what();
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
    std::string region;
    std::optional<WorstRow> table;
    // Ending a table checks its bound.
    const auto end = [&] {
        if (!table || table->Rows() == 0) return;
        std::printf("%-62s %s\n", region.c_str(), table->Summary().c_str());
        rows += table->Rows();
        table.reset();
    };
    for (const auto& file : files) {
        std::ifstream data(file);
        ASSERT_TRUE(data) << file.string();
        std::printf("%s\n", file.filename().string().c_str());
        for (std::string line; std::getline(data, line);) {
            if (line.empty() || line[0] == '#') continue;
            if (line.rfind("table\t", 0) == 0) {
                end();
                const std::size_t tab = line.find('\t', 6);
                region = line.substr(6, tab - 6);
                table.emplace(std::strtod(line.c_str() + tab + 1, nullptr), region);
                continue;
            }
            ASSERT_TRUE(table) << file.string() << ": a row before its table";
            Measure(*table, region, line);
        }
        end();
    }
    std::printf("%d rows in %zu files\n", rows, files.size());
}

}  // namespace
}  // namespace quorvex
