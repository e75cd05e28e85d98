#!/usr/bin/env bash
# Times whole runs of the program on the worked example (all ten answers on
# standard input from a file, output to a file, no terminal) against a minimal
# C++ program (minimal_run.cpp) that writes the same bytes in the same pieces,
# each piece flushed, and appends the same record. Targets: median wall time and peak
# memory each at most 1.5 times the minimal program's.
set -euo pipefail
export LC_ALL=C
source "$(dirname "$0")/common.sh"

runs="${RUNS:-200}"
limit=1.5
program="$(program_path)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir first real minimal
printf '%s\n' "$worked_answers" >answers.txt

# One run of the real program gives the bytes and, when strace is at hand,
# the pieces in which they reach standard output (one write per flush).
if command -v strace >/dev/null; then
    run_without_terminal "$work/first" "$work/answers.txt" \
        strace -qq -e trace=write -e signal=none -o "$work/writes.txt" "$program"
    grep '^write(1,' writes.txt | sed 's/.*= //' >pieces.txt
else
    run_without_terminal "$work/first" "$work/answers.txt" "$program"
    : >pieces.txt # one piece per line
fi
cp first/out expected.txt
cp first/data-values.dat record.txt

# The minimal program (bench/minimal_run.cpp) writes the same bytes in the same
# pieces, each flushed, and appends the same record with one write.
build_targets parabeam_minimal_run
minimal=("$bench_build/bench/parabeam_minimal_run" "$work/expected.txt" "$work/pieces.txt"
    "$work/record.txt")

run_without_terminal "$work/minimal" "$work/answers.txt" "${minimal[@]}"
cmp -s expected.txt minimal/out || {
    echo "the minimal program's output differs from the program's" >&2
    exit 1
}

# Alternating runs, so that a slow moment of the machine hits both alike. Timed
# runs start the program directly: nothing else between the clock readings.
time_run() { # directory, command...: appends the wall time of one run in ms
    local dir=$1
    shift
    cd "$dir"
    local start=$EPOCHREALTIME
    setsid "$@" <../answers.txt >../out.txt
    local end=$EPOCHREALTIME
    cd ..
    echo "$start $end" >>"${dir}_times.txt"
}
for ((i = 0; i < runs; ++i)); do
    time_run real "$program"
    time_run minimal "${minimal[@]}"
done
real_ms="$(awk '{ print ($2 - $1) * 1000 }' real_times.txt | median)"
minimal_ms="$(awk '{ print ($2 - $1) * 1000 }' minimal_times.txt | median)"

peak_kb() { # directory, command...: median of five runs' peak resident memory, in kB
    local dir=$1
    shift
    for _ in 1 2 3 4 5; do
        run_without_terminal "$work/$dir" "$work/answers.txt" /usr/bin/time -f %M -o "$work/peak.txt" "$@"
        cat peak.txt
    done | median
}
real_kb="$(peak_kb real "$program")"
minimal_kb="$(peak_kb minimal "${minimal[@]}")"

time_ratio="$(ratio "$real_ms" "$minimal_ms")"
memory_ratio="$(ratio "$real_kb" "$minimal_kb")"
echo "## Whole run (worked example, $runs runs each, alternating)"
echo
echo "| measure | parabeam | minimal program | ratio | target | result |"
echo "|---|---|---|---|---|---|"
printf '| median wall time per run | %.3f ms | %.3f ms | %s | <= %s | %s |\n' \
    "$real_ms" "$minimal_ms" "$time_ratio" "$limit" "$(within "$time_ratio" "$limit")"
printf '| peak resident memory | %s kB | %s kB | %s | <= %s | %s |\n' \
    "$real_kb" "$minimal_kb" "$memory_ratio" "$limit" "$(within "$memory_ratio" "$limit")"
echo
if [ -s pieces.txt ]; then
    shape="in the same $(wc -l <pieces.txt) flushed pieces as the program"
else
    shape="flushing once per line"
fi
echo "Output: $(wc -c <expected.txt) bytes; the minimal program writes them with std::cout" \
    "$shape and appends the same record."
