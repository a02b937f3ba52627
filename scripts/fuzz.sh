#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# in build-fuzz/ and runs them one after another.
#   scripts/fuzz.sh [SECONDS] [TARGET...]   fuzzes each target SECONDS long (60 by default), starting
#                                           from its seeds in fuzz/corpus/TARGET/; new inputs are kept in
#                                           build-fuzz/corpus/TARGET/, findings in build-fuzz/findings/TARGET/
# (scripts/test.sh --sanitize runs every target once over each input of fuzz/corpus/.)
# Prints one line per target: inputs run, coverage, findings. Exits 1 when a target found anything.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKLADAR_HARDENING=OFF \
  -DSKLADAR_FUZZ=ON -DBUILD_TESTING=OFF -DSKLADAR_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build build-fuzz --parallel "$(nproc)" --target fuzzers >/dev/null

export ASAN_OPTIONS="abort_on_error=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0"
all_targets=$(cd fuzz/corpus && ls)

# The request handler's store lives in a temporary folder; in memory its writes cost no disk flush.
[ -w /dev/shm ] && export TMPDIR=/dev/shm

# Longer inputs only slow these down: two request frames write a record and read it back, and a
# history's header and two blocks hold every way a block can follow another.
options_of() {
  case $1 in
    requesthandler) echo "-max_len=2050" ;;
    history) echo "-max_len=12291" ;;
    moment) echo "-max_len=12294" ;;
  esac
}

seconds=${1:-60}
shift || true
targets=${*:-$all_targets}
found=0
for target in $targets; do
  work=build-fuzz/corpus/$target findings=build-fuzz/findings/$target log=build-fuzz/$target.log
  mkdir -p "$work" && rm -rf "$findings" && mkdir -p "$findings"
  # shellcheck disable=SC2046
  build-fuzz/fuzz/"$target"_fuzz $(options_of "$target") -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$work" fuzz/corpus/"$target" >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
  count=$(find "$findings" -type f | wc -l)
  echo "$target: ${runs:-0} inputs, ${coverage:-cov: ?}, $count findings"
  if [ "$count" -ne 0 ]; then
    found=1
    find "$findings" -type f | sed 's/^/  /'
    grep -m1 -B2 -A20 'ERROR\|fuzz property failed\|runtime error' "$log" | sed 's/^/  /' || true
  fi
done
exit $found
