#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds the program folder (no test program) for the one build this
# machine runs and starts the real TastroII.exe under Wine on a demo copy of it, with the simulated
# controller. On a machine that runs 32-bit programs that is the 32-bit build, which also becomes
# dist/; elsewhere it is the 64-bit twin alone, and dist/ is left to ./test.sh. An existing display
# ($DISPLAY) is used; without one a private Xvfb is started, a screenshot is saved under build/ and
# the program keeps running until Ctrl-C. `./run.sh gallery` shows the skinned control toolkit's
# gallery, `./run.sh demo` drives the key configuration without a window.
set -euo pipefail
source "$(dirname "$0")/scripts/env.sh"

setup_packages
fetch_libpng
build_arch "$TASTRO_TEST_ARCH" program_folder

if [ "$TASTRO_TEST_ARCH" = i686 ]; then
    rm -rf "$TASTRO_ROOT/dist"
    cp -r "$TASTRO_BUILD/i686/dist" "$TASTRO_ROOT/dist"
    log "program folder: dist/"
fi

# The demo runs on a copy of the program folder built for the architecture this machine can run.
demo=$TASTRO_BUILD/demo
rm -rf "$demo"
cp -r "$TASTRO_BUILD/$TASTRO_TEST_ARCH/dist" "$demo"
own_display=1
[ -n "${DISPLAY:-}" ] && export TASTRO_KEEP_DISPLAY=1 && own_display=
start_wine "$TASTRO_TEST_ARCH"
[ -n "$own_display" ] && start_compositor

# build/wine runs a program of the demo's Wine from any terminal, on either kind of machine.
wine_wrapper=$TASTRO_BUILD/wine
{
    echo '#!/bin/sh'
    echo "# Runs a Windows program under the Wine and display of the last ./run.sh ($(tested_build))."
    printf 'export WINEPREFIX=%q WINEDEBUG=-all WINEDLLOVERRIDES=%q DISPLAY=%q\n' \
        "$WINEPREFIX" "$WINEDLLOVERRIDES" "$DISPLAY"
    printf 'exec %q "$@"\n' "$TASTRO_WINE"
} >"$wine_wrapper"
chmod +x "$wine_wrapper"
case "${1:-}" in
gallery)
    "$TASTRO_WINE" "$demo/gallery.exe"
    exit 0 ;;
demo)
    "$TASTRO_ROOT/scripts/demo.sh" "$demo"
    exit 0 ;;
esac

# F3 opens witness.exe (it records its start in SimState/witness.log), F1 types a text.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
cat >"$demo/fun.cfg" <<CFG
[F1]
DisplayName=Hello
1=Hello!
Type=2
Count=1
[F3]
DisplayName=Witness
IconFile=$(winpath "$demo/witness.exe")
1=$(winpath "$demo/witness.exe")
Type=3
Count=1
CFG

"$TASTRO_WINE" "$demo/TastroII.exe" &
program=$!
# The window answers once the start-up (with its fixed pause) is over.
for _ in $(seq 1 120); do
    "$TASTRO_WINE" "$demo/tastromsg.exe" show >/dev/null 2>&1 && break
    sleep 0.5
done
cat <<TEXT
TastroII.exe runs in $demo (F1 types "Hello!", F3 opens witness.exe).
Press a key of the simulated controller from another terminal:
    $wine_wrapper $demo/simkey.exe F3
    cat $demo/SimState/witness.log
Write the key table of the keys as they are now:
    $wine_wrapper $demo/tastromsg.exe key-changed 3
Report a click on the tray icon's balloon (Hub Deck II.exe starts and logs in witness.log):
    $wine_wrapper $demo/tastromsg.exe tray 0x405
TEXT
if [ -n "$own_display" ]; then
    sleep 2
    shot=$TASTRO_BUILD/run-screenshot.png
    import -window root "$shot"
    echo "The screen of the private display is saved in $shot"
fi
echo "Ctrl-C ends the program."
# The exit trap of env.sh stops Wine and the private display on Ctrl-C too.
trap 'exit 130' INT TERM
wait "$program" || true
