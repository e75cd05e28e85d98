#!/usr/bin/env bash
# parabeam.exe for 32- and 64-bit Windows under wine: each case of the table
# below against the Linux build on the same answers (console output and
# data-values.dat are its bytes with CR LF line ends; a Ctrl+Z byte ends
# redirected input; a record that cannot be saved leaves the file as it was;
# the record file's lock held by another Windows program, lock_holder.cpp
# here, is waited for), the DLLs the programs need, the ZIP package as users
# get it (each of its programs this machine runs, run where unpacked), and the
# final key wait at a terminal (tmux). Where the kernel cannot run 32-bit
# programs, the 32-bit one is built and inspected only, its runs skipped. Needs
# mingw-w64, wine (with wine32), tmux, cmake and g++ (.ci/windows.sh installs
# them).
set -uo pipefail

# One row a case, run by every Windows program this machine runs:
#   expect   what is checked: the expect_* function of that name below
#   folder   what the run's folder holds first: nothing, an earlier record, a
#            folder named data-values.dat (taken), an 8 KiB record with room
#            for 6 bytes more, as on a full disk (full), or an earlier record
#            whose lock another program holds until the first run has ended
#            (locked): the prepare_* functions
#   streams  answers from a file or through a pipe, or from a file with
#            standard output a pipe already closed (closed)
#   answers  one argument a run, in a row in one folder; the Linux run it is
#            compared with gets each up to its first Ctrl+Z byte
cases() {
    local w=$worked_answers$'\n'
    #   expect    folder  streams name                                           answers
    row linux     empty   file    'worked example, Bx alone'                     "$w"
    row linux     empty   file    'Ax alone'                                     $'3 9 2 4 2 5 0 kN/m kN m\n'
    row linux     empty   file    'both horizontal forces'                       $'3 9 2 4 2 7 3 kN/m kN m\n'
    row linux     empty   file    'no horizontal force'                          $'3 9 2 4 2 0 0 kN/m kN m\n'
    row linux     empty   pipe    'worked example through a pipe'                "$w"
    row linux     empty   file    'one answer a line, CR LF'                     $'3\r\n9\r\n2\r\n4\r\n2\r\n0\r\n5\r\nkN/m\r\nkN\r\nm\r\n'
    row linux     empty   file    'exponent forms, ties, negative zero'          $'1234567 0.00001 -0 2.5e1 1234565 -0 1e-5 lb/ft lbf ft\n'
    row linux     empty   file    'infinite and undefined results'               $'1e308 1e308 1 1e308 1e308 -1e308 1e308 a b c\n'
    row linux     empty   file    'long digit strings, tiny values'              $'123456789012345678901234567890123456789 .5 5. 0.000000000000000000001234567 1e-310 +7 -3E+0002 u1 u2 u3\n'
    row linux     empty   file    'a letter after a number'                      $'12abc 9 2 4 2 0 5 kN/m kN m\n'
    row linux     empty   file    'value out of range'                           $'3 1e400 2 4 2 0 5 kN/m kN m\n'
    row linux     empty   file    'unit words of 19 and 25 bytes, bytes above 127' $'3 9 2 4 2 0 5 ABCDEFGHIJKLMNOPQRS ABCDEFGHIJKLMNOPQRSTUVWXY \xb5m\n'
    row linux     empty   file    'no input at all'                              ''
    row linux     empty   file    'Ctrl+Z after an answer'                       $'3 9 2 4\x1a 2 0 5 kN/m kN m\n'
    row linux     empty   file    'Ctrl+Z inside a unit word'                    $'3 9 2 4 2 0 5 kN/\x1am kN m\n'
    row linux     empty   file    'Ctrl+Z at the start of a line'                $'3\r\n9\r\n2\r\n4\r\n2\r\n0\r\n5\r\n\x1a\r\nkN/m\r\nkN\r\n'
    row linux     empty   pipe    'Ctrl+Z through a pipe'                        $'3 9 2 4 2\x1a0 5 kN/m kN m\n'
    row linux     empty   pipe    'Ctrl+Z right after a unit word, through a pipe' $'3 9 2 4 2 0 5 kN/m\x1a kN m\n'
    row linux     earlier file    'second record appended to an existing file'   "$w" $'3 9 2 4 2 5 0 kN/m kN m\n'
    row unsaved   taken   file    'record cannot be saved'                       "$w"
    row unchanged full    file    'record cut short'                             "$w"
    row record    empty   closed  'standard output closed'                       "$w"
    row at_once   empty   pipe    'no terminal'                                  "$w"
    row busy      locked  file    'lock held by another program, then let go'    "$w" "$w"
}

# shellcheck source=../../tools/harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/harness.sh"
work=${PARABEAM_WINE_WORK:-$source_dir/build/wine-tests}
runs=$work/runs
tmux_socket=$work/tmux.sock
# One wine prefix of our own, no display, no add-on installers, no debug noise.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
since() { awk -v then="$1" -v now="$EPOCHREALTIME" 'BEGIN { printf "%.1f", now - then }'; } # seconds
wait_for() { # seconds, command...: polls until the command succeeds
    local deadline=$((SECONDS + $1)) && shift
    until "$@"; do [ $SECONDS -lt $deadline ] && sleep 0.1 || return 1; done
}
trap 'tmux -S "$tmux_socket" kill-server 2>/dev/null; [ ! -d "$WINEPREFIX" ] || wineserver -k 2>/dev/null' EXIT
cd "$source_dir" && rm -rf "$runs" && mkdir -p "$runs" || exit 1

# --- Builds: both Windows programs, and the Linux one they are compared with ---
started=$EPOCHREALTIME
: >"$work/build.log"
build() { # command...: its output logged; a failure ends the test
    "$@" >>"$work/build.log" 2>&1 || { fail "build: $*" "see $work/build.log" "$(tail -n 20 "$work/build.log")" && finish; }
}
for bits in 32 64; do build cmake --preset windows-$bits && build cmake --build --preset windows-$bits -j "$jobs"; done
build build_release parabeam
holder=$work/lock_holder.exe # the 64-bit program runs on every kernel; the lock is wine's own
build x86_64-w64-mingw32-g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -static \
    -o "$holder" tests/windows/lock_holder.cpp
linux_exe=$release_dir/parabeam
declare -A exe=([win32]=$source_dir/build/windows-32/parabeam.exe [win64]=$source_dir/build/windows-64/parabeam.exe)
declare -A triple=([win32]=i686-w64-mingw32 [win64]=x86_64-w64-mingw32)
for arch in win32 win64; do # static: nothing but system DLLs next to the program
    [ -f "${exe[$arch]}" ] || { fail "$arch: parabeam.exe built" "missing ${exe[$arch]}" && finish; }
    pass "$arch: parabeam.exe built"
    dlls=$("${triple[$arch]}-objdump" -p "${exe[$arch]}" | sed -n 's/.*DLL Name: *//p' | tr '[:upper:]' '[:lower:]' |
        sort -u | tr '\n' ' ')
    [[ $dlls == "kernel32.dll msvcrt.dll " || $dlls == "kernel32.dll " ]]
    verdict "$arch: needs only system DLLs ($dlls)" $? "imports: $dlls"
done
echo "     builds took $(since "$started") s"

# --- Which programs this machine can run ------------------------------------
# A kernel without 32-bit x86 support refuses wine's 32-bit loader ("Exec format
# error"), which Debian's wine launcher picks whenever it is installed: there
# the 32-bit program is not run, and wine always takes the 64-bit loader.
runnable=(win32 win64)
if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    runnable=(win64)
    skip "win32: runs under wine" "this machine's kernel cannot run 32-bit programs"
    mkdir -p "$work/wine64-only"
    for launcher in wine wine-stable; do
        printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' >"$work/wine64-only/$launcher"
    done
    chmod +x "$work"/wine64-only/*
    export PATH=$work/wine64-only:$PATH
fi

# --- Wine prefix: one wineboot, one server for every run ----------------------
started=$EPOCHREALTIME
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    timeout 300 wineboot -i >"$work/wineboot.log" 2>&1 || { fail wineboot "see $work/wineboot.log" && finish; }
fi
wineserver -p 2>/dev/null # stays until the end, so each run starts quickly
echo "     wine prefix ready after $(since "$started") s"

# --- The table's cases --------------------------------------------------------
# A file's bytes with every LF turned into CR LF (no output holds a NUL byte).
crlf() { local text && IFS= read -r -d '' text <"$1"; printf '%s' "${text//$'\n'/$'\r\n'}"; }
same_as_crlf() { # label, Linux file, Windows file
    cmp -s <(crlf "$2") "$3"
    verdict "$1" $? "$(cmp <(crlf "$2") "$3" 2>&1 | head -n 1)"
}
all_zero() { [ "$(sort -u "$1/status")" = 0 ]; }
statuses() { echo "status $(tr '\n' ' ' <"$1/status")stderr: $(head -c 300 "$1/err")"; }

prepare_empty() { :; }
prepare_earlier() { printf 'earlier content%s' "$2" >"$1/data-values.dat"; }
prepare_taken() { mkdir "$1/data-values.dat"; }
prepare_locked() { # on Windows runs, the holder takes the lock and says so first
    prepare_earlier "$@"
    [ "$2" = $'\n' ] && return
    (cd "$1" && setsid wine "$holder" data-values.dat let-go >holder-out 2>holder-err; echo $? >holder-status) &
    wait_for 60 grep -qs '^locked' "$1/holder-out" || fail "lock holder started" "$(head -c 300 "$1/holder-err")"
}
# After each Windows run: where a holder keeps the lock, the file as the run
# left it is kept, and the holder lets go.
let_go() { # folder
    [ -f "$1/holder-out" ] && [ ! -e "$1/let-go" ] || return 0
    held_for=$(since "$run_began")
    cp "$1/data-values.dat" "$1/while-locked"
    : >"$1/let-go"
    wait_for 30 test -s "$1/holder-status"
}
prepare_full() { # and a file-size limit of 8 KiB for the Windows runs (it caps out too)
    { head -c 8184 /dev/zero | tr '\0' r && printf '%s' "$2"; } >"$1/earlier"
    cp "$1/earlier" "$1/data-values.dat"
    limit=8
}

expect_linux() { # label, Linux folder, Windows folder
    all_zero "$3" || { fail "$1: exit status 0" "$(statuses "$3")" && return; }
    [ ! -s "$3/err" ] || fail "$1: nothing on stderr" "$(head -c 300 "$3/err")"
    same_as_crlf "$1: console output" "$2/out" "$3/out"
    [ -e "$2/data-values.dat" ] || { fail "$1: record" "the Linux run wrote no data-values.dat" && return; }
    same_as_crlf "$1: data-values.dat" "$2/data-values.dat" "$3/data-values.dat"
}
expect_unsaved() { # the console output unchanged, the system's reason in one CR LF line on stderr
    local message
    all_zero "$3" && cmp -s <(crlf "$2/out") "$3/out"
    verdict "$1: console output unchanged, status 0" $? "$(statuses "$3")" "$(cmp <(crlf "$2/out") "$3/out" 2>&1)"
    IFS= read -r -d '' message <"$3/err"
    [[ $message =~ ^'parabeam: could not save the record to data-values.dat: '[^$'\r\n']+$'\r\n'$ ]]
    verdict "$1: one line on stderr ($(tr -d '\r\n' <"$3/err" | sed 's/.*: //'))" $? "got: $(od -c "$3/err" | head -n 5)"
    [ -z "$(ls -A "$3/data-values.dat")" ]
    verdict "$1: nothing written" $? "$(ls -A "$3/data-values.dat")"
}
expect_unchanged() { # the bytes that a cut-short write got in are taken back
    all_zero "$3" && grep -q '^parabeam: could not save the record' "$3/err" && cmp -s "$3/earlier" "$3/data-values.dat"
    verdict "$1: the file is as it was, one line on stderr" $? "$(statuses "$3")" "$(cmp "$3/earlier" "$3/data-values.dat" 2>&1)"
}
expect_record() {
    all_zero "$3" && [ ! -s "$3/err" ] && cmp -s <(crlf "$2/data-values.dat") "$3/data-values.dat"
    verdict "$1: record written, nothing on stderr, status 0" $? "$(statuses "$3")"
}
expect_busy() { # the first run waits 5 s and writes nothing; the second, the lock free, saves
    local busy=$'parabeam: could not save the record to data-values.dat: the file is busy (another program kept it locked for 5 seconds)\r\n' err
    all_zero "$3" && [ "$(cat "$3/holder-status")" = 0 ]
    verdict "$1: status 0, the holder let go" $? "$(statuses "$3"), holder: $(cat "$3/holder-status" "$3/holder-err" 2>&1)"
    cmp -s <(printf 'earlier content\r\n') "$3/while-locked" && awk -v s="$held_for" 'BEGIN { exit !(s >= 5) }'
    verdict "$1: the first run waited 5 s ($held_for s) and wrote nothing" $? "$(od -c "$3/while-locked" | head -n 3)"
    IFS= read -r -d '' err <"$3/err"
    [ "$err" = "$busy" ]
    verdict "$1: the busy line once, with CR LF" $? "got: $(od -c "$3/err" | head -n 5)"
    same_as_crlf "$1: console output" "$2/out" "$3/out"
    head -n -16 "$2/data-values.dat" >"$2/one-record-less" # the Linux runs both saved
    same_as_crlf "$1: the second run's record after the earlier one" "$2/one-record-less" "$3/data-values.dat"
}
expect_at_once() {
    all_zero "$3" && grep -q 'Press Any Key' "$3/out"
    verdict "$1: the key wait returns at once ($took s)" $? "$(statuses "$3")"
}

declare -A stream_option=([file]="" [pipe]=--pipe [closed]=--output-closed)
index=0
row() { # expect, folder, streams, name, answers...
    local expect=$1 folder=$2 streams=$3 name=$4 lin win arch input inputs=() begin
    shift 4
    for input; do
        index=$((index + 1))
        inputs+=("$runs/input-$index")
        printf '%s' "$input" >"$runs/input-$index-win"
        printf '%s' "${input%%$'\x1a'*}" >"$runs/input-$index-linux" # Ctrl+Z ends the input
    done
    lin=$(fresh_dir "$runs") && prepare_"$folder" "$lin" $'\n'
    for input in "${inputs[@]}"; do # shellcheck disable=SC2086 # no option: no word
        run_without_terminal ${stream_option[${streams/closed/file}]} "$lin" "$input-linux" "$linux_exe"
    done
    for arch in "${runnable[@]}"; do
        win=$(fresh_dir "$runs") limit=$(ulimit -f) begin=$EPOCHREALTIME
        prepare_"$folder" "$win" $'\r\n'
        for input in "${inputs[@]}"; do
            run_began=$EPOCHREALTIME
            # shellcheck disable=SC2086 # no option: no word
            (ulimit -f "$limit" && run_without_terminal ${stream_option[$streams]} "$win" "$input-win" wine "${exe[$arch]}")
            let_go "$win"
        done
        took=$(since "$begin")
        expect_"$expect" "$arch: $name" "$lin" "$win"
    done
}
started=$EPOCHREALTIME
cases
printf '%s\n' "$worked_answers" >"$runs/worked"
lin_worked=$(fresh_dir "$runs") && run_without_terminal "$lin_worked" "$runs/worked" "$linux_exe"
echo "     runs without a terminal took $(since "$started") s"

# --- The ZIP package as users get it: both programs and the note ---------------
# Made as packaging/build_packages.sh makes it; each program this machine runs
# is run where unpacked.
package=parabeam-$(project_version)-win32
if zip=$(build_windows_zip 2>"$work/cpack.log"); then
    listing=$(cd "$runs" && cmake -E tar tf "$zip" 2>&1 | sort | tr '\n' ' ')
    [ "${listing#"$package/ "}" = "$package/parabeam.exe $package/parabeam64.exe $package/windows-readme.txt " ]
    verdict "zip: $package.zip holds parabeam.exe, parabeam64.exe and windows-readme.txt" $? "listing: $listing"
    (cd "$runs" && cmake -E tar xf "$zip")
    ! grep -q $'[^\r]$' "$runs/$package/windows-readme.txt"
    verdict "zip: the note with CR LF line ends" $?
    declare -A packed=([win32]=parabeam.exe [win64]=parabeam64.exe) format=([win32]=pei-i386 [win64]=pei-x86-64)
    for arch in win32 win64; do
        program=$runs/$package/${packed[$arch]}
        kind=$("${triple[$arch]}-objdump" -f "$program" 2>&1 | sed -n 's/.*file format //p')
        [ "$kind" = "${format[$arch]}" ]
        verdict "zip: ${packed[$arch]} is the $arch program ($kind)" $?
        if [[ " ${runnable[*]} " == *" $arch "* ]]; then
            win=$(fresh_dir "$runs")
            run_without_terminal "$win" "$runs/worked" wine "$program"
            expect_linux "zip: the unpacked ${packed[$arch]}" "$lin_worked" "$win"
        else
            skip "zip: the unpacked ${packed[$arch]} runs" "this machine's kernel cannot run 32-bit programs"
        fi
    done
else
    fail "zip: built as packaging/build_packages.sh builds it" "see $work/cpack.log" "$(tail -n 5 "$work/cpack.log")"
fi

# --- At a terminal (tmux) ----------------------------------------------------
# wine's console reads its keys from standard input, so the answers are typed
# too (not Ctrl+Z, which the terminal turns into a stop signal); output to a file.
# wine's console takes over the terminal (no line mode, no echo) a moment after
# the program starts, discarding what was typed before: wait for that.
console_ready() { stty -a <"$(tmux -S "$tmux_socket" display -p -t "$name" '#{pane_tty}')" | grep -q -- -icanon; }
keys() { tmux -S "$tmux_socket" send-keys -t "$name" "$@"; }
# The worked example typed; still waiting after the closing notes; the key ends it.
key_wait_test() { # arch, key name for tmux, description
    local label="$1: at a terminal" dir
    dir=$(fresh_dir "$runs") name=t$((++session))
    tmux -S "$tmux_socket" new-session -d -s "$name" -x 160 -y 50 "cd '$dir' && env PATH='$PATH' \
        WINEPREFIX='$WINEPREFIX' WINEDEBUG=-all WINEDLLOVERRIDES='$WINEDLLOVERRIDES' wine '${exe[$1]}' >out 2>err; echo \$? >status"
    wait_for 60 grep -qsF '(1) Enter Value' "$dir/out" && wait_for 30 console_ready ||
        { fail "$label: first question shown" "$(head -c 300 "$dir/err")" && return; }
    keys -l "$worked_answers" && keys Enter
    wait_for 30 grep -qsF 'Press Any Key To Continue' "$dir/out" || { fail "$label: closing notes shown" \
        "terminal: $(tmux -S "$tmux_socket" capture-pane -p -t "$name" | grep . | tail -n 5)" && return; }
    sleep 1
    [ ! -e "$dir/status" ]
    verdict "$label: still waiting 1 s after the closing notes" $? "ended with status $(cat "$dir/status" 2>&1)" || return
    keys "$2"
    wait_for 20 test -s "$dir/status" && all_zero "$dir"
    verdict "$label: $3 ends the wait, status 0" $? "status: $(cat "$dir/status" 2>&1)" || return
    cmp -s <(crlf "$lin_worked/out") "$dir/out" && cmp -s <(crlf "$lin_worked/data-values.dat") "$dir/data-values.dat"
    verdict "$label: console output and record as without a terminal" $? "$(cmp <(crlf "$lin_worked/out") "$dir/out" 2>&1)"
}
started=$EPOCHREALTIME session=0
# Every key on the first program this machine runs, one key on the other.
key_wait_test "${runnable[0]}" q 'the letter q'
key_wait_test "${runnable[0]}" F1 'the function key F1'
key_wait_test "${runnable[0]}" C-c 'Ctrl+C (a key press, not an interrupt)'
key_wait_test "${runnable[0]}" Escape 'Escape'
[ "${#runnable[@]}" -eq 1 ] || key_wait_test win64 q 'the letter q'
echo "     terminal runs took $(since "$started") s"

finish
