#!/usr/bin/env bash
# Makes the README's pictures: runs the scripted user session of the main window's tests on a
# private display with a compositing manager (so that a dimmed window looks as on a desktop) and
# copies the pictures it saves into docs/.
set -euo pipefail
source "$(dirname "$0")/env.sh"

setup_packages
fetch_libpng
arch=$TASTRO_TEST_ARCH
build_arch "$arch" mainwindow_tests
unset TASTRO_KEEP_DISPLAY
start_wine "$arch"
start_compositor
shots=$TASTRO_BUILD/$arch/screenshots
rm -rf "$shots"
(cd "$TASTRO_BUILD/$arch/tests" && "$TASTRO_WINE" mainwindow_tests.exe --gtest_filter='UserSession.*') ||
    die "the session failed: no picture copied"
cp "$shots"/*.png "$TASTRO_ROOT/docs/"
log "copied into docs/: $(cd "$shots" && echo *.png)"
