// Sine, cosine and tangent: the argument reduced exactly by pi/2 (Cody-Waite for moderate
// arguments, Payne-Hanek beyond), then a table of sin and cos at multiples of 1/64 and short
// Taylor series, all in double-double, rounded once.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quorvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Below these |x|, sin x and tan x round to x and cos x to 1 (the next term is under half an ulp).
constexpr double kTinySine = 0x1p-27;
constexpr double kTinyCosine = 0x1p-28;

// Cody-Waite: x - n pi/2 with pi/2 in four parts, the first three of 32 bits so that n times
// them is exact for |n| < 2^21; the parts' sum is within 2^-160 of pi/2, so the reduced
// argument keeps a relative error below 2^-70 even at the closest approach to a multiple of
// pi/2 (about 2^-61). Used below 2^20; Payne-Hanek above. Parts from
// tests/data/generate_elementary_tables.py.
constexpr double kCodyWaiteLimit = 0x1p20;
constexpr double kTwoOverPi = 0.63661977236758134;
constexpr double kHalfPiPart1 = 1.5707963267341256;
constexpr double kHalfPiPart2 = 6.077100506303966e-11;
constexpr double kHalfPiPart3 = 2.0222662487111665e-21;
constexpr double kHalfPiPart4 = 8.4784276603688996e-32;

// Bits of 2/pi, 32 to a word, after 64 zero bits that stand for its integer part (and
// positions before it): bit q of the table (from the top of word 0) is bit q - 63 after the point
// (tests/data/generate_elementary_tables.py).
constexpr std::array<std::uint64_t, 46> kTwoOverPiBits = {
    0x00000000, 0x00000000, 0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041,
    0xFE5163AB, 0xDEBBC561, 0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E,
    0xE88235F5, 0x2EBB4484, 0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B,
    0x1FF897FF, 0xDE05980F, 0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D,
    0x7527BAC7, 0xEBE5F17B, 0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB,
    0xF0CFBC20, 0x9AF4361D, 0xA9E39161, 0x5EE61B08, 0x6599855F, 0x14A06840,
};
constexpr int kWindowWords = 7;     // 224 bits of 2/pi per reduction
constexpr int kFractionBits = 222;  // the product's bits below the two kept integer bits
constexpr std::uint64_t kWordMask = 0xFFFFFFFFULL;
constexpr int kWordBits = 32;
constexpr int kTableBitOffset = 62;  // table bit of the window start, minus E
constexpr int kExponentBias = 1075;  // x = M 2^(biased - 1075) for 53-bit integer M
constexpr int kMantissaBits = 52;

// sin and cos of j/64, j = 0..50, rounded to double-double (tests/data/generate_elementary_tables.py).
struct SineCosinePair {
    DoubleDouble sine;
    DoubleDouble cosine;
};
constexpr double kTableStep = 64.0;
constexpr std::array<SineCosinePair, 51> kSineCosineTable = {{
    {{0, 0}, {1, 0}},
    {{0.015624364224883372, -1.2650937552759816e-19}, {0.99987793217100662, 3.2161222299723411e-17}},
    {{0.03124491398532608, -1.562781562225433e-18}, {0.9995117584851364, -3.4188064879729469e-17}},
    {{0.046857835748134243, -2.3419368365610254e-18}, {0.9989015683384429, -2.1425557800399754e-17}},
    {{0.062459317842380201, -2.0402595045857108e-18}, {0.99804751070009912, 3.3232291674141346e-17}},
    {{0.078045551389967313, -5.4494437820057928e-18}, {0.99694979407602868, -1.2467075728553626e-17}},
    {{0.093612731235512892, 1.4628632005878733e-18}, {0.99560868645800171, 3.3129224309329911e-17}},
    {{0.10915705687532236, 6.6284699502736666e-18}, {0.99402451525820912, 1.3287985046260087e-17}},
    {{0.12467473338522769, -2.9259474960578582e-18}, {0.99219766722932901, 4.7548705751893641e-17}},
    {{0.14016197234706371, -9.9468471138834781e-18}, {0.99012858837010709, -4.5899063535538112e-18}},
    {{0.15561499277355603, 8.8860533723422878e-18}, {0.98781778381647189, 4.91917302237681e-17}},
    {{0.17103002203139503, -9.9547747264529226e-18}, {0.98526581771821387, -4.9257212629445549e-17}},
    {{0.18640329676226988, 2.3493796901281573e-18}, {0.9824733131012553, -3.9199203754200878e-17}},
    {{0.2017310638016388, 5.5872328154601128e-18}, {0.97944095171554835, 1.3108769521526758e-17}},
    {{0.21700958109501015, 1.1170071073364376e-17}, {0.97616947386863528, -7.8506906092850275e-18}},
    {{0.23223511861151147, -8.318080852687206e-18}, {0.97265967824491273, 2.3920264546490165e-17}},
    {{0.24740395925452294, -7.5310249559070599e-18}, {0.96891242171064473, 5.0714366624039358e-17}},
    {{0.2625123997691533, -2.2534597527902125e-17}, {0.96492861910477101, -3.0345542681018625e-18}},
    {{0.27755675164633631, 1.7674070262791822e-17}, {0.96070924301556193, -2.8078270635167291e-17}},
    {{0.29253334202332754, 7.5169449303273519e-18}, {0.95625532354317533, -3.1484508688416289e-17}},
    {{0.30743851458038085, 1.1004366442765296e-19}, {0.95156794804817224, -3.8614834675674123e-17}},
    {{0.3222686304333866, 2.093773358126606e-17}, {0.94664826088605336, -3.911683334934152e-17}},
    {{0.33702006902225307, 1.0312279860787216e-17}, {0.94149746312788107, -4.8523830236797095e-18}},
    {{0.35168922899481408, -2.5616208736069942e-17}, {0.93611681226705534, -5.2350302039683216e-17}},
    {{0.36627252908604757, -9.9388145621065242e-18}, {0.93050762191231429, 4.4887600033280738e-18}},
    {{0.38076640899239017, 2.1372528646211374e-17}, {0.92467126146703604, 5.5444125388034563e-17}},
    {{0.39516733024093426, -1.9613487871414228e-17}, {0.91860915579491831, -4.0564150104514996e-17}},
    {{0.40947177705329507, -5.679403000091266e-18}, {0.91232278487211782, 2.6349040211413332e-17}},
    {{0.42367625720393803, -2.3318007000688709e-17}, {0.90581368342593638, 4.2864666490805214e-17}},
    {{0.43777730287275513, 7.6434562996202303e-18}, {0.89908344056013845, 9.0769517750756159e-18}},
    {{0.45177147149168378, -8.2340739420989026e-18}, {0.89213369936699438, 2.3160655211380166e-17}},
    {{0.46565534658516017, 1.459870391051426e-17}, {0.8849661565261433, -7.6905577759873569e-18}},
    {{0.47942553860420301, -5.1039698605560129e-18}, {0.87758256189037276, -4.2623149864279997e-17}},
    {{0.49307868575392305, 5.6050839738717547e-18}, {0.86998471805841737, 1.6573851107409229e-17}},
    {{0.5066114548142574, -3.2694134236181677e-17}, {0.8621744799348805, 4.4132427578105805e-18}},
    {{0.52002054195372704, -3.9832667456984548e-17}, {0.85415375427738538, 5.4205651026752862e-18}},
    {{0.53330267353602012, 5.129318115032044e-17}, {0.84592449923106794, 1.5495066473503289e-17}},
    {{0.54645460691920356, 8.3997548409295074e-18}, {0.83748872385052364, 4.3337026043948396e-17}},
    {{0.55947313124736686, 1.575565514488728e-17}, {0.82884848760932572, 1.1163935406617444e-17}},
    {{0.57235506823450721, 2.6575872357215316e-17}, {0.82000589989723405, -3.912431748209128e-17}},
    {{0.58509727294046221, -5.4883972461161805e-17}, {0.81096311950521793, -3.0913334861221787e-17}},
    {{0.59769663453870148, 5.450323593054385e-17}, {0.80172235409841841, 4.0134533311087014e-17}},
    {{0.61015007707579139, -1.479826990758988e-17}, {0.79228585967717857, -2.9049779312834576e-17}},
    {{0.62245456022234369, -6.0490357657097071e-18}, {0.78265594002627281, -1.474071641211487e-17}},
    {{0.63460708001526933, -3.4568582392624965e-17}, {0.7728349461524715, 4.2310149218910233e-17}},
    {{0.64660466959115237, 4.567647714393289e-19}, {0.76282527571057623, 1.6672995021546628e-17}},
    {{0.65844439991056758, -3.7736386700306717e-17}, {0.75262937241806649, -1.2970993013150526e-17}},
    {{0.67012338047316289, 6.1835367255749594e-18}, {0.74224972545850132, -1.2339303604869521e-17}},
    {{0.68163876002333412, 4.4104673131979029e-17}, {0.7316888688738209, -1.0475824306512768e-17}},
    {{0.69298772724631796, -5.3543290798909455e-17}, {0.72094938094569638, 3.4949867014788161e-17}},
    {{0.70416751145453371, -3.9409570058482498e-17}, {0.71003388356607966, 1.505272211891291e-17}},
}};

// With t = r - j/64, |t| <= 1/128, u = t^2: sin t = t S(u), cos t = C(u), Taylor series
// truncated below 2^-91; the head keeps the terms that would show in 2^-85 in double-double.
constexpr std::array<DoubleDouble, 2> kSineHead = {{{1.0, 0.0}, {-0.16666666666666666, -9.2518585385429707e-18}}};
constexpr std::array<double, 4> kSineTail = {
    0.0083333333333333332,    // 1/5!
    -0.00019841269841269841,  // -1/7!
    2.7557319223985891e-06,   // 1/9!
    -2.505210838544172e-08,   // -1/11!
};
constexpr std::array<DoubleDouble, 3> kCosineHead = {
    {{1.0, 0.0}, {-0.5, 0.0}, {0.041666666666666664, 2.3129646346357427e-18}}};  // 1, -1/2, 1/4!
constexpr std::array<double, 3> kCosineTail = {
    -0.0013888888888888889,   // -1/6!
    2.4801587301587302e-05,   // 1/8!
    -2.7557319223985893e-07,  // -1/10!
};

// x = n pi/2 + r, |r| <= pi/4 (a hair more at the rounding boundary); quadrant = n mod 4.
struct ReducedAngle {
    DoubleDouble r;
    int quadrant;
};

ReducedAngle ReduceCodyWaite(double x) {
    const double n = NearestInteger(x * kTwoOverPi);
    DoubleDouble r = TwoSum(x - n * kHalfPiPart1, -n * kHalfPiPart2);
    r = Add(r, -n * kHalfPiPart3);
    r = Add(r, -n * kHalfPiPart4);
    return {r, static_cast<int>(static_cast<std::int64_t>(n) & 3)};
}

// Payne-Hanek for x >= 2^20: x = M 2^E, and only the bits of 2/pi from 2^-(E-1) on matter
// mod 4; a 224-bit window of them times M gives x 2/pi mod 4 to 2^-169.
ReducedAngle ReducePayneHanek(double x) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(x);
    const int exponent = static_cast<int>(bits >> kMantissaBits) - kExponentBias;
    const std::uint64_t mantissa = (bits & ((1ULL << kMantissaBits) - 1)) | (1ULL << kMantissaBits);
    const int start = exponent + kTableBitOffset;
    const int word = start / kWordBits;
    const int shift = start % kWordBits;
    std::array<std::uint64_t, kWindowWords> window{};  // least significant word first
    for (int k = 0; k < kWindowWords; ++k) {
        const std::size_t w = static_cast<std::size_t>(word + kWindowWords - 1 - k);
        const std::uint64_t joined = (kTwoOverPiBits[w] << kWordBits | kTwoOverPiBits[w + 1]) >> (kWordBits - shift);
        window[static_cast<std::size_t>(k)] = joined & kWordMask;
    }
    const std::array<std::uint64_t, 2> digits = {mantissa & kWordMask, mantissa >> kWordBits};
    std::array<std::uint64_t, kWindowWords + 2> product{};
    for (std::size_t a = 0; a < window.size(); ++a) {
        std::uint64_t carry = 0;
        for (std::size_t b = 0; b < digits.size(); ++b) {
            const std::uint64_t t = window[a] * digits[b] + product[a + b] + carry;
            product[a + b] = t & kWordMask;
            carry = t >> kWordBits;
        }
        product[a + digits.size()] = carry;
    }
    const int topWord = kFractionBits / kWordBits;
    const int topBits = kFractionBits % kWordBits;
    int quadrant = static_cast<int>(product[topWord] >> topBits) & 3;
    DoubleDouble fraction{0.0, 0.0};
    for (int k = 0; k <= topWord; ++k) {
        const std::uint64_t digit = k == topWord ? product[k] & ((1ULL << topBits) - 1) : product[k];
        fraction = Add(fraction, std::ldexp(static_cast<double>(digit), k * kWordBits - kFractionBits));
    }
    if (fraction.hi >= 0.5) {
        fraction = Add(fraction, -1.0);
        quadrant = (quadrant + 1) & 3;
    }
    return {Multiply(fraction, kHalfPiDoubleDouble), quadrant};
}

ReducedAngle ReduceHalfPi(double x) {
    const double ax = std::fabs(x);
    ReducedAngle reduced = ax < kCodyWaiteLimit ? ReduceCodyWaite(ax) : ReducePayneHanek(ax);
    if (x < 0.0) reduced = {Negate(reduced.r), (4 - reduced.quadrant) & 3};
    return reduced;
}

// The fast paths (Ziv's strategy): the reduction and the table method of the accurate path in
// plain double arithmetic, the products and sums that would lose more than 2^-66 of the result
// made exact (TwoProduct, TwoSum), then RoundIfUnambiguous with an absolute bound on the
// reduction's error plus a relative one on the kernel's; else the accurate path. Their pieces
// are inline: out of line, each call and its result's trip through memory lengthen the chain.

// A value hi + lo known to within err.
struct Approximation {
    double hi;
    double lo;
    double err;
};

// x = n pi/2 + rh + rl, |rl| <= ulp(rh), within err: the four parts as in ReduceCodyWaite, n
// times each exact but the last two, the roundings of those and of the low sum below 2^-99 n.
struct FastAngle {
    double rh;
    double rl;
    double err;
    int quadrant;
};

// Every step is odd in x (round to nearest, ties to even, is symmetric), so negative x needs no
// branch: n and r come out negated and n mod 4 is the quadrant of x.
inline FastAngle ReduceCodyWaiteFast(double x) {
    constexpr double kIndexError = 0x1p-99;
    const double n = NearestInteger(x * kTwoOverPi);
    const DoubleDouble head = TwoSum(x - n * kHalfPiPart1, -n * kHalfPiPart2);
    const DoubleDouble r = TwoSum(head.hi, (head.lo - n * kHalfPiPart3) - n * kHalfPiPart4);
    return {r.hi, r.lo, kIndexError * std::fabs(n), static_cast<int>(static_cast<std::int64_t>(n) & 3)};
}

inline FastAngle ReduceFast(double x) {
    // Payne-Hanek is exact to 2^-160; its double-double fraction is within 2^-100 of r.
    constexpr double kPayneHanekError = 0x1p-100;
    // Below pi/4, n is 0 and Cody-Waite leaves x as it is: {x, +0} exactly, with no error.
    constexpr double kUnreduced = 0.78;
    const double ax = std::fabs(x);
    if (ax < kUnreduced) return {x, 0.0, 0.0, 0};
    if (ax < kCodyWaiteLimit) return ReduceCodyWaiteFast(x);
    const ReducedAngle r = ReducePayneHanek(ax);
    const FastAngle a = {r.r.hi, r.r.lo, kPayneHanekError * std::fabs(r.r.hi), r.quadrant};
    return x < 0.0 ? FastAngle{-a.rh, -a.rl, a.err, (4 - a.quadrant) & 3} : a;
}

// With a = j/64 from the table and t = th + tl = |r| - a, |t| <= 1/128: sin t - t and
// cos t - 1 by their Taylor series (to t^7/7! and t^8/8!, truncation below 2^-80), with the
// first-order terms of tl. Each is below 3.1e-5 in size, so its rounding is below 2^-66 of
// the result.
struct SmallAngle {
    double sineMinusT;
    double cosineMinusOne;
};

SmallAngle SmallAngleTerms(double th, double tl) {
    const double t2 = th * th;
    const double sine = (th * t2) * (kSineHead[1].hi + t2 * (kSineTail[0] + t2 * kSineTail[1])) - 0.5 * t2 * tl;
    const double cosine =
        -th * (0.5 * th + tl) + (t2 * t2) * (kCosineHead[2].hi + t2 * (kCosineTail[0] + t2 * kCosineTail[1]));
    return {sine, cosine};
}

// The table's rows for SineOrCosineFast, two per j: sin(j/64) leading with cos(j/64) as the
// other value, and cos(j/64) leading with -sin(j/64), the other's head pre-split for TwoProduct.
struct FastRow {
    DoubleDouble lead;
    DoubleDouble other;
    DoubleDouble otherSplit;
};
constexpr std::array<std::array<FastRow, 2>, kSineCosineTable.size()> kFastRows = [] {
    std::array<std::array<FastRow, 2>, kSineCosineTable.size()> rows{};
    for (std::size_t j = 0; j < rows.size(); ++j) {
        const SineCosinePair& p = kSineCosineTable[j];
        const DoubleDouble minusSine = Negate(p.sine);
        rows[j] = {{{p.sine, p.cosine, Split(p.cosine.hi)}, {p.cosine, minusSine, Split(minusSine.hi)}}};
    }
    return rows;
}();

// sin r (cosine false) or cos r (cosine true) of r = rh + rl, |r| <= pi/4 + tiny, with a = j/64
// and t = |r| - a: sin(a + t) = S + C t + S (cos t - 1) + C (sin t - t) and cos(a + t) = C - S t
// + C (cos t - 1) - S (sin t - t), one formula L + O t + L (cos t - 1) + O (sin t - t) with the
// row's lead L and other O. The leading terms and the product O t are exact; relative error below
// 2^-64, as the terms left to double rounding are below 2^-11 of the result each. Negating O
// negates each product exactly, so the cosine is bit for bit that of the formula written with -S.
// The sign of r is the sine's; the caller applies the quadrant's.
inline Approximation SineOrCosineFast(double rh, double rl, double err, bool cosine) {
    constexpr double kRelativeError = 0x1p-64;
    const bool negative = rh < 0.0;
    const double ah = negative ? -rh : rh;
    const double al = negative ? -rl : rl;
    // ah rounded to a multiple of 1/64 by adding 1.5 * 2^46, whose last bit is 1/64: the same a
    // as NearestInteger(64 ah) / 64 in two operations fewer, and j read from the sum's low bits.
    constexpr double kTableShift = 0x1.8p46;
    constexpr std::uint64_t kIndexMask = 63;  // j <= 51
    const double shifted = ah + kTableShift;
    const double th = ah - (shifted - kTableShift);  // exact (Sterbenz)
    const SmallAngle small = SmallAngleTerms(th, al);
    const std::size_t j = std::bit_cast<std::uint64_t>(shifted) & kIndexMask;
    const FastRow& row = kFastRows[j][cosine ? 1 : 0];
    const DoubleDouble ot = TwoProduct(row.otherSplit, row.other.hi, th);
    const DoubleDouble head = FastTwoSum(row.lead.hi, ot.hi);  // exact: L is 0 or exceeds |O t| <= 1/128
    const double low = head.lo + ot.lo + row.lead.lo + (row.other.lo * th + row.other.hi * al) +
                       (row.lead.hi * small.cosineMinusOne + row.other.hi * small.sineMinusT);
    const double sign = negative && !cosine ? -1.0 : 1.0;
    return {sign * head.hi, sign * low, err + kRelativeError * std::fabs(head.hi)};
}

Approximation Negated(const Approximation& v) { return {-v.hi, -v.lo, v.err}; }

// sin x or cos x by the quadrant, into result: only the one the quadrant picks is evaluated;
// false if the rounding test fails.
inline bool SineFast(double x, int shift, double& result) {
    const FastAngle a = ReduceFast(x);
    const int quadrant = (a.quadrant + shift) & 3;
    const Approximation v = SineOrCosineFast(a.rh, a.rl, a.err, (quadrant & 1) != 0);
    const double sign = (quadrant & 2) != 0 ? -1.0 : 1.0;
    return RoundIfUnambiguous(sign * v.hi, sign * v.lo, v.err, result);
}

// num / den for num = sin r, den = cos r or the reverse: a quotient digit and its remainder
// by TwoProduct (Dekker's division); relative error below the sum of the parts' plus 2^-99:
// 2^-100 for the division, and 2^-103 as the correction (below 2^-51 q) takes the rounded
// reciprocal of den.hi, divided alongside q rather than after it.
bool QuotientFast(const Approximation& numerator, const Approximation& denominator, double& result) {
    constexpr double kQuotientError = 0x1p-99;
    constexpr double kMargin = 1.01;                                  // covers the roundings of the bound itself
    const DoubleDouble num = FastTwoSum(numerator.hi, numerator.lo);  // the kernel leaves lo up to 2^-14 hi
    const DoubleDouble den = FastTwoSum(denominator.hi, denominator.lo);
    const double q = num.hi / den.hi;
    const double reciprocal = 1.0 / den.hi;
    const DoubleDouble p = TwoProduct(q, den.hi);
    const double low = (((num.hi - p.hi) - p.lo) + num.lo - q * den.lo) * reciprocal;
    const double relative = numerator.err / std::fabs(num.hi) + denominator.err / std::fabs(den.hi) + kQuotientError;
    constexpr double kQuotientLowShare = 0x1p-50;  // |low| <= 3 2^-53 |q|: remainder, num.lo, den.lo
    return RoundIfUnambiguous(q, low, kMargin * relative * std::fabs(q), kQuotientLowShare * std::fabs(q), result);
}

struct SineCosine {
    DoubleDouble sine;
    DoubleDouble cosine;
};

// sin and cos of |r| <= pi/4 + tiny, as sin(a + t) and cos(a + t) with a = j/64 from the table.
SineCosine SineCosineKernel(DoubleDouble r) {
    const bool negative = r.hi < 0.0;
    const DoubleDouble ar = negative ? Negate(r) : r;
    const double j = NearestInteger(ar.hi * kTableStep);
    const DoubleDouble t = TwoSum(ar.hi - j / kTableStep, ar.lo);  // the difference is exact (Sterbenz)
    const DoubleDouble u = Multiply(t, t);
    const DoubleDouble sineT = Multiply(EvaluatePolynomial(u, kSineHead, kSineTail), t);
    const DoubleDouble cosineT = EvaluatePolynomial(u, kCosineHead, kCosineTail);
    SineCosine result{sineT, cosineT};
    if (j != 0.0) {
        const SineCosinePair& a = kSineCosineTable[static_cast<std::size_t>(j)];
        result = {Add(Multiply(a.sine, cosineT), Multiply(a.cosine, sineT)),
                  Subtract(Multiply(a.cosine, cosineT), Multiply(a.sine, sineT))};
    }
    if (negative) result.sine = Negate(result.sine);
    return result;
}

// sin x (shift 0) or cos x (shift 1, a quarter turn on) of finite x: one function for both, so
// that SineFast has one caller, is inline there and answers in a register, not through memory.
double SineOrCosine(double x, int shift) {
    if (double fast = 0.0; SineFast(x, shift, fast)) return fast;
    const ReducedAngle a = ReduceHalfPi(x);
    const SineCosine v = SineCosineKernel(a.r);
    switch ((a.quadrant + shift) & 3) {
        case 0: return Round(v.sine);
        case 1: return Round(v.cosine);
        case 2: return -Round(v.sine);
        default: return -Round(v.cosine);
    }
}

}  // namespace

double Sin(double x) {
    if (!std::isfinite(x)) return std::isnan(x) ? x : kNaN;
    if (std::fabs(x) < kTinySine) return x;
    return SineOrCosine(x, 0);
}

double Cos(double x) {
    if (!std::isfinite(x)) return std::isnan(x) ? x : kNaN;
    if (std::fabs(x) < kTinyCosine) return 1.0;
    return SineOrCosine(x, 1);
}

double Tan(double x) {
    if (!std::isfinite(x)) return std::isnan(x) ? x : kNaN;
    if (std::fabs(x) < kTinySine) return x;
    const FastAngle f = ReduceFast(x);
    const Approximation sine = SineOrCosineFast(f.rh, f.rl, f.err, false);
    const Approximation cosine = SineOrCosineFast(f.rh, f.rl, f.err, true);
    double fast = 0.0;
    if (f.quadrant % 2 == 0 ? QuotientFast(sine, cosine, fast) : QuotientFast(Negated(cosine), sine, fast)) return fast;
    const ReducedAngle a = ReduceHalfPi(x);
    const SineCosine v = SineCosineKernel(a.r);
    return a.quadrant % 2 == 0 ? Round(Divide(v.sine, v.cosine)) : -Round(Divide(v.cosine, v.sine));
}

}  // namespace quorvex
