#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, when any
# of them is missing, and any packages named as arguments (scripts that need
# more, like the package test). Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libasound2-dev libinih-dev libmpg123-dev libmp3lame-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libfreetype-dev libpng-dev fonts-dejavu-core
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi
# apt's own output goes to a log, shown only when it fails.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "Installing: ${missing[*]}"
if ! { "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q &&
       "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
     } >"$log" 2>&1; then
  tail -n 20 "$log" >&2
  exit 1
fi
