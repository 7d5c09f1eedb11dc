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

apt_install() {
    local need
    need=$(missing_packages "$@")
    [ -z "$need" ] && return 0
    log "installing: $(echo $need)"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $need >"$TASTRO_BUILD/apt.log" 2>&1 \
        || { as_root apt-get update >>"$TASTRO_BUILD/apt.log" 2>&1 &&
             as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $need >>"$TASTRO_BUILD/apt.log" 2>&1; } \
        || { tail -20 "$TASTRO_BUILD/apt.log" >&2; die "package installation failed"; }
}

# True when this machine can execute 32-bit x86 Linux programs (the 32-bit Wine needs that).
host_runs_i386() {
    [ -x /lib/ld-linux.so.2 ] && /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

setup_packages() {
    mkdir -p "$TASTRO_BUILD"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        log "enabling the i386 architecture"
        as_root dpkg --add-architecture i386
        as_root apt-get update >"$TASTRO_BUILD/apt.log" 2>&1 || die "apt-get update failed"
    fi
    apt_install cmake ninja-build dpkg-dev googletest xvfb xauth imagemagick xdotool \
        gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix \
        gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix \
        libz-mingw-w64-dev wine wine64 libc6:i386 python3 python3-pil fonts-dejavu-core \
        fonts-wine fonts-liberation2 xcompmgr
    if host_runs_i386; then
        apt_install wine32:i386
        TASTRO_TEST_ARCH=${TASTRO_TEST_ARCH:-i686}
    else
        # Some kernels (e.g. under paravirtual hypervisors) have no 32-bit user mode: the 32-bit
        # Wine cannot start there, so the same sources are tested as 64-bit programs.
        [ "${TASTRO_TEST_ARCH:-x86_64}" = x86_64 ] || die "this machine cannot execute 32-bit programs"
        log "this machine cannot execute 32-bit programs: the 64-bit build runs in their place"
        TASTRO_TEST_ARCH=x86_64
    fi
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
    apt-get "${opts[@]}" update >"$apt/update.log" 2>&1 || { tail "$apt/update.log" >&2; die "source list update failed"; }
    # A mirror may lack some files of one version: try each version the lists offer, newest first.
    local v ok=
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
