// J_nu(x) and Y_nu(x) of a non-negative order for 0 < x <= 1000, where neither the ascending
// series nor Hankel's expansion is accurate: Steed's method, with Temme's series below x = 2.
#pragma once

#include <string_view>

namespace quorvex::special {

struct OrderPair {
    double lower;  // Y_mu
    double upper;  // Y_(mu+1)
};

// Y_mu(x) and Y_(mu+1)(x) for x > 0 and |mu| <= 1/2 by Temme's series, its terms summed until
// below eps; EConvergeError with the message at the cap. Continuous through mu = 0.
OrderPair TemmeSeries(double x, double mu, double eps, std::u16string_view message);

// J_nu(x) and Y_nu(x) for 0 < x <= 1000 and finite nu >= 0, to a few units in the last place.
// A recurrence that overflows, an order of Y above 2x + 2000 (where Y overflows) and an input
// that is not finite raise EOverflow; a continued fraction or series at its cap raises
// EConvergeError with the message.
double SteedBesselJ(double x, double nu, std::u16string_view message);
double SteedBesselY(double x, double nu, std::u16string_view message);

}  // namespace quorvex::special
