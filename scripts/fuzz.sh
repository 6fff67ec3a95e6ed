#!/usr/bin/env bash
# Fuzzes every reader of a file that can come from outside the program: the
# worksheet, the configuration file, words.dat, mapping.txt and words.txt.
#
# Configures a separate clang build in build-fuzz/ (libFuzzer with
# AddressSanitizer and UndefinedBehaviorSanitizer; no Qt, GoogleTest or
# benchmark needed), builds the fuzz targets, and runs each one for a fixed
# time on a fresh copy of its seed corpus from tests/fuzz/corpus/<target>/.
#
#   scripts/fuzz.sh              20 seconds per target (the quick check)
#   scripts/fuzz.sh 1800         a longer run: half an hour per target
#   TQ_FUZZ_SECONDS=600 scripts/fuzz.sh
#
# Scratch files go to /dev/shm (or TQ_FUZZ_TMPDIR when set).
# Prints how many inputs each target ran. Fails when any target finds a crash,
# a sanitizer report, a leak, a hang or runaway memory use; the input that
# caused it is kept in build-fuzz/findings/<target>/ and can be replayed with
#   build-fuzz/bin/<target> build-fuzz/findings/<target>/crash-...
set -euo pipefail

seconds="${1:-${TQ_FUZZ_SECONDS:-20}}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: $0 [seconds per target]" >&2
  exit 2
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TQ_FUZZ_BUILD_DIR:-$root/build-fuzz}"
targets=(fuzz_worksheet fuzz_config fuzz_words_dat fuzz_mapping_txt fuzz_words_txt fuzz_wordinfo_dat)

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTQ_BUILD_FUZZ=ON -DTQ_BUILD_APP=OFF -DTQ_BUILD_TESTS=OFF -DTQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

failed=()
summary=()
for t in "${targets[@]}"; do
  seeds="$root/tests/fuzz/corpus/$t"
  work="$build/corpus-run/$t"
  findings="$build/findings/$t"
  log="$build/logs/$t.log"
  # The fuzzer adds what it finds to its corpus; the seeds in the tree stay as they are.
  rm -rf "$work"
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  cp -r "$seeds/." "$work/"
  echo "== $t: ${seconds}s"
  status=0
  "$build/bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -max_len=8192 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$work" >"$log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  runs="${runs:-?}"
  if [ "$status" -ne 0 ]; then
    failed+=("$t")
    summary+=("$t: FAILED after $runs runs (see $log)")
    tail -n 40 "$log"
  else
    summary+=("$t: $runs runs in ${seconds}s, nothing found")
  fi
done

echo
printf '%s\n' "${summary[@]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "Findings in: ${failed[*]}" >&2
  exit 1
fi
