#!/usr/bin/python3
"""Writes cancellation_references.tsv: single-argument functions where their textbook formulas
cancel (hyperbolic and inverse hyperbolic near 0 and 1, asec and acsc near 1, fisher near -1,
the erfc and normal tails, erfinv near 0 and -1, erfcinv at the smallest subnormal).

Run with Debian's /usr/bin/python3 and python3-mpmath: /usr/bin/python3 generate_cancellation_references.py
Each row: function name, argument as a 15-digit literal, the exact value at the double nearest
to that literal, to 30 significant digits.
"""
import os
import sys

from mpmath import mp, mpf

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from generate_reference_tables import erfcinv  # noqa: E402  (one inverse for both tables)

mp.dps = 60


FUNCTIONS = {
    "sinh": mp.sinh, "csch": mp.csch, "asinh": mp.asinh, "acosh": mp.acosh, "asech": mp.asech,
    "acoth": mp.acoth, "acsch": mp.acsch, "atanh": mp.atanh, "asec": mp.asec, "acsc": mp.acsc,
    "fisher": mp.atanh, "erfc": mp.erfc, "nsdist": mp.ncdf, "erfinv": mp.erfinv, "erfcinv": erfcinv,
}

ARGUMENTS = [
    ("sinh", ["1e-12", "-3e-9", "1e-5", "-0.3", "709"]),
    ("csch", ["2e-12", "1e-8", "-1e-5", "0.01"]),
    ("asinh", ["1e-20", "-1e-5", "0.01", "-1000", "-1e7", "-6.7e7", "1e150"]),
    ("acosh", ["1.0000000001", "1.00000000000001", "1.5", "1e300"]),
    ("asech", ["0.999999999", "0.99999999999", "0.5", "1e-10"]),
    ("acoth", ["1e300", "-1e10", "1.000000001", "-1.9", "-3", "1.7e308"]),
    ("acsch", ["1e10", "-1e10", "-0.001", "-2e-8", "1e-11"]),
    ("atanh", ["1e-10", "-1e-20", "0.99999999999", "-0.3"]),
    ("asec", ["1.0000000029831", "-1.0000000029831", "1.00000000000001", "1.99", "-2", "1e300"]),
    ("acsc", ["1.0000000029831", "-1.00000000000001", "1.5", "-1e300"]),
    ("fisher", ["-0.999999999999999", "0.999999999999999", "-0.9999999", "-1e-10"]),
    ("erfc", ["23.915", "5.5", "10.3", "26.5", "-3.7", "0.7"]),
    ("nsdist", ["-37.3", "-20.1", "-8.7", "-1.3", "2.5"]),
    ("erfinv", ["1e-5", "-3e-10", "1e-300", "0.3", "-0.499", "0.5", "-0.999999999999999", "0.9"]),
    ("erfcinv", ["4.94065645841247e-324", "1e-300", "1e-20", "0.3", "0.99999", "1.4", "1.9"]),
]

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "cancellation_references.tsv"), "w") as out:
    out.write("# function\targument\texact value at the double nearest to the argument\n")
    for name, arguments in ARGUMENTS:
        for text in arguments:
            value = FUNCTIONS[name](mpf(float(text)))
            out.write(f"{name}\t{text}\t{mp.nstr(value, 30, min_fixed=1, max_fixed=0)}\n")
