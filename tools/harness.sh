# shellcheck shell=bash
# Shared by the shell harnesses (the package, wine, browser and fresh-machine
# tests, the benchmarks, the package build); source it, do not run it. Works
# with or without `set -e`.
#   source_dir        the checkout
#   release_dir       the one release build of the program: build/default, as
#                     `cmake --preset default` makes it; build_release builds in it
#   jobs              build jobs: CMAKE_BUILD_PARALLEL_LEVEL, else every processor
#   worked_answers    the worked example's ten answers, one line, no line end
#   project_version   prints the version CMake has from project()
#   build_windows_zip builds the Windows ZIP package, its path printed
#   browser_test_packages installs the browser tests' npm packages, their folder printed
#   fresh_dir, run_without_terminal   one run of a program in a folder of its own
#   pass, fail, skip, verdict, finish the checks' bookkeeping and closing count

source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)
release_dir=$source_dir/build/default
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc 2>/dev/null || getconf _NPROCESSORS_ONLN)}
worked_answers='3 9 2 4 2 0 5 kN/m kN m'
run_timeout=60 # seconds a run may take before it counts as hanging

# Configures the release build when it is not yet, then builds the given
# targets (everything without any).
build_release() { # [target...]
    if [ ! -f "$release_dir/CMakeCache.txt" ]; then
        (cd "$source_dir" && cmake --preset default) || return
    fi
    if [ $# -eq 0 ]; then
        cmake --build "$release_dir" -j "$jobs"
    else
        cmake --build "$release_dir" -j "$jobs" --target "$@"
    fi
}

# The Windows ZIP package as users get it, made in build/windows-32 and its path
# printed: the 32-bit parabeam.exe, the 64-bit one beside it as parabeam64.exe,
# and the note. Needs both mingw-w64 compilers; the builds' output goes to
# standard error.
build_windows_zip() {
    (cd "$source_dir" && cmake --preset windows-64 && cmake --build --preset windows-64 -j "$jobs" &&
        cmake --preset windows-32 -DPARABEAM_WINDOWS_64_PROGRAM="$source_dir/build/windows-64/parabeam.exe" &&
        cmake --build --preset windows-32 -j "$jobs" &&
        cd build/windows-32 && rm -f parabeam-*.zip && cpack -G ZIP) >&2 || return
    ls "$source_dir"/build/windows-32/parabeam-*-win32.zip
}

# The version of project(), as CMake recorded it in the release build's cache.
project_version() {
    if [ ! -f "$release_dir/CMakeCache.txt" ]; then
        (cd "$source_dir" && cmake --preset default >/dev/null) || return
    fi
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release_dir/CMakeCache.txt"
}

# The browser tests' npm packages (puppeteer-core, axe-core), as
# tests/browser/package-lock.json pins them, installed in build/browser-tests;
# its path printed. npm's own words go to standard error.
browser_test_packages() {
    local packages=$source_dir/build/browser-tests
    mkdir -p "$packages"
    cp "$source_dir"/tests/browser/package.json "$source_dir"/tests/browser/package-lock.json "$packages"/
    (cd "$packages" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error) >&2 || return
    echo "$packages"
}

# A new empty folder under the given one (default: the system's temporary
# folder), its path printed.
fresh_dir() { # [parent]
    mktemp -d "${1:-${TMPDIR:-/tmp}}/run.XXXXXX"
}

# Runs a program in a folder, in a session of its own so that it has no
# terminal (its final key wait returns at once), with the answers file on
# standard input: redirected (the default), through a pipe (--pipe), or with
# standard output a pipe already closed (--output-closed). Appends what it
# writes to out and err in the folder and its exit status to status, so that
# runs in a row keep everything; returns 0 whatever the program's status. The
# program is a command name or an absolute path.
run_without_terminal() { # [--pipe | --output-closed] folder answers-file program [argument...]
    local how=file
    case $1 in --pipe | --output-closed) how=$1 && shift ;; esac
    local dir=$1 answers=$2
    shift 2
    case $how in
    file) (cd "$dir" && run_here "$@" >>out 2>>err) <"$answers" ;;
    --pipe) cat "$answers" | (cd "$dir" && run_here "$@" >>out 2>>err) ;;
    --output-closed) (cd "$dir" && run_here "$@" 2>>err) <"$answers" | true ;;
    esac || true # also keeps set -e out of the runs, so every status is recorded
}
run_here() { # program [argument...]: from its folder, the status appended to status
    timeout "$run_timeout" setsid -w "$@"
    echo $? >>status
}

# --- Checks: each prints one line; finish prints the count and exits ----------
passed=0
failed=0
skipped=0
pass() { # name
    passed=$((passed + 1))
    echo "ok   $1"
}
fail() { # name [detail...]
    failed=$((failed + 1))
    echo "FAIL $1"
    shift
    local line
    for line in "$@"; do echo "     $line"; done
}
skip() { # name reason: a check this machine cannot make, said as such
    skipped=$((skipped + 1))
    echo "skip $1: $2"
}
# Passes or fails by the status of a check just made (0: it held), and returns
# that status (under set -e, a failed check then ends the script).
verdict() { # name, status, detail...
    local name=$1 status=$2
    shift 2
    if [ "$status" = 0 ]; then pass "$name"; else fail "$name" "$@"; fi
    return "$status"
}
# "N passed, N failed" (", N skipped" when any were); fails when any failed.
finish() {
    echo "$passed passed, $failed failed$([ "$skipped" -eq 0 ] || echo ", $skipped skipped")"
    [ "$failed" -eq 0 ]
    exit
}
