#!/usr/bin/python3
"""Prints the constants of psi next to its positive zero x0 = 1.46163...: x0 as a double-double
(hi + lo) and the coefficients, constant term first, of P(d) with psi(x0 + d) = d P(d) on
|d| <= 0.25, P the Chebyshev interpolant of psi(x0 + d) / d converted to monomials (mpmath
chebyfit). It checks the fit, and the fit with its coefficients rounded to doubles, against
mpmath on a dense grid and prints the largest relative errors.

Run with Debian's /usr/bin/python3 and python3-mpmath: /usr/bin/python3 generate_digamma_root_fit.py
"""
from mpmath import mp, mpf

mp.dps = 60
HALF_WIDTH = mpf("0.25")
DEGREE = 16

x0 = mp.findroot(mp.digamma, mpf("1.4616321449683623"))
hi = float(x0)
lo = float(x0 - mpf(hi))


def ratio(d):
    return mp.psi(1, x0) if d == 0 else mp.digamma(x0 + d) / d


coefficients = mp.chebyfit(ratio, [-HALF_WIDTH, HALF_WIDTH], DEGREE + 1)
coefficients = coefficients[::-1]
rounded = [mpf(float(c)) for c in coefficients]


def worst(table):
    grid = [-HALF_WIDTH + 2 * HALF_WIDTH * k / 2000 for k in range(2001)]
    return max(abs(mp.polyval(table[::-1], d) / ratio(d) - 1) for d in grid)


print(f"x0 = {mp.nstr(x0, 50)}")
print(f"hi = {hi!r}, lo = {lo!r}")
print(f"largest relative error of P: fit {mp.nstr(worst(coefficients), 3)},"
      f" rounded to doubles {mp.nstr(worst(rounded), 3)}")
for c in coefficients:
    print(f"{float(c):.16e},")
