#!/usr/bin/env bash
# check-package.sh DEB [FOLDER]
# Proves a package on a fresh Debian 12: a debootstrap of bookworm, made once in FOLDER/base
# (default /var/tmp/tarvelle-bookworm), is copied afresh to FOLDER/run, where the package is
# installed with `apt install ./...deb` and started from a user's shell in another folder and
# through its desktop entry, in an Xvfb of this machine whose socket the copy shares. Prints the
# time from `apt install` to the window mapped. FOLDER/run is removed afterwards.
set -euo pipefail
source "$(dirname "$0")/common.sh"

"$TOP/scripts/ensure-packages.sh" debootstrap xvfb xdotool x11-apps python3
deb="$(realpath "$1")"
folder="$(realpath -m "${2:-/var/tmp/tarvelle-bookworm}")"
base="$folder/base"
run="$folder/run"

if [ ! -x "$base/usr/bin/apt-get" ]; then
    rm -rf "$base"
    debootstrap bookworm "$base" http://deb.debian.org/debian >&2
fi

unmount_all() {
    for mount in tmp/.X11-unix dev/pts dev proc; do
        mountpoint -q "$run/$mount" && umount "$run/$mount"
    done
    rm -rf "$run"
}
unmount_all
trap unmount_all EXIT
cp -a "$base" "$run"
cp /etc/resolv.conf "$run/etc/resolv.conf"
mount -t proc proc "$run/proc"
mount --bind /dev "$run/dev"
mount --bind /dev/pts "$run/dev/pts"
mkdir -p /tmp/.X11-unix "$run/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$run/tmp/.X11-unix"
cat > "$run/etc/apt/sources.list" <<'SOURCES'
deb http://deb.debian.org/debian bookworm main
deb http://deb.debian.org/debian bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SOURCES
chroot "$run" apt-get update >&2
chroot "$run" useradd --create-home player
cp "$deb" "$run/tmp/"

python3 "$TOP/scripts/check_installed_package.py" "$run" "$(basename "$deb")" player
