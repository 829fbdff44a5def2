// J_nu(x) and Y_nu(x) of a non-negative order for 0 < x <= 1000, where neither the ascending
// series nor Hankel's expansion is accurate: Steed's method, with Temme's series below x = 2.
#pragma once

#include <string_view>

namespace quorvex::special {

// J by its ascending series where x^2 < 10 (nu + 1): the terms fall from the second on (the
// first ratio is below 2.5), while the recurrence would run through about nu - x orders.
inline constexpr double kSeriesOrderFactor = 10.0;

struct OrderPair {
    double lower;  // Y_mu
    double upper;  // Y_(mu+1)
};

// Y_mu(x) and Y_(mu+1)(x) for x > 0 and |mu| <= 1/2 by Temme's series, its terms summed until
// below eps; EConvergeError with the message at the cap. Continuous through mu = 0.
OrderPair TemmeSeries(double x, double mu, double eps, std::u16string_view message);

// J_nu(x) for x > 0 and nu >= 0 by its ascending series (A&S 9.1.10) in double-double, the
// terms summed until below eps (and 2^-70) of the sum; EConvergeError with the message for
// eps <= 0 and at the cap. Within an ulp where x < 5.5 or x^2 < 10 (nu + 1); x below about 1000
// (the leading term's partial products stay below e^(x/2)).
double SeriesBesselJ(double x, double nu, double eps, std::u16string_view message);

// J_nu(x) and Y_nu(x) for 0 < x <= 1000 and finite nu >= 0, to a few units in the last place.
// A recurrence that overflows, an order of Y above 2x + 2000 (where Y overflows) and an input
// that is not finite raise EOverflow; a continued fraction or series at its cap raises
// EConvergeError with the message.
double SteedBesselJ(double x, double nu, std::u16string_view message);
double SteedBesselY(double x, double nu, std::u16string_view message);

}  // namespace quorvex::special
