#!/usr/bin/env bash
# Installs the Debian packages listed in debian-packages.txt that are not installed yet.
# As root it runs apt-get itself; otherwise it prints the command to run and stops.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
list="$here/debian-packages.txt"

missing=()
while read -r pkg; do
    pkg=${pkg%%#*}
    pkg=${pkg//[[:space:]]/}
    [ -n "$pkg" ] || continue
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done <"$list"

[ ${#missing[@]} -eq 0 ] && exit 0

cmd="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Klangora needs these Debian packages: ${missing[*]}" >&2
    echo "Install them as root with:" >&2
    echo "  apt-get update && $cmd" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
apt-get update -qq
$cmd
