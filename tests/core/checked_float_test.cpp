// The checked value type: each operator is its checked function, faults included.
#include "core/checked_float.hpp"

#include <gtest/gtest.h>
#include <quorvex/quorvex.hpp>

#include <bit>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>

namespace quorvex {
namespace {

static_assert(std::is_trivially_copyable_v<Checked> && sizeof(Checked) == sizeof(double));

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The class of the error op raises, or "" when it returns.
std::string ErrorOf(const std::function<void()>& op) {
    try {
        op();
    } catch (const Exception& e) {
        return e.ClassName();
    }
    return "";
}

TEST(CheckedValue, OperatorsAreTheCheckedFunctions) {
    struct Row {
        double a;
        double b;
    };
    // Plain, overflowing, invalid, dividing by zero.
    constexpr Row kRows[] = {{1.0, 3.0},  {kMax, kMax}, {-kMax, kMax}, {kInf, kInf},
                             {kInf, 0.0}, {1.0, 0.0},   {0.0, 0.0}};
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.a << ", " << row.b);
        const Checked a = row.a;
        const double b = row.b;
        const auto same = [](const std::function<double()>& checked, const std::function<double()>& nested) {
            EXPECT_EQ(ErrorOf([&] { checked(); }), ErrorOf([&] { nested(); }));
            if (!ErrorOf([&] { nested(); }).empty()) return;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(checked()), std::bit_cast<std::uint64_t>(nested()));
        };
        same([&] { return double(a + b); }, [&] { return CheckedAdd(row.a, b); });
        same([&] { return double(a - b); }, [&] { return CheckedSubtract(row.a, b); });
        same([&] { return double(a * b); }, [&] { return CheckedMultiply(row.a, b); });
        same([&] { return double(a / b); }, [&] { return CheckedDivide(row.a, b); });
        same([&] { return double(b / a); }, [&] { return CheckedDivide(b, row.a); });
        same(
            [&] {
                Checked r = a;
                r += b;
                return double(r);
            },
            [&] { return CheckedAdd(row.a, b); });
        same(
            [&] {
                Checked r = a;
                r -= b;
                return double(r);
            },
            [&] { return CheckedSubtract(row.a, b); });
        same(
            [&] {
                Checked r = a;
                r *= b;
                return double(r);
            },
            [&] { return CheckedMultiply(row.a, b); });
        same(
            [&] {
                Checked r = a;
                r /= b;
                return double(r);
            },
            [&] { return CheckedDivide(row.a, b); });
    }
}

}  // namespace
}  // namespace quorvex
