#!/usr/bin/env bash
# The Windows builds, checked under wine: installs what a bare Debian machine
# lacks (tools/packages/windows.txt; wine's 32-bit half comes from the i386
# architecture, which tools/need-packages.sh adds), then runs
# tests/windows/run_wine_tests.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/need-packages.sh program windows

bash tests/windows/run_wine_tests.sh
