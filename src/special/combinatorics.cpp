// Binomial coefficient, factorial and bit length.
#include "special/combinatorics.hpp"

#include "core/checked_float.hpp"

#include <algorithm>

namespace quorvex::special {
namespace {

constexpr std::int64_t kLongestProduct = 1'000'000;

}  // namespace

double BinomialCoefficient(std::int32_t n, std::int32_t k) {
    if (k == 0 || n == k) return 1.0;
    if (k == 1 || static_cast<std::int64_t>(n) == static_cast<std::int64_t>(k) + 1) return n;
    std::int64_t m = std::max<std::int64_t>(static_cast<std::int64_t>(n) - k, k);
    // The product over the larger of k and n - k has the same value as over the smaller; it is
    // kept for its rounding, but beyond a million factors it would run for seconds on a
    // 30-character input, so there the shorter product is taken.
    if (m > kLongestProduct) m = static_cast<std::int64_t>(n) - m;
    double r = 1.0;
    for (std::int64_t i = 1; i <= m; ++i) {
        r = CheckedMultiply(r, static_cast<double>(n - m + i));
        r = CheckedDivide(r, static_cast<double>(i));
    }
    return r;
}

double IntFactorial(std::int32_t n) {
    double r = 1.0;
    for (std::int32_t i = 2; i <= n; ++i) r = CheckedMultiply(r, i);
    return r;
}

int BitLength(std::int32_t n) {
    int length = 0;
    for (std::int32_t v = n; v > 0; v /= 2) ++length;
    return length;
}

}  // namespace quorvex::special
