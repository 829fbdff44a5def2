#!/usr/bin/env bash
# The calculator as a user runs it: arguments, standard input, errors and exit status.
set -u
cli="$1"
failures=0

expect() {  # expect NAME EXPECTED_STATUS EXPECTED_STDOUT EXPECTED_STDERR_PART -- COMMAND...
  local name="$1" status="$2" out="$3" err="$4"
  shift 5
  local actual_out actual_err actual_status
  actual_out=$("$@" 2>/tmp/quorvex_cli_err.$$)
  actual_status=$?
  actual_err=$(cat /tmp/quorvex_cli_err.$$)
  rm -f /tmp/quorvex_cli_err.$$
  if [[ "$actual_status" != "$status" || "$actual_out" != "$out" || "$actual_err" != *"$err"* ]]; then
    echo "FAIL $name: status $actual_status, stdout '$actual_out', stderr '$actual_err'"
    failures=$((failures + 1))
  fi
}

expect value 0 "27" "" -- "$cli" "(1+2)*3^2"
expect several 0 $'-4\n4\nNAN' "" -- "$cli" "-2^2" "(-2^2)" "2(3)"
expect error 1 "" "EFunctionError (0): 分母が0になり、0での除算が発生しました" -- "$cli" "1/0"
expect error-then-value 1 "3" "EConvertError (0): 'abc' は浮動小数点数ではありません" -- "$cli" "abc" "1+2"
expect stdin 0 $'0.3\n6.28318530717958' "" -- bash -c "printf '0.1+0.2\n2*pi\n' | '$cli'"
expect stdin-crlf 0 "3" "" -- bash -c "printf '1+2\r\n' | '$cli'"
expect stdin-error 1 "2" "計算する文字がありません" -- bash -c "printf '\n1+1\n' | '$cli'"
expect version 0 "quorvex 1.5" "" -- "$cli" --version
expect invalid-utf8 1 "" "EConvertError" -- "$cli" $'\xff'

if [[ $failures -eq 0 ]]; then
  echo "9 passed, 0 failed"
  exit 0
fi
echo "$((9 - failures)) passed, $failures failed"
exit 1
