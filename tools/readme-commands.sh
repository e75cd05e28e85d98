#!/usr/bin/env bash
# Prints the commands of the README's opening block, one a line: the first
# builds and runs the program, the second builds and runs the test suite.
# Usage: bash tools/readme-commands.sh [README]
set -euo pipefail
readme="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/README.md}"
inside=false
while IFS= read -r line; do
    if [[ $line == '```'* ]]; then
        if $inside; then exit 0; fi
        inside=true
    elif $inside; then
        printf '%s\n' "$line"
    fi
done <"$readme"
