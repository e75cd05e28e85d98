#!/usr/bin/env bash
# The Windows builds, checked under wine: installs what a bare Debian machine
# lacks (as root: the mingw-w64 cross compilers, wine with its 32-bit half,
# tmux), then runs tests/windows/run_wine_tests.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v cmake >/dev/null || need+=(cmake)
command -v make >/dev/null || need+=(make)
command -v g++ >/dev/null || need+=(g++)
command -v perl >/dev/null || need+=(perl)
command -v tmux >/dev/null || need+=(tmux)
command -v i686-w64-mingw32-g++ >/dev/null || need+=(g++-mingw-w64-i686)
command -v x86_64-w64-mingw32-g++ >/dev/null || need+=(g++-mingw-w64-x86-64)
command -v wine >/dev/null || need+=(wine wine64)
dpkg -s wine32:i386 >/dev/null 2>&1 || need+=(wine32:i386)

if [ ${#need[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing packages (run as root to install them): ${need[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    # 32-bit wine comes from the i386 architecture.
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq "${need[@]}" >/dev/null
fi

bash tests/windows/run_wine_tests.sh
