// The texts the special functions' errors carry, family by family, in one table like the rest of
// the product's messages; the unit tests match against these.
#pragma once

#include <string_view>

namespace quorvex::special {

// Gamma, its logarithm and the polygammas.
inline constexpr std::u16string_view kGammaPole = u"ガンマ関数gammaが発散しました\r\n（z=0,-1,-2...で発散します）";
inline constexpr std::u16string_view kLogGammaPole =
    u"ガンマ関数の対数lgammaが発散しました\r\n（z=0,-1,-2...で発散します）";
inline constexpr std::u16string_view kDigammaPole =
    u"ディガンマ関数dgammaが発散しました\r\n（z=0,-1,-2...で発散します）";
inline constexpr std::u16string_view kPolygammaPole =
    u"ポリガンマ関数pgammaが発散しました\r\n（z=0,-1,-2...で発散します）";

// The incomplete gamma functions.
inline constexpr std::u16string_view kLowerNegativeArgument = u"第1種不完全ガンマ関数sgammaに負の値が入力されました";
inline constexpr std::u16string_view kLowerPole = u"第1種不完全ガンマ関数sgammaが発散しました（a=0,-1,-2..で発散）";
inline constexpr std::u16string_view kLowerNoConvergence = u"第1種不完全ガンマ関数sgammaは収束しませんでした";
inline constexpr std::u16string_view kUpperNegativeArgument = u"第2種不完全ガンマ関数bgammaに負の値が入力されました";
inline constexpr std::u16string_view kUpperNoConvergence = u"第2種不完全ガンマ関数bgammaは収束しませんでした";

// The beta family and the chi-square distribution.
inline constexpr std::u16string_view kBetaNonPositiveA = u"ベータ関数betaの定数aに0以下の値が入ってます";
inline constexpr std::u16string_view kBetaNonPositiveB = u"ベータ関数betaの定数bに0以下の値が入ってます";
inline constexpr std::u16string_view kRegularizedNonPositiveA =
    u"正規化された不完全ベータ関数ibetaの定数aに0以下の値が入ってます";
inline constexpr std::u16string_view kRegularizedNonPositiveB =
    u"正規化された不完全ベータ関数ibetaの定数bに0以下の値が入ってます";
inline constexpr std::u16string_view kRegularizedOutsideUnit =
    u"正規化された不完全ベータ関数ibetaの引数xに0より小さい、あるいは1より大きい数が入っています";
inline constexpr std::u16string_view kRegularizedNoConvergence =
    u"正規化された不完全ベータ関数ibetaの計算は収束しませんでした";
inline constexpr std::u16string_view kIncompleteNonPositiveA = u"不完全ベータ関数xbetaの定数aに0以下の値が入ってます";
inline constexpr std::u16string_view kIncompleteNonPositiveB = u"不完全ベータ関数xbetaの定数bに0以下の値が入ってます";
inline constexpr std::u16string_view kIncompleteOutsideUnit =
    u"不完全ベータ関数xbetaの引数xに0より小さい、あるいは1より大きい数が入っています";
inline constexpr std::u16string_view kChiSquareNonPositiveK = u"累積χ2乗分布関数chisqの定数aに0以下の値が入ってます";
inline constexpr std::u16string_view kChiSquareNegativeX =
    u"累積χ2乗分布関数chisqの引数xに0より小さい、あるいは1より大きい数が入っています";

// The factorial and the Fisher transformation.
inline constexpr std::u16string_view kFactorialNotNatural = u"fact関数に非自然数が入力されました";
inline constexpr std::u16string_view kFisherOutsideRange =
    u"\u3000\u3000fisher関数にx≧1又はx≦-1が入力されました\r\n\r\nfisher関数の引数は、-1＜x＜-1でなくてはなりません";

// The exponential and logarithmic integrals.
inline constexpr std::u16string_view kEiDivergent = u"指数積分expiが発散しました（0が代入されました）";
inline constexpr std::u16string_view kEiNotConverged = u"指数積分expiは収束しませんでした";
inline constexpr std::u16string_view kEiOverflow = u"指数積分expiでオーバーフローが発生しました";
inline constexpr std::u16string_view kEnDivergent = u"一般化指数積分expnが発散しました（n=1,x=0で発散します）";
inline constexpr std::u16string_view kEnNotConverged = u"一般化指数積分expnが収束しませんでした";
inline constexpr std::u16string_view kEnOverflow = u"一般化指数積分expnでオーバーフローが発生しました";
// Followed by the message of the error that Ei raised.
inline constexpr std::u16string_view kEnOtherErrorPrefix = u"一般化指数積分expnで以下のエラーが発生しました\r\n\r\n";
inline constexpr std::u16string_view kLiAtOne = u"対数積分liの引数に1が代入されました";
inline constexpr std::u16string_view kLiNegative = u"対数積分liの引数に負の値が代入されました";

// The sine, cosine and Fresnel integrals.
inline constexpr std::u16string_view kSiNotConverged = u"正弦積分bsiは収束しませんでした";
inline constexpr std::u16string_view kSsiNotConverged = u"正弦積分ssiは収束しませんでした";
inline constexpr std::u16string_view kCiNotPositive = u"余弦積分ciの引数に0以下の数が入力されました";
inline constexpr std::u16string_view kCiNotConverged = u"余弦積分ciは収束しませんでした";
inline constexpr std::u16string_view kCinNotPositive = u"余弦積分cinの引数に0以下の数が入力されました";
inline constexpr std::u16string_view kCinNotConverged = u"余弦積分cinは収束しませんでした";
inline constexpr std::u16string_view kShiNotConverged = u"双曲線正弦積分shiは収束しませんでした";
inline constexpr std::u16string_view kChiNotPositive = u"双曲線余弦積分chiの引数に0以下の数が入力されました";
inline constexpr std::u16string_view kChiNotConverged = u"双曲線余弦積分chiは収束しませんでした";
inline constexpr std::u16string_view kFresnelSNotConverged = u"フレネル正弦積分fsiは収束しませんでした";
inline constexpr std::u16string_view kFresnelCNotConverged = u"フレネル余弦積分fciは収束しませんでした";

// The Bessel functions.
inline constexpr std::u16string_view kBesselJPole = u"第1種ベッセル関数besseljが発散しました（z=0で発散）";
inline constexpr std::u16string_view kBesselJNoConvergence = u"第1種ベッセル関数besseljは収束しませんでした";
inline constexpr std::u16string_view kBesselYPole = u"第2種ベッセル関数besselyが発散しました（z=0で発散）";
inline constexpr std::u16string_view kBesselYImaginary =
    u"第2種ベッセル関数besselyはaが整数でz<0の時、虚数となり計算できません";
inline constexpr std::u16string_view kBesselYNoConvergence = u"第2種ベッセル関数besselyは収束しませんでした";

// The zeta family.
inline constexpr std::u16string_view kZetaPole = u"リーマンゼータ関数zetaが発散しました（引数に1が入りました）";
inline constexpr std::u16string_view kZetaNoConvergence = u"リーマンゼータ関数zetaは収束しませんでした";
inline constexpr std::u16string_view kHurwitzShiftNotPositive =
    u"Hurwitzのゼータ関数hzetaの係数aに0以下の数が代入されました";
inline constexpr std::u16string_view kHurwitzOrderAtMostOne =
    u"Hurwitzのゼータ関数hzetaの引数xに1以下の数が代入されました";
inline constexpr std::u16string_view kHurwitzNoConvergence = u"Hurwitzのゼータ関数hzetaは収束しませんでした";
inline constexpr std::u16string_view kPolylogOutsideDisc = u"多重対数関数polylogの引数xに|x|>1が入力されています";
inline constexpr std::u16string_view kPolylogNoConvergence = u"多重対数関数polylogは収束しませんでした";

}  // namespace quorvex::special
