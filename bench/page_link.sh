#!/usr/bin/env bash
# The cost of an answers link in the page by its length (page_link.mjs), in
# headless Chromium: builds the browser edition (preset "web") and the browser
# tests' npm packages, then prints its Markdown section. Needs Debian's
# emscripten, chromium, nodejs and npm (tools/packages/web.txt); says so, and
# measures nothing, where they are missing.
set -euo pipefail
# shellcheck source=../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tools/harness.sh"
cd "$source_dir"

for command in em++ chromium node npm; do
    if ! command -v "$command" >/dev/null; then
        echo "The page's links were not measured: $command is missing (bash tools/need-packages.sh web)."
        exit 0
    fi
done
CMAKE_BUILD_PARALLEL_LEVEL=$jobs cmake --workflow --preset web >&2
packages=$(browser_test_packages)
node bench/page_link.mjs build/web/parabeam.html "$packages" "$(command -v chromium)" "${PAGE_RUNS:-7}"
