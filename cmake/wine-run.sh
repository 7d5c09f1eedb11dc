#!/bin/sh
# Runs a cross-built Windows program under the Wine that scripts/env.sh selected.
exec "${TASTRO_WINE:-wine}" "$@"
