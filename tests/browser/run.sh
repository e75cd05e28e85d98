#!/usr/bin/env bash
# The browser edition in headless Chromium and Firefox ESR (Debian's chromium
# and firefox-esr, driven by puppeteer-core): builds the console program and
# parabeam.html, then types answers into the page and compares what it saves
# with the console program's bytes, in each browser in turn. Installs no system
# package; the pinned npm packages of the test go into build/browser-tests.
# PARABEAM_BROWSERS="chromium" (or "firefox") runs one browser only.
set -euo pipefail
# shellcheck source=../../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/harness.sh"
cd "$source_dir"

missing=()
browsers=${PARABEAM_BROWSERS:-chromium firefox}
case " $browsers " in *" chromium "*)
    command -v chromium >/dev/null || missing+=("chromium (Debian package chromium)") ;;
esac
case " $browsers " in *" firefox "*)
    command -v firefox-esr >/dev/null || missing+=("firefox-esr (Debian package firefox-esr)") ;;
esac
command -v em++ >/dev/null || missing+=("em++ (Debian package emscripten)")
command -v node >/dev/null || missing+=("node (Debian package nodejs)")
command -v npm >/dev/null || missing+=("npm (Debian package npm)")
command -v setsid >/dev/null || missing+=("setsid (Debian package util-linux)")
command -v pdftotext >/dev/null || missing+=("pdftotext (Debian package poppler-utils)")
if [ ${#missing[@]} -gt 0 ]; then
    echo "tests/browser/run.sh needs what is missing here:" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi

echo "== the console program"
build_release parabeam
echo "== the browser edition"
CMAKE_BUILD_PARALLEL_LEVEL=$jobs cmake --workflow --preset web

packages=$(browser_test_packages)

status=0
for browser in $browsers; do
    echo "== the page in headless $browser"
    case $browser in
    chromium) engine=(PARABEAM_CHROMIUM="$(command -v chromium)") ;;
    firefox) engine=(PARABEAM_FIREFOX="$(command -v firefox-esr)") ;;
    *) echo "unknown browser: $browser" >&2 && exit 1 ;;
    esac
    shots=$packages/$browser
    mkdir -p "$shots"
    env "${engine[@]}" \
        PARABEAM_NATIVE="$release_dir/parabeam" PARABEAM_PAGE=build/web/parabeam.html \
        PARABEAM_WORKED_ANSWERS="$worked_answers" \
        PARABEAM_TEST_PACKAGES="$packages" PARABEAM_SCREENSHOT="$shots/worked_example.png" \
        PARABEAM_DIAGRAM_SHOTS="$shots" \
        node --test tests/browser/page_test.mjs || status=1
done
exit $status
