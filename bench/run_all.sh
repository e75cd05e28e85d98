#!/usr/bin/env bash
# Builds the program (the release build) and the benchmarks' own programs
# (preset "bench") and runs every benchmark: number writing and reading, whole
# runs against a minimal program, appending to a large record file, the
# bounded-memory check when present, and the cost of answers links in the page
# (where the browser edition can be built). Writes the figures and the machine
# to bench/RESULTS.md. Takes about two minutes.
set -euo pipefail
export LC_ALL=C
bench_dir="$(cd "$(dirname "$0")" && pwd)"
source "$bench_dir/common.sh"

echo "building the program in $release_dir and the benchmarks in $bench_build" >&2
PARABEAM_BIN=$(program_path)
export PARABEAM_BIN
build_targets parabeam_number_bench

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

compiler="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$bench_build/CMakeCache.txt")"
{
    echo "# Benchmark results"
    echo
    echo "Produced by \`bench/run_all.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC')."
    echo
    echo "- CPU: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores available"
    echo "- Compiler: $(readlink -f "$compiler"): $("$compiler" --version | head -n 1), Release build"
    echo "- Load average at the start: $(cut -d ' ' -f 1-3 /proc/loadavg)"
    echo
} >"$work/results.md"

echo "number benchmarks" >&2
"$bench_build/bench/parabeam_number_bench" --benchmark_min_time=0.2 \
    --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_format=json \
    >"$work/numbers.json" 2>/dev/null
python3 "$bench_dir/number_summary.py" "$work/numbers.json" >>"$work/results.md"
echo >>"$work/results.md"

for script in whole_run.sh growth.sh bounded_memory.sh page_link.sh; do
    [ -x "$bench_dir/$script" ] || continue
    echo "$script" >&2
    "$bench_dir/$script" >"$work/section.txt"
    if head -n 1 "$work/section.txt" | grep -q '^## '; then
        cat "$work/section.txt"
    else # plain text: kept as it is, under its own heading
        printf '## %s\n\n```text\n' "$script"
        cat "$work/section.txt"
        printf '```\n'
    fi >>"$work/results.md"
    echo >>"$work/results.md"
done

cat >>"$work/results.md" <<'NOTES'
Timings are from whatever else the machine was doing at the time (see the load
average above); ratios come from runs interleaved in the same period. The
Google Benchmark library of the distribution reports itself as built without
optimisation, which affects only its own bookkeeping between iterations.
NOTES
cp "$work/results.md" "$bench_dir/RESULTS.md"
cat "$bench_dir/RESULTS.md"
