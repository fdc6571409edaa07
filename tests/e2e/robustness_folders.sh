#!/bin/sh
# Makes, outside Wine, the folders that the robustness cases cannot make from
# inside it, and takes them away again. Run by ctest around those cases.
#
#   robustness_folders.sh up   DIR QUORVEL_EXE DRIVE
#   robustness_folders.sh down DIR DRIVE
#
# DIR/read-only   a read-only bind mount of DIR/read-only-source, which holds
#                 quorvel.exe and one file (root ignores file permissions, a
#                 read-only mount it cannot ignore)
# DRIVE           a Wine drive letter such as "q:", whose root is DIR/drive
# DIR/drive.txt   that drive letter as the Windows side writes it ("Q:")
# DIR/table.txt   the header of the table the cases add their rows to; it is
#                 kept by "down" so that it can be shown after the run
set -eu

action=$1
dir=$2
prefix=${WINEPREFIX:-$HOME/.wine}

take_down() {
    drive=$1
    if mountpoint -q "$dir/read-only" 2>/dev/null; then umount "$dir/read-only"; fi
    link="$prefix/dosdevices/$drive"
    if [ -L "$link" ] && [ "$(readlink "$link")" = "$dir/drive" ]; then rm -f "$link"; fi
    rm -rf "$dir/read-only" "$dir/read-only-source" "$dir/drive" "$dir/drive.txt"
}

case "$action" in
up)
    exe=$3
    drive=$4
    mkdir -p "$dir"
    take_down "$drive"  # what an interrupted run may have left

    mkdir -p "$dir/read-only-source" "$dir/read-only"
    cp "$exe" "$dir/read-only-source/quorvel.exe"
    printf 'a file the program must leave alone\r\n' >"$dir/read-only-source/kept.txt"
    mount --bind "$dir/read-only-source" "$dir/read-only"
    mount -o remount,bind,ro "$dir/read-only"
    if touch "$dir/read-only/probe" 2>/dev/null; then
        echo "$dir/read-only is still writable" >&2
        exit 1
    fi

    link="$prefix/dosdevices/$drive"
    if [ -e "$link" ] || [ -L "$link" ]; then
        echo "drive $drive is already mapped in $prefix" >&2
        exit 1
    fi
    mkdir -p "$dir/drive"
    ln -s "$dir/drive" "$link"
    printf '%s\r\n' "$(printf '%s' "$drive" | tr '[:lower:]' '[:upper:]')" >"$dir/drive.txt"

    printf '%-32s | %-56s | %8s\n' case outcome click >"$dir/table.txt"
    ;;
down)
    take_down "$3"
    ;;
*)
    sed -n '5,7p' "$0" >&2
    exit 2
    ;;
esac
