# Shared by the benchmark scripts: the Release build and small statistics.
# Sourced, not run.

bench_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bench_build="${PARABEAM_BENCH_BUILD:-$bench_root/build/bench}"

# Configures (preset "bench") and builds the given targets of the Release
# benchmark build.
build_targets() {
    if [ ! -f "$bench_build/CMakeCache.txt" ]; then
        (cd "$bench_root" && cmake --preset bench -B "$bench_build" >/dev/null)
    fi
    cmake --build "$bench_build" -j2 --target "$@" >/dev/null
}

# The program to measure: $PARABEAM_BIN if given, else the Release build.
program_path() {
    if [ -n "${PARABEAM_BIN:-}" ]; then
        echo "$PARABEAM_BIN"
        return
    fi
    build_targets parabeam
    echo "$bench_build/parabeam"
}

# Median of the numbers on standard input, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                         else printf "%.6f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# "a / b" to two decimals, and whether it is at most the limit.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
within() { awk -v r="$1" -v limit="$2" 'BEGIN { exit !(r <= limit) }' && echo met || echo MISSED; }
