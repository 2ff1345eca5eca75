#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian (no errors, no warnings,
# a hardened program), installs it on this machine with apt, and plays
# two games with the installed program as an ordinary user from an unrelated
# folder: the report must be written where the user asked, the high scores in
# the user's own data folder, and the installed files must stay untouched.
# Then validates the installed desktop entry and AppStream metadata.
# Needs root (it installs a package and makes a user; it asks sudo otherwise)
# and removes both at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"
scripts/install-deps.sh desktop-file-utils appstream lintian
# The suite's build where there is one (./test.sh makes it, and cpack brings
# it up to date), else a build of its own.
dir=build
[ -f build/CMakeCache.txt ] || dir=$(scripts/build.sh | tail -n 1)
(cd "$dir" && rm -f reefhoard_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$PWD/$dir"/reefhoard_*.deb)

fail() { echo "package test: $*" >&2; exit 1; }

# Debian's package checker. Its informational tags may stay, but the
# hardening ones among them mean the program lost a protection.
checked=$(lintian --fail-on error,warning --display-info "$deb") || fail "lintian: $checked"
if grep ' hardening-' <<<"$checked"; then fail "the program is not hardened"; fi

player=reefhoard-test
cleanup() {
  env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q reefhoard >/dev/null 2>&1 || true
  userdel -r "$player" >/dev/null 2>&1 || true
}
trap cleanup EXIT
cleanup
env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >/dev/null
useradd -m "$player"
home=$(getent passwd "$player" | cut -d: -f6)

workdir=$(runuser -u "$player" -- mktemp -d)
runuser -u "$player" -- env -i HOME="$home" PATH=/usr/games:/usr/bin:/bin bash -c \
  "cd '$workdir' && reefhoard --headless --seed 3 --autoplay=2 --report r.txt" ||
  fail "the installed game did not run to its end"
grep -q '^exit=0$' "$workdir/r.txt" || fail "no report in the folder the player started from"
[ -s "$home/.local/share/reefhoard/hiscore.dat" ] || fail "no high scores in $home/.local/share/reefhoard"
dpkg --verify reefhoard || fail "installed files were changed"
extra=$(comm -13 <(dpkg -L reefhoard | sort) <(find /usr/share/games/reefhoard | sort))
[ -z "$extra" ] || fail "files were added to the installed folder: $extra"
runuser -u "$player" -- /usr/games/reefhoard --version | grep -q '^reefhoard ' || fail "--version printed nothing"

desktop-file-validate /usr/share/applications/org.reefhoard.ReefHoard.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.reefhoard.ReefHoard.metainfo.xml
echo "package test: $(basename "$deb") installs, plays as $player and keeps its files in the player's folder"
