#!/usr/bin/env bash
# Builds parabeam.exe for 32- and 64-bit Windows and runs it under wine.
#  - Console output and data-values.dat are the Linux build's bytes on the same
#    answers, with every LF turned into CR LF (Windows text files).
#  - A Ctrl+Z byte in redirected input ends the input there.
#  - A record that cannot be saved, whole or in part, leaves the file as it was.
#  - The final key wait: at a terminal it waits, and a key ends it; without a
#    terminal it returns at once.
# Where the kernel cannot run 32-bit programs, the 32-bit one is built and
# inspected only, and its runs are reported as skipped.
# Needs mingw-w64, wine (with wine32), tmux, cmake and g++; .ci/windows.sh
# installs them. Prints "N passed, N failed" (and how many were skipped) and
# fails when anything failed.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=${PARABEAM_WINE_WORK:-$root/build/wine-tests}
runs=$work/runs
linux_build=$work/linux
tmux_socket=$work/tmux.sock

# One wine prefix of our own, no display, no add-on installers, no debug noise.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

source "$root/tests/support/checks.sh"
now() { echo "${EPOCHREALTIME/./}"; } # microseconds
since() {                             # seconds since a time from now(), to a tenth
    local tenths=$((($(now) - $1) / 100000))
    echo "$((tenths / 10)).$((tenths % 10))"
}

cleanup() {
    tmux -S "$tmux_socket" kill-server 2>/dev/null
    [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
}
trap cleanup EXIT

cd "$root" || exit 1
mkdir -p "$work"
rm -rf "$runs"
mkdir -p "$runs"

# --- Builds -------------------------------------------------------------------
started=$(now)
build_log=$work/build.log
: >"$build_log"
build() { # a command and its arguments, run with a timeout
    if timeout 900 "$@" >>"$build_log" 2>&1; then return 0; fi
    fail "build: $*" "see $build_log"
    tail -n 20 "$build_log"
    finish
}
build cmake --preset windows-32
build cmake --build --preset windows-32 -j2
build cmake --preset windows-64
build cmake --build --preset windows-64 -j2
build cmake -S "$root" -B "$linux_build" -DCMAKE_BUILD_TYPE=Release
build cmake --build "$linux_build" -j2 --target parabeam
linux_exe=$linux_build/parabeam
declare -A exe=([win32]=$root/build/windows-32/parabeam.exe [win64]=$root/build/windows-64/parabeam.exe)
declare -A objdump=([win32]=i686-w64-mingw32-objdump [win64]=x86_64-w64-mingw32-objdump)
for arch in win32 win64; do
    if [ -f "${exe[$arch]}" ]; then pass "$arch: parabeam.exe built"; else
        fail "$arch: parabeam.exe built" "missing ${exe[$arch]}"
        finish
    fi
done
# Static: nothing but system DLLs next to the program.
for arch in win32 win64; do
    dlls=$("${objdump[$arch]}" -p "${exe[$arch]}" 2>/dev/null | grep 'DLL Name:' |
        tr 'A-Z' 'a-z' | sed 's/.*dll name: *//' | sort -u | tr '\n' ' ')
    if [ "$dlls" = "kernel32.dll msvcrt.dll " ] || [ "$dlls" = "kernel32.dll " ]; then
        pass "$arch: needs only system DLLs ($dlls)"
    else
        fail "$arch: needs only system DLLs" "imports: $dlls"
    fi
done
echo "     builds took $(since "$started") s"

# --- Which programs this machine can run -----------------------------------------
# A kernel without 32-bit x86 support refuses wine's 32-bit loader ("Exec format
# error"), and Debian's wine launcher picks that loader whenever it is
# installed. There the 32-bit program is built and inspected but not run, and
# every wine command goes through the 64-bit loader.
runnable=(win32 win64)
if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    runnable=(win64)
    skip "win32: runs under wine" "this machine's kernel cannot run 32-bit programs"
    mkdir -p "$work/wine64-only"
    for launcher in wine wine-stable; do
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
            >"$work/wine64-only/$launcher"
        chmod +x "$work/wine64-only/$launcher"
    done
    export PATH=$work/wine64-only:$PATH
fi

# --- Wine prefix: one wineboot, one server for every run -------------------------
started=$(now)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    if ! timeout 300 wineboot -i >"$work/wineboot.log" 2>&1; then
        fail "wineboot" "see $work/wineboot.log"
        finish
    fi
fi
wineserver -p 2>/dev/null # stays until cleanup, so each run starts quickly
echo "     wine prefix ready after $(since "$started") s"

# --- Redirected input, no terminal ------------------------------------------------
# A file's bytes with every line feed turned into CR LF (none of the outputs
# holds a NUL byte, which a shell variable could not).
crlf() {
    local text
    IFS= read -r -d '' text <"$1"
    printf '%s' "${text//$'\n'/$'\r\n'}"
}
fresh_dir() { mktemp -d "$runs/run.XXXXXX"; }

# Runs a program in its own session with no terminal: stdin from the file, or
# piped through cat when $3 is "pipe". Writes out, err and status in the dir.
run_without_terminal() { # dir, input file, how, program...
    local dir=$1 input=$2 how=$3
    shift 3
    if [ "$how" = pipe ]; then
        (cd "$dir" && cat "$input" | timeout 60 setsid -w "$@" >out 2>err)
    else
        (cd "$dir" && timeout 60 setsid -w "$@" <"$input" >out 2>err)
    fi
    echo $? >"$dir/status"
}

# First differing byte, for the failure message.
difference() { # expected file, actual file
    cmp "$1" "$2" 2>&1 | head -n 1
}

# Compares a Windows run with a Linux run: status 0, stderr empty, console
# output and record file equal to Linux's with CR LF line ends.
check_run() { # label, linux dir, windows dir
    local label=$1 lin=$2 win=$3
    if [ "$(cat "$win/status")" != 0 ]; then
        fail "$label: exit status 0" "status $(cat "$win/status"), stderr: $(head -c 300 "$win/err")"
        return
    fi
    if [ -s "$win/err" ]; then fail "$label: nothing on stderr" "$(head -c 300 "$win/err")"; fi
    crlf "$lin/out" >"$win/expected-out"
    if cmp -s "$win/expected-out" "$win/out"; then pass "$label: console output"; else
        fail "$label: console output" "$(difference "$win/expected-out" "$win/out")"
    fi
    if [ ! -e "$lin/data-values.dat" ]; then
        fail "$label: record" "the Linux run wrote no data-values.dat"
        return
    fi
    crlf "$lin/data-values.dat" >"$win/expected-record"
    if cmp -s "$win/expected-record" "$win/data-values.dat"; then pass "$label: data-values.dat"; else
        fail "$label: data-values.dat" "$(difference "$win/expected-record" "$win/data-values.dat")"
    fi
}

# One row a case: its name, how standard input comes (a file, or a pipe), the
# answers, and what a Linux run gets instead where that differs (a Ctrl+Z byte
# ends Windows input there). Each Windows run is compared with the Linux run.
index=0
answers() { # name, file|pipe, answers, answers for Linux (when different)
    local name=$1 how=$2 lin win arch
    index=$((index + 1))
    printf '%s' "$3" >"$runs/input-$index-win"
    printf '%s' "${4-$3}" >"$runs/input-$index-linux"
    lin=$(fresh_dir)
    run_without_terminal "$lin" "$runs/input-$index-linux" "$how" "$linux_exe"
    [ "$index" = 1 ] && lin_worked=$lin
    for arch in "${runnable[@]}"; do
        win=$(fresh_dir)
        run_without_terminal "$win" "$runs/input-$index-win" "$how" wine "${exe[$arch]}"
        check_run "$arch: $name" "$lin" "$win"
    done
}

started=$(now)
answers 'worked example, Bx alone' file $'3 9 2 4 2 0 5 kN/m kN m\n'
answers 'Ax alone' file $'3 9 2 4 2 5 0 kN/m kN m\n'
answers 'both horizontal forces' file $'3 9 2 4 2 7 3 kN/m kN m\n'
answers 'no horizontal force' file $'3 9 2 4 2 0 0 kN/m kN m\n'
answers 'worked example through a pipe' pipe $'3 9 2 4 2 0 5 kN/m kN m\n'
answers 'one answer a line, CR LF' file $'3\r\n9\r\n2\r\n4\r\n2\r\n0\r\n5\r\nkN/m\r\nkN\r\nm\r\n'
answers 'exponent forms, ties, negative zero' file $'1234567 0.00001 -0 2.5e1 1234565 -0 1e-5 lb/ft lbf ft\n'
answers 'infinite and undefined results' file $'1e308 1e308 1 1e308 1e308 -1e308 1e308 a b c\n'
answers 'long digit strings, tiny values' file $'123456789012345678901234567890123456789 .5 5. 0.000000000000000000001234567 1e-310 +7 -3E+0002 u1 u2 u3\n'
answers 'a letter after a number' file $'12abc 9 2 4 2 0 5 kN/m kN m\n'
answers 'value out of range' file $'3 1e400 2 4 2 0 5 kN/m kN m\n'
answers 'unit words of 19 and 25 bytes, bytes above 127' file $'3 9 2 4 2 0 5 ABCDEFGHIJKLMNOPQRS ABCDEFGHIJKLMNOPQRSTUVWXY \xb5m\n'
answers 'no input at all' file ''
answers 'Ctrl+Z after an answer' file $'3 9 2 4\x1a 2 0 5 kN/m kN m\n' '3 9 2 4'
answers 'Ctrl+Z inside a unit word' file $'3 9 2 4 2 0 5 kN/\x1am kN m\n' '3 9 2 4 2 0 5 kN/'
answers 'Ctrl+Z at the start of a line' file $'3\r\n9\r\n2\r\n4\r\n2\r\n0\r\n5\r\n\x1a\r\nkN/m\r\nkN\r\n' \
    $'3\r\n9\r\n2\r\n4\r\n2\r\n0\r\n5\r\n'
answers 'Ctrl+Z through a pipe' pipe $'3 9 2 4 2\x1a0 5 kN/m kN m\n' '3 9 2 4 2'
answers 'Ctrl+Z right after a unit word, through a pipe' pipe $'3 9 2 4 2 0 5 kN/m\x1a kN m\n' \
    '3 9 2 4 2 0 5 kN/m'

# Records accumulate behind what the file already holds.
lin=$(fresh_dir)
printf 'earlier content\n' >"$lin/data-values.dat"
run_without_terminal "$lin" "$runs/input-1-linux" file "$linux_exe"
run_without_terminal "$lin" "$runs/input-2-linux" file "$linux_exe"
for arch in "${runnable[@]}"; do
    win=$(fresh_dir)
    printf 'earlier content\r\n' >"$win/data-values.dat"
    run_without_terminal "$win" "$runs/input-1-win" file wine "${exe[$arch]}"
    run_without_terminal "$win" "$runs/input-2-win" file wine "${exe[$arch]}"
    check_run "$arch: second record appended to an existing file" "$lin" "$win"
done

# A record that cannot be saved (the name is taken by a folder): the console
# output is unchanged and one CR LF line on stderr gives the system's reason.
lin=$(fresh_dir)
mkdir "$lin/data-values.dat"
run_without_terminal "$lin" "$runs/input-1-linux" file "$linux_exe"
crlf "$lin/out" >"$runs/unsaved-expected-out"
for arch in "${runnable[@]}"; do
    win=$(fresh_dir)
    mkdir "$win/data-values.dat"
    run_without_terminal "$win" "$runs/input-1-win" file wine "${exe[$arch]}"
    label="$arch: record cannot be saved"
    if [ "$(cat "$win/status")" = 0 ] && cmp -s "$runs/unsaved-expected-out" "$win/out"; then
        pass "$label: console output unchanged, status 0"
    else
        fail "$label: console output unchanged, status 0" "status $(cat "$win/status")" \
            "$(difference "$runs/unsaved-expected-out" "$win/out")"
    fi
    IFS= read -r -d '' message <"$win/err"
    if [[ "$message" =~ ^'parabeam: could not save the record to data-values.dat: '[^$'\r\n']+$'\r\n'$ ]]; then
        pass "$label: one line on stderr ($(tr -d '\r\n' <"$win/err" | sed 's/.*: //'))"
    else
        fail "$label: one line on stderr" "got: $(od -c "$win/err" | head -n 5)"
    fi
    if [ -z "$(ls -A "$win/data-values.dat")" ]; then pass "$label: nothing written"; else
        fail "$label: nothing written" "$(ls -A "$win/data-values.dat")"
    fi
done

# A write cut short, as on a full disk (here by an 8 KiB file-size limit, room
# for six bytes): those bytes are taken back and the file is as it was. The
# limit caps the console output file too, which holds about 6 KiB.
for arch in "${runnable[@]}"; do
    win=$(fresh_dir)
    { head -c 8184 /dev/zero | tr '\0' r; printf '\r\n'; } >"$win/earlier"
    cp "$win/earlier" "$win/data-values.dat"
    (ulimit -f 8 && run_without_terminal "$win" "$runs/input-1-win" file wine "${exe[$arch]}")
    label="$arch: record cut short"
    if [ "$(cat "$win/status")" = 0 ] && grep -q '^parabeam: could not save the record' "$win/err" &&
        cmp -s "$win/earlier" "$win/data-values.dat"; then
        pass "$label: the file is as it was, one line on stderr"
    else
        fail "$label: the file is as it was, one line on stderr" "status $(cat "$win/status")" \
            "stderr: $(head -c 200 "$win/err")" "$(difference "$win/earlier" "$win/data-values.dat")"
    fi
done

# Standard output closed before the first line: the run still completes.
for arch in "${runnable[@]}"; do
    win=$(fresh_dir)
    (cd "$win" && timeout 60 setsid -w wine "${exe[$arch]}" <"$runs/input-1-win" 2>err
        echo $? >status) | true
    label="$arch: standard output closed"
    crlf "$lin_worked/data-values.dat" >"$win/expected-record"
    if [ "$(cat "$win/status")" = 0 ] && [ ! -s "$win/err" ] &&
        cmp -s "$win/expected-record" "$win/data-values.dat"; then
        pass "$label: record written, nothing on stderr, status 0"
    else
        fail "$label: record written, nothing on stderr, status 0" "status $(cat "$win/status")" \
            "stderr: $(head -c 200 "$win/err")"
    fi
done

# No terminal at all: the key wait returns at once.
for arch in "${runnable[@]}"; do
    win=$(fresh_dir)
    begin=$(now)
    run_without_terminal "$win" "$runs/input-1-win" pipe wine "${exe[$arch]}"
    took=$(since "$begin")
    if [ "$(cat "$win/status")" = 0 ] && grep -q 'Press Any Key' "$win/out"; then
        pass "$arch: no terminal: the key wait returns at once (${took} s)"
    else
        fail "$arch: no terminal: the key wait returns at once" "status $(cat "$win/status")"
    fi
done
echo "     runs without a terminal took $(since "$started") s"

# --- The ZIP package: the 32-bit program and its note, runnable where unpacked ---
started=$(now)
zip_dir=$runs/zip
mkdir -p "$zip_dir"
rm -f "$root"/build/windows-32/parabeam-*.zip
if (cd "$root/build/windows-32" && timeout 300 cpack -G ZIP >"$work/cpack.log" 2>&1); then
    zip=$(ls "$root"/build/windows-32/parabeam-*-win32.zip 2>/dev/null | head -n 1)
    listing=$(cd "$zip_dir" && cmake -E tar tf "$zip" 2>&1 | sort | tr '\n' ' ')
    expected="parabeam-1.0.0-win32/ parabeam-1.0.0-win32/parabeam.exe parabeam-1.0.0-win32/windows-readme.txt "
    expected_nodir="parabeam-1.0.0-win32/parabeam.exe parabeam-1.0.0-win32/windows-readme.txt "
    if [ "$listing" = "$expected" ] || [ "$listing" = "$expected_nodir" ]; then
        pass "zip: $(basename "$zip") holds parabeam.exe and windows-readme.txt"
    else
        fail "zip: holds parabeam.exe and windows-readme.txt" "listing: $listing"
    fi
    (cd "$zip_dir" && cmake -E tar xf "$zip")
    unpacked=$zip_dir/parabeam-1.0.0-win32
    if i686-w64-mingw32-objdump -f "$unpacked/parabeam.exe" | grep -q 'file format pei-i386' &&
        ! grep -q $'[^\r]$' "$unpacked/windows-readme.txt"; then
        pass "zip: 32-bit program, note with CR LF line ends"
    else
        fail "zip: 32-bit program, note with CR LF line ends" "$(i686-w64-mingw32-objdump -f "$unpacked/parabeam.exe" 2>&1 | grep format)"
    fi
    if [ "${runnable[0]}" = win32 ]; then
        win=$(fresh_dir)
        run_without_terminal "$win" "$runs/input-1-win" file wine "$unpacked/parabeam.exe"
        check_run "zip: the unpacked program" "$lin_worked" "$win"
    else
        skip "zip: the unpacked program runs" "it is the 32-bit program"
    fi
else
    fail "zip: cpack -G ZIP" "see $work/cpack.log"
fi
echo "     zip package took $(since "$started") s"

# --- At a terminal (tmux) ---------------------------------------------------------
# wine's console reads its keys from the program's standard input, so here the
# answers are typed at the terminal too; standard output goes to a file.
# (Ctrl+Z typed at wine's console is not testable: the terminal keeps turning
# it into a stop signal.)
started=$(now)
session=0
wait_for() { # seconds, command...: polls until the command succeeds
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}
has_text() { [ -f "$1" ] && grep -qF -- "$2" "$1"; }
# wine's console takes over the terminal (no line mode, no echo) a moment after
# the program starts, discarding what was typed before: wait for that.
console_ready() { stty -a <"$(tmux -S "$tmux_socket" display -p -t "$name" '#{pane_tty}')" |
    grep -q -- -icanon; }
pane() { tmux -S "$tmux_socket" capture-pane -p -t "$name" 2>&1 | grep -v '^$' | tail -n 5; }

# Starts the program in a new tmux session, named in $name.
start_at_terminal() { # dir, exe
    session=$((session + 1))
    name=t$session
    tmux -S "$tmux_socket" new-session -d -s "$name" -x 160 -y 50 \
        "cd '$1' && env PATH='$PATH' WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' wine '$2' >out 2>err; echo \$? >status"
}
keys() { tmux -S "$tmux_socket" send-keys -t "$@"; }

# Answers the worked example at the terminal, checks the program is still
# waiting after the closing notes, presses the key and checks the end.
key_wait_test() { # arch, key name for tmux, description
    local arch=$1 key=$2 what=$3 dir label begin
    dir=$(fresh_dir)
    label="$arch: at a terminal"
    begin=$(now)
    start_at_terminal "$dir" "${exe[$arch]}"
    if ! wait_for 60 has_text "$dir/out" '(1) Enter Value' || ! wait_for 30 console_ready; then
        fail "$label: first question shown" "$(head -c 300 "$dir/err" 2>/dev/null)"
        return
    fi
    echo "     first question after $(since "$begin") s"
    keys "$name" -l '3 9 2 4 2 0 5 kN/m kN m'
    keys "$name" Enter
    begin=$(now)
    if ! wait_for 30 has_text "$dir/out" 'Press Any Key To Continue'; then
        fail "$label: closing notes shown" "terminal: $(pane)"
        return
    fi
    echo "     closing notes $(since "$begin") s after the answers"
    sleep 1
    if [ -e "$dir/status" ]; then
        fail "$label: still waiting 1 s after the closing notes" "ended with status $(cat "$dir/status")"
        return
    fi
    pass "$label: still waiting 1 s after the closing notes"
    keys "$name" "$key"
    if wait_for 20 test -s "$dir/status" && [ "$(cat "$dir/status")" = 0 ]; then
        pass "$label: $what ends the wait, status 0"
    else
        fail "$label: $what ends the wait, status 0" "status: $(cat "$dir/status" 2>/dev/null)"
        return
    fi
    if cmp -s "$runs/worked-expected-out" "$dir/out" &&
        cmp -s "$runs/worked-expected-record" "$dir/data-values.dat"; then
        pass "$label: console output and record as without a terminal"
    else
        fail "$label: console output and record as without a terminal" \
            "$(difference "$runs/worked-expected-out" "$dir/out")"
    fi
}

lin=$(fresh_dir)
run_without_terminal "$lin" "$runs/input-1-linux" file "$linux_exe"
crlf "$lin/out" >"$runs/worked-expected-out"
crlf "$lin/data-values.dat" >"$runs/worked-expected-record"

# Every key on the first program this machine runs, one key on the other.
first=${runnable[0]}
key_wait_test "$first" q 'the letter q'
key_wait_test "$first" F1 'the function key F1'
key_wait_test "$first" C-c 'Ctrl+C (a key press, not an interrupt)'
key_wait_test "$first" Escape 'Escape'
[ "${#runnable[@]}" -eq 1 ] || key_wait_test win64 q 'the letter q'

echo "     terminal runs took $(since "$started") s"

finish
