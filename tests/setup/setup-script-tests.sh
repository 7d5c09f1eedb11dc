#!/usr/bin/env bash
# The package set-up of scripts/env.sh, run against stand-in apt-get, apt-cache, dpkg, dpkg-query
# and sudo put first on PATH: a package index that fails is a warning and the set-up goes on; an
# install or source fetch that fails stops it and names the package.
set -u
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { printf 'FAILED: %s\n' "$*" >&2; failures=$((failures + 1)); }

# The stand-ins keep their state in $FAKE_STATE: installed (one package a line), archs, lists
# (present once an update ran), calls (every call). FAKE_UPDATE=fail makes every update lose one
# index; FAKE_REFUSE names the packages that no list offers; FAKE_SOURCE=fail loses the source.
bin=$work/bin
mkdir -p "$bin"
cat >"$bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "apt-get $*" >>"$FAKE_STATE/calls"
while [ $# -gt 0 ]; do case $1 in -o) shift 2 ;; -*) shift ;; *) break ;; esac; done
verb=$1; shift
case $verb in
update)
    touch "$FAKE_STATE/lists"
    if [ "${FAKE_UPDATE:-}" = fail ]; then
        echo "Err:6 http://mirror.example/debian-security bookworm-security/main i386 Packages"
        echo "  File has unexpected size (374820 != 376004). Mirror sync in progress?"
        echo "E: Failed to fetch http://mirror.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz"
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
        exit 100
    fi ;;
install)
    [ -f "$FAKE_STATE/lists" ] || { echo "E: Unable to locate package $1"; exit 100; }
    status=0
    for p in "$@"; do
        case " ${FAKE_REFUSE:-} " in *" $p "*) echo "E: Package '$p' has no installation candidate"; status=100 ;; esac
    done
    [ $status = 0 ] && printf '%s\n' "$@" >>"$FAKE_STATE/installed"
    exit $status ;;
source)
    [ "${FAKE_SOURCE:-}" = fail ] && { echo "E: Failed to fetch libpng1.6_1.6.39.orig.tar.xz"; exit 100; }
    mkdir -p libpng1.6-1.6.39 && touch libpng1.6-1.6.39/png.c ;;
esac
FAKE
cat >"$bin/apt-cache" <<'FAKE'
#!/usr/bin/env bash
[ -f "$FAKE_STATE/lists" ] && echo "Version: 1.6.39-2"
FAKE
cat >"$bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
echo "dpkg $*" >>"$FAKE_STATE/calls"
case $1 in
--print-foreign-architectures) cat "$FAKE_STATE/archs" 2>/dev/null ;;
--add-architecture) echo "$2" >>"$FAKE_STATE/archs" ;;
esac
FAKE
cat >"$bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
grep -qx -- "${!#}" "$FAKE_STATE/installed" 2>/dev/null && echo "install ok installed"
FAKE
printf '#!/bin/sh\nexec "$@"\n' >"$bin/sudo"
chmod +x "$bin"/*

# setup CASE I386 [VARIABLE=VALUE...]: runs setup_packages and fetch_libpng on a fresh machine
# (no lists, nothing installed) whose kernel runs 32-bit programs when I386 is 1. Leaves the output
# in $out, the exit status in $status and the stand-ins' state in $state.
setup() {
    local name=$1 i386=$2
    shift 2
    state=$work/$name
    mkdir -p "$state/build"
    out=$(env -u TASTRO_TEST_ARCH -u TASTRO_APT_UPDATED -u TASTRO_LIBPNG_DIR "$@" PATH="$bin:$PATH" FAKE_STATE="$state" FAKE_I386="$i386" TASTRO_BUILD="$state/build" bash -c '
        source "$1/scripts/env.sh"
        host_runs_i386() { [ "$FAKE_I386" = 1 ]; }
        setup_packages && fetch_libpng && echo "tested: $TASTRO_TEST_ARCH" && echo "libpng: $TASTRO_LIBPNG_DIR"
    ' setup "$root" 2>&1)
    status=$?
}
expect() { # expect CASE TEXT: the output holds TEXT
    printf '%s\n' "$out" | grep -qF -- "$2" || fail "$1: no \"$2\" in:"$'\n'"$out"
}
installed() { grep -qx -- "$1" "$state/installed" 2>/dev/null; }

# A 64-bit-only machine: the lost index is a warning, dpkg's architectures are left alone.
setup no-i386 0 FAKE_UPDATE=fail
[ $status = 0 ] || fail "no-i386: the set-up stopped ($status):"$'\n'"$out"
expect no-i386 "warning: apt-get update failed for some indexes"
expect no-i386 "bookworm-security/main i386 Packages"
expect no-i386 "tested: x86_64"
expect no-i386 "libpng: $state/build/deps/libpng1.6-1.6.39"
installed cmake || fail "no-i386: cmake was not installed"
installed wine32:i386 && fail "no-i386: wine32:i386 was installed"
grep -q 'dpkg --add-architecture' "$state/calls" && fail "no-i386: the i386 architecture was added"

# A machine that runs 32-bit programs gets the architecture and the 32-bit Wine.
setup i386 1 FAKE_UPDATE=fail
[ $status = 0 ] || fail "i386: the set-up stopped ($status):"$'\n'"$out"
expect i386 "tested: i686"
installed wine32:i386 && installed libc6:i386 || fail "i386: the 32-bit Wine was not installed"
[ "$(cat "$state/archs")" = i386 ] || fail "i386: the i386 architecture was not added"

# Lists that hold no fitting 32-bit Wine: the 64-bit build is tested, unless the 32-bit one was asked.
setup no-wine32 1 FAKE_REFUSE=wine32:i386
[ $status = 0 ] || fail "no-wine32: the set-up stopped ($status):"$'\n'"$out"
expect no-wine32 "warning: could not install wine32:i386;"
expect no-wine32 "tested: x86_64"
setup no-wine32-asked 1 FAKE_REFUSE=wine32:i386 TASTRO_TEST_ARCH=i686
[ $status != 0 ] || fail "no-wine32-asked: the set-up went on"
expect no-wine32-asked "could not install: wine32:i386"

# An install that fails stops the set-up and names what it could not get, and only that.
setup no-xvfb 0 FAKE_UPDATE=fail FAKE_REFUSE=xvfb
[ $status != 0 ] || fail "no-xvfb: the set-up went on"
expect no-xvfb "package installation failed; could not install: xvfb"
printf '%s\n' "$out" | grep -q 'could not install:.*cmake' && fail "no-xvfb: cmake named as missing"
printf '%s\n' "$out" | grep -q '^tested:' && fail "no-xvfb: the set-up finished"

# The libpng source: a lost index is a warning, a lost source stops the set-up.
setup no-source 0 FAKE_SOURCE=fail
[ $status != 0 ] || fail "no-source: the set-up went on"
expect no-source "apt-get source libpng1.6 failed"

[ $failures = 0 ] && echo "setup script: all cases passed"
exit $((failures > 0))
