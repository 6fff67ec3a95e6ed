#!/usr/bin/env bash
# Fuzzes every reader of a file that can come from outside the program.
#
# Configures a separate clang build in build-fuzz/ (libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer; no Qt, GoogleTest or
# benchmark needed), builds the fuzz targets, and runs each one for a fixed
# time on a fresh copy of its seed corpus from tests/fuzz/corpus/<target>/.
# The targets are the ones tests/fuzz/CMakeLists.txt declares with
# tq_add_fuzzer; the build writes their list to build-fuzz/fuzz-targets.txt.
#
#   scripts/fuzz.sh                   20 seconds per target (the quick check)
#   scripts/fuzz.sh 600               ten minutes per target
#   scripts/fuzz.sh --total 1800      half an hour in all, split evenly among the targets
#   scripts/fuzz.sh --runs 2000000    each target until it has run two million inputs
#   scripts/fuzz.sh --total 1800 --merge
#                                     and then fold what the runs found into the seeds
#   scripts/fuzz.sh --merge-only      fold in what the last run found, without fuzzing
#   scripts/fuzz.sh 60 fuzz_config    only the targets named
#   TQ_FUZZ_SECONDS=600 scripts/fuzz.sh
#
# Folding in (libFuzzer -merge=1) keeps the hand-written seeds and adds the
# fewest, smallest found inputs that reach the code the runs reached, each cut
# to 1024 bytes (TQ_FUZZ_MERGE_MAX_LEN); review and commit tests/fuzz/corpus/
# afterwards.
#
# Scratch files go to /dev/shm (or TQ_FUZZ_TMPDIR when set).
# Prints how many inputs each target ran. Fails when any target finds a crash,
# a sanitizer report, a leak, a hang or runaway memory use; the input that
# caused it is kept in build-fuzz/findings/<target>/ and can be replayed with
#   build-fuzz/bin/<target> build-fuzz/findings/<target>/crash-...
set -euo pipefail

usage() {
  echo "usage: $0 [seconds per target | --total seconds | --runs inputs] [--merge | --merge-only] [target...]" >&2
  exit 2
}

per_target="${TQ_FUZZ_SECONDS:-20}"
total=""
runs_wanted=""
merge=0
fuzz=1
chosen=()
while [ $# -gt 0 ]; do
  case "$1" in
    --total) [ $# -ge 2 ] || usage; total="$2"; shift 2 ;;
    --total=*) total="${1#--total=}"; shift ;;
    --runs) [ $# -ge 2 ] || usage; runs_wanted="$2"; shift 2 ;;
    --runs=*) runs_wanted="${1#--runs=}"; shift ;;
    --merge) merge=1; shift ;;
    --merge-only) merge=1; fuzz=0; shift ;;
    -h|--help) usage ;;
    -*) usage ;;
    *)
      if [[ "$1" =~ ^[0-9]+$ ]]; then per_target="$1"; else chosen+=("$1"); fi
      shift ;;
  esac
done
for n in "$per_target" ${total:+"$total"} ${runs_wanted:+"$runs_wanted"}; do
  if ! [[ "$n" =~ ^[0-9]+$ ]] || [ "$n" -lt 1 ]; then usage; fi
done

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TQ_FUZZ_BUILD_DIR:-$root/build-fuzz}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTQ_BUILD_FUZZ=ON -DTQ_BUILD_APP=OFF -DTQ_BUILD_TESTS=OFF -DTQ_BUILD_BENCH=OFF >/dev/null
mapfile -t targets < <(grep -v '^$' "$build/fuzz-targets.txt")
if [ "${#chosen[@]}" -gt 0 ]; then
  for c in "${chosen[@]}"; do
    printf '%s\n' "${targets[@]}" | grep -qx -- "$c" || { echo "no fuzz target named $c" >&2; exit 2; }
  done
  targets=("${chosen[@]}")
fi
cmake --build "$build" -j2 --target "${targets[@]}"

if [ -n "$total" ]; then
  per_target=$(( total / ${#targets[@]} ))
  [ "$per_target" -ge 1 ] || per_target=1
fi

limits=(-timeout=10 -rss_limit_mb=1024)
# Inputs folded into the tree are cut to this length, which keeps the
# committed corpus small; the runs grow longer inputs from them again.
merge_max_len="${TQ_FUZZ_MERGE_MAX_LEN:-1024}"

failed=()
summary=()
for t in "${targets[@]}"; do
  seeds="$root/tests/fuzz/corpus/$t"
  work="$build/corpus-run/$t"
  findings="$build/findings/$t"
  log="$build/logs/$t.log"
  mkdir -p "$seeds"
  [ "$fuzz" -eq 1 ] || continue
  # The fuzzer adds what it finds to its corpus; the seeds in the tree stay as they are.
  rm -rf "$work"
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  cp -r "$seeds/." "$work/"
  # A count of inputs, when asked for, instead of a time.
  if [ -n "$runs_wanted" ]; then
    budget=(-runs="$runs_wanted")
    echo "== $t: ${runs_wanted} inputs"
  else
    budget=(-max_total_time="$per_target")
    echo "== $t: ${per_target}s"
  fi
  status=0
  start=$SECONDS
  "$build/bin/$t" "${budget[@]}" "${limits[@]}" -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$work" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  runs="${runs:-?}"
  if [ "$status" -ne 0 ]; then
    failed+=("$t")
    summary+=("$t: FAILED after $runs runs (see $log)")
    tail -n 40 "$log"
  else
    summary+=("$t: $runs runs in $(( SECONDS - start ))s, nothing found")
  fi
done

if [ "$merge" -eq 1 ]; then
  for t in "${targets[@]}"; do
    seeds="$root/tests/fuzz/corpus/$t"
    work="$build/corpus-run/$t"
    # A target that failed would replay its crash while merging; mend it first.
    if printf '%s\n' "${failed[@]+"${failed[@]}"}" | grep -qx -- "$t"; then continue; fi
    if [ ! -d "$work" ]; then
      summary+=("$t: nothing to fold in (no run in $work)")
      continue
    fi
    before="$(find "$seeds" -type f | wc -l)"
    # The hand-written seeds (named for what they hold) always stay; the inputs
    # the fuzzer found (named by their SHA-1) are chosen afresh each time, the
    # smallest first, so the corpus stays a minimal set for the code reached.
    fresh="$build/merge/$t"
    rm -rf "$fresh"
    mkdir -p "$fresh"
    find "$seeds" -maxdepth 1 -type f -regextype posix-extended ! -regex '.*/[0-9a-f]{40}' -exec cp {} "$fresh/" \;
    "$build/bin/$t" -merge=1 "${limits[@]}" -max_len="$merge_max_len" "$fresh" "$seeds" "$work" >"$build/logs/$t.merge.log" 2>&1 || {
      failed+=("$t")
      summary+=("$t: merging FAILED (see $build/logs/$t.merge.log)")
      continue
    }
    rm -rf "$seeds"
    cp -r "$fresh" "$seeds"
    after="$(find "$seeds" -type f | wc -l)"
    summary+=("$t: corpus $before -> $after inputs, $(( $(cat "$seeds"/* | wc -c) / 1024 )) KB")
  done
fi

echo
printf '%s\n' "${summary[@]+"${summary[@]}"}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "Findings in: ${failed[*]}" >&2
  exit 1
fi
