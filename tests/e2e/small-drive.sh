#!/usr/bin/env bash
# Gives the end-to-end tests a small drive: a 2 MiB tmpfs mounted in the build tree and mapped
# as drive T: of the test prefix (a setup whose temporary folder is there has too little
# room). Needs root and a kernel that lets us mount; without them the drive is simply absent
# and the test that needs it says so and skips.
#   small-drive.sh up|down MOUNTPOINT WINE_RUNNER WINEPREFIX
set -u
action=$1 mountpoint=$2 runner=$3 prefix=$4
case "$action" in
  up)
    "$runner" cmd.exe /c exit >/dev/null 2>&1 </dev/null  # the prefix exists from here on
    mkdir -p "$mountpoint"
    mountpoint -q "$mountpoint" || mount -t tmpfs -o size=2m tvsmall "$mountpoint" 2>/dev/null || {
      echo "small-drive: cannot mount a tmpfs here; the small-drive test will skip"
      rm -f "$prefix/dosdevices/t:"
      exit 0
    }
    ln -sfn "$mountpoint" "$prefix/dosdevices/t:"
    echo "small-drive: T: is a 2 MiB tmpfs at $mountpoint" ;;
  down)
    rm -f "$prefix/dosdevices/t:"
    mountpoint -q "$mountpoint" && umount "$mountpoint"
    exit 0 ;;
esac
