// Inverse sine, cosine and tangent and the two-argument arctangent, all through one
// double-double arctangent of a ratio, rounded once.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numbers>

namespace quorvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Below this |x|, atan x and asin x round to x; beyond 2^60, atan x rounds to pi/2.
constexpr double kTinyArgument = 0x1p-27;
constexpr double kHugeArgument = 0x1p60;
// Exponent gap past which atan2's ratio decides alone (the next term is below 2^-120).
constexpr int kRatioExponentGap = 60;
constexpr DoubleDouble kQuarterPiDD = {std::numbers::pi / 4.0, 3.061616997868383e-17};
constexpr DoubleDouble kThreeQuarterPiDD = {3.0 * std::numbers::pi / 4.0, 9.1848509936051484e-17};

// atan(t) = atan(j/64) + atan(v), v = (t - j/64) / (1 + t j/64), |v| <= 1/128.
constexpr double kTableStep = 64.0;

// atan(j/64), j = 0..64, rounded to double-double (tests/data/generate_elementary_tables.py).
// Laid out by hand: two columns of (head, tail) pairs read best as they are.
// clang-format off
constexpr std::array<DoubleDouble, 65> kArctangentTable = {{
    {0, 0}, {0.015623728620476831, -4.9136001365663039e-19},
    {0.031239833430268277, -1.188442711587748e-18}, {0.046840712915969654, -1.6556774422549521e-19},
    {0.06241880999595735, -1.5490756308295046e-18}, {0.077966633831542301, 5.8045518731433566e-18},
    {0.09347678115858947, -6.2844725995420954e-18}, {0.10894195698986579, 6.8267122072409585e-18},
    {0.12435499454676144, -3.1253241424539383e-18}, {0.13970887428916365, -2.9579864247315813e-18},
    {0.15499674192394097, 9.5854155941143238e-18}, {0.17021192528547441, -3.5411640798021251e-18},
    {0.18534794999569476, 4.180692268843079e-18}, {0.20039855382587851, 3.1399542871844493e-18},
    {0.21535769969773805, 4.7381601300787329e-19}, {0.23021958727684372, 1.2313404529142703e-17},
    {0.24497866312686414, 1.0698755618734451e-17}, {0.25962962940825751, 1.9238754924615304e-17},
    {0.27416745111965879, 8.2613535751637735e-18}, {0.28858736189407741, -1.4283699573772571e-17},
    {0.30288486837497142, -1.1010827903001369e-17}, {0.31705575320914703, -1.8939289242926421e-17},
    {0.3310960767041321, -7.9526103757937987e-18}, {0.34500217720710513, -2.2938804755578304e-17},
    {0.35877067027057225, -2.4623815582638635e-17}, {0.3723984466767542, 1.9612311504845653e-17},
    {0.38588266939807375, 2.3788227324919409e-17}, {0.39922076957525254, 2.2465981056170421e-17},
    {0.41241044159738732, -1.5876522277706891e-17}, {0.42544963737004227, 2.3315530741892885e-17},
    {0.43833655985795783, -2.4942770306265409e-17}, {0.4510696559885235, -2.2703795229420475e-17},
    {0.46364760900080609, 2.2698777452961687e-17}, {0.47606933032276122, 1.4654487332256713e-17},
    {0.48833395105640554, -1.1373236189329585e-17}, {0.50044081314729416, -4.7181675085518756e-17},
    {0.51238946031073773, -2.5462781472855804e-17}, {0.52417962878291324, 5.5200941196416657e-18},
    {0.5358112379604637, -4.0637956834825575e-18}, {0.54728438098743692, 4.923709671396255e-17},
    {0.55859931534356244, -5.4556305485916264e-18}, {0.56975645348297843, 1.2255062085054184e-17},
    {0.58075635356767041, -1.4414643781930669e-17}, {0.59159971033511138, 4.9204954536867718e-17},
    {0.60228734613496415, 2.9504307372284023e-17}, {0.61282020216524136, -3.1552061848586226e-17},
    {0.6231993299340659, 2.6724038851400951e-17}, {0.63342588296914459, -2.7290767436015276e-17},
    {0.64350110879328437, 1.5834785051444286e-17}, {0.65342634118076193, 3.5800634857340095e-17},
    {0.66320299270609329, -3.076054864429649e-17}, {0.67283254759376321, -1.8993150097147051e-17},
    {0.68231655487474807, 6.9432236715600077e-18}, {0.69165662185319987, -8.1171511922857958e-18},
    {0.70085440788445019, -1.9876262343358161e-17}, {0.70991161846352491, -4.597166450584887e-17},
    {0.71882999962162453, -2.1478388444456983e-17}, {0.72761133262651068, 2.5693256973918388e-18},
    {0.7362574289814281, 3.4739376482994567e-17}, {0.74477012571607515, 3.7083158491355468e-17},
    {0.75315128096219441, -2.4256934659182068e-17}, {0.76140276980557842, 9.8500303327528219e-18},
    {0.7695264804056583, -3.7049919056027213e-17}, {0.77752431037334779, -2.6676490951944502e-17},
    {0.78539816339744828, 3.061616997868383e-17},
}};
// clang-format on

// atan v = v A(v^2), A(u) = 1 - u/3 + u^2/5 - ..., Taylor series; on |v| <= 1/128 the terms
// past u^7/15 are below 2^-110, and the head keeps those down to u^2/5 in double-double.
// clang-format off
constexpr std::array<DoubleDouble, 3> kArctangentHead = {{
    {1.0, 0.0},
    {-0.33333333333333331, -1.8503717077085941e-17},  // -1/3
    {0.20000000000000001, -1.1102230246251566e-17},   // 1/5
}};
// clang-format on
constexpr std::array<double, 5> kArctangentTail = {
    -0.14285714285714285,   // -1/7
    0.1111111111111111,     // 1/9
    -0.090909090909090912,  // -1/11
    0.076923076923076927,   // 1/13
    -0.066666666666666666,  // -1/15
};

// atan t for 0 <= t <= 1.
DoubleDouble ArctangentKernel(DoubleDouble t) {
    const double j = NearestInteger(t.hi * kTableStep);
    DoubleDouble v = t;
    if (j != 0.0) {
        const double b = j / kTableStep;
        const DoubleDouble numerator = TwoSum(t.hi - b, t.lo);  // the difference is exact (Sterbenz)
        v = Divide(numerator, Add(Multiply(t, b), 1.0));
    }
    const DoubleDouble series = Multiply(EvaluatePolynomial(Multiply(v, v), kArctangentHead, kArctangentTail), v);
    return Add(kArctangentTable[static_cast<std::size_t>(j)], series);
}

// sqrt(1 - a^2) for 0 <= a <= 1; 1 - a is exact from 1/2 on, where the cancellation is.
DoubleDouble Cosine(double a) { return SquareRoot(Multiply(TwoSum(1.0, -a), TwoSum(1.0, a))); }

double WithSign(double magnitude, double x) { return std::copysign(magnitude, x); }

// The fast paths (Ziv's strategy): the table method of ArctangentKernel in plain double
// arithmetic, the leading sums, products and quotients exact or carried in double-double, with
// a rigorous bound; RoundIfUnambiguous answers or the accurate path takes over.

// atan t for t = th + tl in [0, 1 + 2^-52], |tl| <= ulp(th), no underflow in t^3: with
// b = j/64 nearest th, atan t = atan b + v - v^3/3 + ..., v = (t - b) / (1 + t b), |v| <= 1/128
// + 2^-50. v is a double-double quotient (t - b exact by Sterbenz, t b by TwoProduct) within
// 2^-100 |v|; v^3 (-1/3 + u/5 - u^2/7 + u^3/9), u = vh^2, is the Taylor series truncated below
// 2^-73 |v| and rounded within 5u of its size u |v| / 3 <= 2^-15.6 |v|, so within 2^-66.3 |v|;
// the low sum rounds within 2^-68.6 |v|, the table within 2^-105. |v| <= 1.001 atan t, so the
// error is below 2^-65.9 atan t; the bound also covers a relative error 2^-98 of t itself,
// which moves atan t by at most that fraction (t / (1 + t^2) <= atan t).
BoundedValue ArctangentFast(double th, double tl) {
    constexpr double kRelativeError = 0x1p-65;
    constexpr std::array<double, 4> kSeries = {
        -0.33333333333333331,
        0.20000000000000001,
        -0.14285714285714285,
        0.1111111111111111,
    };
    // th rounded to a multiple of 1/64 by adding 1.5 * 2^46, whose last bit is 1/64: the same b
    // as NearestInteger(64 th) / 64 in two operations fewer, and j read from the sum's low bits.
    constexpr double kTableShift = 0x1.8p46;
    constexpr std::uint64_t kIndexMask = 127;  // j <= 64
    const double shifted = th + kTableShift;
    const double b = shifted - kTableShift;
    const std::size_t j = std::bit_cast<std::uint64_t>(shifted) & kIndexMask;
    const DoubleDouble numerator = TwoSum(th - b, tl);
    const DoubleDouble tb = TwoProduct(th, b);
    const DoubleDouble denominator = FastTwoSum(1.0, tb.hi);  // 1 and t b share an exponent or 1 is larger
    const double denominatorLow = denominator.lo + (tb.lo + tl * b);
    const double vh = numerator.hi / denominator.hi;
    const double reciprocal = 1.0 / denominator.hi;  // divided alongside vh, off the chain
    const DoubleDouble product = TwoProduct(vh, denominator.hi);
    // (numerator.hi - product.hi) - product.lo is the exact remainder of the rounded quotient.
    // Times the rounded reciprocal, vl (below 2^-51 |v|) is within 2^-52 of itself: 2^-103 |v|.
    const double vl = (((numerator.hi - product.hi) - product.lo) + numerator.lo - vh * denominatorLow) * reciprocal;
    const double u = vh * vh;
    const double cubic = (vh * u) * (kSeries[0] + u * (kSeries[1] + u * (kSeries[2] + u * kSeries[3])));
    const DoubleDouble& a = kArctangentTable[j];
    const DoubleDouble head = FastTwoSum(a.hi, vh);  // exact: atan b is 0 or above |v|
    const DoubleDouble sum = FastTwoSum(head.hi, ((head.lo + a.lo) + vl * (1.0 - u)) + cubic);
    return {sum.hi, sum.lo, kRelativeError * std::fabs(sum.hi)};
}

// num / den in double-double for den.hi >= num.hi >= 0, den.hi > 0, with no underflow in the
// remainder: Dekker's division, relative error below 2^-100 plus those of num and den. The
// correction, below 2^-51 q, is the remainder times the reciprocal of den.hi, divided alongside
// q rather than after it: within 2^-52 of itself, 2^-103 q more.
DoubleDouble QuotientFast(DoubleDouble num, DoubleDouble den) {
    const double q = num.hi / den.hi;
    const double reciprocal = 1.0 / den.hi;
    const DoubleDouble p = TwoProduct(q, den.hi);
    return {q, (((num.hi - p.hi) - p.lo) + num.lo - q * den.lo) * reciprocal};
}

// The angle whose tangent is the smaller ratio t of a point's coordinates, offset by pi/2 if
// steep or pi if left (and not steep), which are at least twice it, so nothing cancels; the
// offset's roundings add below 2^-100 of the result.
BoundedValue OffsetAngleFast(DoubleDouble t, bool steep, bool left) {
    constexpr double kOffsetError = 0x1p-100;
    const BoundedValue angle = ArctangentFast(t.hi, t.lo);
    DoubleDouble offset{0.0, 0.0};
    if (steep)
        offset = kHalfPiDoubleDouble;
    else if (left)
        offset = kPiDoubleDouble;
    const double sign = steep == left ? 1.0 : -1.0;
    const DoubleDouble s = FastTwoSum(offset.hi, sign * angle.hi);
    return {s.hi, s.lo + (offset.lo + sign * angle.lo), angle.err + kOffsetError * std::fabs(s.hi)};
}

// The angle of the point (den, num) in the right half plane, or of (-den, num) if left.
// num, den >= 0 as QuotientFast needs. Inline, so that its callers make one call, not two.
inline BoundedValue AngleFast(DoubleDouble num, DoubleDouble den, bool left) {
    const bool steep = num.hi > den.hi;
    return OffsetAngleFast(steep ? QuotientFast(den, num) : QuotientFast(num, den), steep, left);
}

bool RoundIfUnambiguous(const BoundedValue& v, double& result) {
    return quorvex::RoundIfUnambiguous(v.hi, v.lo, v.err, result);
}

// sqrt(1 - a^2) for 0 <= a <= 1 within 2^-100: 1 - a^2 exact as a double-double (1 - (a^2).hi
// is exact from a^2 >= 1/2 on, where the cancellation is, and the rounded difference exceeds
// the low part), then SquareRootFast, whose head a quotient by the result divides by as soon as
// it is known, while the correction is still on its way.
DoubleDouble CosineFast(double a) {
    const DoubleDouble square = TwoProduct(a, a);
    const DoubleDouble difference = FastTwoSum(1.0, -square.hi);  // exact: a^2 <= 1
    return SquareRootFast(FastTwoSum(difference.hi, difference.lo - square.lo));
}

// atan2 of positive finite ay, ax within a factor 2^60 of each other and inside [2^-900,
// 2^900], so that nothing in the quotient underflows or overflows, into result; else false.
bool Atan2Fast(double ay, double ax, bool left, double& result) {
    constexpr double kLeast = 0x1p-900;
    constexpr double kGreatest = 0x1p900;
    constexpr double kLeastRatio = 0x1p-60;
    const double larger = std::max(ay, ax);
    const double smaller = std::min(ay, ax);
    if (smaller < kLeast || larger > kGreatest || smaller < larger * kLeastRatio) return false;
    return RoundIfUnambiguous(AngleFast({ay, 0.0}, {ax, 0.0}, left), result);
}

}  // namespace

DoubleDouble AtanOfRatio(DoubleDouble num, DoubleDouble den) {
    if (num.hi <= den.hi) return ArctangentKernel(Divide(num, den));
    return Subtract(kHalfPiDoubleDouble, ArctangentKernel(Divide(den, num)));
}

double Atan(double x) {
    if (std::isnan(x)) return x;
    const double a = std::fabs(x);
    if (a < kTinyArgument) return x;
    if (a > kHugeArgument) return WithSign(Round(kHalfPiDoubleDouble), x);
    // AngleFast({a, 0}, {1, 0}) without its division by 1, whose quotient is {a, +0} exactly.
    const bool steep = a > 1.0;
    const DoubleDouble t = steep ? QuotientFast({1.0, 0.0}, {a, 0.0}) : DoubleDouble{a, 0.0};
    if (double fast = 0.0; RoundIfUnambiguous(OffsetAngleFast(t, steep, false), fast)) return WithSign(fast, x);
    return WithSign(Round(AtanOfRatio({a, 0.0}, {1.0, 0.0})), x);
}

double Asin(double x) {
    if (std::isnan(x)) return x;
    const double a = std::fabs(x);
    if (a > 1.0) return kNaN;
    if (a < kTinyArgument) return x;
    if (double fast = 0.0; RoundIfUnambiguous(AngleFast({a, 0.0}, CosineFast(a), false), fast))
        return WithSign(fast, x);
    return WithSign(Round(AtanOfRatio({a, 0.0}, Cosine(a))), x);
}

double Acos(double x) {
    if (std::isnan(x)) return x;
    const double a = std::fabs(x);
    if (a > 1.0) return kNaN;
    if (double fast = 0.0; RoundIfUnambiguous(AngleFast(CosineFast(a), {a, 0.0}, x < 0.0), fast)) return fast;
    const DoubleDouble angle = AtanOfRatio(Cosine(a), {a, 0.0});
    return Round(x < 0.0 ? Subtract(kPiDoubleDouble, angle) : angle);
}

double Atan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y)) return x + y;
    const double ay = std::fabs(y);
    const double ax = std::fabs(x);
    const bool left = std::signbit(x);
    if (y == 0.0) return WithSign(left ? Round(kPiDoubleDouble) : 0.0, y);
    if (x == 0.0) return WithSign(Round(kHalfPiDoubleDouble), y);
    if (ay == kInfinity) {
        if (ax == kInfinity) return WithSign(Round(left ? kThreeQuarterPiDD : kQuarterPiDD), y);
        return WithSign(Round(kHalfPiDoubleDouble), y);
    }
    if (ax == kInfinity) return WithSign(left ? Round(kPiDoubleDouble) : 0.0, y);
    if (double fast = 0.0; Atan2Fast(ay, ax, left, fast)) return WithSign(fast, y);
    int ey = 0;
    int ex = 0;
    std::frexp(ay, &ey);
    std::frexp(ax, &ex);
    DoubleDouble angle{0.0, 0.0};
    if (ey - ex > kRatioExponentGap) {
        angle = Subtract(kHalfPiDoubleDouble, {ax / ay, 0.0});
    } else if (ex - ey > kRatioExponentGap) {
        // The quotient alone, rounded once, also where it underflows.
        if (!left) return WithSign(ay / ax, y);
        angle = {ay / ax, 0.0};
    } else {
        const int scale = -std::max(ex, ey);
        angle = AtanOfRatio({std::ldexp(ay, scale), 0.0}, {std::ldexp(ax, scale), 0.0});
    }
    return WithSign(Round(left ? Subtract(kPiDoubleDouble, angle) : angle), y);
}

}  // namespace quorvex
