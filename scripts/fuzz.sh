#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UBSan) in build/fuzz and runs each for
# a given time, at most FUZZ_JOBS (default 4) at once:
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET] [NAME...]      (default 900 s; NAME as htfc)
# An input is a finding when it crashes, trips a sanitizer or a check, takes longer than
# FUZZ_TIMEOUT seconds (default 10) or more than FUZZ_RSS_MB of memory (default 2048; a single
# allocation of more than FUZZ_MALLOC_MB, default 512). Inputs reach 1 MB. Every finding is
# copied into tests/fuzz/regressions/NAME/, which ctest replays on every run: fix the reader,
# then commit the input with the fix. The growing corpora stay in build/fuzz/corpus/.
# Seeds are tests/fuzz/seeds/NAME/, fixtures of the same kind, the kept findings and the grown
# ones (see grow_seeds). FUZZ_KEEP_GOING=1 runs each target in fork mode past its findings, to collect several at once.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-900}
shift || true
jobs=${FUZZ_JOBS:-4}
build=$root/build/fuzz

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSTAGORA_FUZZ=ON \
  -DSTAGORA_TESTS=OFF -DSTAGORA_BENCH=OFF >/dev/null
cmake --build "$build" -t fuzz_targets -j"$jobs"

if [ $# -gt 0 ]; then
  names=("$@")
else
  names=()
  for f in tests/fuzz/*_fuzz.cpp; do n=$(basename "$f" _fuzz.cpp); names+=("$n"); done
fi

# Seeds: seeds/NAME/, the findings kept so far, and fixtures of the project that are inputs of
# the same kind.
fixture_seeds() {
  case "$1" in
    htfc) ls tests/fixtures/markup_*/*.htfc ;;
    language_file) ls lang/*.lmo ;;
  esac
}

# Seeds made at run time, too large to keep: the seeds one after the other up to 1 MB (a long
# input), and for the engine constructs nested FUZZ_DEPTH deep (default 2000). The project-file
# and table-rows readers get no long seed: it slows them many times over and reaches nothing
# their short seeds do not.
grow_seeds() {
  local name=$1 seeds=$2
  local long=$seeds/grown-long
  rm -f "$seeds"/grown-*
  case "$name" in project_file | table_rows) return 0 ;; esac
  cat "$seeds"/* >"$long"
  [ -s "$long" ] || return 0
  while [ "$(stat -c %s "$long")" -lt 1048576 ]; do
    cat "$long" "$long" >"$long.twice" && mv "$long.twice" "$long"
  done
  truncate -s 1048576 "$long"
  if [ "$name" = htfc ]; then
    local depth=${FUZZ_DEPTH:-2000}
    local n
    n=$(seq "$depth")
    # shellcheck disable=SC2086  # one format use per number
    { printf '\000'; printf '#EXP(%.0s' $n; printf t; printf '#EXP)%.0s' $n; } >"$seeds/grown-powers"
    # shellcheck disable=SC2086
    { printf '\000'; printf '#COC(%.0s' $n; printf 1; printf '#N)(2#COC)%.0s' $n; } >"$seeds/grown-fractions"
  fi
}

run_one() {
  local name=$1
  local exe=$build/fuzz/${name}_fuzz
  local corpus=$build/corpus/$name findings=$build/findings/$name seeds=$build/seeds/$name
  local log=$build/logs/$name.log
  mkdir -p "$corpus" "$findings" "$seeds" "$build/logs" "$build/tmp/$name" "tests/fuzz/regressions/$name"
  cp -f tests/fuzz/seeds/"$name"/* "$seeds"/ 2>/dev/null || true
  for f in $(fixture_seeds "$name"); do cp -f "$f" "$seeds"/; done
  grow_seeds "$name" "$seeds"
  local dict=()
  [ -f "tests/fuzz/$name.dict" ] && dict=(-dict="tests/fuzz/$name.dict")
  local more=()
  [ -n "${FUZZ_KEEP_GOING:-}" ] && more=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
  local started=$SECONDS
  TMPDIR=$build/tmp/$name QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS="detect_leaks=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    "$exe" "${dict[@]}" "${more[@]}" -max_len=1048576 -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb="${FUZZ_RSS_MB:-2048}" \
    -malloc_limit_mb="${FUZZ_MALLOC_MB:-512}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "$seeds" "tests/fuzz/regressions/$name" >"$log" 2>&1 || true
  local kept=0
  for f in "$findings"/*; do
    [ -f "$f" ] || continue
    cp -n "$f" "tests/fuzz/regressions/$name/" && kept=$((kept + 1))
    rm -f "$f"
  done
  # The closing statistics, or in fork mode the last status line.
  local rate execs
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  if [ -z "$rate" ]; then
    local last
    last=$(grep -E '^#[0-9]+:.*exec/s' "$log" | tail -1 || true)
    execs=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"$last")
    rate=$(sed -E 's/.*exec\/s:? *([0-9]+).*/\1/' <<<"$last")
  fi
  printf '%-16s %6d s  %10s runs  %8s runs/s  %d finding(s)  (log: %s)\n' \
    "$name" $((SECONDS - started)) "${execs:-?}" "${rate:-?}" "$kept" "${log#$root/}"
}

running=0
for name in "${names[@]}"; do
  if [ ! -x "$build/fuzz/${name}_fuzz" ]; then
    echo "no target ${name}_fuzz" >&2
    continue
  fi
  run_one "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait
