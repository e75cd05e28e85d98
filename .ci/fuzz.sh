#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a while on a copy of its seed
# corpus. Usage: .ci/fuzz.sh [seconds per target, default 60]
# Exits non-zero when a target finds an input that breaks it; the input is
# kept and its path printed.
set -euo pipefail
# shellcheck source=../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tools/harness.sh"
cd "$source_dir"

seconds="${1:-60}"
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 [seconds per target]" >&2; exit 2; }

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"

work="$(mktemp -d /tmp/parabeam-fuzz-XXXXXX)"
status=0
# target, seed folder, longest input, extra flags
run_target() {
    local target="$1" seeds="$2" max_len="$3"
    shift 3
    local corpus="$work/$target/corpus" findings="$work/$target/findings"
    mkdir -p "$corpus" "$findings"
    cp fuzz/corpus/"$seeds"/* "$corpus"/
    echo "== $target: ${seconds}s"
    if ! build/fuzz/fuzz/"$target" -max_total_time="$seconds" -max_len="$max_len" \
        -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/" "$@" \
        "$corpus" 2>"$work/$target/log"; then
        status=1
    fi
    grep -E 'DONE|^Done' "$work/$target/log" || true
    if compgen -G "$findings/*" >/dev/null; then
        status=1
        echo "!! $target found inputs that break it:"
        ls "$findings"/*
        grep -E 'invariant broken|ERROR|runtime error' "$work/$target/log" | head -5 || true
    fi
}

run_target parabeam_fuzz_run run 8192 -dict=fuzz/run.dict
run_target parabeam_fuzz_format format 16

if [ "$status" -eq 0 ]; then
    rm -rf "$work"
    echo "fuzzing found nothing"
else
    echo "fuzzing found problems; logs and inputs kept in $work" >&2
fi
exit "$status"
