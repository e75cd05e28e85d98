#!/usr/bin/env bash
# Builds the installable packages into build/packages/:
#   parabeam_<version>_<arch>.deb   Debian package (program and man page)
#   parabeam-<version>-win32.zip    32-bit Windows program and its note
#                                   (needs g++-mingw-w64-i686; skipped without it)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/build/packages
mkdir -p "$out"
cd "$root"

deb_build=$root/build/package-deb
cmake -S "$root" -B "$deb_build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$deb_build" -j2 --target parabeam
(cd "$deb_build" && rm -f parabeam_*.deb && cpack -G DEB)
cp "$deb_build"/parabeam_*.deb "$out"/

if command -v i686-w64-mingw32-g++ >/dev/null; then
    cmake --preset windows-32
    cmake --build --preset windows-32 -j2
    (cd "$root/build/windows-32" && rm -f parabeam-*.zip && cpack -G ZIP)
    cp "$root"/build/windows-32/parabeam-*-win32.zip "$out"/
else
    echo "no i686-w64-mingw32-g++: the Windows ZIP is not built" >&2
fi
ls -l "$out"
