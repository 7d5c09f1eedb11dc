#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything, lays out the program folder dist/ and starts it
# under Wine. Until the main window exists, it drives the key configuration without a window
# (keyconfigctl) on a demo configuration and prints what happened. `./run.sh gallery` shows the
# skinned control toolkit's gallery instead. An existing display ($DISPLAY) is used; else Xvfb.
set -euo pipefail
source "$(dirname "$0")/scripts/env.sh"

setup_packages
fetch_libpng
build_arch i686
[ "$TASTRO_TEST_ARCH" = i686 ] || build_arch "$TASTRO_TEST_ARCH"

rm -rf "$TASTRO_ROOT/dist"
cp -r "$TASTRO_BUILD/i686/dist" "$TASTRO_ROOT/dist"
log "program folder: dist/"

# The demo runs on a copy of the program folder built for the architecture this machine can run.
demo=$TASTRO_BUILD/demo
rm -rf "$demo"
cp -r "$TASTRO_BUILD/$TASTRO_TEST_ARCH/dist" "$demo"
[ -n "${DISPLAY:-}" ] && export TASTRO_KEEP_DISPLAY=1
start_wine "$TASTRO_TEST_ARCH"
if [ "${1:-}" = gallery ]; then
    "$TASTRO_WINE" "$demo/gallery.exe"
else
    "$TASTRO_ROOT/scripts/demo.sh" "$demo"
fi
