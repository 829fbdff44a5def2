"""The Python binding's costs: a call of a short and a typical expression (to set beside the C
figures of bench/run); evaluate_many per item beside the C loops it stands for; and a long error
message, its evaluation and the reading of its text timed apart. Run with QUORVEX_LIBRARY and
PYTHONPATH=bindings/python set, as the tests do; arguments are message lengths in units (default
1000000 10000000). With QUORVEX_C_LOOP naming the evaluon_loop program (bench/evaluon_loop.c,
built by the bench preset), the same batches also go through EvaluonEx in a C loop and through
EvaluonJoinedEx from C."""

import ctypes
import math
import os
import subprocess
import sys
import time
import timeit

import quorvex


def per_call():
    for expression in ("1+2*3", "2*sin(0.5236)+cos(0.5)^2-exp(1.5)/3+sqrt(17)*ln(5)"):
        calls = 100_000
        seconds = min(timeit.repeat(lambda: quorvex.evaluate(expression), number=calls, repeat=5))
        print(f"evaluate({expression!r}): {seconds / calls * 1e6:.2f} us a call")


def batches():
    """Ten thousand short and ten thousand typical expressions, each item a little different."""
    return {
        "short": [f"{i % 97}+2*3" for i in range(10_000)],
        "typical": [f"2*sin(0.{i % 89 + 10})+cos(0.5)^2-exp(1.5)/3+sqrt({i % 31 + 2})*ln(5)" for i in range(10_000)],
    }


def per_item():
    library = quorvex._load()
    c_loop = os.environ.get("QUORVEX_C_LOOP")
    for name, texts in batches().items():
        count = len(texts)
        # The library's own loop, its buffer made beforehand: what the batch costs without Python.
        buffer = "\0".join(texts).encode("utf-16-le")
        values = (ctypes.c_double * count)()
        best = {"many": math.inf, "raw": math.inf, "loop": math.inf, "c_batch": math.inf}
        # Processor time, taken in turns and the best kept, so that a busy machine weighs on each
        # alike; evaluon_loop counts its thread's processor time too.
        for _ in range(8):
            best["many"] = min(best["many"], *timeit.repeat(lambda: quorvex.evaluate_many(texts), number=1, repeat=3,
                                                            timer=time.thread_time))
            best["raw"] = min(best["raw"], *timeit.repeat(lambda: library.EvaluonJoinedEx(buffer, len(buffer) // 2, count, values, None),
                                                          number=1, repeat=3, timer=time.thread_time))
            if c_loop:
                run = subprocess.run([c_loop, "3"], input="\n".join(texts) + "\n", capture_output=True, text=True,
                                     check=True)
                loop, batch = (float(figure) * 1e-9 * count for figure in run.stdout.split())
                best["loop"], best["c_batch"] = min(best["loop"], loop), min(best["c_batch"], batch)
        many, raw, looped, c_batch = (best[key] / count * 1e9 for key in ("many", "raw", "loop", "c_batch"))
        report = f"{name:8} ns an item: evaluate_many {many:7.0f}  EvaluonJoinedEx alone {raw:7.0f}"
        if c_loop:
            report += (f"  from C: EvaluonEx loop {looped:7.0f}, EvaluonJoinedEx {c_batch:7.0f}"
                       f"  evaluate_many/loop {many / looped:.2f}")
        print(report)


def main(lengths):
    per_call()
    per_item()
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
