// The exponential and the logarithm, and their forms accurate near zero (expm1, log1p), in
// double-double arithmetic with one final rounding.
#include "core/elementary_kernels.hpp"
#include "core/elementary_math.hpp"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

namespace quorvex {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Past these e^x is +inf or rounds to +0; between them and ln(DBL_MAX), -ln(2^-1075) the
// rounding of the kernel's result decides.
constexpr double kExpOverflowBound = 709.8;
constexpr double kExpUnderflowBound = -745.2;
// Below this e^x - 1 rounds to -1 (e^-40 < 2^-54); above this the 1 is below 2^-1000 of e^x.
constexpr double kExpm1MinusOneBound = -40.0;
constexpr double kExpm1PlainBound = 700.0;

// Tang's reduction x = n ln2/1024 + r, n = 1024 k + 32 j + i, |r| <= ln2/2048, with
// e^x = 2^k 2^(j/32) 2^(i/1024) e^r. ln2/1024 in three parts, the first two of 32 bits so that
// n times them is exact for |n| < 2^21; error of the sum below 2^-130 (tests/data/generate_elementary_tables.py).
constexpr double kInverseLn2Over1024 = 1477.3197218702985;
constexpr double kLn2Over1024Part1 = 0.00067690154332922248;
constexpr double kLn2Over1024Part2 = 1.8634911414483108e-13;
constexpr double kLn2Over1024Part3 = 4.1749761618629385e-23;
constexpr int kExpTableBits = 5;
constexpr int kExpTableMask = 31;

// 2^(j/32), j = 0..31, rounded to double-double (tests/data/generate_elementary_tables.py).
// Laid out by hand: two columns of (head, tail) pairs read best as they are.
// clang-format off
constexpr std::array<DoubleDouble, 32> kExpCoarse = {{
    {1, 0}, {1.0218971486541166, 5.1092250289734439e-17},
    {1.0442737824274138, 8.5518897055379649e-17}, {1.0671404006768237, -7.8998539668415821e-17},
    {1.0905077326652577, -3.0467820798124711e-17}, {1.1143867425958924, 1.0410278456845571e-16},
    {1.1387886347566916, 8.9128126760254078e-17}, {1.1637248587775775, 3.8292048369240935e-17},
    {1.189207115002721, 3.9820152314656461e-17}, {1.215247359980469, -7.7126306926814881e-17},
    {1.241857812073484, 4.6580275918369368e-17}, {1.2690509571917332, 2.6679321313421861e-18},
    {1.2968395546510096, 2.5382502794888315e-17}, {1.3252366431597413, -2.8587312100388614e-17},
    {1.3542555469368927, 7.7009483798029895e-17}, {1.383909881963832, -6.7705116587947863e-17},
    {1.4142135623730951, -9.6672933134529135e-17}, {1.4451808069770467, -3.0237581349939873e-17},
    {1.4768261459394993, -3.4839945568927958e-17}, {1.5091644275934228, -1.016455327754295e-16},
    {1.5422108254079407, 7.9498348096976209e-17}, {1.5759808451078865, -1.0136916471278304e-17},
    {1.6104903319492543, 2.4707192569797888e-17}, {1.6457554781539649, -1.0125679913674773e-16},
    {1.681792830507429, 8.1990100205814965e-17}, {1.7186192981224779, -1.851380418263111e-17},
    {1.7562521603732995, 2.9601406954488733e-17}, {1.7947090750031072, 1.8227458427912087e-17},
    {1.8340080864093424, 3.2831072242456272e-17}, {1.8741676341103, -6.1227634130041426e-17},
    {1.9152065613971474, -1.0619946056195963e-16}, {1.9571441241754002, 8.9607677910366678e-17},
}};
// clang-format on

// 2^(i/1024), i = 0..31, rounded to double-double (tests/data/generate_elementary_tables.py).
// clang-format off
constexpr std::array<DoubleDouble, 32> kExpFine = {{
    {1, 0}, {1.0006771306930664, -5.1151232976856676e-17},
    {1.0013547198921082, -1.8973728416792993e-17}, {1.002032767907594, 2.5726925943221118e-17},
    {1.0027112750502025, -3.6366159286922639e-17}, {1.0033902416308227, -8.6849220051179562e-18},
    {1.0040696679605541, 9.753787549840241e-17}, {1.0047495543507072, -1.6231463554124514e-17},
    {1.0054299011128027, 9.4991865354550318e-17}, {1.006110708558573, -1.3908068671065783e-17},
    {1.0067919769999607, 1.8998557240346296e-17}, {1.0074737067491204, -4.8693942586085649e-17},
    {1.0081558981184175, -3.2520587560843081e-17}, {1.0088385514204294, -6.6199546936739401e-17},
    {1.0095216669679448, -1.4321412303428819e-17}, {1.0102052450739643, 4.8354849784403827e-18},
    {1.0108892860517005, -1.5234778603368577e-17}, {1.0115737902145781, -4.7797669877516842e-17},
    {1.0122587578762337, 1.1073163159380994e-16}, {1.0129441893505169, 9.6316887021790028e-17},
    {1.0136300849514894, 9.2835997681835676e-18}, {1.0143164449934257, -1.079130433920375e-16},
    {1.0150032697908125, 9.5355628987864991e-17}, {1.0156905596583505, 8.9720846085344886e-17},
    {1.0163783149109531, -5.77217007319966e-17}, {1.0170665358637463, 1.6790845522075592e-17},
    {1.0177552228320703, 7.8551005890652632e-18}, {1.0184443761314785, -2.6432752930391826e-17},
    {1.0191339960777379, 3.6019049822596617e-17}, {1.0198240829868295, 8.1891774458084087e-17},
    {1.0205146371749483, -9.2762714932777459e-17}, {1.0212056589585028, 2.8490992452342221e-17},
}};
// clang-format on

// Split of each head of kExpCoarse and kExpFine, for the fast paths' products.
constexpr std::array<DoubleDouble, 32> SplitHeads(const std::array<DoubleDouble, 32>& table) {
    std::array<DoubleDouble, 32> split{};
    for (std::size_t k = 0; k < table.size(); ++k) split[k] = Split(table[k].hi);
    return split;
}
constexpr std::array<DoubleDouble, 32> kExpCoarseSplit = SplitHeads(kExpCoarse);
constexpr std::array<DoubleDouble, 32> kExpFineSplit = SplitHeads(kExpFine);

// e^r - 1 = r (1 + r (1/2 + r tail(r))), Taylor series; on |r| <= 3.4e-4 the truncation after
// r^7/5040 is below 2^-95 and the double tail adds an error below 2^-89.
constexpr std::array<DoubleDouble, 2> kExpm1Head = {{{1.0, 0.0}, {0.5, 0.0}}};
constexpr std::array<double, 5> kExpm1Tail = {
    0.16666666666666666,     // 1/3!
    0.041666666666666664,    // 1/4!
    0.0083333333333333332,   // 1/5!
    0.0013888888888888889,   // 1/6!
    0.00019841269841269841,  // 1/7!
};

// The logarithm reduces m in [sqrt(1/2), sqrt(2)) by c = fl(128/i), i = round(128 m), to
// r = m c - 1 with |r| < 0.0056, computed exactly: ln m = -ln c + ln(1 + r).
constexpr double kSqrtHalf = std::numbers::sqrt2 / 2.0;
constexpr double kLogTableScale = 128.0;
constexpr int kLogTableFirst = 91;

// -ln(fl(128/i)), i = 91..181, rounded to double-double; row 128 - 91 is exactly 0
// (tests/data/generate_elementary_tables.py).
// clang-format off
constexpr std::array<DoubleDouble, 91> kMinusLogOfReciprocal = {{
    {-0.3411707574027672, -3.1846151250956206e-18}, {-0.33024168687057681, -1.6927253978145054e-17},
    {-0.31943077076636128, -2.5640385520940108e-17}, {-0.30873548164961323, -1.5025836482434425e-17},
    {-0.29815337231907629, -1.5752787369100671e-17}, {-0.28768207245178085, -2.6071606164425637e-17},
    {-0.27731928541623435, 2.6527242291580009e-17}, {-0.26706278524904514, -2.3896107240262357e-17},
    {-0.25691041378502733, 9.9241917812706806e-19}, {-0.24686007793152581, -6.678539813576451e-18},
    {-0.23690974707835774, 1.3644270985951448e-17}, {-0.22705745063534608, 4.3263720450759683e-18},
    {-0.21730127568998131, 1.8526017065773163e-18}, {-0.20763936477824455, -1.2053243216686127e-17},
    {-0.19806991376209387, -1.0681737386368664e-17}, {-0.18859116980754997, -9.9150705405711444e-18},
    {-0.17920142945771092, 2.111400074974391e-18}, {-0.16989903679539742, 4.8680087644390862e-19},
    {-0.16068238169047352, 3.6501835530478387e-18}, {-0.15154989812720088, -1.2105853272368787e-17},
    {-0.14250006260728301, -9.1555700015191289e-18}, {-0.13353139262452257, 3.6644576636600863e-18},
    {-0.12464244520727659, 5.8089126789409715e-18}, {-0.11583181552512165, -4.3384843698080944e-18},
    {-0.10709813555636712, 3.4717745161358675e-18}, {-0.09844007281325251, 4.4390096336751359e-18},
    {-0.089856329121861145, -2.8420709355846499e-18}, {-0.081345639453952401, -1.6076294039775555e-18},
    {-0.072906770808087731, -5.8362040743048711e-18}, {-0.064538521137571164, 6.470486661692933e-18},
    {-0.056239718322876109, 3.2835149805605617e-18}, {-0.048009219186360662, 2.0303566172243951e-18},
    {-0.039845908547199778, 1.3948242043384064e-18}, {-0.03174869831458027, -3.0382263084680854e-18},
    {-0.023716526617316065, 1.5774243488668216e-18}, {-0.015748356968139112, -1.0021578630528958e-18},
    {-0.0078431774610258787, -2.7647081541249028e-19}, {0, 0},
    {0.0077821404420549628, -1.2819179123343749e-20}, {0.015504186535965199, -3.2783210228924137e-19},
    {0.023167059281534418, -3.0959275521792619e-19}, {0.03077165866675366, 1.0431732029005972e-18},
    {0.038318864302136657, -2.3579961573512846e-18}, {0.045809536031294222, 1.6823639049745016e-19},
    {0.053244514518812243, 1.8038711349799518e-18}, {0.060624621816434854, 2.6424025938726934e-18},
    {0.067950661908507778, 3.9239563038692484e-18}, {0.075223421237587518, -4.1958807203164336e-18},
    {0.082443669211074544, -4.7079030820468538e-18}, {0.089612158689687166, -1.9573659817110993e-18},
    {0.096729626458551141, -4.0291867005826106e-18}, {0.10379679368164355, -3.195893222617445e-18},
    {0.11081436634029011, 2.0511100808140527e-18}, {0.11778303565638351, -1.1971685747593662e-18},
    {0.12470347850095725, -4.6522609636496624e-18}, {0.13157635778871932, 1.112300087972959e-17},
    {0.13840232285911919, -1.3766819196398948e-17}, {0.14518200984449783, 8.2424187830224769e-18},
    {0.151916042025842, 4.1233095848339465e-19}, {0.15860503017663852, 2.5833864922985579e-18},
    {0.16524957289530717, -9.227573884334224e-18}, {0.17185025692665928, -6.0224538210113689e-18},
    {0.17840765747281825, 1.2720936612962572e-17}, {0.18492233849401193, -7.3846794405034346e-18},
    {0.19139485299962947, -1.1262135167804481e-17}, {0.19782574332991992, -7.9954873387415432e-18},
    {0.20421554142869083, 7.9379985298027001e-18}, {0.21056476910734964, 1.1363105969061369e-17},
    {0.2168739383006143, 6.2857496692110918e-18}, {0.22314355131420971, -9.0912705973247975e-18},
    {0.2293741010648459, -5.684839459813236e-18}, {0.23556607131276697, -2.3943371495187339e-18},
    {0.24171993688714513, 1.323779871210866e-17}, {0.24783616390458121, 8.384472133019162e-18},
    {0.25391520998096345, -7.1807356564357978e-18}, {0.25995752443692599, 2.4167516341742964e-17},
    {0.26596354849713788, 1.35209848201012e-19}, {0.27193371548364181, 7.8331963769744355e-19},
    {0.27786845100345631, 2.2502748630777633e-17}, {0.28376817313064462, -6.4488680034521052e-18},
    {0.28963329258304271, 2.0535953219858177e-17}, {0.2954642128938359, -7.7683207962454429e-18},
    {0.30126133057816185, -1.5120043309967385e-17}, {0.30702503529491187, 1.5578716077124932e-18},
    {0.3127557100038969, -1.3650721793001109e-17}, {0.31845373111853459, -6.4079624830267774e-19},
    {0.32411946865421198, -4.4887674299401984e-18}, {0.32975328637246804, -2.5633554999431966e-17},
    {0.33535554192113781, -1.3746739934976202e-17}, {0.34092658697059319, -2.0696780027945009e-17},
    {0.34646676734620863, -3.5919519528518053e-18},
}};
// clang-format on

// c = fl(128/i) for i = 91..181, as the logarithm's reduction divides, and its split.
struct LogReciprocal {
    double value;
    DoubleDouble split;
};
constexpr std::array<LogReciprocal, kMinusLogOfReciprocal.size()> kLogReciprocals = [] {
    std::array<LogReciprocal, kMinusLogOfReciprocal.size()> table{};
    for (std::size_t k = 0; k < table.size(); ++k) {
        const double c = kLogTableScale / static_cast<double>(static_cast<int>(k) + kLogTableFirst);
        table[k] = {c, Split(c)};
    }
    return table;
}();

// ln(1 + r) = r q(r), q(r) = 1 - r/2 + r^2/3 - ... Taylor series; for |r| < 0.0056 the terms
// past r^13/14 are below 2^-96, and the head keeps the terms down to r^4/5 in double-double.
// clang-format off
constexpr std::array<DoubleDouble, 5> kLog1pHead = {{
    {1.0, 0.0},
    {-0.5, 0.0},
    {0.33333333333333331, 1.8503717077085941e-17},    // 1/3
    {-0.25, 0.0},
    {0.20000000000000001, -1.1102230246251566e-17},  // 1/5
}};
// clang-format on
constexpr std::array<double, 9> kLog1pTail = {
    -0.16666666666666666,   // -1/6
    0.14285714285714285,    // 1/7
    -0.125,                 // -1/8
    0.11111111111111111,    // 1/9
    -0.10000000000000001,   // -1/10
    0.090909090909090912,   // 1/11
    -0.083333333333333329,  // -1/12
    0.076923076923076927,   // 1/13
    -0.071428571428571425,  // -1/14
};
// Below this |d| ln(1 + d) is the series in d itself (row 128 of the table, c = 1).
constexpr double kLog1pSeriesBound = 1.0 / 256.0;

DoubleDouble Log1pSeries(DoubleDouble r) { return Multiply(EvaluatePolynomial(r, kLog1pHead, kLog1pTail), r); }

// e^x = 2^exponent scale (1 + rest), scale = 2^(j/32) 2^(i/1024).
struct ExpParts {
    DoubleDouble scale;
    DoubleDouble rest;
    int exponent;
};

ExpParts ReduceExp(DoubleDouble x) {
    const double n = NearestInteger(x.hi * kInverseLn2Over1024);
    const DoubleDouble high = TwoSum(x.hi - n * kLn2Over1024Part1, -n * kLn2Over1024Part2);
    const DoubleDouble r = Add(high, x.lo - n * kLn2Over1024Part3);
    const std::int32_t index = static_cast<std::int32_t>(n);
    const DoubleDouble coarse = kExpCoarse[static_cast<std::size_t>((index >> kExpTableBits) & kExpTableMask)];
    const DoubleDouble fine = kExpFine[static_cast<std::size_t>(index & kExpTableMask)];
    return {Multiply(coarse, fine), Multiply(EvaluatePolynomial(r, kExpm1Head, kExpm1Tail), r),
            index >> (2 * kExpTableBits)};
}

DoubleDouble ScaleExact(DoubleDouble v, int exponent) {
    return {std::ldexp(v.hi, exponent), std::ldexp(v.lo, exponent)};
}

// The fast paths (Ziv's strategy): the same reductions in plain double arithmetic, the leading
// sums and products exact, with a bound on the error; RoundIfUnambiguous then answers or the
// accurate double-double path takes over. Bounds in units of u = 2^-53 below.
constexpr double kUnitRoundoff = 0x1p-53;

// The fast paths' reduction of e^x, in plain double arithmetic: for |x| <= 746, e^x =
// 2^exponent scale (1 + rh + q), scale = 2^(j/32) 2^(i/1024) in double-double, n = 1024
// exponent + 32 j + i, |rh| <= 3.39e-4, q = e^r - 1 - rh (r = x - n ln2/1024) within
// 2^-53 3.2 rh^2 + 2^-97 |n|.
struct ExpReduction {
    DoubleDouble scale;
    double rh;
    double q;
    double n;
    int exponent;
};

// q to within 3.2u rh^2 + 2^-97 |n|: the Taylor series to r^5/120 (the 1/3!, 1/4!, 1/5! of the
// accurate path's tail), truncation below 0.2u rh^2; the dropped rl rh^2 / 2, the rounding of
// rl, n ln2/1024 and the products. Inline in this file's fast paths: out of line, the call and
// the return through memory cost more than the copy.
inline ExpReduction ReduceExpFast(double x) {
    // NearestInteger by hand, n read from the shifted sum's low bits (two's complement, as the
    // sum's significand is 2^51 + n): the tables need not wait for n to be converted.
    constexpr double kShift = 0x1.8p52;
    const double shiftedIndex = x * kInverseLn2Over1024 + kShift;
    const double n = shiftedIndex - kShift;
    const DoubleDouble r = TwoSum(x - n * kLn2Over1024Part1, -n * kLn2Over1024Part2);  // both terms exact
    const double rl = r.lo - n * kLn2Over1024Part3;
    const double rh = r.hi;
    const double p = 0.5 + rh * (kExpm1Tail[0] + rh * (kExpm1Tail[1] + rh * kExpm1Tail[2]));
    // rl + rh rl (the start of e^rh rl) beside rh^2 p, not nested in it: two steps shorter, and
    // rounded within 2u rh^2 (the nested form's 2.5u rh^2) besides the share of rl.
    const double q = (rl + rh * rl) + (rh * rh) * p;
    const auto index =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(shiftedIndex)));
    const auto coarseIndex = static_cast<std::size_t>((index >> kExpTableBits) & kExpTableMask);
    const auto fineIndex = static_cast<std::size_t>(index & kExpTableMask);
    const DoubleDouble coarse = kExpCoarse[coarseIndex];
    const DoubleDouble fine = kExpFine[fineIndex];
    // Multiply(coarse, fine) with the heads' splits from tables.
    const DoubleDouble product = TwoProduct(kExpCoarseSplit[coarseIndex], coarse.hi, kExpFineSplit[fineIndex], fine.hi);
    const DoubleDouble scale = FastTwoSum(product.hi, product.lo + (coarse.hi * fine.lo + coarse.lo * fine.hi));
    return {scale, rh, q, n, index >> (2 * kExpTableBits)};
}

// e^a = 2^exponent m, m = T (1 + rh + q) from ReduceExpFast as T.hi + T.hi rh, exact by
// TwoProduct and Fast2Sum, plus a low part. Relative error below 2^-72.8: q's bound 2^-74.4 +
// 2^-77 (|rh| <= 3.39e-4, |n| <= 2^20 for |a| <= 711), the dropped T.lo q below 2^-77, five
// roundings in the low sum below u 1.2e-7 (the size of T.hi q) each, the table's 2^-102. Here
// before the last Fast2Sum, the low part below 2^-22 of the head.
inline ScaledDoubleDouble ExponentialUnnormalisedFast(double a) {
    const ExpReduction e = ReduceExpFast(a);
    const DoubleDouble p = TwoProduct(e.scale.hi, e.rh);
    const DoubleDouble s = FastTwoSum(e.scale.hi, p.hi);  // |rh| < 1/2
    const double lo = s.lo + (p.lo + (e.scale.lo + (e.scale.hi * e.q + e.scale.lo * e.rh)));
    return {{s.hi, lo}, e.exponent};
}

}  // namespace

ScaledDoubleDouble ExponentialFast(double a) {
    const ScaledDoubleDouble e = ExponentialUnnormalisedFast(a);
    return {FastTwoSum(e.mantissa.hi, e.mantissa.lo), e.exponent};
}

ExponentialPair ExponentialPairFast(double a) {
    return {ExponentialUnnormalisedFast(a), ExponentialUnnormalisedFast(-a)};
}

namespace {

// Scales at which 2^k times a mantissa in [0.99, 2) is a normal double.
constexpr int kLeastNormalScale = -1021;
constexpr int kGreatestScale = 1023;

// e^x for a normal result: the mantissa T (1 + rh + q) as T.hi + ((T.lo + T.hi rh) + T.hi q),
// q's product off the chain of rh's. |rh| <= 3.39e-4, |T.hi| < 2: the roundings of T.hi rh, of
// the two sums are each below u 6.8e-4, that of T.hi q below u 1.2e-7, T.lo (rh + q) is dropped
// (below 7.5e-20), q is off by under 6e-23.
bool ExpFast(double x, double& result) {
    constexpr double kMantissaError = 3.2e-19;
    constexpr double kLowShare = 0x1p-11;  // |T.lo + T.hi (rh + q)| <= T.hi (2^-53 + 3.4e-4)
    const ExpReduction e = ReduceExpFast(x);
    if (e.exponent < kLeastNormalScale || e.exponent > kGreatestScale) return false;
    double m = 0.0;
    if (!RoundIfUnambiguous(e.scale.hi, (e.scale.lo + e.scale.hi * e.rh) + e.scale.hi * e.q, kMantissaError,
                            kLowShare * e.scale.hi, m))
        return false;
    result = m * PowerOfTwo(e.exponent);
    return true;
}

// e^x - 1 = (B - 1) + B rh + 2^k (T.lo (1 + rh) + T.hi q), B = 2^k T.hi, the first two
// terms exact (TwoSum, TwoProduct). Error: 2^k (2 (3.2u rh^2 + 2^-97 |n|) + 2u rh^2) for q, its
// product and the dropped T.lo q, and 2^-100 |result| for the low sum, which is a few ulps.
bool Expm1Fast(double x, double& result) {
    constexpr int kGreatestScaleForProducts = 900;  // TwoProduct's operands stay below 2^995
    constexpr double kSquareErrorFactor = 9.0 * kUnitRoundoff;
    constexpr double kIndexError = 0x1p-96;
    constexpr double kLowSumError = 0x1p-100;
    const ExpReduction e = ReduceExpFast(x);
    if (e.exponent > kGreatestScaleForProducts) return false;
    const double power = PowerOfTwo(e.exponent);
    const double b = power * e.scale.hi;
    const DoubleDouble shifted = TwoSum(b, -1.0);
    const DoubleDouble product = TwoProduct(b, e.rh);
    const DoubleDouble head = TwoSum(shifted.hi, product.hi);
    const double lo = shifted.lo + head.lo + product.lo + power * (e.scale.lo * (1.0 + e.rh) + e.scale.hi * e.q);
    const double err =
        power * (kSquareErrorFactor * e.rh * e.rh + kIndexError * std::fabs(e.n)) + kLowSumError * std::fabs(head.hi);
    return RoundIfUnambiguous(head.hi, lo, err, result);
}

// ln 2 as a head of 42 bits, so that e times it is exact for |e| < 2^11, and the rest
// (tests/data/generate_elementary_tables.py).
constexpr double kLn2Head = 0.69314718055989033;
constexpr double kLn2Tail = 5.4979230187083712e-14;

using Approximation = BoundedValue;

// ln(2^e m + low 2^e) with m c = 1 + rh + rl as LogKernel reduces it, T = -ln c from the table:
// e ln2 + T + rh - rh^2/2 summed exactly (TwoSum, TwoProduct), then rl / (1 + rh) to within
// u rh^3 |rl|, the ln2 and table tails, and rh^3 times the Taylor series of ln(1 + r) from
// 1/3 to r^6/9 (truncation below r^10/10). Relative error below 2^-66: the result is at least
// |r| / 2 (the row of c = 1) or 0.0039 (other rows, e = 0) or 0.34 (e != 0), and each term
// left to the low sum is below u r^2 of its rounding.
inline Approximation LogFromReduction(int e, int i, double rh, double rl) {
    constexpr double kRelativeError = 0x1p-66;
    constexpr std::array<double, 7> kSeries = {
        0.33333333333333331, -0.25,  0.20000000000000001, -0.16666666666666666,
        0.14285714285714285, -0.125, 0.11111111111111111,
    };
    const DoubleDouble table = kMinusLogOfReciprocal[static_cast<std::size_t>(i - kLogTableFirst)];
    const double scale = static_cast<double>(e);
    const DoubleDouble square = TwoProduct(rh, rh);
    const DoubleDouble a = TwoSum(scale * kLn2Head, table.hi);
    const DoubleDouble b = TwoSum(a.hi, rh);
    const DoubleDouble c = TwoSum(b.hi, -0.5 * square.hi);
    const double r2 = square.hi;
    // Estrin's scheme: the pairs are independent, so the latency is that of three steps.
    const double series =
        (kSeries[0] + rh * kSeries[1]) +
        r2 * ((kSeries[2] + rh * kSeries[3]) + r2 * ((kSeries[4] + rh * kSeries[5]) + r2 * kSeries[6]));
    const double tail = scale * kLn2Tail + table.lo + (rl * ((1.0 - rh) + r2) - 0.5 * square.lo + rh * r2 * series);
    return {c.hi, a.lo + b.lo + c.lo + tail, kRelativeError * std::fabs(c.hi)};
}

// ln a for a.hi normal and positive, reduced as LogKernel does; a.lo is scaled exactly and
// joined to rl, and that join rounds within 2^-103. Inline in LogFast, as
// ReduceExpFast is in ExpFast.
inline BoundedValue LogApproximationInline(DoubleDouble a) {
    constexpr double kLowJoinError = 0x1p-102;
    constexpr int kMantissaBits = 52;
    // a.hi = 2^e m, m in [kSqrtHalf, 2 kSqrtHalf), without a branch on which side of sqrt 2 the
    // significand lies: subtracting kSqrtHalf's bits carries into the exponent field exactly
    // where m would be halved.
    const auto bits = std::bit_cast<std::uint64_t>(a.hi);
    const auto exponentBits = (bits - std::bit_cast<std::uint64_t>(kSqrtHalf)) >> kMantissaBits;
    const int e = static_cast<int>(static_cast<std::int64_t>(exponentBits << kMantissaBits) >> kMantissaBits);
    const double m = std::bit_cast<double>(bits - (exponentBits << kMantissaBits));
    // i = NearestInteger(128 m) read from the shifted sum's low bits, and c = 128 / i and its
    // split from a table: no conversion or division before the product.
    constexpr double kShift = 0x1.8p52;
    constexpr std::uint64_t kIndexMask = 255;  // i <= 181
    const auto i = static_cast<int>(std::bit_cast<std::uint64_t>(m * kLogTableScale + kShift) & kIndexMask);
    const LogReciprocal& c = kLogReciprocals[static_cast<std::size_t>(i - kLogTableFirst)];
    const DoubleDouble product = TwoProduct(Split(m), m, c.split, c.value);
    // m c - 1 = rh + rl with rh = product.hi - 1 (exact, product.hi being within 1% of 1), not
    // renormalised, so that rh need not wait for the product's error term: rl <= 2^-53 may then
    // exceed ulp(rh), only off the row of c = 1 (whose product is exact), where the result is at
    // least 0.0039 and the rl^2 / 2 that LogFromReduction drops is below 2^-98 of it.
    const double rh = product.hi - 1.0;
    const Approximation v = LogFromReduction(e, i, rh, product.lo + (a.lo * PowerOfTwo(-e)) * c.value);
    return {v.hi, v.lo, a.lo == 0.0 ? v.err : v.err + kLowJoinError};
}

// ln x for normal positive x, as LogKernel reduces it.
bool LogFast(double x, double& result) {
    const BoundedValue v = LogApproximationInline({x, 0.0});
    return RoundIfUnambiguous(v.hi, v.lo, v.err, result);
}

// ln(1 + x): the series alone near 0 (the row of c = 1, r = x exactly), else ln of 1 + x as
// a double-double whose low part joins rl; |x| < 2^1000 keeps the scaling of the low part normal.
// LogApproximationInline reduces 1 + x to the same e, i and r and adds its bound on the join.
bool Log1pFast(double x, double& result) {
    constexpr int kTableRowOfOne = 128;
    constexpr double kLargest = 0x1p1000;
    if (std::fabs(x) < kLog1pSeriesBound) {
        const Approximation v = LogFromReduction(0, kTableRowOfOne, x, 0.0);
        return RoundIfUnambiguous(v.hi, v.lo, v.err, result);
    }
    if (std::fabs(x) > kLargest) return false;
    const BoundedValue v = LogApproximationInline(TwoSum(1.0, x));
    return RoundIfUnambiguous(v.hi, v.lo, v.err, result);
}

}  // namespace

BoundedValue LogApproximation(DoubleDouble a) { return LogApproximationInline(a); }

ScaledDoubleDouble ExpKernel(DoubleDouble x) {
    const ExpParts parts = ReduceExp(x);
    return {Add(parts.scale, Multiply(parts.scale, parts.rest)), parts.exponent};
}

DoubleDouble Expm1Kernel(DoubleDouble x) {
    const ExpParts parts = ReduceExp(x);
    if (parts.exponent == 0 && parts.scale.hi == 1.0) return parts.rest;
    const DoubleDouble e = Add(parts.scale, Multiply(parts.scale, parts.rest));
    return Add(ScaleExact(e, parts.exponent), -1.0);
}

DoubleDouble LogKernel(DoubleDouble a) {
    int e = 0;
    double m = std::frexp(a.hi, &e);
    if (m < kSqrtHalf) {
        m *= 2.0;
        e -= 1;
    }
    const double low = std::ldexp(a.lo, -e);
    const int i = static_cast<int>(NearestInteger(m * kLogTableScale));
    const double c = kLogTableScale / i;
    const DoubleDouble product = TwoProduct(m, c);
    // product.hi is within 1% of 1, so product.hi - 1 is exact and at least |product.lo|.
    const DoubleDouble r = Add(FastTwoSum(product.hi - 1.0, product.lo), low * c);
    const DoubleDouble tableTerm = Add(Multiply(kLn2DoubleDouble, static_cast<double>(e)),
                                       kMinusLogOfReciprocal[static_cast<std::size_t>(i - kLogTableFirst)]);
    return Add(tableTerm, Log1pSeries(r));
}

DoubleDouble Log1pKernel(DoubleDouble d) {
    if (std::fabs(d.hi) < kLog1pSeriesBound) return Log1pSeries(d);
    return LogKernel(Add(TwoSum(1.0, d.hi), d.lo));
}

double RoundScaled(DoubleDouble v, int exponent) {
    constexpr int kMinNormalExponent = -1021;  // frexp exponent of the least normal double
    constexpr int kSubnormalShift = 1074;      // 2^-1074 is the least subnormal
    int e = 0;
    std::frexp(v.hi, &e);
    if (e + exponent >= kMinNormalExponent || v.hi == 0.0) return std::ldexp(v.hi, exponent);
    // Count in units of 2^-1074 and round half to even by hand: the low part decides ties.
    const double sign = v.hi < 0.0 ? -1.0 : 1.0;
    const double units = std::ldexp(std::fabs(v.hi), exponent + kSubnormalShift);
    const double low = std::ldexp(v.lo * sign, exponent + kSubnormalShift);
    double whole = std::floor(units);
    const double fraction = units - whole;
    const bool odd = std::fmod(whole, 2.0) != 0.0;
    if (fraction > 0.5 || (fraction == 0.5 && (low > 0.0 || (low == 0.0 && odd)))) whole += 1.0;
    return sign * std::ldexp(whole, -kSubnormalShift);
}

double Exp(double x) {
    if (std::isnan(x)) return x;
    if (x > kExpOverflowBound) return kInfinity;
    if (x < kExpUnderflowBound) return 0.0;
    if (double fast = 0.0; ExpFast(x, fast)) return fast;
    const ScaledDoubleDouble e = ExpKernel({x, 0.0});
    return RoundScaled(e.mantissa, e.exponent);
}

double Expm1(double x) {
    if (std::isnan(x) || x == 0.0) return x;
    if (x > kExpm1PlainBound) return Exp(x);
    if (x < kExpm1MinusOneBound) return -1.0;
    if (double fast = 0.0; Expm1Fast(x, fast)) return fast;
    return Round(Expm1Kernel({x, 0.0}));
}

double Log(double x) {
    if (std::isnan(x) || x == kInfinity) return x;
    if (x == 0.0) return -kInfinity;
    if (x < 0.0) return kNaN;
    if (x >= std::numeric_limits<double>::min()) {
        if (double fast = 0.0; LogFast(x, fast)) return fast;
    }
    return Round(LogKernel({x, 0.0}));
}

double Log1p(double x) {
    if (std::isnan(x) || x == kInfinity || x == 0.0) return x;
    if (x == -1.0) return -kInfinity;
    if (x < -1.0) return kNaN;
    if (double fast = 0.0; Log1pFast(x, fast)) return fast;
    return Round(Log1pKernel({x, 0.0}));
}

}  // namespace quorvex
