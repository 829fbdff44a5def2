"""The Python binding's costs: a call of a short and a typical expression (to set beside the C
figures of bench/run), and a long error message, its evaluation and the reading of its text
timed apart. Run with QUORVEX_LIBRARY and PYTHONPATH=bindings/python set, as the tests do;
arguments are message lengths in units (default 1000000 10000000)."""

import ctypes
import sys
import time
import timeit

import quorvex


def per_call():
    for expression in ("1+2*3", "2*sin(0.5236)+cos(0.5)^2-exp(1.5)/3+sqrt(17)*ln(5)"):
        calls = 100_000
        seconds = min(timeit.repeat(lambda: quorvex.evaluate(expression), number=calls, repeat=5))
        print(f"evaluate({expression!r}): {seconds / calls * 1e6:.2f} us a call")


def main(lengths):
    per_call()
    library = quorvex._load()
    for length in lengths:
        encoded = ("a" * length).encode("utf-16-le") + b"\0\0"
        buffer = ctypes.create_string_buffer(encoded, len(encoded))
        value, error = ctypes.c_double(), quorvex._Error()
        started = time.perf_counter()
        library.EvaluonEx(ctypes.cast(buffer, ctypes.c_char_p), ctypes.byref(value), ctypes.byref(error))
        evaluated = time.perf_counter()
        message = quorvex._read_text(error.message)
        read = time.perf_counter()
        print(f"{len(message):>10} units  evaluate {evaluated - started:7.3f} s  read {read - evaluated:7.3f} s")


if __name__ == "__main__":
    main([int(argument) for argument in sys.argv[1:]] or [1_000_000, 10_000_000])
