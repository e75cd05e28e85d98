#!/usr/bin/env bash
# Builds the Debian package and checks it: its file name and control fields,
# exactly the program and the man page inside, the unpacked program (dpkg -x)
# answering the worked example byte for byte like the build it came from, the
# man page rendering, apt-get accepting the file (simulated), and (as root) the
# package built on a machine without `file`.
# The package is made in the release build (build/default). Prints "N passed,
# N failed" and fails when anything failed.
set -uo pipefail

# shellcheck source=../../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/harness.sh"
work=${PARABEAM_PACKAGE_WORK:-$source_dir/build/package-test}
build=$release_dir
runs=$work/runs

rm -rf "$runs"
mkdir -p "$runs"
log=$work/build.log
if ! { build_release parabeam && (cd "$build" && rm -f parabeam_*.deb && timeout 300 cpack -G DEB); } >"$log" 2>&1; then
    fail "build the package" "see $log" "$(tail -n 20 "$log")"
    finish
fi

version=$(project_version)
arch=$(dpkg --print-architecture)
deb=$build/parabeam_${version}_${arch}.deb
if [ -f "$deb" ]; then pass "file name $(basename "$deb")"; else
    fail "file name parabeam_${version}_${arch}.deb" "built: $(cd "$build" && ls ./*.deb 2>&1)"
    finish
fi

field() { dpkg-deb -f "$deb" "$1"; }
check_field() { # name, expected value (a grep -E pattern for the whole value)
    local value
    value=$(field "$1")
    if grep -qxE -- "$2" <<<"$value"; then pass "control: $1: $value"; else
        fail "control: $1" "got: $value" "wanted: $2"
    fi
}
check_field Package 'parabeam'
check_field Version "${version//./\\.}"
check_field Architecture "$arch"
check_field Maintainer '.+ <[^ @]+@[^ ]+>'
check_field Section 'science'
# The program links the C and C++ runtimes: both must be declared.
depends=$(field Depends)
if grep -q 'libc6' <<<"$depends" && grep -q 'libstdc++6' <<<"$depends"; then
    pass "control: Depends names libc6 and libstdc++6: $depends"
else
    fail "control: Depends names libc6 and libstdc++6" "got: $depends"
fi
if [ "$(field Description | wc -l)" -ge 2 ]; then pass "control: Description with a long text"; else
    fail "control: Description with a long text" "$(field Description)"
fi

# Exactly the program and the man page, nothing else.
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort | tr '\n' ' ')
expected_files="./usr/bin/parabeam ./usr/share/man/man1/parabeam.1 "
if [ "$files" = "$expected_files" ]; then pass "contents: $files"; else
    fail "contents" "got: $files" "wanted: $expected_files"
fi

unpacked=$runs/root
dpkg -x "$deb" "$unpacked"
installed=$unpacked/usr/bin/parabeam
if [ -x "$installed" ]; then pass "unpacked program is executable"; else
    fail "unpacked program is executable" "$(ls -l "$installed" 2>&1)"
    finish
fi

# The unpacked program against the build's own, both without a terminal in a
# fresh directory on the worked example, twice in a row (the record accumulates).
answers=$runs/answers
printf '%s\n' "$worked_answers" >"$answers"
declare -A program=([built]=$build/parabeam [installed]=$installed)
for name in built installed; do
    mkdir -p "$runs/$name"
    for _ in 1 2; do run_without_terminal "$runs/$name" "$answers" "${program[$name]}"; done
done
for name in out err status data-values.dat; do
    if cmp -s "$runs/built/$name" "$runs/installed/$name"; then
        pass "unpacked program: $name as from the build"
    else
        fail "unpacked program: $name as from the build" \
            "$(cmp "$runs/built/$name" "$runs/installed/$name" 2>&1 | head -n 1)"
    fi
done
# A few exact lines, so that two equally broken programs cannot agree.
for line in ' Derived Values 1 :: ==> Ay = 9.33333 kN' ' Derived Values 2 :: ==> By = 8.66667 kN'; do
    if [ "$(grep -cxF -- "$line" "$runs/installed/data-values.dat")" = 2 ]; then
        pass "record holds twice: $line"
    else
        fail "record holds twice: $line"
    fi
done
if [ "$(tr -d '\n' <"$runs/installed/status")" = 00 ]; then
    pass "unpacked program: exit status 0"
else
    fail "unpacked program: exit status 0" "$(cat "$runs/installed/status")"
fi

# The man page: there, and rendering without complaints.
page=$unpacked/usr/share/man/man1/parabeam.1
if [ -f "$page" ] && cmp -s "$page" "$source_dir/man/parabeam.1"; then pass "man page installed"; else
    fail "man page installed" "$(ls -l "$page" 2>&1)"
fi
if command -v groff >/dev/null; then
    rendered=$runs/man.txt
    if groff -man -Tutf8 -P-cbou -ww "$page" >"$rendered" 2>"$runs/man.err" && [ ! -s "$runs/man.err" ]; then
        pass "man page renders without warnings"
    else
        fail "man page renders without warnings" "$(head -n 5 "$runs/man.err")"
    fi
    for heading in NAME SYNOPSIS DESCRIPTION FILES 'EXIT STATUS' EXAMPLES; do
        if grep -qx "$heading" "$rendered"; then pass "man page section $heading"; else
            fail "man page section $heading"
        fi
    done
else
    echo "     (groff missing: the man page is checked for presence only)"
fi
if command -v man >/dev/null && man -l "$page" >/dev/null 2>&1; then pass "man -l shows the page"; fi

# apt-get would install it: the dependencies resolve (simulation, changes nothing).
if command -v apt-get >/dev/null; then
    if (cd "$build" && apt-get install -s "./$(basename "$deb")" 2>&1) | grep -q '^Inst parabeam '; then
        pass "apt-get install ./$(basename "$deb") (simulated)"
    else
        fail "apt-get install ./$(basename "$deb") (simulated)" \
            "$(cd "$build" && apt-get install -s "./$(basename "$deb")" 2>&1 | tail -n 5)"
    fi
fi

# A machine with dpkg-shlibdeps but without `file` (CPack needs both to ask for
# the exact versions): the package is still built. As root, a private mount
# namespace hides file behind an empty, non-executable file (not in a chroot).
if [ "$(id -u)" -eq 0 ] && command -v file >/dev/null && unshare -m true 2>/dev/null; then
    no_file=$work/without-file
    rm -rf "$no_file"
    mkdir -p "$no_file"
    : >"$no_file/empty"
    # shellcheck disable=SC2016 # the inner bash expands them
    # Its own build folder: CMake looks for file when it configures.
    if timeout 900 unshare -m bash -c 'mount --bind "$1/empty" "$(command -v file)" &&
        cmake -S "$2" -B "$1/build" -DCMAKE_BUILD_TYPE=Release &&
        cmake --build "$1/build" -j "$3" --target parabeam && cd "$1/build" && cpack -G DEB' \
        _ "$no_file" "$source_dir" "$jobs" >"$no_file/log" 2>&1; then
        pass "without file: package built, Depends: $(dpkg-deb -f "$no_file/build/$(basename "$deb")" Depends)"
    else
        fail "without file: package built" "$(tail -n 5 "$no_file/log")"
    fi
else
    echo "     (not root, or no private mount namespace: no build without file)"
fi

finish
