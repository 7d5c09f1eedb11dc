# Shared set-up for test.sh, run.sh and bench.sh: packages, libpng source, builds, Wine and a display.
# Sourced, not run. Everything it makes lives under build/.

TASTRO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TASTRO_BUILD=${TASTRO_BUILD:-$TASTRO_ROOT/build}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 4)}

log() { printf '== %s\n' "$*" >&2; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
    done
}

# apt_update LOG COMMAND...: runs COMMAND update (COMMAND is apt-get with its options), its output
# in LOG. An index that fails (a mirror mid-sync, a dead source) is only a warning: apt keeps every
# list that did arrive, and the install or source fetch that follows says whether they are enough.
apt_update() {
    local log=$1
    shift
    "$@" update >"$log" 2>&1 && return 0
    local failed
    failed=$(sed -n 's/^Err:[0-9]*[[:space:]]*//p' "$log" | sort -u)
    [ -n "$failed" ] || failed=$(grep -E '^(E|W): ' "$log" | tail -5)
    log "warning: apt-get update failed for some indexes; going on with the lists that arrived:"
    printf '     %s\n' "$failed" | sed 's/^[[:space:]]*$//;/^$/d' >&2
    return 0
}

# The packages of PACKAGE... that apt's errors in LOG name; all of them when the errors name none.
packages_named_in() {
    local log=$1 p named=
    shift
    local errors
    errors=$(grep -E '^E: ' "$log" || true)
    for p in "$@"; do
        # A package name is bounded by characters that cannot be part of one.
        if printf '%s\n' "$errors" | grep -qE "(^|[^[:alnum:].+-])${p//+/\\+}([^[:alnum:].+-]|\$)"; then
            named="$named $p"
        fi
    done
    [ -n "$named" ] && echo $named || echo "$@"
}

# try_apt_install PACKAGE...: installs what is missing of PACKAGE...; on failure prints apt's last
# lines, names the packages it could not get in TASTRO_APT_UNAVAILABLE and returns 1.
try_apt_install() {
    local need log=$TASTRO_BUILD/apt.log
    need=$(missing_packages "$@")
    [ -z "$need" ] && return 0
    log "installing: $(echo $need)"
    local install=(as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends)
    "${install[@]}" $need >>"$log" 2>&1 && return 0
    # No package lists yet, or lists older than the archive: fetch them once and try again.
    if [ -z "${TASTRO_APT_UPDATED:-}" ]; then
        TASTRO_APT_UPDATED=1
        apt_update "$TASTRO_BUILD/apt-update.log" as_root apt-get
        "${install[@]}" $need >>"$log" 2>&1 && return 0
    fi
    tail -20 "$log" >&2
    TASTRO_APT_UNAVAILABLE=$(packages_named_in "$log" $(missing_packages $need))
    return 1
}

apt_install() {
    try_apt_install "$@" || die "package installation failed; could not install: $TASTRO_APT_UNAVAILABLE"
}

# True when this machine can execute 32-bit x86 Linux programs (the 32-bit Wine needs that). Asks
# the kernel itself with a 96-byte static i386 program that exits with 42, so that no 32-bit
# library has to be installed first.
host_runs_i386() {
    local probe=$TASTRO_BUILD/i386-probe
    printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' \
        '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
        '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
        '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe" && chmod +x "$probe" || return 1
    local status=0
    ("$probe") 2>/dev/null || status=$?
    [ "$status" = 42 ]
}

setup_packages() {
    mkdir -p "$TASTRO_BUILD"
    : >"$TASTRO_BUILD/apt.log"
    local runs_i386=
    host_runs_i386 && runs_i386=1
    # dpkg's foreign architectures are touched only where the 32-bit Wine can run.
    if [ -n "$runs_i386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        log "enabling the i386 architecture"
        as_root dpkg --add-architecture i386 || die "dpkg --add-architecture i386 failed"
        TASTRO_APT_UPDATED=1
        apt_update "$TASTRO_BUILD/apt-update.log" as_root apt-get
    fi
    apt_install cmake ninja-build dpkg-dev googletest xvfb xauth imagemagick xdotool \
        gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix \
        gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix \
        libz-mingw-w64-dev wine wine64 python3 python3-pil fonts-dejavu-core \
        fonts-wine fonts-liberation2 xcompmgr
    if [ -z "$runs_i386" ]; then
        # Some kernels (e.g. under paravirtual hypervisors) have no 32-bit user mode: the 32-bit
        # Wine cannot start there, so the same sources are tested as 64-bit programs.
        [ "${TASTRO_TEST_ARCH:-x86_64}" = x86_64 ] || die "this machine cannot execute 32-bit programs"
        log "this machine cannot execute 32-bit programs: the 64-bit build runs in their place"
        TASTRO_TEST_ARCH=x86_64
    elif [ "${TASTRO_TEST_ARCH:-}" != x86_64 ] && ! try_apt_install libc6:i386 wine32:i386; then
        # The lists that arrived may hold no 32-bit Wine that fits the installed system (an i386
        # index lost while its amd64 twin arrived): no 32-bit Windows program runs here then.
        [ -z "${TASTRO_TEST_ARCH:-}" ] || die "the 32-bit Wine could not be installed; could not install: $TASTRO_APT_UNAVAILABLE"
        log "warning: could not install $TASTRO_APT_UNAVAILABLE; without the 32-bit Wine, the 64-bit build runs in place of the 32-bit one"
        TASTRO_TEST_ARCH=x86_64
    fi
    TASTRO_TEST_ARCH=${TASTRO_TEST_ARCH:-i686}
    export TASTRO_TEST_ARCH
}

# The build that TASTRO_TEST_ARCH names, in words.
tested_build() {
    if [ "$TASTRO_TEST_ARCH" = i686 ]; then
        echo "the 32-bit build under the 32-bit Wine"
    else
        echo "the 64-bit build under the 64-bit Wine"
    fi
}

# Debian's libpng source, fetched with a private source list and state folder (the system's apt
# configuration is left alone). The source lists are derived from the system's own entries.
fetch_libpng() {
    local dir=$TASTRO_BUILD/deps
    TASTRO_LIBPNG_DIR=$(ls -d "$dir"/libpng1.6-*/ 2>/dev/null | head -1 || true)
    if [ -n "$TASTRO_LIBPNG_DIR" ] && [ -f "$TASTRO_LIBPNG_DIR/png.c" ]; then
        TASTRO_LIBPNG_DIR=${TASTRO_LIBPNG_DIR%/}; return 0
    fi
    log "fetching the libpng source package"
    local apt=$dir/apt
    rm -rf "$apt"; mkdir -p "$apt/lists/partial" "$apt/parts" "$apt/cache/archives/partial"
    : >"$apt/sources.list"
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >>"$apt/sources.list"
    fi
    local f
    for f in /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$apt/sources.list"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
    done
    local opts=(-o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts="$apt/parts"
                -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" -o APT::Sandbox::User=root)
    apt_update "$apt/update.log" apt-get "${opts[@]}"
    # A mirror may lack some files of one version: try each version the lists offer, newest first.
    local v ok=
    : >"$apt/source.log"
    for v in $(apt-cache "${opts[@]}" showsrc libpng1.6 2>/dev/null | awk '/^Version:/{print $2}' | sort -u -r -V); do
        if (cd "$dir" && apt-get "${opts[@]}" source "libpng1.6=$v" >>"$apt/source.log" 2>&1); then ok=1; break; fi
    done
    [ -n "$ok" ] || { tail "$apt/source.log" >&2; die "apt-get source libpng1.6 failed"; }
    TASTRO_LIBPNG_DIR=$(ls -d "$dir"/libpng1.6-*/ | head -1)
    TASTRO_LIBPNG_DIR=${TASTRO_LIBPNG_DIR%/}
    [ -f "$TASTRO_LIBPNG_DIR/png.c" ] || die "libpng source not found after download"
}

# build_arch ARCH [TARGET...]: configures build/ARCH and builds the targets named, or everything.
build_arch() {
    local arch=$1 bdir=$TASTRO_BUILD/$1
    shift
    local toolchain=$TASTRO_ROOT/cmake/toolchain-$arch-w64-mingw32.cmake
    log "building $arch"
    # A toolchain file's flags reach only a fresh cache: start the configuration over when it changed since.
    if [ -f "$bdir/CMakeCache.txt" ] && [ "$toolchain" -nt "$bdir/CMakeCache.txt" ]; then
        rm -rf "$bdir/CMakeCache.txt" "$bdir/CMakeFiles"
    fi
    cmake -S "$TASTRO_ROOT" -B "$bdir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASTRO_WERROR=ON \
        -DTASTRO_LIBPNG_SOURCE_DIR="$TASTRO_LIBPNG_DIR" >"$bdir.configure.log" 2>&1 \
        || { cat "$bdir.configure.log" >&2; die "configure failed ($arch)"; }
    cmake --build "$bdir" -j "$JOBS" ${1:+--target "$@"} || die "build failed ($arch)"
}

# start_wine ARCH: a private prefix in build/ARCH, one persistent wineserver and an Xvfb display.
start_wine() {
    local arch=$1
    export WINEPREFIX=$TASTRO_BUILD/$arch/wineprefix
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
    if [ "$arch" = i686 ]; then
        export WINEARCH=win32 TASTRO_WINE=/usr/lib/wine/wine TASTRO_WINESERVER=/usr/lib/wine/wineserver32
    else
        export WINEARCH=win64 TASTRO_WINE=/usr/lib/wine/wine64 TASTRO_WINESERVER=/usr/lib/wine/wineserver64
    fi
    if [ -z "${TASTRO_KEEP_DISPLAY:-}" ]; then
        # Xvfb picks a free display itself and reports its number on fd 3.
        local fifo=$TASTRO_BUILD/xvfb.display
        rm -f "$fifo"
        Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$fifo" >"$TASTRO_BUILD/xvfb.log" 2>&1 &
        TASTRO_XVFB_PID=$!
        local i
        for i in $(seq 1 100); do [ -s "$fifo" ] && break; sleep 0.1; done
        [ -s "$fifo" ] || die "Xvfb did not start"
        export DISPLAY=":$(head -1 "$fifo")"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix ($WINEARCH)"
        "$TASTRO_WINE" wineboot -i >"$TASTRO_BUILD/wineboot.log" 2>&1 || true
    fi
    # The server left by a previous step is not persistent: let it end, then start one that is.
    "$TASTRO_WINESERVER" -w >/dev/null 2>&1 || true
    "$TASTRO_WINESERVER" -p
    # Start Wine's own services now, away from ctest: they outlive the first program and would
    # otherwise hold that test's output pipes open.
    "$TASTRO_WINE" wineboot >>"$TASTRO_BUILD/wineboot.log" 2>&1 </dev/null || true
    trap stop_wine EXIT
}

# A compositing manager on the private display, so that translucent windows blend with what lies
# beneath them as on a desktop (without one, X shows their own colours). It ends with the display.
start_compositor() {
    xcompmgr >"$TASTRO_BUILD/xcompmgr.log" 2>&1 &
}

stop_wine() {
    [ -n "${TASTRO_WINESERVER:-}" ] && "$TASTRO_WINESERVER" -k >/dev/null 2>&1 || true
    [ -n "${TASTRO_XVFB_PID:-}" ] && kill "$TASTRO_XVFB_PID" >/dev/null 2>&1 || true
    wait 2>/dev/null || true
}
