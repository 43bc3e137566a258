#!/usr/bin/env bash
# Runs each fuzz target for the given number of seconds (default 60), starting
# from its seed corpus in fuzz/corpus/<name>/. The fuzzer works on a temporary
# copy, so the committed corpus stays as it is. A crash stops the run with a
# non-zero status and leaves the input that caused it in fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
targets="list_file"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/velunda-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p fuzz/artifacts

for name in $targets; do
  echo "== fuzz $name for ${seconds}s"
  mkdir -p "$work/$name"
  cp fuzz/corpus/"$name"/* "$work/$name"/
  "build/fuzz/fuzz/${name}_fuzz" "$work/$name" \
    -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="fuzz/artifacts/${name}-" 2>"$work/$name.log" || {
      tail -n 60 "$work/$name.log"
      echo "fuzz: $name failed; the input is in fuzz/artifacts/" >&2
      exit 1
    }
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' "$work/$name.log" || true
done
