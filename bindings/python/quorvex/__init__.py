"""Quorvex: evaluate mathematical expressions with libQuorvex64.so (Quorvex64.dll) through ctypes.

    >>> import quorvex
    >>> quorvex.evaluate("(1+2)*3^2")
    27.0

An expression that does not reduce gives NaN; an error raises a subclass of QuorvexError
carrying the library's class name, its Japanese message and its help context. An expression
that is not a str raises TypeError, one with a NUL character ValueError.

Texts from the library keep a lone surrogate as it is (decoded with 'surrogatepass'), so an
expression quoted in a message reads back exactly in the error's message attribute.
"""

from __future__ import annotations

import array as _array
import ctypes
import ctypes.util
import mmap
import os
import sys
import threading
from pathlib import Path
from typing import Any, List, NamedTuple, Optional, Sequence, Tuple

__all__ = [
    "evaluate", "evaluate_many", "constants", "version", "Constant", "QuorvexError",
    "EConvertError", "EFunctionError", "EConvergeError", "EOverflow", "EZeroDivide", "EInvalidOp",
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
    """An error raised by the library: class name, message and help context.

    The three are the exception's args, so it pickles (a process pool hands it back whole).
    str() gives the message with what sys.stdout's encoding cannot carry as backslash escapes,
    so that print(error) works on any terminal; repr() is ASCII.
    """

    def __init__(self, message: str, help_context: int = 0, error_class: str = "Exception") -> None:
        super().__init__(message, help_context, error_class)
        self.message = message
        self.help_context = help_context
        self.error_class = error_class

    def __str__(self) -> str:
        encoding = getattr(sys.stdout, "encoding", None) or "utf-8"
        try:
            return self.message.encode(encoding, "backslashreplace").decode(encoding)
        except LookupError:  # a stream claiming an encoding Python does not know
            return self.message.encode("ascii", "backslashreplace").decode("ascii")

    def __repr__(self) -> str:
        return f"{type(self).__name__}({ascii(self.message)}, help_context={self.help_context})"


class EConvertError(QuorvexError, ValueError):
    """A text that is not a number, or an expression that cannot be read."""


class EFunctionError(QuorvexError, ValueError):
    """A function or operator applied outside its domain."""


class EConvergeError(QuorvexError):
    """An iteration that reached its cap without meeting its tolerance."""


class EOverflow(QuorvexError, OverflowError):
    """Floating-point overflow."""


class EZeroDivide(QuorvexError, ZeroDivisionError):
    """Division of a non-zero number by zero."""


class EInvalidOp(QuorvexError, ArithmeticError):
    """An invalid floating-point operation."""


class EStringListError(QuorvexError):
    """A token read past the end of the token list."""


_ERROR_CLASSES = {cls.__name__: cls for cls in (
    EConvertError, EFunctionError, EConvergeError, EOverflow, EZeroDivide, EInvalidOp,
    EStringListError)}


class Constant(NamedTuple):
    """A physical constant: its index, display text (name, description, unit), value text, the
    token that stands for it in an expression and its value as the expressions use it."""

    index: int
    display: str
    text: str
    token: str
    value: float


class _Error(ctypes.Structure):
    _fields_ = [
        ("errorClass", ctypes.c_char_p),
        ("message", ctypes.c_void_p),
        ("helpContext", ctypes.c_int32),
    ]


def _candidates() -> List[str]:
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
            if hasattr(library, "EvaluonJoinedEx"):
                library.EvaluonJoinedEx.argtypes = [ctypes.c_char_p, ctypes.c_size_t, ctypes.c_size_t,
                                                    ctypes.POINTER(ctypes.c_double),
                                                    ctypes.POINTER(ctypes.c_int32)]
                library.EvaluonJoinedEx.restype = ctypes.c_size_t
            library.GetVersion.restype = ctypes.c_void_p
            library.GetConstNum.restype = ctypes.c_int32
            for getter in (library.GetConstName, library.GetConstVal, library.GetConstToken):
                getter.argtypes = [ctypes.c_int32]
                getter.restype = ctypes.c_void_p
            _library = library
            return library
        raise OSError(_LIBRARY_NAMES[-1] + " not found; set " + LIBRARY_ENVIRONMENT_VARIABLE +
                      " to its path. Tried: " + "; ".join(failures))


def _read_text(address: Optional[int]) -> str:
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


def _evaluate_text(library: ctypes.CDLL, text: str) -> Tuple[float, Optional[QuorvexError]]:
    """The value of a checked expression text, or NaN and the error it raised."""
    try:
        value, error = _per_thread.records
    except AttributeError:
        value, error = _per_thread.records = (ctypes.c_double(), _Error())
    # Two zero bytes end the text as one zero unit.
    if library.EvaluonEx((text + "\0").encode("utf-16-le", errors="surrogatepass"), value, error) == 0:
        return value.value, None
    error_class = (error.errorClass or b"Exception").decode("ascii")
    message = _read_text(error.message)
    return float("nan"), _ERROR_CLASSES.get(error_class, QuorvexError)(message, error.helpContext, error_class)


def evaluate(expression: str) -> float:
    """The value of the expression; NaN when it does not reduce; raises QuorvexError.

    Raises TypeError when the expression is not a str and ValueError when it holds a NUL, which
    would end the text the library reads.
    """
    if not isinstance(expression, str):
        raise TypeError(f"expression must be str, not {type(expression).__name__}")
    if "\0" in expression:
        raise ValueError("embedded null character in expression")
    value, error = _evaluate_text(_library or _load(), expression)
    if error is not None:
        raise error
    return value


# The flag EvaluonJoinedEx stores for an item that failed, as the bytes of the flag array hold it.
_FAILED = bytes(ctypes.c_int32(1))
# Texts joined and evaluated at a time: for short texts, the buffers stay in the processor's
# cache and below the size for which malloc maps fresh pages each time.
_CHUNK = 2048
# What EvaluonJoinedEx returns when the joined texts are not as many as it was told.
_MISCOUNTED = ctypes.c_size_t(-1).value


def evaluate_many(texts: Any, *, errors: bool = False) -> Any:
    """The values of many expressions, evaluated in one call into the library.

    texts is a sequence of str, or a NumPy array of str of any shape. Returns a list of floats
    (a float64 array of the same shape for an array) holding NaN where an expression does not
    reduce or raises an error. With errors=True returns (values, errors), errors holding for
    each expression None or the QuorvexError instance it raised, in the shape of a flat list.
    Raises TypeError for an item that is not a str and ValueError for one holding a NUL.
    """
    numpy = sys.modules.get("numpy")  # an array can only come from a NumPy already imported
    array = texts if numpy is not None and isinstance(texts, numpy.ndarray) else None
    if array is not None:
        items = array.ravel().tolist()
    elif isinstance(texts, (str, bytes)):
        raise TypeError(f"texts must be a sequence of str, not {type(texts).__name__}")
    else:
        items = texts if isinstance(texts, (list, tuple)) else list(texts)
    count = len(items)
    library = _library or _load()
    if not hasattr(library, "EvaluonJoinedEx"):
        raise OSError("the loaded library predates EvaluonJoinedEx")
    # The values land in an array.array, whose list is made in one step: a ctypes array gives
    # its items one at a time.
    buffer = _array.array("d", bytes(8 * count))
    failed = (ctypes.c_int32 * count)() if errors else None
    failures = 0
    for start in range(0, count, _CHUNK):
        part = items if count <= _CHUNK else items[start:start + _CHUNK]
        size = len(part)
        # The texts joined by zero units, as EvaluonJoinedEx reads them: the library finds the
        # separators, and a NUL within a text shows there as one text too many.
        try:
            joined = "\0".join(part).encode("utf-16-le", errors="surrogatepass")
        except TypeError:
            where, item = next((i, item) for i, item in enumerate(items) if not isinstance(item, str))
            raise TypeError(f"expression {where} must be str, not {type(item).__name__}") from None
        values = (ctypes.c_double * size).from_buffer(buffer, 8 * start)
        flags = (ctypes.c_int32 * size).from_buffer(failed, 4 * start) if errors else None
        raised = library.EvaluonJoinedEx(joined, len(joined) // 2, size, values, flags)
        del values, flags  # the buffers' exports end here
        if raised == _MISCOUNTED:
            where = next(i for i, item in enumerate(items) if "\0" in item)
            raise ValueError(f"embedded null character in expression {where}")
        failures += raised
    if array is not None:
        result = numpy.frombuffer(buffer, dtype=numpy.float64).reshape(array.shape)
    else:
        result = buffer.tolist()
    if not errors:
        return result
    # Errors are rare: only the items that failed are evaluated again, for their details.
    found: List[Optional[QuorvexError]] = [None] * count
    flags = bytes(failed) if failures else b""
    at = flags.find(_FAILED)
    while at >= 0:
        index = at // len(_FAILED)
        value, found[index] = _evaluate_text(library, items[index])
        if found[index] is None:  # it failed for want of memory, and did not again
            if array is None:
                result[index] = value
            else:
                result.flat[index] = value
        at = flags.find(_FAILED, at + len(_FAILED))
    return result, found


def constants() -> List[Constant]:
    """The physical constants the expressions know, in the library's order."""
    library = _load()
    tokens = [_read_text(library.GetConstToken(i)) for i in range(library.GetConstNum())]
    # The value an expression gets, rather than one read back from its rounded text.
    values = evaluate_many(tokens)
    return [Constant(i, _read_text(library.GetConstName(i)), _read_text(library.GetConstVal(i)), token, value)
            for i, (token, value) in enumerate(zip(tokens, values))]


def version() -> str:
    """The library's version text."""
    return _read_text(_load().GetVersion())


def __getattr__(name: str) -> str:
    # The package and the library share the project's version; asking the library keeps one source.
    if name == "__version__":
        return version()
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")
