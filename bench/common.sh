# shellcheck shell=bash
# Shared by the benchmark scripts: the program measured, the build of the
# benchmarks' own programs, and small statistics. Sourced, not run.
# shellcheck source=../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tools/harness.sh"
bash "$source_dir/tools/need-packages.sh" program bench >&2 # stdout is the results

# The benchmarks' own programs (preset "bench"; the program measured is the
# release build's, or $PARABEAM_BIN).
bench_build="${PARABEAM_BENCH_BUILD:-$source_dir/build/bench}"

# Configures (preset "bench") and builds the given targets of the benchmark build.
build_targets() {
    if [ ! -f "$bench_build/CMakeCache.txt" ]; then
        (cd "$source_dir" && cmake --preset bench -B "$bench_build" >/dev/null)
    fi
    cmake --build "$bench_build" -j "$jobs" --target "$@" >/dev/null
}

# The program to measure: $PARABEAM_BIN if given, else the release build's.
program_path() {
    if [ -n "${PARABEAM_BIN:-}" ]; then
        echo "$PARABEAM_BIN"
        return
    fi
    build_release parabeam >/dev/null
    echo "$release_dir/parabeam"
}

# Median of the numbers on standard input, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                         else printf "%.6f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# "a / b" to two decimals, and whether it is at most the limit.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
within() { awk -v r="$1" -v limit="$2" 'BEGIN { exit !(r <= limit) }' && echo met || echo MISSED; }
