// An independent writer of NumberText: the 15-digit rule applied to the exact decimal
// expansion of a double, as glibc prints it.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace quorvex::testing {

// digits d1 d2 ... with the value d1.d2... x 10^exponent, laid out as the writer does.
inline std::string Layout(bool negative, std::string digits, int exponent) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        return out + "E" + std::to_string(exponent);
    }
    if (exponent < 0) return out + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

// The writer's rule on the exact decimal expansion. Nothing when digits 16 to 18 lie within
// 65 of 500: the writer sees them through one rounded multiplication (half an ulp of an
// 18-digit integer is at most 64) and may legitimately land on the other side.
inline std::optional<std::string> ExactRuleText(double x) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.40e", std::fabs(x));
    std::string digits = buffer[0] + std::string(buffer + 2, 40);
    int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
    if (std::abs(std::stoi(digits.substr(15, 3)) - 500) <= 65) return std::nullopt;
    const bool up = digits[15] >= '5';
    digits.resize(15);
    if (up) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0) {
            digits.insert(0, "1");
            ++exponent;
        } else {
            ++digits[i - 1];
        }
    }
    return Layout(x < 0, digits, exponent);
}

// The writer's rule as its arithmetic takes it, one double step at a time: the decimal
// exponent estimated from the binary one, v * 10^(18 - k) rounded to an integer, divided by
// ten when it reaches 10^18 and taken again for k - 1 when it falls short of 10^17, then the
// 16th digit. For a normal |x| from 10^-13 to 10^18, where each step multiplies by a table power.
inline std::string StepwiseRuleText(double x) {
    const double v = std::fabs(x);
    int k = ((std::ilogb(v) * 19728) >> 16) + 1;
    double m = 0.0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        m = std::nearbyint(v * std::strtod(("1e" + std::to_string(18 - k)).c_str(), nullptr));
        if (m >= 1e18) {
            ++k;
            m = std::nearbyint(m / 10.0);
        }
        if (m >= 1e17) break;
        --k;
    }
    const auto intermediate = static_cast<unsigned long long>(m);
    unsigned long long digits = intermediate / 1000 + ((intermediate / 100) % 10 >= 5 ? 1 : 0);
    if (digits == 1000000000000000ULL) {
        digits /= 10;
        ++k;
    }
    return Layout(x < 0, std::to_string(digits), k - 1);
}

}  // namespace quorvex::testing
