"""The Python binding as its users call it."""

import math
import mmap
import threading
import unittest

import quorvex


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
        self.assertEqual(str(caught.exception), "'\\ud800' は浮動小数点数ではありません")  # printable anywhere

    def test_threads(self):
        results = []

        def work():
            results.append([quorvex.evaluate(f"{i}*2+1") for i in range(200)])

        threads = [threading.Thread(target=work) for _ in range(4)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        expected = [float(i * 2 + 1) for i in range(200)]
        self.assertEqual(results, [expected] * 4)


class TableTest(unittest.TestCase):
    def test_constants_and_version(self):
        table = quorvex.constants()
        self.assertEqual(len(table), 34)
        self.assertEqual(table[0], quorvex.Constant(0, "R  気体定数 (J/(mol*K))", "8.314472"))
        self.assertEqual(table[11].text, "299792458")
        self.assertEqual(quorvex.version(), "1.5")


if __name__ == "__main__":
    unittest.main()
