#!/usr/bin/env bash
# Times whole runs of the program on the worked example (all ten answers on
# standard input from a file, output to a file, no terminal) against a minimal
# C++ program that writes the same bytes in the same pieces, each piece
# flushed, and appends the same record. Targets: median wall time and peak
# memory each at most 1.5 times the minimal program's.
set -euo pipefail
export LC_ALL=C
source "$(dirname "$0")/common.sh"

runs="${RUNS:-200}"
limit=1.5
program="$(program_path)"
cxx="${CXX:-g++}"
command -v /usr/bin/time >/dev/null || {
    echo "/usr/bin/time is missing (Debian package: time)" >&2
    exit 1
}

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir real minimal
echo "3 9 2 4 2 0 5 kN/m kN m" >answers.txt

# One run of the real program gives the bytes and, when strace is at hand,
# the pieces in which they reach standard output (one write per flush).
if command -v strace >/dev/null; then
    (cd real && strace -qq -e trace=write -e signal=none -o ../writes.txt \
        setsid "$program" <../answers.txt >../expected.txt)
    pieces="$(awk '/^write\(1,/ { print $NF }' writes.txt | paste -sd, -)"
else
    (cd real && setsid "$program" <../answers.txt >../expected.txt)
    pieces="" # one piece per line
fi
cp real/data-values.dat record.txt
rm -f real/data-values.dat

# The minimal program: the same bytes as string literals, written piece by
# piece with a flush after each, and the record appended with one write.
python3 - "$pieces" >minimal.cpp <<'PY'
import sys
out = open("expected.txt", "rb").read()
record = open("record.txt", "rb").read()
sizes = [int(s) for s in sys.argv[1].split(",") if s]
if sum(sizes) != len(out):
    sizes = [len(line) for line in out.splitlines(keepends=True)]
pieces, at = [], 0
for size in sizes:
    pieces.append(out[at:at + size])
    at += size
def literal(data):
    return '"' + "".join("\\x%02x" % b for b in data) + '"'
print("#include <fcntl.h>\n#include <iostream>\n#include <unistd.h>")
print("static const char* const pieces[] = {")
for piece in pieces:
    print("    " + literal(piece) + ",")
print("};\nstatic const unsigned long sizes[] = {" + ",".join(str(len(p)) for p in pieces) + "};")
print("static const char record[] = " + literal(record) + ";")
print("""int main() {
    for (unsigned long i = 0; i < sizeof sizes / sizeof sizes[0]; ++i)
        std::cout.write(pieces[i], static_cast<std::streamsize>(sizes[i])).flush();
    const int file = ::open("data-values.dat", O_WRONLY | O_APPEND | O_CREAT, 0666);
    if (file >= 0) {
        if (::write(file, record, sizeof record - 1) < 0) return 1;
        ::close(file);
    }
    return 0;
}""")
PY
"$cxx" -std=c++20 -O2 -o minimal/minimal minimal.cpp
minimal_program="$work/minimal/minimal"

(cd minimal && setsid "$minimal_program" <../answers.txt >../minimal_out.txt)
cmp -s expected.txt minimal_out.txt || {
    echo "the minimal program's output differs from the program's" >&2
    exit 1
}

# Alternating runs, so that a slow moment of the machine hits both alike.
time_run() { # directory, program: appends the wall time of one run in ms
    cd "$1"
    local start=$EPOCHREALTIME
    setsid "$2" <../answers.txt >../out.txt
    local end=$EPOCHREALTIME
    cd ..
    echo "$start $end" >>"$1_times.txt"
}
for ((i = 0; i < runs; ++i)); do
    time_run real "$program"
    time_run minimal "$minimal_program"
done
real_ms="$(awk '{ print ($2 - $1) * 1000 }' real_times.txt | median)"
minimal_ms="$(awk '{ print ($2 - $1) * 1000 }' minimal_times.txt | median)"

peak_kb() { # median of five runs' peak resident memory, in kB
    local dir="$1" binary="$2"
    for _ in 1 2 3 4 5; do
        (cd "$dir" && /usr/bin/time -f %M -o ../peak.txt setsid "$binary" <../answers.txt >/dev/null)
        cat peak.txt
    done | median
}
real_kb="$(peak_kb real "$program")"
minimal_kb="$(peak_kb minimal "$minimal_program")"

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
if [ -n "$pieces" ]; then
    shape="in the same $(($(tr -cd , <<<"$pieces" | wc -c) + 1)) flushed pieces as the program"
else
    shape="flushing once per line"
fi
echo "Output: $(wc -c <expected.txt) bytes; the minimal program writes them with std::cout" \
    "$shape and appends the same record."
