#!/usr/bin/env bash
# Drives the key configuration without a window on a demo configuration in program folder $1,
# through the simulated controller, and prints what happened. Needs the Wine set-up of env.sh.
set -uo pipefail
dir=$(cd "$1" && pwd)
winpath() { printf 'Z:%s' "${1//\//\\}"; }
run() {
    printf '\n$ %s\n' "$*"
    local prog=$1; shift
    "$TASTRO_WINE" "$dir/$prog" "$@" 2>&1 | tr -d '\r'
    return 0
}

cat >"$dir/fun.cfg" <<CFG
[F1]
DisplayName=Witness
IconFile=
1=$(winpath "$dir/witness.exe")
Type=3
Count=1
[F2]
DisplayName=hello
1=Hello!
Type=2
Count=1
[F3]
DisplayName=Next Audio Output
1=430
Type=4
Count=1
[F4]
DisplayName=Volume Up
1=404
Type=4
Count=1
CFG
printf 'demo program folder: %s\nfun.cfg: F1 opens witness.exe, F2 types "Hello!", F3 switches the audio device, F4 is Volume Up\n' "$dir"

run keyconfigctl.exe build
printf 'key table header: '; xxd -l 8 -p "$dir/SimState/13060030.bin"
run keyconfigctl.exe switch on
run keyconfigctl.exe switch show
run simkey.exe F1
run keyconfigctl.exe report
printf 'witness.log: '; cat "$dir/SimState/witness.log" 2>/dev/null | tr -d '\r' || echo '(none)'
run simkey.exe F3
run keyconfigctl.exe report
printf 'audio.ini:\n'; tr -d '\r' <"$dir/SimState/audio.ini" 2>/dev/null || echo '(none)'
run keyconfigctl.exe profile save demo
run keyconfigctl.exe clear all
run keyconfigctl.exe profile list
run keyconfigctl.exe profile apply demo
run keyconfigctl.exe profile save "../outside"
printf '\n(simkey exits 1 above because no main window is registered yet; the key event is stored all the same.)\n'
