#!/usr/bin/env bash
# Builds Skladar and runs the whole test suite headless. With --sanitize the suite is built with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/, together with the fuzz targets,
# which the run takes once over each input of fuzz/corpus/; any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
if [ "${1:-}" = "--sanitize" ]; then
  # Line tables are all a finding's stack trace needs, and -O1 keeps the build quick on two cores.
  sanitizers="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKLADAR_BENCHMARKS=OFF -DSKLADAR_HARDENING=OFF -DSKLADAR_MANPAGES=OFF \
    -DSKLADAR_FUZZ=ON -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" >/dev/null
  cmake --build build-sanitize --parallel "$(nproc)"
  export ASAN_OPTIONS="abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)" --timeout 600
  exit
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"
ctest --test-dir build --output-on-failure --parallel "$(nproc)" --timeout 300
