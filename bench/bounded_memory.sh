#!/usr/bin/env bash
# Peak memory and time of whole runs whose standard input is one huge field:
# a number of 200 million digits (integer digits, then fraction digits) and a
# unit word of 200 million bytes, each also at 50 and 100 MB to show that the
# time grows linearly. The reader keeps only what it stores, so the peak must
# stay below 16 MB whatever the size.
# Usage: bench/bounded_memory.sh   (SIZES_MB="50 100 200" to change the sizes)
set -euo pipefail
export LC_ALL=C
source "$(dirname "$0")/common.sh"

limit_kb=$((16 * 1024))
sizes="${SIZES_MB:-50 100 200}"

run_timeout=600 # a run reads up to 200 MB
program="$(program_path)"

work="$(mktemp -d /tmp/parabeam-memory-XXXXXX)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# $1 bytes of repeated text $2 (yes ends by a broken pipe: not a failure).
filler() { yes "$2" | tr -d '\n' | head -c "$1" || true; }

# Writes the input of kind $1 with a field of $2 bytes to standard output: the
# worked example's answers with one of them (or all but the first) replaced.
make_input() {
    case "$1" in
    integer) printf '1'; filler "$2" 7302581946 ;;
    fraction) printf '0.'; filler "$2" 7302581946; printf ' %s\n' "${worked_answers#3 }" ;;
    word) printf '%s ' "${worked_answers% kN/m kN m}"; filler "$2" kNm; printf ' kN m\n' ;;
    esac
}

printf '%-9s %5s %14s %12s %12s %14s\n' input MB "peak RSS (KB)" "elapsed (s)" "CPU (s)" "CPU ms per MB"
status=0
for kind in integer fraction word; do
    for mb in $sizes; do
        make_input "$kind" $((mb * 1000 * 1000)) >input
        rm -f data-values.dat out err status
        run_without_terminal "$work" "$work/input" /usr/bin/time -v -o "$work/usage.txt" "$program"
        peak_kb="$(awk -F': ' '/Maximum resident set size/ { print $2 }' usage.txt)"
        elapsed="$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' usage.txt |
            awk -F: '{ s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s }')"
        cpu="$(awk -F': ' '/(User|System) time/ { s += $2 } END { printf "%.2f", s }' usage.txt)"
        per_mb="$(awk -v t="$cpu" -v m="$mb" 'BEGIN { printf "%.2f", 1000 * t / m }')"
        printf '%-9s %5s %14s %12s %12s %14s\n' "$kind" "$mb" "$peak_kb" "$elapsed" "$cpu" "$per_mb"
        if [ "$peak_kb" -ge "$limit_kb" ]; then
            echo "   peak above 16 MB" >&2
            status=1
        fi
        if [ -s err ] || [ "$(wc -l <data-values.dat)" -ne 16 ]; then
            echo "   the run did not end with a whole record and no message" >&2
            status=1
        fi
    done
done
rm -f input
[ "$status" -eq 0 ] && echo "peak memory below 16 MB at every size"
exit "$status"
