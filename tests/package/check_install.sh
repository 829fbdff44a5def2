#!/usr/bin/env bash
# Installs the built tree into a temporary prefix and builds a C and a C++ consumer against it,
# once through find_package and once through pkg-config, then runs them.
set -euo pipefail
build_dir="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
"$prefix/bin/quorvex" '(1+2)*3^2' | grep -qx 27
test -f "$prefix/share/man/man1/quorvex.1"
test -f "$prefix/share/bash-completion/completions/quorvex"

for kind in c cpp; do
  cmake -S "$here/$kind" -B "$work/$kind" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  cmake --build "$work/$kind" >/dev/null
  LD_LIBRARY_PATH="$prefix/lib" "$work/$kind/${kind}_consumer"
done

export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
# shellcheck disable=SC2046
cc -std=c11 "$here/c/main.c" $(pkg-config --static --cflags --libs quorvex) -o "$work/c_pkg"
# shellcheck disable=SC2046
c++ -std=c++20 "$here/cpp/main.cpp" $(pkg-config --static --cflags --libs quorvex) -o "$work/cpp_pkg"
LD_LIBRARY_PATH="$prefix/lib" "$work/c_pkg"
LD_LIBRARY_PATH="$prefix/lib" "$work/cpp_pkg"
echo "install: find_package and pkg-config consumers passed"
