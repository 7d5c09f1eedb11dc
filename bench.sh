#!/usr/bin/env bash
# Builds everything and prints the benchmarks (medians of repeated runs under Wine).
# Not part of the pass/fail tests.
set -euo pipefail
source "$(dirname "$0")/scripts/env.sh"

setup_packages
fetch_libpng
build_arch "$TASTRO_TEST_ARCH"
start_wine "$TASTRO_TEST_ARCH"
bdir=$TASTRO_BUILD/$TASTRO_TEST_ARCH
log "key configuration"
"$TASTRO_WINE" "$bdir/bench/keyconfigbench.exe"
if [ -f "$bdir/bench/guibench.exe" ]; then
    log "skinned controls"
    "$TASTRO_WINE" "$bdir/bench/guibench.exe"
fi
log "main program (goals: first paint 150 ms, key report 10 ms, table write 10 ms, repaint 16 ms, recorded key to its step 5 ms, working set 40 MB)"
"$TASTRO_WINE" "$bdir/bench/mainbench.exe" "Z:$bdir/dist"
