#!/usr/bin/env bash
# The README's first two commands on a fresh Debian 12 machine: a minimal root
# (debootstrap --variant=minbase, plus git) from the archive apt uses here, a
# clone of this repository's HEAD in it, and the two commands of the README's
# opening block exactly as written there, run as root from the clone:
#  - the first, with the worked example's answers on standard input, must end
#    well and show "By = 8.66667";
#  - the second (the test suite) must end well.
# Needs root and debootstrap; takes a few minutes. Prints the time of each
# stage. Downloaded packages stay in build/fresh-machine/cache for the next
# run; the root is made anew each run and removed after a pass. Whatever ends
# the script (a failure, Ctrl+C, a signal), it ends the commands still running
# and unmounts everything it mounted.
set -euo pipefail

# shellcheck source=../../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/harness.sh"
work=$source_dir/build/fresh-machine
machine=$work/root # the fresh machine's file system
cache=$work/cache  # downloaded packages (debootstrap's and apt's)
logs=$work/logs

say() { echo "fresh machine: $*"; }
die() {
    echo "fresh machine: $*" >&2
    exit 1
}
[ "$(id -u)" -eq 0 ] || die "needs root (debootstrap, mount, chroot)"
# /proc/self/mounts escapes blanks, so mounts under such a path could not be found.
case $machine in *[[:space:]\\]*) die "needs a checkout path without blanks or backslashes" ;; esac
command -v debootstrap >/dev/null || die "needs debootstrap (apt-get install debootstrap)"

# --- Leaving: the running command's session ended, every mount undone ----------
running="" # process (and session) id of the command running in the machine
mounts_under_machine() { # deepest first
    awk -v top="$machine/" 'index($2 "/", top) == 1 { print $2 }' /proc/self/mounts | sort -r
}
leave() {
    if [ -n "$running" ]; then
        kill -TERM -- "-$running" 2>/dev/null || true
        wait "$running" 2>/dev/null || true
    fi
    local mount
    for mount in $(mounts_under_machine); do
        umount "$mount" 2>/dev/null || umount --lazy "$mount" || true
    done
    if [ -n "$(mounts_under_machine)" ]; then
        echo "fresh machine: still mounted: $(mounts_under_machine)" >&2
    fi
}
trap leave EXIT
trap 'echo "fresh machine: interrupted" >&2; exit 130' INT
trap 'echo "fresh machine: terminated" >&2; exit 143' TERM
remove_machine() { # unmounted first: never deletes through a mount
    leave
    [ -z "$(mounts_under_machine)" ] || die "not removing $machine: mounts remain"
    rm -rf --one-file-system "$machine"
}

# --- The Debian 12 archive apt uses here (as apt reads /etc/apt/sources.list and
# /etc/apt/sources.list.d/*), with its updates and security suites.
# shellcheck disable=SC2016 # apt's own $(FIELD) format
mapfile -t sources < <(apt-get indextargets --format '$(TARGET_OF) $(REPO_URI) $(RELEASE) $(COMPONENT)' |
    awk '$1 == "deb" && $3 ~ /^bookworm(-updates|-security)?$/' | sort -u)
mirror=$(printf '%s\n' "${sources[@]}" | awk '$3 == "bookworm" { print $2; exit }')
[ -n "$mirror" ] || die "apt's sources name no Debian 12 (bookworm) archive"
# apt's proxy settings, for debootstrap (wget) here and for apt in the machine.
proxies=$(apt-config dump | grep -i '^Acquire::[a-z]*::Proxy' || true)
eval "$(apt-config shell http_proxy Acquire::http::Proxy https_proxy Acquire::https::Proxy)"
export http_proxy https_proxy

# --- The machine ---------------------------------------------------------------
remove_machine
rm -rf "$logs"
mkdir -p "$machine" "$logs" "$cache/debootstrap" "$cache/apt"
started=$SECONDS
say "debootstrap (minbase and git) from $mirror"
if ! debootstrap --variant=minbase --include=git --cache-dir="$cache/debootstrap" \
    bookworm "$machine" "$mirror" >"$logs/debootstrap.log" 2>&1; then
    tail -n 20 "$logs/debootstrap.log"
    die "debootstrap failed (log: $logs/debootstrap.log)"
fi
debootstrap_time=$((SECONDS - started))

printf '%s\n' "${sources[@]}" >"$machine/etc/apt/sources.list"
[ -z "$proxies" ] || echo "$proxies" >"$machine/etc/apt/apt.conf.d/01proxy"
cp -L /etc/resolv.conf "$machine/etc/resolv.conf"
mount -t proc proc "$machine/proc"
mount --bind /dev "$machine/dev"
mount --bind /dev/pts "$machine/dev/pts"
mount --bind /sys "$machine/sys"
mount --bind "$cache/apt" "$machine/var/cache/apt/archives"

# Runs a command line in the machine as root, from the clone, in a session of
# its own (no terminal: the program's final key wait returns at once), with a
# login's plain environment and signals. Standard input and output as given by
# the caller. In the background, so that a signal here ends it (see leave).
in_machine() {
    setsid -w chroot "$machine" /usr/bin/env -i --default-signal --chdir=/root/parabeam HOME=/root \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        ${http_proxy:+"http_proxy=$http_proxy"} ${https_proxy:+"https_proxy=$https_proxy"} \
        bash -c "$1" <&0 &
    running=$!
    local status=0
    wait "$running" || status=$?
    running=""
    return "$status"
}

# The clone: with the machine's own git, from a bundle of HEAD.
git -C "$source_dir" bundle create -q "$machine/tmp/parabeam.bundle" HEAD
mkdir "$machine/root/parabeam"
in_machine 'git -c advice.detachedHead=false clone -q /tmp/parabeam.bundle .' </dev/null

# --- The README's commands: its opening block, as the clone has it -------------
mapfile -t commands < <(bash "$source_dir/tools/readme-commands.sh" "$machine/root/parabeam/README.md")
[ "${#commands[@]}" -eq 2 ] || die "the README's first block holds ${#commands[@]} lines, not two commands"
say "first command: ${commands[0]}"
started=$SECONDS
printf '%s\n' "$worked_answers" >"$logs/answers"
if ! in_machine "${commands[0]}" <"$logs/answers" >"$logs/first.log" 2>&1; then
    tail -n 30 "$logs/first.log"
    die "the first command failed (log: $logs/first.log)"
fi
first_time=$((SECONDS - started))
grep '^Installing' "$logs/first.log" || true
grep -F 'By = 8.66667' "$logs/first.log" || die "the first command did not show By = 8.66667 (log: $logs/first.log)"

say "second command: ${commands[1]}"
started=$SECONDS
if ! in_machine "${commands[1]}" </dev/null >"$logs/second.log" 2>&1; then
    tail -n 30 "$logs/second.log"
    die "the second command failed (log: $logs/second.log)"
fi
second_time=$((SECONDS - started))
grep -e '^Installing' -e 'tests passed' "$logs/second.log" || true

remove_machine
say "passed; debootstrap ${debootstrap_time} s, first command ${first_time} s, second command ${second_time} s"
