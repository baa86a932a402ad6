#!/usr/bin/env bash
# Runs the whole test suite: a normal build and an AddressSanitizer + UndefinedBehaviorSanitizer
# build, each under a virtual X display so the window tests run for real.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIN_BUILD_TESTS=ON
scripts/build.sh build/asan -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON -DTAVRIN_BUILD_TESTS=ON -DTAVRIN_BUILD_BENCH=OFF

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export NO_AT_BRIDGE=1
mkdir -p artifacts
status=0
for tree in build/release build/asan; do
  echo "== tests in $tree"
  # -noreset: Xvfb otherwise resets whenever its last client leaves, and a program that connects
  # during that reset is refused, which fails a test at random between two display tests.
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \
    ctest --test-dir "$tree" --output-on-failure -j2 --timeout 600 || status=1
done
exit $status
