#!/usr/bin/env bash
# Appending the record must not depend on how much data-values.dat already
# holds: times runs whose file starts as a 1 GB (sparse) file against runs
# whose file starts empty, alternating, and compares the medians.
set -euo pipefail
export LC_ALL=C
source "$(dirname "$0")/common.sh"

runs="${RUNS:-50}"
size=1G
program="$(program_path)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir empty large
printf '%s\n' "$worked_answers" >answers.txt

# Timed runs start the program directly: nothing else between the clock readings.
time_run() { # directory: appends the wall time of one run in ms
    cd "$1"
    local start=$EPOCHREALTIME
    setsid "$program" <../answers.txt >/dev/null
    local end=$EPOCHREALTIME
    cd ..
    awk -v a="$start" -v b="$end" 'BEGIN { print (b - a) * 1000 }' >>"$1_times.txt"
}
for ((i = 0; i < runs; ++i)); do
    truncate -s 0 empty/data-values.dat
    truncate -s "$size" large/data-values.dat
    time_run empty
    time_run large
done

record_bytes="$(stat -c %s empty/data-values.dat)"
grown=$(($(stat -c %s large/data-values.dat) - $(numfmt --from=iec "$size")))
[ "$grown" -eq "$record_bytes" ] || {
    echo "the large file grew by $grown bytes, the empty one by $record_bytes" >&2
    exit 1
}

quartile() { # file, fraction
    sort -g "$1" | awk -v q="$2" '{ v[NR] = $1 } END { i = int((NR - 1) * q) + 1; print v[i] }'
}
empty_ms="$(median <empty_times.txt)"
large_ms="$(median <large_times.txt)"
spread="$(awk -v lo="$(quartile empty_times.txt 0.25)" -v hi="$(quartile empty_times.txt 0.75)" \
    -v m="$empty_ms" 'BEGIN { printf "%.2f", (hi - lo) / m }')"
limit="$(awk -v s="$spread" 'BEGIN { printf "%.2f", 1 + (s > 0.10 ? s : 0.10) }')"
growth_ratio="$(ratio "$large_ms" "$empty_ms")"

echo "## Appending to a large record file ($runs runs each, alternating)"
echo
echo "| data-values.dat before the run | median wall time per run |"
echo "|---|---|"
printf '| empty | %.3f ms |\n| %s (sparse) | %.3f ms |\n' "$empty_ms" "$size" "$large_ms"
echo
echo "Ratio $growth_ratio; target: within noise, at most $limit (1 plus the larger of 0.10 and" \
    "the interquartile spread of the empty-file runs, $spread): $(within "$growth_ratio" "$limit")."
