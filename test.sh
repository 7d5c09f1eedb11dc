#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds everything and runs every test under Wine.
# Leaves the 32-bit program folder in dist/.
set -euo pipefail
source "$(dirname "$0")/scripts/env.sh"

setup_packages
log "testing $(tested_build)"
fetch_libpng
build_arch i686
if [ "$TASTRO_TEST_ARCH" != i686 ]; then
    build_arch "$TASTRO_TEST_ARCH"
fi

rm -rf "$TASTRO_ROOT/dist"
cp -r "$TASTRO_BUILD/i686/dist" "$TASTRO_ROOT/dist"
# ctest checks the program folder of the build it tests; this checks the 32-bit one in dist/ too.
cmake -DFOLDER="$TASTRO_ROOT/dist" -DSOURCE="$TASTRO_ROOT" -DBUILD="$TASTRO_BUILD" \
    -P "$TASTRO_ROOT/tests/dist/CheckProgramFolder.cmake" || die "the program folder dist/ is not fit to ship"

start_wine "$TASTRO_TEST_ARCH"
log "running the tests"
if ctest --test-dir "$TASTRO_BUILD/$TASTRO_TEST_ARCH" --output-on-failure -j "${TASTRO_TEST_JOBS:-1}" "$@"; then
    log "all tests passed on $(tested_build)"
else
    status=$?
    log "tests FAILED on $(tested_build)"
    exit "$status"
fi
