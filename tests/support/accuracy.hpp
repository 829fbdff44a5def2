// Error measures for numerical tables, and a table that fails once, at its worst row, so a
// failure says how far the table strayed and where rather than listing every row past the bound.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace quorvex::testing {

inline double RelativeError(double value, double reference) {
    return std::fabs(value - reference) / std::fabs(reference);
}

// |value - reference| in units of the 15th significant digit of max(|reference|, scale): the
// digits the engine shows. A scale keeps a value next to a zero of its function from counting
// digits the function never had.
inline double DigitError(double value, double reference, double scale = 0.0) {
    const double magnitude = std::max(std::fabs(reference), scale);
    return std::fabs(value - reference) / std::pow(10.0, std::floor(std::log10(magnitude)) - 14.0);
}

// "(a, b, ...)" with every argument to 17 digits, for naming a row.
inline std::string Arguments(std::initializer_list<double> values) {
    std::string text = "(";
    for (const double v : values) {
        char number[32];
        std::snprintf(number, sizeof number, "%s%.17g", text.size() > 1 ? ", " : "", v);
        text += number;
    }
    return text + ")";
}

// Collects the errors of a table's rows; at the end of its scope it expects the worst within the
// bound, naming that row. A NaN error counts as infinite.
class WorstRow {
public:
    explicit WorstRow(double bound, std::string table = "") : bound_(bound), table_(std::move(table)) {}
    WorstRow(const WorstRow&) = delete;
    WorstRow& operator=(const WorstRow&) = delete;
    ~WorstRow() {
        if (rows_ > 0) {
            EXPECT_LE(worst_, bound_) << table_ << " worst at " << worstRow_;
        }
    }

    void Add(double error, std::string_view row) {
        if (std::isnan(error)) error = std::numeric_limits<double>::infinity();
        rows_ += 1;
        sumOfSquares_ += error * error;
        if (rows_ == 1 || error > worst_) {
            worst_ = error;
            worstRow_ = row;
        }
    }
    // The value and its reference go into the row's name.
    void Relative(double value, double reference, std::string_view row) {
        Add(RelativeError(value, reference), Named(row, value, reference));
    }
    void Digits(double value, double reference, std::string_view row, double scale = 0.0) {
        Add(DigitError(value, reference, scale), Named(row, value, reference));
    }

    // One line: worst, root mean square, rows, bound and the worst row.
    std::string Summary() const {
        char text[96];
        std::snprintf(text, sizeof text, "worst %10.3g  rms %9.3g  rows %3d  bound %g  at ", worst_,
                      rows_ > 0 ? std::sqrt(sumOfSquares_ / rows_) : 0.0, rows_, bound_);
        return text + worstRow_;
    }
    int Rows() const { return rows_; }

private:
    static std::string Named(std::string_view row, double value, double reference) {
        char text[80];
        std::snprintf(text, sizeof text, " = %.17g, reference %.17g", value, reference);
        return std::string(row) + text;
    }

    double bound_;
    std::string table_;
    int rows_ = 0;
    double sumOfSquares_ = 0.0;
    double worst_ = 0.0;
    std::string worstRow_;
};

}  // namespace quorvex::testing
