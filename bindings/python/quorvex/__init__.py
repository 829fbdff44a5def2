"""Quorvex: evaluate mathematical expressions with libQuorvex64.so (Quorvex64.dll) through ctypes.

    >>> import quorvex
    >>> quorvex.evaluate("(1+2)*3^2")
    27.0

An expression that does not reduce gives NaN; an error raises a subclass of QuorvexError
carrying the library's class name, its Japanese message and its help context. An expression
that is not a str raises TypeError, one with a NUL character ValueError.

Texts from the library keep a lone surrogate as it is (decoded with 'surrogatepass'), so an
expression quoted in a message reads back exactly; str() of an error shows it as a \\udXXXX escape,
so that the error prints on any stream.
"""

from __future__ import annotations

import ctypes
import ctypes.util
import mmap
import os
import sys
import threading
from pathlib import Path
from typing import NamedTuple

__all__ = [
    "evaluate", "constants", "version", "Constant", "QuorvexError", "EConvertError",
    "EFunctionError", "EConvergeError", "EOverflow", "EZeroDivide", "EInvalidOp",
    "EStringListError",
]

LIBRARY_ENVIRONMENT_VARIABLE = "QUORVEX_LIBRARY"
# Quorvex64.dll needs only system DLLs, so loading it by its path needs no os.add_dll_directory;
# ctypes.util.find_library looks for it along PATH.
if sys.platform == "win32":
    _LIBRARY_NAMES = ("Quorvex64.dll",)
else:
    _LIBRARY_NAMES = ("libQuorvex64.so.1", "libQuorvex64.so")


class QuorvexError(Exception):
    """An error raised by the library: class name, message and help context."""

    def __init__(self, message: str, help_context: int, error_class: str) -> None:
        super().__init__(message.encode("utf-8", "backslashreplace").decode("utf-8"))
        self.message = message
        self.help_context = help_context
        self.error_class = error_class

    def __repr__(self) -> str:
        return f"{type(self).__name__}({self.message!r}, help_context={self.help_context})"


class EConvertError(QuorvexError):
    """A text that is not a number, or an expression that cannot be read."""


class EFunctionError(QuorvexError):
    """A function or operator applied outside its domain."""


class EConvergeError(QuorvexError):
    """An iteration that reached its cap without meeting its tolerance."""


class EOverflow(QuorvexError):
    """Floating-point overflow."""


class EZeroDivide(QuorvexError):
    """Division of a non-zero number by zero."""


class EInvalidOp(QuorvexError):
    """An invalid floating-point operation."""


class EStringListError(QuorvexError):
    """A token read past the end of the token list."""


_ERROR_CLASSES = {cls.__name__: cls for cls in (
    EConvertError, EFunctionError, EConvergeError, EOverflow, EZeroDivide, EInvalidOp,
    EStringListError)}


class Constant(NamedTuple):
    """A physical constant: its index, display text (name, description, unit) and value text."""

    index: int
    display: str
    text: str


class _Error(ctypes.Structure):
    _fields_ = [
        ("errorClass", ctypes.c_char_p),
        ("message", ctypes.c_void_p),
        ("helpContext", ctypes.c_int32),
    ]


def _candidates() -> list[str]:
    found = []
    explicit = os.environ.get(LIBRARY_ENVIRONMENT_VARIABLE)
    if explicit:
        found.append(explicit)
    here = Path(__file__).resolve().parent
    found.extend(str(here / name) for name in _LIBRARY_NAMES if (here / name).exists())
    found.extend(_LIBRARY_NAMES)
    system = ctypes.util.find_library("Quorvex64")
    if system:
        found.append(system)
    return found


_library = None
_library_lock = threading.Lock()
# Each thread's value and error record, made once: building them took as long as the call.
_per_thread = threading.local()


def _load() -> ctypes.CDLL:
    global _library
    if _library is not None:
        return _library
    with _library_lock:
        if _library is not None:
            return _library
        failures = []
        for candidate in _candidates():
            try:
                library = ctypes.CDLL(candidate)
            except OSError as error:
                failures.append(f"{candidate}: {error}")
                continue
            # The text goes as the bytes object's own buffer (c_char_p copies nothing); the value
            # and the error record are passed by reference.
            library.EvaluonEx.argtypes = [ctypes.c_char_p, ctypes.POINTER(ctypes.c_double),
                                          ctypes.POINTER(_Error)]
            library.EvaluonEx.restype = ctypes.c_int32
            library.GetVersion.restype = ctypes.c_void_p
            library.GetConstNum.restype = ctypes.c_int32
            library.GetConstName.argtypes = [ctypes.c_int32]
            library.GetConstName.restype = ctypes.c_void_p
            library.GetConstVal.argtypes = [ctypes.c_int32]
            library.GetConstVal.restype = ctypes.c_void_p
            _library = library
            return library
        raise OSError(_LIBRARY_NAMES[-1] + " not found; set " + LIBRARY_ENVIRONMENT_VARIABLE +
                      " to its path. Tried: " + "; ".join(failures))


def _read_text(address: int | None) -> str:
    """The NUL-terminated UTF-16 text at the address."""
    if not address:
        return ""
    # The length is not known, and reading past the terminator could leave mapped memory; the
    # page that holds it is readable to its end. The text is aligned to its units, so a unit never
    # straddles two pages.
    chunks = []
    start = address
    while True:
        chunk = ctypes.string_at(start, mmap.PAGESIZE - start % mmap.PAGESIZE)
        end = chunk.find(b"\0\0")
        while end >= 0 and (start - address + end) % 2:
            end = chunk.find(b"\0\0", end + 1)
        if end >= 0:
            chunks.append(chunk[:end])
            return b"".join(chunks).decode("utf-16-le", errors="surrogatepass")
        chunks.append(chunk)
        start += len(chunk)


def evaluate(expression: str) -> float:
    """The value of the expression; NaN when it does not reduce; raises QuorvexError.

    Raises TypeError when the expression is not a str and ValueError when it holds a NUL, which
    would end the text the library reads.
    """
    if not isinstance(expression, str):
        raise TypeError(f"expression must be str, not {type(expression).__name__}")
    if "\0" in expression:
        raise ValueError("embedded null character in expression")
    library = _library or _load()
    try:
        value, error = _per_thread.records
    except AttributeError:
        value, error = _per_thread.records = (ctypes.c_double(), _Error())
    # Two zero bytes end the text as one zero unit.
    if library.EvaluonEx((expression + "\0").encode("utf-16-le", errors="surrogatepass"), value, error) == 0:
        return value.value
    error_class = (error.errorClass or b"Exception").decode("ascii")
    message = _read_text(error.message)
    raise _ERROR_CLASSES.get(error_class, QuorvexError)(message, error.helpContext, error_class)


def constants() -> list[Constant]:
    """The physical constants the expressions know, in the library's order."""
    library = _load()
    return [Constant(i, _read_text(library.GetConstName(i)), _read_text(library.GetConstVal(i)))
            for i in range(library.GetConstNum())]


def version() -> str:
    """The library's version text."""
    return _read_text(_load().GetVersion())
