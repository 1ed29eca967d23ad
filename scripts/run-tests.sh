#!/usr/bin/env bash
# Set up, build with AddressSanitizer and UndefinedBehaviorSanitizer, and run every test
# headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DSTAGORA_SANITIZE=ON -DSTAGORA_BENCH=ON
cmake --build build/test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
# intercept_tls_get_addr=0: LeakSanitizer of GCC 12 on glibc 2.36 can crash in its own
# thread-local bookkeeping at exit.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/test --output-on-failure -j"$(nproc)"
