"""The Python binding as its users call it."""

import doctest
import math
import mmap
import os
import pickle
import re
import subprocess
import sys
import threading
import unittest

import quorvex

REFERENCE = os.path.join(os.path.dirname(__file__), "..", "..", "..", "docs", "api.md")


class EvaluateTest(unittest.TestCase):
    def test_values_and_nan(self):
        cases = [("(1+2)*3^2", 27.0), ("-2^2", -4.0), ("(-2^2)", 4.0), ("2*pi", 6.28318530717958),
                 ("0.1+0.2", 0.3), ("-0", -0.0)]
        for expression, value in cases:
            with self.subTest(expression=expression):
                self.assertEqual(quorvex.evaluate(expression), value)
        self.assertTrue(math.copysign(1.0, quorvex.evaluate("-0")) < 0)
        self.assertTrue(math.isnan(quorvex.evaluate("2(3)")))

    def test_errors_carry_class_message_and_help_context(self):
        cases = [
            ("1/0", quorvex.EFunctionError, 0, "分母が0になり、0での除算が発生しました"),
            ("", quorvex.EConvertError, 0, "計算する文字がありません\r\n（空白文字では？）"),
            ("abc", quorvex.EConvertError, 0, "'abc' は浮動小数点数ではありません"),
            ("0/0", quorvex.EInvalidOp, 0, "不正な浮動小数点数演算命令"),
            ("2^", quorvex.EStringListError, 0, "リストのインデックスが範囲を超えています (2)"),
            ("ln(0)", quorvex.EFunctionError, 10004,
             "ln関数に0以下の数が入力されました\r\n\r\n（ln関数の引数は正数でなくてはなりません）"),
        ]
        for expression, error_class, help_context, message in cases:
            with self.subTest(expression=expression):
                with self.assertRaises(error_class) as caught:
                    quorvex.evaluate(expression)
                self.assertIsInstance(caught.exception, quorvex.QuorvexError)
                self.assertEqual(caught.exception.error_class, error_class.__name__)
                self.assertEqual(caught.exception.help_context, help_context)
                self.assertEqual(caught.exception.message, message)

    def test_odd_text_is_answered(self):
        # A lone surrogate and characters beyond the BMP cross as UTF-16 units.
        for text in ["\ud800", "1+\U0001F600", "\u3000", "(" * 10000 + "1" + ")" * 10000]:
            with self.subTest(text=text[:20]):
                try:
                    quorvex.evaluate(text)
                except quorvex.QuorvexError:
                    pass

    def test_arguments_that_are_no_expression(self):
        cases = [(None, TypeError), (b"1+1", TypeError), (5, TypeError), (["1"], TypeError),
                 ("1\x00+5", ValueError), ("\x00", ValueError)]
        for argument, error in cases:
            with self.subTest(argument=argument):
                with self.assertRaises(error):
                    quorvex.evaluate(argument)

    def test_messages_read_back_exactly(self):
        # Each length puts the terminator elsewhere in its page; "a\u0100" holds two NUL bytes
        # across a unit boundary, which end nothing.
        for length in range(0, mmap.PAGESIZE // 2 + 2):
            text = "a\u0100" + "x" * length + "\U0001F600"
            with self.subTest(length=length), self.assertRaises(quorvex.EConvertError) as caught:
                quorvex.evaluate(text)
            self.assertEqual(caught.exception.message, f"'{text}' は浮動小数点数ではありません")

    def test_lone_surrogate_in_a_message(self):
        with self.assertRaises(quorvex.EConvertError) as caught:
            quorvex.evaluate("\ud800")
        self.assertEqual(caught.exception.message, "'\ud800' は浮動小数点数ではありません")
        self.assertIn("\\ud800", str(caught.exception))  # printable anywhere

    def test_threads(self):
        results = []

        def work():
            results.append([quorvex.evaluate(f"{i}*2+1") for i in range(200)])
            results.append(quorvex.evaluate_many([f"{i}*2+1" for i in range(200)]))

        threads = [threading.Thread(target=work) for _ in range(4)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        expected = [float(i * 2 + 1) for i in range(200)]
        self.assertEqual(results, [expected] * 8)


class ErrorTest(unittest.TestCase):
    # Each class with an expression raising it where one exists, and the built-in it also is.
    CLASSES = [
        (quorvex.EConvertError, "abc", ValueError),
        (quorvex.EFunctionError, "ln(0)", ValueError),
        (quorvex.EConvergeError, None, Exception),
        (quorvex.EOverflow, None, OverflowError),
        (quorvex.EZeroDivide, None, ZeroDivisionError),
        (quorvex.EInvalidOp, "0/0", ArithmeticError),
        (quorvex.EStringListError, "2^", Exception),
        (quorvex.QuorvexError, None, Exception),
    ]

    def test_classes_pickle_and_are_builtins(self):
        for cls, expression, builtin in self.CLASSES:
            with self.subTest(cls=cls.__name__):
                if expression is None:
                    error = cls("計算できません\r\n", 10004, cls.__name__)
                else:
                    with self.assertRaises(cls) as caught:
                        quorvex.evaluate(expression)
                    error = caught.exception
                self.assertIsInstance(error, builtin)
                copy = pickle.loads(pickle.dumps(error))
                self.assertIs(type(copy), cls)
                self.assertEqual((copy.message, copy.help_context, copy.error_class),
                                 (error.message, error.help_context, error.error_class))

    def test_prints_on_an_ascii_stream(self):
        code = ("import quorvex\ntry:\n    quorvex.evaluate('1/0')\n"
                "except quorvex.QuorvexError as e:\n    print(e)\n    print(repr(e))\n")
        env = dict(os.environ, PYTHONIOENCODING="ascii")
        run = subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertEqual(run.stdout.splitlines()[0], ascii("分母が0になり、0での除算が発生しました")[1:-1])


class EvaluateManyTest(unittest.TestCase):
    # Texts, values (None for NaN) and the error class of each, or None.
    CASES = [
        ([], [], []),
        (["1+2", "2(3)", "1/0", "", "-0"], [3.0, None, None, None, -0.0],
         [None, None, quorvex.EFunctionError, quorvex.EConvertError, None]),
        (("\ud800", "1+\U0001F600", "2^"), [None, None, None],
         [quorvex.EConvertError, quorvex.EConvertError, quorvex.EStringListError]),
        ([f"{i}/4" for i in range(1000)], [i / 4 for i in range(1000)], [None] * 1000),
        # Evaluated in parts: a failure far in lands in its place.
        ([f"{i}/4" for i in range(4500)] + ["1/0"] + ["2"] * 499, [i / 4 for i in range(4500)] + [None] + [2.0] * 499,
         [None] * 4500 + [quorvex.EFunctionError] + [None] * 499),
    ]

    def test_values_and_errors(self):
        for texts, values, errors in self.CASES:
            with self.subTest(texts=texts[:3]):
                plain = quorvex.evaluate_many(texts)
                got, found = quorvex.evaluate_many(texts, errors=True)
                self.assertEqual([None if math.isnan(v) else v for v in got], values)
                self.assertEqual([math.copysign(1, v) for v in plain], [math.copysign(1, v) for v in got])
                self.assertEqual([e if e is None else type(e) for e in found], errors)
                for text, error in zip(texts, found):
                    if error is not None:  # what evaluate raises, message for message
                        with self.assertRaises(type(error)) as caught:
                            quorvex.evaluate(text)
                        self.assertEqual(caught.exception.args, error.args)

    def test_arguments_that_are_no_texts(self):
        cases = [("1+2", TypeError), (b"1", TypeError), ([1], TypeError), (["1", None], TypeError),
                 (["1", "2\x00"], ValueError), (["\x00"], ValueError), (["1\x00", "2"], ValueError),
                 (5, TypeError)]
        for argument, error in cases:
            with self.subTest(argument=argument):
                with self.assertRaises(error):
                    quorvex.evaluate_many(argument)
        # Far in, where the texts are evaluated in parts, the message still names the item.
        for bad, error, message in [(None, TypeError, "expression 4321 must be str, not NoneType"),
                                    ("1\x00", ValueError, "embedded null character in expression 4321")]:
            texts = ["1"] * 5000
            texts[4321] = bad
            with self.assertRaisesRegex(error, message):
                quorvex.evaluate_many(texts)

    def test_numpy_arrays(self):
        try:
            import numpy
        except ImportError:
            self.skipTest("NumPy is not installed")
        values = quorvex.evaluate_many(numpy.array([["1+1", "2(3)"], ["1/0", "2^10"]]))
        self.assertEqual(values.dtype, numpy.float64)
        self.assertEqual(values.shape, (2, 2))
        numpy.testing.assert_array_equal(values, [[2.0, math.nan], [math.nan, 1024.0]])
        values, errors = quorvex.evaluate_many(numpy.array(["1/0", "4"], dtype=object), errors=True)
        self.assertEqual(values[1], 4.0)
        self.assertIsInstance(errors[0], quorvex.EFunctionError)


class TableTest(unittest.TestCase):
    def test_constants_and_version(self):
        table = quorvex.constants()
        self.assertEqual(len(table), 34)
        self.assertEqual(table[0], quorvex.Constant(0, "R  気体定数 (J/(mol*K))", "8.314472", "r", 8.314472))
        self.assertEqual(table[11][1:], ("c  真空中の光速 (m/s)", "299792458", "c", 299792458.0))
        self.assertIn("deg0", [c.token for c in table])
        self.assertEqual([quorvex.evaluate(c.token) for c in table], [c.value for c in table])
        self.assertEqual(quorvex.version(), "1.5")
        self.assertEqual(quorvex.__version__, quorvex.version())


class ReferenceTest(unittest.TestCase):
    def test_examples_of_the_reference(self):
        with open(REFERENCE, encoding="utf-8") as file:
            blocks = re.findall(r"```pycon\n(.*?)```", file.read(), re.DOTALL)
        test = doctest.DocTestParser().get_doctest("\n".join(blocks), {}, "api.md", REFERENCE, 0)
        runner = doctest.DocTestRunner()
        runner.run(test)
        self.assertEqual(runner.summarize(verbose=False).failed, 0)


if __name__ == "__main__":
    unittest.main()
