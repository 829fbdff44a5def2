#!/usr/bin/python3
"""Prints the constant tables of src/core/'s elementary functions, as they stand in the source.

Run with Debian's /usr/bin/python3 and python3-mpmath:
    /usr/bin/python3 tests/data/generate_elementary_tables.py [--check]
Each value is computed at 1700 bits and rounded to double-double (hi the nearest double, lo the
double nearest the rest), printed with 17 significant digits. With --check, every table is
compared with the numbers in the source files and the first difference is reported.
"""
import os
import re
import sys

from mpmath import mp, mpf

mp.prec = 1700
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "src", "core")


def dd(v):
    hi = float(v)
    return hi, float(v - mpf(hi))


def g17(x):
    return "%.17g" % x


def dd_text(v):
    hi, lo = dd(v)
    return "{%s, %s}" % (g17(hi), g17(lo))


def pieces(v, bits, count):
    """v as count heads of `bits` significant bits and a rounded rest (Cody-Waite)."""
    out, rest = [], v
    for _ in range(count):
        e = int(mp.floor(mp.log(abs(rest), 2)))
        head = mp.floor(rest * mpf(2) ** (bits - 1 - e)) / mpf(2) ** (bits - 1 - e)
        out.append(float(head))
        rest -= head
    out.append(float(rest))
    return out


def two_over_pi_words():
    """2/pi in 32-bit words after two zero words (its integer part and the positions before it)."""
    n = int(mp.floor((2 / mp.pi) * mpf(2) ** (32 * 44)))
    return [0, 0] + [(n >> (32 * (43 - k))) & 0xFFFFFFFF for k in range(44)]


def tables():
    """(source file, table name, list of numbers as printed) for every table."""
    out = []
    out.append(("exponential_logarithm.cpp", "kExpCoarse", [dd(mpf(2) ** (mpf(j) / 32)) for j in range(32)]))
    out.append(("exponential_logarithm.cpp", "kExpFine", [dd(mpf(2) ** (mpf(i) / 1024)) for i in range(32)]))
    out.append(("exponential_logarithm.cpp", "kMinusLogOfReciprocal",
                [dd(-mp.log(mpf(128.0 / i))) for i in range(91, 182)]))  # 128.0 / i is fl(128/i)
    ln2_1024 = pieces(mp.log(2) / 1024, 32, 2)
    out.append(("exponential_logarithm.cpp", "kLn2Over1024Part", [(x,) for x in ln2_1024]))
    out.append(("exponential_logarithm.cpp", "kInverseLn2Over1024", [(float(1024 / mp.log(2)),)]))
    out.append(("exponential_logarithm.cpp", "kLn2Head/kLn2Tail", [tuple(pieces(mp.log(2), 42, 1))]))
    out.append(("trigonometric.cpp", "kSineCosineTable",
                [dd(mp.sin(mpf(j) / 64)) + dd(mp.cos(mpf(j) / 64)) for j in range(51)]))
    out.append(("trigonometric.cpp", "kHalfPiPart", [(x,) for x in pieces(mp.pi / 2, 32, 3)]))
    out.append(("trigonometric.cpp", "kTwoOverPiBits", [(w,) for w in two_over_pi_words()]))
    out.append(("inverse_trigonometric.cpp", "kArctangentTable", [dd(mp.atan(mpf(j) / 64)) for j in range(65)]))
    return out


def series():
    """Taylor coefficients 1/k!, 1/k and erf's (-1)^k / (k! (2k + 1)), as the kernels use them."""
    rows = [("1/%d!" % k, dd(1 / mp.factorial(k))) for k in range(2, 12)]
    rows += [("1/%d" % k, dd(mpf(1) / k)) for k in range(3, 16)]
    rows += [("erf %d" % k, dd(mpf(-1) ** k / (mp.factorial(k) * (2 * k + 1)))) for k in range(19)]
    rows += [(name, dd(v)) for name, v in (("pi", mp.pi), ("pi/2", mp.pi / 2), ("pi/4", mp.pi / 4),
                                           ("3pi/4", 3 * mp.pi / 4), ("ln 2", mp.log(2)),
                                           ("2/sqrt(pi)", 2 / mp.sqrt(mp.pi)))]
    return rows


def numbers_in(text):
    return [float.fromhex(t) if t.lower().startswith("0x") and "p" in t.lower() else
            (int(t, 16) if t.lower().startswith("0x") else float(t))
            for t in re.findall(r"-?0x[0-9A-Fa-f]+(?:\.[0-9A-Fa-f]*p[-+]?\d+)?|-?\d+\.?\d*(?:e[-+]?\d+)?", text)]


def table_text(path, name):
    """The numbers of the braced initializer after `name` in the file."""
    text = open(os.path.join(SOURCE, path)).read()
    start = text.index(name)
    first = text.index("{", start)
    depth, k = 0, first
    while True:
        depth += {"{": 1, "}": -1}.get(text[k], 0)
        if depth == 0:
            return text[first:k + 1]
        k += 1


def check():
    bad = 0
    for path, name, rows in tables():
        expected = [x for row in rows for x in row]
        if "/" in name or name.endswith("Part") or name == "kInverseLn2Over1024":
            text = open(os.path.join(SOURCE, path)).read()
            found = [float(v) for n in name.split("/") for v in
                     re.findall(r"constexpr double %s\d* = ([-0-9.e]+);" % re.escape(n), text)]
        else:
            found = numbers_in(table_text(path, name))
        ok = found == expected
        bad += not ok
        print("%-26s %-22s %s" % (path, name, "matches" if ok else "DIFFERS: %s vs %s" % (found[:4], expected[:4])))
    return bad


if __name__ == "__main__":
    if "--check" in sys.argv:
        sys.exit(1 if check() else 0)
    for path, name, rows in tables():
        print("// %s %s" % (path, name))
        for row in rows:
            print("    " + ", ".join(("0x%08X" % v) if isinstance(v, int) else g17(v) for v in row))
    print("// series coefficients and constants, double-double")
    for name, (hi, lo) in series():
        print("    %-12s {%s, %s}" % (name, g17(hi), g17(lo)))
