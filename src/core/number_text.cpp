// Writing and reading NumberText.
#include "core/number_text.hpp"

#include "core/decimal_separator.hpp"
#include "core/errors.hpp"
#include "core/utf16.hpp"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvex {
namespace {

// P[i]: the double nearest to 10^i; exact up to 10^22.
constexpr std::array<double, 32> kSmallPowers = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10,
                                                 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21,
                                                 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28, 1e29, 1e30, 1e31};
// Q[j]: the double nearest to 10^(32 j); Q[0] is unused.
constexpr std::array<double, 8> kLargePowers = {1e0, 1e32, 1e64, 1e96, 1e128, 1e160, 1e192, 1e224};
constexpr double kHugePower = 1e256;
constexpr double kTinyPower = 1e-256;
constexpr long long kLargestScale = 631;

// Digits the writer keeps, and the digits of its integer intermediate.
constexpr int kSignificantDigits = 15;
constexpr int kIntermediateDigits = 18;
constexpr double kIntermediateLow = 1e17;
constexpr double kIntermediateHigh = 1e18;
constexpr std::uint64_t kCarryLimit = 1'000'000'000'000'000ULL;  // 10^15
constexpr double kFixedLimit = 1e15;
// Below this an integer value times ten plus a digit code stays below 2^53: every step exact.
constexpr std::uint64_t kExactDigitLimit = (1ULL << 53) / 10 - 64;
// Doubles from here on are integers, so rounding them to an integer changes nothing.
constexpr double kTwoTo52 = 4503599627370496.0;
// Exponents above this count as this, whatever the length of the digits.
constexpr int kLargestExponent = 1024;
// The longest NumberText, sign, 15 digits, separator, "E-" and three exponent digits, fits a
// ShortText, whose Append would cut it otherwise.
static_assert(1 + kSignificantDigits + 1 + 2 + 3 <= ShortText::kCapacity);

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// Whether v, not negative, is an integer below 10^15. Below it a conversion to an integer and
// back is exact, and much cheaper than trunc without SSE4.1.
bool IsFixedInteger(double v) { return v < kFixedLimit && static_cast<double>(static_cast<std::int64_t>(v)) == v; }

// floor(E2 * log10(2)) + 1 in integers, flooring also for negative E2.
constexpr int EstimateDecimalExponent(int binaryExponent) { return ((binaryExponent * 19728) >> 16) + 1; }

// v * 10^(18 - k) rounded to an integer, ties to even; steps k up once when it reaches 10^18.
// m is never negative: below 2^52, adding 2^52 leaves no room for a fraction, so the sum is
// rounded to an integer in the current mode, as nearbyint rounds, and the subtraction is exact.
// Without SSE4.1 nearbyint is a library call that saves and restores the environment.
double RoundToInteger(double m) { return m < kTwoTo52 ? (m + kTwoTo52) - kTwoTo52 : m; }

double ScaledIntermediate(double v, int& k) {
    // Within one small power either way, the one step ScaleByPowerOfTen would take, inline.
    const int p = kIntermediateDigits - k;
    double m = 0.0;
    if (p > 0 && p < static_cast<int>(kSmallPowers.size()))
        m = v * kSmallPowers[static_cast<std::size_t>(p)];
    else if (p < 0 && -p < static_cast<int>(kSmallPowers.size()))
        m = v / kSmallPowers[static_cast<std::size_t>(-p)];
    else
        m = ScaleByPowerOfTen(v, p);
    m = RoundToInteger(m);
    if (m >= kIntermediateHigh) {
        ++k;
        m = RoundToInteger(m / 10.0);
    }
    return m;
}

// The exponent E2 with 2^E2 <= v < 2^(E2 + 1), for a positive finite v.
int BinaryExponent(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
    if (biased != 0) return biased - 1023;
    int exponent = 0;
    std::frexp(v, &exponent);  // subnormal: normalised as if it were not
    return exponent - 1;
}

// The 15 significant digits of a positive finite v, as an integer, and the decimal exponent k
// with v close to 0.d1d2...d15 * 10^k.
struct Significand {
    std::uint64_t digits;
    int k;
};

// The 15 digits of an 18-digit intermediate: the 16th digit alone decides the rounding; the
// 17th and 18th are never looked at.
[[gnu::always_inline]] inline Significand RoundIntermediate(std::uint64_t intermediate, int k) {
    std::uint64_t digits = (intermediate + 500) / 1000;
    if (digits == kCarryLimit) {
        digits /= 10;
        ++k;
    }
    return {digits, k};
}

// The general way, for any positive finite v.
[[gnu::noinline]] Significand SignificantDigitsByRetry(double v) {
    int k = EstimateDecimalExponent(BinaryExponent(v));
    double m = ScaledIntermediate(v, k);
    // The estimate is never more than one too high; a second try settles it.
    for (int attempt = 0; attempt < 2 && m < kIntermediateLow; ++attempt) {
        --k;
        m = ScaledIntermediate(v, k);
    }
    return RoundIntermediate(static_cast<std::uint64_t>(m), k);
}

// For the binary exponents whose estimate k scales by a multiplication from the table (an
// 18 - k from 0 to 31), that k and its factor; 0 where it does not.
constexpr int kLowestScaledExponent = -64;
struct ScaleRow {
    double factor = 0.0;
    int k = 0;
    double scale15 = 0.0;  // 10^(15 - k) while it is exact, else 0
    double scale14 = 0.0;  // 10^(14 - k), the same for k + 1
};
constexpr auto kScaleRows = [] {
    std::array<ScaleRow, 192> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int k = EstimateDecimalExponent(static_cast<int>(i) + kLowestScaledExponent);
        const int p = kIntermediateDigits - k;
        if (p < 0 || p >= static_cast<int>(kSmallPowers.size())) continue;
        rows[i] = {kSmallPowers[static_cast<std::size_t>(p)], k};
        if (k >= kSignificantDigits - 22 && k <= kSignificantDigits) {
            rows[i].scale15 = kSmallPowers[static_cast<std::size_t>(kSignificantDigits - k)];
        }
        if (k >= kSignificantDigits - 23 && k < kSignificantDigits) {
            rows[i].scale14 = kSmallPowers[static_cast<std::size_t>(kSignificantDigits - 1 - k)];
        }
    }
    return rows;
}();

// ScaledIntermediate's division by ten, for an intermediate m in [10^18, 2 * 10^18): the double
// nearest m / 10, ties to even, in integers. The division's latency was on every fifth step.
std::uint64_t TenthRoundedAsDouble(std::uint64_t m) {
    const std::uint64_t quotient = m / 10;
    const std::uint64_t tenths = m % 10;
    // The spacing of the doubles the quotient falls among: 16 below 2^57, 32 from there.
    const std::uint64_t spacing = quotient < (1ULL << 57) ? 16 : 32;
    const std::uint64_t below = quotient - quotient % spacing;
    const std::uint64_t aboveBelow = (quotient - below) * 10 + tenths;  // in tenths
    const std::uint64_t half = spacing * 5;
    if (aboveBelow > half || (aboveBelow == half && (below / spacing) % 2 == 1)) return below + spacing;
    return below;
}

// The same digits and k as SignificantDigitsByRetry, by the same arithmetic, with k and its
// factor looked up, not computed, and the integer steps kept in integers.
// Inlined: the read-back, called for every step of an evaluation, is its hot caller.
[[gnu::always_inline]] inline Significand SignificantDigits(double v) {
    const auto biased = static_cast<int>((std::bit_cast<std::uint64_t>(v) >> 52) & 0x7FF);
    const auto row = static_cast<std::size_t>(biased - 1023 - kLowestScaledExponent);
    if (row >= kScaleRows.size()) return SignificantDigitsByRetry(v);
    const ScaleRow& scale = kScaleRows[row];
    // At least 10^16, so an integer already: rounding it to one changes nothing.
    const double m = v * scale.factor;
    // Below 10^17 the estimate was one too high; an empty row gives 0.
    if (!(m >= kIntermediateLow)) return SignificantDigitsByRetry(v);
    const auto intermediate = static_cast<std::uint64_t>(m);
    if (m < kIntermediateHigh) return RoundIntermediate(intermediate, scale.k);
    return RoundIntermediate(TenthRoundedAsDouble(intermediate), scale.k + 1);
}

}  // namespace

double ScaleByPowerOfTen(double v, long long p) {
    if (p == 0) return v;
    if (p > 0) {
        if (p > kLargestScale) return std::numeric_limits<double>::infinity();
        v *= kSmallPowers[static_cast<std::size_t>(p % 32)];
        if (const long long c = (p / 32) % 8; c != 0) v *= kLargePowers[static_cast<std::size_t>(c)];
        if (p / 256 >= 1) v *= kHugePower;
        if (p / 256 == 2) v *= kHugePower;
        return v;
    }
    const long long q = -p;
    if (q > kLargestScale) return 0.0;
    v /= kSmallPowers[static_cast<std::size_t>(q % 32)];
    if (const long long c = (q / 32) % 8; c != 0) v /= kLargePowers[static_cast<std::size_t>(c)];
    if (q / 256 >= 1) v *= kTinyPower;
    if (q / 256 == 2) v *= kTinyPower;
    return v;
}

ShortText WriteNumberText(double x, char16_t separator) noexcept {
    ShortText out;
    const auto append = [&out](std::u16string_view text) {
        for (const char16_t unit : text) out.Append(unit);
    };
    if (std::isnan(x)) {
        append(u"NAN");
        return out;
    }
    if (std::signbit(x)) out.Append(u'-');
    if (std::isinf(x)) {
        append(u"INF");
        return out;
    }
    if (x == 0.0) {
        out.Append(u'0');
        return out;
    }

    const double v = std::fabs(x);
    // An integer below 10^15 comes out as its own digits: its exact 18-digit intermediate ends
    // in at least three zeros, and one rounding moves it by less than 65, which the 16th-digit
    // rule takes back.
    if (IsFixedInteger(v)) {
        auto integer = static_cast<std::uint64_t>(v);
        char16_t reversed[kSignificantDigits];
        std::size_t count = 0;
        do {
            reversed[count++] = static_cast<char16_t>(u'0' + integer % 10);
            integer /= 10;
        } while (integer != 0);
        while (count > 0) out.Append(reversed[--count]);
        return out;
    }
    auto [digits, k] = SignificantDigits(v);
    // Two digits per division.
    std::array<char16_t, kSignificantDigits + 1> d{};
    for (int i = kSignificantDigits - 1; i > 0; i -= 2) {
        const auto pair = static_cast<std::size_t>(digits % 100);
        digits /= 100;
        d[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + pair % 10);
        d[static_cast<std::size_t>(i) - 1] = static_cast<char16_t>(u'0' + pair / 10);
    }
    d[0] = static_cast<char16_t>(u'0' + digits);
    int n = kSignificantDigits;
    while (n > 1 && d[static_cast<std::size_t>(n - 1)] == u'0') --n;
    const auto significant = [&d](int from, int to) {
        return std::u16string_view(d.data() + from, static_cast<std::size_t>(to - from));
    };

    if (k > kSignificantDigits || k < -3) {
        out.Append(d[0]);
        if (n > 1) {
            out.Append(separator);
            append(significant(1, n));
        }
        out.Append(u'E');
        int exponent = k - 1;
        if (exponent < 0) {
            out.Append(u'-');
            exponent = -exponent;
        }
        if (exponent >= 100) out.Append(static_cast<char16_t>(u'0' + exponent / 100));
        if (exponent >= 10) out.Append(static_cast<char16_t>(u'0' + exponent / 10 % 10));
        out.Append(static_cast<char16_t>(u'0' + exponent % 10));
    } else if (k <= 0) {
        out.Append(u'0');
        out.Append(separator);
        for (int i = 0; i < -k; ++i) out.Append(u'0');
        append(significant(0, n));
    } else {
        for (int i = 0; i < k; ++i) out.Append(i < n ? d[static_cast<std::size_t>(i)] : u'0');
        if (n > k) {
            out.Append(separator);
            append(significant(k, n));
        }
    }
    return out;
}

namespace {

// Another separator could change how the reader splits the text: the long way, kept apart so
// that the common way needs no frame for the text.
[[gnu::noinline]] bool ReadBackThroughText(double x, double& value, char16_t separator) noexcept {
    return TryParseNumberText(WriteNumberText(x, separator).View(), value, separator);
}

}  // namespace

bool ReadBackNumberText(double x, double& value, char16_t separator) noexcept {
    if (!std::isfinite(x)) return false;
    const double v = std::fabs(x);
    // Zero and integers below 10^15 are written as their digits, which read back exactly.
    if (IsFixedInteger(v)) {
        value = x;
        return true;
    }
    if (separator != u'.' && separator != u',') return ReadBackThroughText(x, value, separator);
    // The commonest magnitudes: the 15 digits are also rounded in doubles, on the value's way
    // to the division, while the integers check them against the 18-digit rule beside it. The
    // check nearly always holds and is off the path the next step waits for. (Where the digits
    // carry to 10^15, dividing them by 10^(15 - k) gives the same quotient as the long way's
    // 10^14 by 10^(14 - k).)
    // An intermediate of 10^18 or more is divided by ten with k one up, so the digits come from
    // 10^(14 - k) times v instead.
    const auto row = static_cast<std::size_t>(BinaryExponent(v) - kLowestScaledExponent);
    if (row < kScaleRows.size()) {
        const ScaleRow& scale = kScaleRows[row];
        const double m = v * scale.factor;
        if (m >= kIntermediateLow) {
            const bool tenth = m >= kIntermediateHigh;
            const double divisor = tenth ? scale.scale14 : scale.scale15;
            // Below 2^52, so adding and taking away 2^52 rounds it to an integer.
            const double rounded = (v * divisor + kTwoTo52) - kTwoTo52;
            // Below 10^18 an intermediate, and the digits always, fit the signed conversions,
            // which take one instruction where the unsigned ones take several.
            const std::uint64_t intermediate = tenth ? TenthRoundedAsDouble(static_cast<std::uint64_t>(m))
                                                     : static_cast<std::uint64_t>(static_cast<std::int64_t>(m));
            const std::uint64_t digits = (intermediate + 500) / 1000;
            if (divisor != 0.0 && static_cast<double>(static_cast<std::int64_t>(digits)) == rounded) {
                const double result = rounded / divisor;
                value = std::signbit(x) ? result * -1.0 : result;
                return true;
            }
        }
    }
    auto [digits, k] = SignificantDigits(v);
    // Whatever the notation, the reader gathers the digits without the trailing zeros into an
    // exact integer and scales it by 10^(k - n) in one step. While both 10^(k - n) and
    // 10^(k - 15) are exact doubles, that step is the correctly rounded value of the same
    // quotient or product as scaling all 15 digits by 10^(k - 15): the zeros need no trimming.
    if (k >= kSignificantDigits - 22 && k <= 23) {
        const double all = static_cast<double>(digits);
        const double result = k >= kSignificantDigits
                                  ? all * kSmallPowers[static_cast<std::size_t>(k - kSignificantDigits)]
                                  : all / kSmallPowers[static_cast<std::size_t>(kSignificantDigits - k)];
        value = std::signbit(x) ? result * -1.0 : result;
        return true;
    }
    int n = kSignificantDigits;
    while (n > 1 && digits % 10 == 0) {
        digits /= 10;
        --n;
    }
    const double result = ScaleByPowerOfTen(static_cast<double>(digits), k - n);
    if (std::isinf(result)) return false;
    value = std::signbit(x) ? result * -1.0 : result;
    return true;
}

bool TryParseNumberText(std::u16string_view s, double& result, char16_t separator) noexcept {
    if (TryParsePlainDecimal(s, result, separator)) return true;
    std::size_t i = 0;
    while (i < s.size() && s[i] == u' ') ++i;
    if (i == s.size()) return false;
    bool negative = false;
    if (s[i] == u'+' || s[i] == u'-') {
        negative = s[i] == u'-';
        ++i;
        if (i == s.size()) return false;
    }
    // Each digit is taken in as three double operations: times ten, plus its code, minus 48.
    // While the value is an integer below 2^53 / 10, all three are exact, so an integer sum
    // gives the same double at a fraction of the cost.
    double value = 0.0;
    std::uint64_t exact = 0;
    bool inExactRange = true;
    const auto takeDigit = [&](char16_t unit) {
        if (inExactRange) {
            exact = exact * 10 + static_cast<std::uint64_t>(unit - u'0');
            if (exact < kExactDigitLimit) return;
            inExactRange = false;
            value = static_cast<double>(exact);
            return;
        }
        value *= 10.0;
        value += static_cast<double>(unit);
        value -= 48.0;
    };
    while (i < s.size() && IsDigit(s[i])) takeDigit(s[i++]);
    long long fractionDigits = 0;
    if (i < s.size() && s[i] == separator) {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            takeDigit(s[i++]);
            ++fractionDigits;
        }
    }
    int exponent = 0;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
            negativeExponent = s[i] == u'-';
            ++i;
        }
        while (i < s.size() && IsDigit(s[i])) {
            exponent = exponent * 10 + (s[i++] - u'0');
            if (exponent > kLargestExponent) exponent = kLargestExponent;
        }
        if (negativeExponent) exponent = -exponent;
    }
    while (i < s.size() && s[i] == u' ') ++i;
    if (i != s.size()) return false;
    if (inExactRange) value = static_cast<double>(exact);
    // Overflow anywhere on the way, in the digits or in the scaling, makes it no number.
    if (std::isinf(value)) return false;
    result = ScaleByPowerOfTen(value, exponent - fractionDigits);
    if (std::isinf(result)) return false;
    if (negative) result *= -1.0;
    return true;
}

double ParseNumberText(std::u16string_view text, char16_t separator) {
    if (double value = 0.0; TryParseNumberText(text, value, separator)) return value;
    throw EConvertError(FillPlaceholder(kNotANumberMessage, text), kNoHelpContext);
}

}  // namespace quorvex
