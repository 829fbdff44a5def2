#!/usr/bin/python3
"""Writes elementary_math.tsv: reference values of the library's elementary functions.

Run with Debian's /usr/bin/python3 and python3-mpmath: /usr/bin/python3 generate_elementary_math.py
Each row: function, x, y (second argument or 0), the correctly rounded result, and the exact
value's distance from it in units of its last place; numbers as C99 hex floats. Samples cover
each function's domain log-uniformly over its decades, both signs, and the edges: zeros,
switch-over points of the methods, multiples of pi/2, thresholds of overflow and underflow,
subnormals. The random generator is seeded, so the file is reproducible.
"""
import math
import os
import random

from mpmath import mp, mpf

mp.prec = 320
rng = random.Random(20240601)
TWO = mpf(2)


def nearest(v):
    """The double nearest to v (half to even, subnormals and overflow included), and the
    distance of v from it in units of its last place."""
    if v == 0:
        return 0.0, 0.0
    e = int(mp.floor(mp.log(abs(v), 2)))
    if abs(v) >= TWO ** (e + 1):
        e += 1
    if abs(v) < TWO ** e:
        e -= 1
    ulp = TWO ** max(e - 52, -1074)
    q = v / ulp
    n = int(mp.floor(q))
    f = q - n
    if f > 0.5 or (f == 0.5 and n % 2 == 1):
        n += 1
    if abs(n * ulp) >= TWO ** 1024:
        return math.copysign(math.inf, v), 0.0
    return float(n * ulp), float(q - n)


def exact(name, x, y):
    big = abs(x) > 2.0 ** 20
    with mp.workprec(1400 if big else 320):
        a, b = mpf(x), mpf(y)
        f = {
            "exp": lambda: mp.exp(a), "expm1": lambda: mp.expm1(a), "log": lambda: mp.log(a),
            "log1p": lambda: mp.log1p(a), "sin": lambda: mp.sin(a), "cos": lambda: mp.cos(a),
            "tan": lambda: mp.tan(a), "asin": lambda: mp.asin(a), "acos": lambda: mp.acos(a),
            "atan": lambda: mp.atan(a), "atan2": lambda: mp.atan2(a, b), "sinh": lambda: mp.sinh(a),
            "cosh": lambda: mp.cosh(a), "tanh": lambda: mp.tanh(a), "asinh": lambda: mp.asinh(a),
            "acosh": lambda: mp.acosh(a), "atanh": lambda: mp.atanh(a), "hypot": lambda: mp.hypot(a, b),
            "erf": lambda: mp.erf(a),
        }[name]
        return +f()


def log_uniform(lo, hi, count, signs=(1,)):
    out = []
    for _ in range(count):
        m = math.exp(rng.uniform(math.log(lo), math.log(hi)))
        out.append(rng.choice(signs) * m)
    return out


def around(v, steps=2):
    """v and its neighbours a few ulps away."""
    out = [v]
    up = down = v
    for _ in range(steps):
        up = math.nextafter(up, math.inf)
        down = math.nextafter(down, -math.inf)
        out += [up, down]
    return out


def near_half_pi_multiples():
    out = around(math.pi / 2, 3) + around(math.pi, 3) + around(3 * math.pi / 2, 3) + around(2 * math.pi, 2)
    for k in [3, 4, 7, 10, 100, 355, 1000, 12345, 105414, 667544, 2 ** 20, 10 ** 7, 10 ** 9]:
        out += around(float(mpf(k) * mp.pi / 2), 1)
    out += [6381956970095103 * 2.0 ** 797, 1e22, 1e300, 1.7976931348623157e308, 2.0 ** 20,
            math.nextafter(2.0 ** 20, 0), 2.0 ** 54, 2.0 ** 1023, 5e-324, 2.0 ** -27, math.nextafter(2.0 ** -27, 0)]
    return out + [-v for v in out[::3]]


ALL = (-1, 1)
LN2_2048 = math.log(2) / 2048
samples = {
    "exp": log_uniform(2.0 ** -60, 709.7, 300, ALL) + [rng.uniform(-745.2, -708.3) for _ in range(60)]
    + around(709.782712893384, 2) + around(-745.1332191019411, 2) + around(-708.3964185322641, 1)
    + [709.79, -745.2, -744.5, LN2_2048, -LN2_2048, 2 * LN2_2048, 1.0, -1.0, 1e-300, 5e-324]
    + [k * math.log(2) / 1024 for k in range(-5, 6)],
    "expm1": log_uniform(2.0 ** -70, 700, 300, ALL) + around(LN2_2048, 2) + around(-LN2_2048, 2)
    + [-40.0, -39.9, -38.0, 5e-324, -5e-324, 1e-310, 709.78, 700.0, 700.1],
    "log": [rng.uniform(1, 2) * 2.0 ** rng.randint(-1074, 1023) for _ in range(300)]
    + [1 + k * 2.0 ** -52 for k in range(1, 8)] + [1 - k * 2.0 ** -53 for k in range(1, 8)]
    + [1 + 2.0 ** -k for k in range(1, 60, 3)] + [1 - 2.0 ** -k for k in range(2, 60, 3)]
    + around(0.70710678118654752, 2) + around(1.4142135623730951, 2) + around(1 + 1 / 256, 1) + around(1 - 1 / 256, 1)
    + [5e-324, 2.2250738585072014e-308, 1.7976931348623157e308, 2.0, 0.5, 10.0],
    "log1p": log_uniform(2.0 ** -80, 1e300, 200) + log_uniform(2.0 ** -80, 1.0, 150, (-1,))
    + [-(1 - 2.0 ** -k) for k in range(1, 53, 4)] + around(1 / 256, 1) + around(-1 / 256, 1)
    + [5e-324, -5e-324, 1.7976931348623157e308],
    "asin": [rng.uniform(-1, 1) for _ in range(150)] + log_uniform(2.0 ** -40, 1, 150, ALL)
    + [s * (1 - k * 2.0 ** -53) for k in (1, 2, 3, 100) for s in ALL] + [s * (1 - 2.0 ** -k) for k in range(1, 53, 4) for s in ALL]
    + [1.0, -1.0, 0.5, -0.5, 0.7071067811865476, 5e-324],
    "atan": log_uniform(2.0 ** -40, 2.0 ** 70, 300, ALL) + [k / 64 + d for k in range(0, 65, 8) for d in (0, 1 / 128, -1 / 128)]
    + [1.0, -1.0, 2.0 ** 60, 1.7976931348623157e308, 5e-324],
    "atan2": [rng.choice(ALL) * 2.0 ** rng.uniform(-80, 80) for _ in range(600)]
    + [1e-300, 1e300, 1.0, -1.0, 1e300, -1e-300, 5e-324, 1.0, 1.0, 5e-324, 3.0, 3.0, -3.0, 3.0],
    "sinh": log_uniform(2.0 ** -40, 711, 300, ALL) + around(40.0, 1) + around(710.4758600739439, 2) + [2.0 ** -27, 0.5, 22.0],
    "tanh": log_uniform(2.0 ** -40, 25, 300, ALL) + around(22.0, 1) + [2.0 ** -27, 19.06, 0.5, -0.5],
    "asinh": log_uniform(2.0 ** -40, 1.7e308, 300, ALL) + around(2.0 ** 40, 1) + [2.0 ** -27, 5e-324],
    "acosh": [1 + v for v in log_uniform(2.0 ** -52, 1e300, 300)] + [1.0 + k * 2.0 ** -52 for k in range(1, 6)]
    + around(2.0 ** 40, 1) + [1.0, 2.0, 1.7976931348623157e308],
    "atanh": [rng.uniform(-1, 1) for _ in range(150)] + log_uniform(2.0 ** -40, 1, 150, ALL)
    + [s * (1 - k * 2.0 ** -53) for k in (1, 2, 3, 100) for s in ALL] + [2.0 ** -27, 0.5, -0.5, 5e-324],
    "hypot": [rng.choice(ALL) * 2.0 ** rng.uniform(-1074, 1023) for _ in range(300)]
    + [rng.choice(ALL) * 2.0 ** rng.uniform(-30, 30) for _ in range(300)]
    + [3.0, 4.0, 1e308, 1e308, 5e-324, 5e-324, 1.0, 2.0 ** -61, 1.0, 2.0 ** -60, 2.2250738585072014e-308, 1e-310],
    "erf": [rng.uniform(-0.5, 0.5) for _ in range(200)] + log_uniform(2.0 ** -1070, 0.5, 150, ALL) + [0.5, -0.5, 5e-324, 2.0 ** -500],
}
samples["cos"] = samples["sin"] = samples["tan"] = log_uniform(2.0 ** -40, 2.0 ** 1023, 500, ALL) + near_half_pi_multiples() \
    + [k / 64 + d for k in range(0, 51, 5) for d in (0, 1 / 128, -1 / 128)]
samples["acos"] = samples["asin"]
samples["cosh"] = samples["sinh"]

rows = []
for name, xs in samples.items():
    pairs = list(zip(xs[0::2], xs[1::2])) if name in ("atan2", "hypot") else [(x, 0.0) for x in xs]
    for x, y in pairs:
        value, residual = nearest(exact(name, x, y))
        rows.append("%s\t%s\t%s\t%s\t%.6f" % (name, x.hex(), y.hex(), value.hex(), residual))

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "elementary_math.tsv"), "w") as out:
    out.write("# function\tx\ty\tcorrectly rounded result\t(exact - result) in ulps of the result\n")
    out.write("\n".join(rows) + "\n")
