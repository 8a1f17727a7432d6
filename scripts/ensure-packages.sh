#!/usr/bin/env bash
# ensure-packages.sh PACKAGE...
# Installs whichever of the given Debian packages are missing: directly when run as root, through
# sudo otherwise. Without either it prints the exact apt-get line to run and fails.
set -euo pipefail

missing=()
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them as root with:" >&2
    echo "    $line" >&2
    exit 1
fi

echo "Installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
# A fresh machine may not have package lists yet, or stale ones: refresh them once on failure.
if ! "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; then
    "${as_root[@]}" apt-get update
    "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
