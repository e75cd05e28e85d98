#!/usr/bin/env bash
# Builds the release files into build/packages/:
#   parabeam_<version>_<arch>.deb   Debian package (program and man page), made
#                                   in the release build (build/default)
#   parabeam-<version>-win32.zip    32- and 64-bit Windows programs and their
#                                   note (needs g++-mingw-w64-i686 and
#                                   g++-mingw-w64-x86-64; skipped without them)
#   parabeam-<version>.html         the browser edition, one page that needs
#                                   nothing else (needs em++, node and npm;
#                                   skipped without them)
#   SHA256SUMS                      the checksums of the files above
set -euo pipefail
# shellcheck source=../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tools/harness.sh"
out=$source_dir/build/packages
mkdir -p "$out"
cd "$source_dir"
version=$(project_version)
# Files of an earlier version would be listed in SHA256SUMS beside this one's.
rm -f "$out"/parabeam_*.deb "$out"/parabeam-*-win32.zip "$out"/parabeam-*.html "$out"/SHA256SUMS

build_release parabeam
(cd "$release_dir" && rm -f parabeam_*.deb && cpack -G DEB)
cp "$release_dir"/parabeam_*.deb "$out"/

if command -v i686-w64-mingw32-g++ >/dev/null && command -v x86_64-w64-mingw32-g++ >/dev/null; then
    cp "$(build_windows_zip)" "$out"/
else
    echo "no i686-w64-mingw32-g++ or x86_64-w64-mingw32-g++: the Windows ZIP is not built" >&2
fi

if command -v em++ >/dev/null && command -v node >/dev/null && command -v npm >/dev/null; then
    CMAKE_BUILD_PARALLEL_LEVEL=$jobs cmake --workflow --preset web
    cp build/web/parabeam.html "$out/parabeam-$version.html"
else
    echo "no em++, node or npm: the page (parabeam-$version.html) is not built" >&2
fi

cd "$out"
shopt -s nullglob
released=(parabeam_*.deb parabeam-*-win32.zip parabeam-*.html)
sha256sum "${released[@]}" >SHA256SUMS
ls -l
