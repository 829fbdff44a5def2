#!/usr/bin/python3
"""Writes corpus.txt: the expressions whose results must be the same, bit for bit, error for
error, on every platform. Every function form of the calculator's catalogue with arguments
across its domain, the constants, and random arithmetic. Deterministic: run it again and the
file does not change. Usage: generate_corpus.py > corpus.txt"""
import pathlib
import random
import re

ROOT = pathlib.Path(__file__).resolve().parents[2]
CATALOGUE = (ROOT / "src/functions/function_table.hpp").read_text(encoding="utf-8")
CONSTANTS = (ROOT / "src/pipeline/physical_constants.hpp").read_text(encoding="utf-8")

rng = random.Random(20261208)


def number():
    """An argument: small integers, short decimals, special points, or any magnitude."""
    kind = rng.random()
    if kind < 0.25:
        return str(rng.randint(-3, 12))
    if kind < 0.5:
        return f"{rng.uniform(-10, 10):.6g}"
    if kind < 0.6:
        return rng.choice(["0", "1", "-1", "0.5", "-0.5", "2.5", "1e-300", "170", "171", "0.999999", "1.000001"])
    if kind < 0.9:
        return f"{rng.choice([-1, 1]) * 10 ** rng.uniform(-12, 12):.9g}"
    return f"{rng.choice([-1, 1]) * 10 ** rng.uniform(-300, 300):.4g}"


def forms():
    for name, text in re.findall(r'\.name = u"(\w+)",\s*\.catalogue = \{k\w+, "([^"]*)"', CATALOGUE):
        for form in text.split("|"):
            arguments = re.search(r"\((.*)\)", form).group(1)
            count = 3 if "..." in arguments else len(arguments.split(","))
            yield name, count, "eps" in arguments


def calls():
    for name, count, has_eps in forms():
        for _ in range(40):
            arguments = [number() for _ in range(count)]
            if has_eps and rng.random() < 0.5:
                arguments[-1] = rng.choice(["1e-10", "1e-6", "1e-15", "0.1"])
            yield f"{name}({','.join(arguments)})"


def arithmetic(depth=0):
    if depth > 3 or rng.random() < 0.3:
        return number()
    choice = rng.random()
    if choice < 0.6:
        return f"{arithmetic(depth + 1)}{rng.choice('+-*/^')}{arithmetic(depth + 1)}"
    if choice < 0.8:
        return f"({arithmetic(depth + 1)})"
    return f"{rng.choice(['sin', 'cos', 'tan', 'exp', 'ln', 'sqrt', 'atan', 'sinh', 'gamma', 'erf'])}({arithmetic(depth + 1)})"


def main():
    lines = list(calls())
    for token in re.findall(r'\{u"(\w+)", u"', CONSTANTS):
        lines += [token, f"2*{token}", f"{token}/3"]
    lines += [arithmetic() for _ in range(2000)]
    print("\n".join(lines))


main()
