"""The calculator as a user runs it: arguments, pipes, files, JSON, trace and the prompt."""

import ctypes
import json
import os
import pty
import re
try:
    import resource
except ImportError:  # Windows
    resource = None
import select
import shlex
import shutil
import subprocess
import tempfile
import time
import unittest

CLI = os.environ["QUORVEX_CLI"]
# A cross build runs the calculator through its emulator (Wine), which must read the arguments
# as UTF-8. The calculator writes "\n" line ends on every system.
RUNNER = shlex.split(os.environ.get("QUORVEX_CLI_RUNNER", ""))
COMMAND = [*RUNNER, CLI]
ENVIRONMENT = {**os.environ, "LC_ALL": "C.UTF-8"} if RUNNER else None
SANITIZED = os.environ.get("QUORVEX_CLI_SANITIZED") == "1"
LINE_LIMIT = 1 << 20  # bytes of a line, as --help states
SOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def run(*arguments, stdin=""):
    return subprocess.run([*COMMAND, *arguments], input=stdin.encode(), capture_output=True, timeout=60,
                          env=ENVIRONMENT)


class ArgumentsAndPipes(unittest.TestCase):
    def test_values_errors_and_status(self):
        cases = [
            (["(1+2)*3^2"], 0, "27\n", ""),
            (["-2^2", "(-2^2)", "2(3)"], 0, "-4\n4\nNAN\n", "NAN: left over after the reduction: 2 3\n"),
            (["--strict", "2(3)", "1+1"], 1, "NAN\n2\n", "NAN: left over after the reduction: 2 3\n"),
            (["foo(1)", "(1+)*2", "1-(2)-(-3)"], 0, "NAN\nNAN\nNAN\n",
             "NAN: left over after the reduction: foo 1 (no known name: foo)\n"
             "NAN: left over after the reduction: ( 1 + ) * 2\n"
             "NAN: left over after the reduction: -1 3\n"),  # 1 + -2 with no "+" between
            (["1/0"], 1, "", "EFunctionError (0): 分母が0になり、0での除算が発生しました\n"),
            # Shown without the message's CRs, empty line and indenting ideographic spaces.
            (["cot(0)"], 1, "", "EFunctionError (10005): cot関数にπ*nが入力されました "
             "（cot=cos/sinであるため、sin(π*n)は0の除算です）\n"),
            (["abc", "1+2"], 1, "3\n", "EConvertError (0): 'abc' は浮動小数点数ではありません\n"),
            (["\udcff"], 1, "", "EConvertError (0): '\ufffd' は浮動小数点数ではありません\n"),
            (["√é𝑥"], 1, "", "EConvertError (0): '√é𝑥' は浮動小数点数ではありません\n"),
            (["--version"], 0, "quorvex 1.5\n", ""),
            (["--", "--2", "--help"], 1, "2\n", "EConvertError (0): '-' は浮動小数点数ではありません\n"),
            (["--functions=SIN"], 0, "  sin(x)\n      sine, x in radians\n", ""),
            (["--functions", "sin"], 0, "  sin(x)\n      sine, x in radians\n", ""),
            (["--functions", "nope"], 2, "", "quorvex: no function named nope (--functions lists them)\n"),
            (["--nope"], 2, "", "quorvex: unknown option --nope (--help lists them)\n"),
            (["--json=yes", "1"], 2, "", "quorvex: --json takes no value\n"),
            (["--file"], 2, "", "quorvex: --file needs a value (--help tells which)\n"),
            (["--file=x", "1"], 2, "", "quorvex: --file and expressions on the command line exclude each other\n"),
            (["--file", "/"], 2, "", "quorvex: cannot read /: Is a directory\n"),
            (["--decimal-separator=.,"], 2, "", "quorvex: --decimal-separator needs one character, not '.,'\n"),
            (["--decimal-separator", ".", "1.5"], 0, "1.5\n", ""),
            (["--decimal-separator=,", "3/2", "max(3/2,1)"], 0, "1,5\n1,5\n", ""),
            (["--decimal-separator", ";", "1"], 2, "", "quorvex: the decimal separator can be . or , only, not ';'\n"),
        ]
        for arguments, status, out, err in cases:
            with self.subTest(arguments=arguments):
                result = subprocess.run([*COMMAND, *[a.encode("utf-8", "surrogateescape") for a in arguments]],
                                        capture_output=True, timeout=60, env=ENVIRONMENT)
                self.assertEqual(result.returncode, status)
                self.assertEqual(result.stdout.decode(), out)
                self.assertEqual(result.stderr.decode(), err)

    def test_lines_from_standard_input_and_file(self):
        # A byte order mark and empty lines are skipped; errors and NaNs name their line.
        result = run(stdin="\ufeff0.1+0.2\r\n2*pi\n\n \t\n1+1\n1/0\n2(3)\n")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout.decode(), "0.3\n6.28318530717958\n2\nNAN\n")
        self.assertEqual(result.stderr.decode(), "line 6: EFunctionError (0): 分母が0になり、0での除算が発生しました\n"
                                                 "line 7: NAN: left over after the reduction: 2 3\n")
        with tempfile.NamedTemporaryFile("w", suffix=" 式.txt", delete=False) as handle:
            handle.write("max(1,2)\nsqrt(-1)\n")
        try:
            result = run(f"--file={handle.name}")
            self.assertEqual(result.stdout.decode(), "2\n")
            self.assertTrue(result.stderr.decode().startswith("line 2: EFunctionError (10004): sqrt関数に負数が"))
            self.assertEqual(result.returncode, 1)
        finally:
            os.unlink(handle.name)
        result = run("--file", "/nonexistent/x")
        self.assertEqual((result.returncode, result.stderr.decode()),
                         (2, "quorvex: cannot read /nonexistent/x: No such file or directory\n"))

    def test_json_is_valid_for_every_outcome(self):
        result = run("--json", "2*c", "2(3)", "-0", "1/0", 'a"b\\c\x01', "sin")
        objects = [json.loads(line) for line in result.stdout.decode().splitlines()]
        self.assertEqual(objects[0], {"expression": "2*c", "value": 599584916, "text": "599584916", "nan": False})
        self.assertEqual(objects[1], {"expression": "2(3)", "value": None, "text": "NAN", "nan": True,
                                      "leftOver": "2 3"})
        self.assertEqual(objects[2]["text"], "-0")
        self.assertEqual(objects[3]["error"], {"class": "EFunctionError", "helpContext": 0,
                                               "message": "分母が0になり、0での除算が発生しました"})
        self.assertEqual(objects[4]["expression"], 'a"b\\c\x01')
        self.assertEqual(len(objects), 6)
        # A message with line breaks stays one JSON line, unit for unit; lines read are numbered.
        objects = [json.loads(line) for line in run("--json", stdin="\n ln(0)\n").stdout.decode().splitlines()]
        self.assertEqual(objects, [{"line": 2, "expression": " ln(0)", "error": {
            "class": "EFunctionError", "helpContext": 10004,
            "message": "ln関数に0以下の数が入力されました\r\n\r\n（ln関数の引数は正数でなくてはなりません）"}}])

    def test_trace_shows_the_road(self):
        out = run("--trace", "-2^2").stdout.decode()
        self.assertIn("minus     - 1 -> -1", out)
        self.assertIn("operator  2 ^ 2 -> 4", out)
        self.assertIn("operator  -1 * 4 -> -4", out)
        self.assertTrue(out.endswith("value       -4\n"))
        out = run("--trace", "max(1,2)*sin(0)").stdout.decode()
        self.assertIn("call      max(1, 2) -> 2", out)
        self.assertIn("function  sin 0 -> 0", out)

    def test_lists(self):
        constants = run("--constants").stdout.decode().splitlines()
        self.assertEqual(len(constants), 34)
        self.assertEqual(constants[16], "16\tdeg0\tDeg0 摂氏0℃ (K)\t273.15")
        functions = run("--functions").stdout.decode()
        self.assertIn("besselj(x, a) | besselj(x, a, eps)", functions)
        self.assertEqual(len(re.findall(r"^  \S", functions, re.M)), 92)

    def test_long_and_malformed_input(self):
        # A Windows command line holds at most 32767 characters.
        terms = 10000 if RUNNER else 50000
        self.assertEqual(run("+".join(["1"] * terms)).stdout.decode(), f"{terms}\n")
        long_sum = "+".join(["1"] * 50000)
        result = run(stdin=long_sum + "\n" + "(" * 1000 + "\n\x00\xff\n\x1a\n1+1\n")
        self.assertEqual(result.stdout.decode().splitlines(), ["50000", "2"])  # 0x1A ends nothing
        self.assertEqual(result.returncode, 1)

    def test_a_line_past_the_limit_is_skipped(self):
        # Spaces are ignored, so the line at the limit is 1+1; a CRLF's CR is no part of the line.
        lines = [" " * (LINE_LIMIT - 3) + "1+1\r\n", " " * (LINE_LIMIT - 2) + "1+1\n", "1" * 10 * LINE_LIMIT,
                 "\n2+2\n"]
        result = run(stdin="".join(lines))
        self.assertEqual(result.stdout.decode(), "2\n4\n")
        self.assertEqual(result.stderr.decode(),
                         "quorvex: line 2 of standard input is longer than 1048576 bytes\n"
                         "quorvex: line 3 of standard input is longer than 1048576 bytes\n")
        self.assertEqual(result.returncode, 1)


@unittest.skipIf(RUNNER, "devices and closed descriptors are POSIX")
class FailedInputAndOutput(unittest.TestCase):
    @unittest.skipIf(SANITIZED or resource is None, "the address sanitizer needs more address space than the limit")
    def test_endless_input_stops_in_bounded_memory(self):
        limit = 128 << 20

        def bounded():
            resource.setrlimit(resource.RLIMIT_AS, (limit, limit))

        with open("/dev/zero", "rb") as zero:
            result = subprocess.run([CLI], stdin=zero, capture_output=True, timeout=60, preexec_fn=bounded)
        self.assertEqual(result.stderr.decode(),
                         "quorvex: line 1 of standard input has no end within 67108864 bytes; reading stops\n")
        self.assertEqual(result.returncode, 2)

    def test_failed_reads_and_writes_end_with_status_2(self):
        directory = os.open("/", os.O_RDONLY)
        self.addCleanup(os.close, directory)
        full = open("/dev/full", "wb")
        self.addCleanup(full.close)
        cases = [
            (["1+1"], {"stdout": full}, "quorvex: cannot write the output: "),
            (["--help"], {"stdout": full}, "quorvex: cannot write the output: "),
            (["1+1"], {"stdout": subprocess.PIPE, "preexec_fn": lambda: os.close(1)},
             "quorvex: cannot write the output: "),
            ([], {"stdin": directory, "stdout": subprocess.PIPE}, "quorvex: cannot read standard input: "),
        ]
        for arguments, streams, message in cases:
            with self.subTest(arguments=arguments, streams=sorted(streams)):
                result = subprocess.run([CLI, *arguments], stderr=subprocess.PIPE, timeout=60, **streams)
                self.assertTrue(result.stderr.decode().startswith(message), result.stderr)
                self.assertEqual(result.returncode, 2)


class Documentation(unittest.TestCase):
    def test_the_manual_page_has_the_options_of_the_usage_text(self):
        usage = run("--help").stdout.decode().split("\noptions:\n")[1]
        pairs = re.findall(r"^  (-[^\s,]*)(?:, (-\S+))?", usage, re.M)
        in_usage = {option for pair in pairs for option in pair if option}
        with open(os.path.join(SOURCES, "docs", "quorvex.1"), encoding="utf-8") as page:
            section = page.read().split("\n.SH OPTIONS\n")[1].split("\n.SH ")[0]
        entries = re.findall(r"^\.TP\n(.*)$", re.sub(r"\\f[BIR]", "", section.replace("\\-", "-")), re.M)
        in_page = {word for entry in entries for word in re.split(r'[\s"]+', entry) if word.startswith("-")}
        self.assertEqual(in_page, in_usage)
        self.assertIn("--strict", in_page)

    @unittest.skipIf(RUNNER or shutil.which("bash") is None, "bash completion needs bash and a native calculator")
    def test_bash_completion(self):
        cases = [(["--fi"], "--file"), (["--functions=ze"], "zeta"), (["--functions", "ze"], "zeta"),
                 (["2*BESS"], "2*besselj 2*bessely"), (["de"], "deg deta deg0"), (["-", "--", "--json"], "")]
        script = os.path.join(SOURCES, "tools", "quorvex", "quorvex.bash")
        for words, expected in cases:
            with self.subTest(words=words):
                # bash splits --functions=ze at "=", as it splits what is typed.
                words = [part for word in words for part in re.split(r"(=)", word) if part]
                command = (f"source {shlex.quote(script)}; COMP_WORDS=(quorvex {shlex.join(words)}); "
                           f"COMP_CWORD={len(words)}; _quorvex {shlex.quote(CLI)}; echo \"${{COMPREPLY[*]}}\"")
                result = subprocess.run(["bash", "-c", command], capture_output=True, timeout=60)
                self.assertEqual(result.stdout.decode().strip(), expected)


def libedit_installed():
    try:
        ctypes.CDLL("libedit.so.2")
        return True
    except OSError:
        return False


@unittest.skipIf(RUNNER, "the prompt needs a pseudo-terminal, which a Windows program under an emulator does not see")
class Prompt(unittest.TestCase):
    def setUp(self):
        state = tempfile.TemporaryDirectory()
        self.addCleanup(state.cleanup)
        self.history = os.path.join(state.name, "quorvex", "history")
        self.environment = {**os.environ, "XDG_STATE_HOME": state.name, "LANG": "C", "LC_ALL": ""}

    def session(self, keystrokes):
        """Types the keys at each prompt through a pseudo-terminal; answers the screen text and the status."""
        pid, fd = pty.fork()
        if pid == 0:
            os.execve(CLI, [CLI], self.environment)
        output = b""
        try:
            for keys in keystrokes:
                output += self.read_until(fd, b"quorvex> ")
                os.write(fd, keys.encode())
            output += self.read_until(fd, None)
        finally:
            _, status = os.waitpid(pid, 0)
            os.close(fd)
        return output.decode("utf-8", "replace").replace("\r\n", "\n"), status

    @staticmethod
    def read_until(fd, marker, limit=10.0):
        data = b""
        deadline = time.time() + limit
        while time.time() < deadline:
            ready, _, _ = select.select([fd], [], [], 0.2)
            if not ready:
                continue
            try:
                chunk = os.read(fd, 4096)
            except OSError:
                break
            if not chunk:
                break
            data += chunk
            if marker is not None and marker in data:
                break
        return data

    def test_commands_values_and_errors(self):
        screen, status = self.session(["1+2\r", "1/0\r", "  :Functions ZETA \r", ":constants\r", ":nope\r", ":QUIT\r"])
        self.assertIn("\n3\n", screen)
        self.assertIn("EFunctionError (0): 分母が0になり、0での除算が発生しました", screen)
        self.assertIn("zeta(x) | zeta(x, eps)", screen)
        self.assertIn("deg0", screen)
        self.assertIn("unknown command :nope", screen)
        self.assertEqual(status, 0)

    @unittest.skipUnless(libedit_installed(), "line editing needs libedit")
    def test_line_editing(self):
        # UTF-8 in a "C" environment; Ctrl-C drops the line; Tab completes; Ctrl-D ends.
        screen, status = self.session(["1−2\r", "123\x03", "zet\t2\r", ":help\r", "\x04"])
        self.assertIn("'1−2' は浮動小数点数ではありません", screen)
        self.assertIn("\n1.64493406684823\n", screen)  # zeta 2, not 123zet2
        self.assertIn(f"The history is kept in {self.history}.", screen)
        self.assertTrue(screen.endswith("\n"), screen[-40:])
        self.assertEqual(status, 0)
        # The next session starts with the history of this one: Up recalls :help.
        screen, _ = self.session(["\x1b[A\r", ":q\r"])
        self.assertIn("The history is kept in", screen)


if __name__ == "__main__":
    unittest.main()
