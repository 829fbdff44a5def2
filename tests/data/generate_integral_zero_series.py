#!/usr/bin/python3
"""Prints the constants of Ci and Chi next to their zeros in the series' range (Ci's first zero
0.61650..., Chi's only zero 0.52382...): each zero x0 as a double-double (hi + lo) and the Taylor
coefficients c_1 .. c_N of f(x0 + d) = sum c_k d^k (c_0 = 0), with the largest relative error of
the rounded polynomial against mpmath on |d| <= 0.1.

Run with Debian's /usr/bin/python3 and python3-mpmath: /usr/bin/python3 generate_integral_zero_series.py
"""
from mpmath import mp, mpf

mp.dps = 60
REACH = mpf("0.1")
TERMS = 24

for name, function, guess in (("Ci", mp.ci, "0.6165"), ("Chi", mp.chi, "0.5238")):
    x0 = mp.findroot(function, mpf(guess))
    hi = float(x0)
    lo = float(x0 - mpf(hi))
    coefficients = mp.taylor(function, x0, TERMS)[1:]
    rounded = [mpf(float(c)) for c in coefficients]
    grid = [-REACH + 2 * REACH * k / 2000 for k in range(2001) if k != 1000]
    worst = max(abs(d * mp.polyval(rounded[::-1], d) / function(x0 + d) - 1) for d in grid)
    print(f"{name}: x0 = {mp.nstr(x0, 40)}, hi = {hi!r}, lo = {lo!r}, worst relative error {mp.nstr(worst, 3)}")
    print(",\n".join(f"{float(c):.16e}" for c in coefficients))
