#!/usr/bin/env bash
# The code's habits, checked: clang-format on every C++ file, clang-tidy on
# the program's sources (as the test build compiles them, .clang-tidy's
# checks), and ESLint (tools/js-lint, pinned by its package-lock.json) on the
# JavaScript. Prints what it finds and fails on any of it. Needs clang-format,
# clang-tidy, node and npm; configures build/tests for its compile commands.
set -euo pipefail
# shellcheck source=harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"
cd "$source_dir"
status=0

echo "== clang-format"
mapfile -t cpp < <(git ls-files '*.cpp' '*.hpp')
clang-format --dry-run --Werror "${cpp[@]}" || status=1

echo "== clang-tidy"
[ -f build/tests/compile_commands.json ] || cmake --preset tests >/dev/null
# The program's own sources that this system compiles (not the Windows and
# browser files, which need their systems' headers).
mapfile -t sources < <(git ls-files 'numbers/*.cpp' 'solver/*.cpp' 'platform/*.cpp' 'record/*.cpp' \
    'diagrams/*.cpp' 'console/*.cpp' | grep -v -e '_win32\.cpp$' -e '_web\.cpp$')
tidy=0
found=$(printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -n 4 clang-tidy -p build/tests --quiet 2>&1) ||
    tidy=1
printf '%s\n' "$found" | grep -v -e '^[0-9]* warnings\? generated' -e '^$' || true
[ "$tidy" -eq 0 ] || status=1

echo "== ESLint"
lint=tools/js-lint
(cd "$lint" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error) >&2
"$lint/node_modules/.bin/eslint" --config "$lint/eslint.config.mjs" web tests/web tests/browser bench ||
    status=1
exit $status
