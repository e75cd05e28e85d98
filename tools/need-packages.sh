#!/usr/bin/env bash
# Makes sure the Debian packages for the given purposes are installed:
#   bash tools/need-packages.sh program [tests] [ci] [web] [node] [windows] [bench]
# Each purpose lists its packages in tools/packages/<purpose>.txt. The missing
# ones are installed with apt-get (as root, or through sudo), saying which; when
# all are there it installs nothing, asks nothing and prints nothing. Without
# apt-get it installs nothing: it goes on when the build tools are there (CMake
# then names any missing library), else names what to install and fails.
# (Runs with the bash 3.2 of macOS, to say so there.)
set -eo pipefail

lists="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/packages"
if [ $# -eq 0 ]; then
    echo "usage: bash tools/need-packages.sh PURPOSE... (one of:$(cd "$lists" && ls | sed -n 's/\.txt$//p' | sed 's/^/ /' | tr -d '\n'))" >&2
    exit 2
fi

# The lines "package  what it is" of every purpose asked for.
wanted=""
for purpose in "$@"; do
    if [ ! -f "$lists/$purpose.txt" ]; then
        echo "need-packages: no list of packages for '$purpose' in $lists" >&2
        exit 2
    fi
    wanted="$wanted$(grep -v -e '^#' -e '^[[:space:]]*$' "$lists/$purpose.txt" || true)"$'\n'
done

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
    # Nothing can be installed here. With the build tools present the command
    # goes on, and CMake names any library still missing before it builds.
    lacking=""
    command -v cmake >/dev/null || lacking="$lacking cmake"
    command -v make >/dev/null || lacking="$lacking make"
    command -v c++ >/dev/null || command -v clang++ >/dev/null || command -v g++ >/dev/null ||
        lacking="$lacking a-C++20-compiler"
    [ -n "$lacking" ] || exit 0
    echo "This system has no apt-get and lacks:$lacking. Nothing was installed or built." >&2
    echo "Install what these Debian packages hold, then run the command again:" >&2
    printf '%s' "$wanted" | sed 's/^/    /' >&2
    echo "(macOS: xcode-select --install; brew install cmake fast_float fmt googletest)" >&2
    exit 1
fi

missing=""
while read -r package _; do
    [ -n "$package" ] || continue
    case "$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null)" in
        ii*) ;;
        *) missing="$missing $package" ;;
    esac
done <<<"$wanted"
[ -n "$missing" ] || exit 0

if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif command -v sudo >/dev/null; then
    sudo="sudo"
else
    echo "Missing Debian packages:$missing" >&2
    echo "Install them as root (apt-get install$missing), then run this again." >&2
    exit 1
fi
echo "Installing the missing Debian packages with apt-get:$missing"
# A package of another architecture (wine32:i386) is found only once dpkg
# knows that architecture; the update below then fetches its lists.
for package in $missing; do
    case "$package" in *:*) ;; *) continue ;; esac
    arch=${package##*:}
    if [ "$arch" != "$(dpkg --print-architecture)" ] &&
        ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
        echo "Adding the $arch architecture to dpkg, for $package"
        $sudo dpkg --add-architecture "$arch"
    fi
done
# Standard input stays with the caller (the program's answers may follow).
$sudo env DEBIAN_FRONTEND=noninteractive apt-get -qq update </dev/null
# shellcheck disable=SC2086 # one word per package
$sudo env DEBIAN_FRONTEND=noninteractive apt-get -qq install -y --no-install-recommends \
    $missing </dev/null
