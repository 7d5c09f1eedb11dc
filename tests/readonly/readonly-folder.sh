#!/bin/sh
# The read-only program folder of readonly_tests, run natively (not under Wine):
#   readonly-folder.sh mount FOLDER DIST   lays out FOLDER from the built program folder DIST
#                                          and mounts it on itself read-only
#   readonly-folder.sh unmount FOLDER      takes the mount away and removes FOLDER
# Permissions do not stop root, so only a read-only mount makes writes fail; without the right to
# mount this fails rather than let the tests run on a writable folder.
set -eu
action=$1
folder=$2

release() {
    while mountpoint -q "$folder" 2>/dev/null; do
        umount "$folder" || umount -l "$folder"
    done
    rm -rf "$folder"
}

case $action in
mount)
    dist=$3
    release
    trap 'status=$?; [ $status -eq 0 ] || release; exit $status' EXIT
    mkdir -p "$folder"
    cp -a "$dist/." "$folder/"
    rm -rf "$folder/SimState"
    printf '[Info]\r\nVersion=1.00.00\r\nSwitch=1\r\nTime=100\r\nTimeType=0\r\nTW_Warning=0\r\n' >"$folder/Setting.ini"
    # F5 holds a function that FunKeyMap.cfg does not know.
    printf '[F1]\r\nDisplayName=Hello\r\nType=2\r\n1=Hello\r\nCount=1\r\n[F5]\r\nDisplayName=Unknown\r\nType=4\r\n1=99999\r\nCount=1\r\n' \
        >"$folder/fun.cfg"
    mkdir -p "$folder/Profile"
    cp "$folder/fun.cfg" "$folder/Profile/Old.mck"
    mount --bind "$folder" "$folder"
    mount -o remount,bind,ro "$folder"
    if touch "$folder/.write-probe" 2>/dev/null; then
        rm -f "$folder/.write-probe"
        echo "readonly-folder.sh: $folder is still writable after the read-only mount" >&2
        exit 1
    fi
    ;;
unmount)
    release
    ;;
*)
    echo "usage: readonly-folder.sh mount FOLDER DIST | unmount FOLDER" >&2
    exit 2
    ;;
esac
