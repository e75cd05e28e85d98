#!/usr/bin/env bash
# Builds the installable packages into build/packages/:
#   parabeam_<version>_<arch>.deb   Debian package (program and man page), made
#                                   in the release build (build/default)
#   parabeam-<version>-win32.zip    32- and 64-bit Windows programs and their
#                                   note (needs g++-mingw-w64-i686 and
#                                   g++-mingw-w64-x86-64; skipped without them)
set -euo pipefail
# shellcheck source=../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tools/harness.sh"
out=$source_dir/build/packages
mkdir -p "$out"
cd "$source_dir"

build_release parabeam
(cd "$release_dir" && rm -f parabeam_*.deb && cpack -G DEB)
cp "$release_dir"/parabeam_*.deb "$out"/

if command -v i686-w64-mingw32-g++ >/dev/null && command -v x86_64-w64-mingw32-g++ >/dev/null; then
    cp "$(build_windows_zip)" "$out"/
else
    echo "no i686-w64-mingw32-g++ or x86_64-w64-mingw32-g++: the Windows ZIP is not built" >&2
fi
ls -l "$out"
