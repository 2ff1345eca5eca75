#!/usr/bin/env bash
# Tests the Windows build under Wine (scripts/build-windows.sh makes it):
#  1. the unit suite, each test in a Wine process of its own (ctest);
#  2. the game's headless reports against the Linux build's, line for line
#     apart from frames: autoplays of 3 and 5 rounds and the kept recording;
#  3. a real window under a virtual display: titled "Reef Hoard", a quick click
#     past the splash, "New Game", a click on the sea draws a sonar ring (pixels
#     compared), Escape exits with 0; screenshots kept in
#     build-windows/test-artifacts/windows-window;
#  4. the installer: a silent install, a headless autoplay from Program Files
#     with the scores in %APPDATA%\ReefHoard, the installed launcher's Play
#     starting the game (through the shell, with no console window), and a
#     silent uninstall that removes what it installed and nothing of the
#     player's.
# Wine runs with a private prefix in build-windows/wineprefix.
# Usage: scripts/test-windows.sh [--no-build]
set -euo pipefail
# Runs itself again inside a virtual display when there is none.
if [ -z "${REEF_WINDOWS_DISPLAY:-}" ]; then
    "$(dirname "$0")/install-deps.sh" xvfb xauth xdotool openbox imagemagick
    REEF_WINDOWS_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
cd "$(dirname "$0")/.."
root=$PWD
[ "${1:-}" = "--no-build" ] || scripts/build-windows.sh >/dev/null
# The Linux game, for the reports to compare with.
cmake --build build --target reefhoard -j "$(nproc)" >/dev/null
win="$root/build-windows"
export WINEPREFIX="$win/wineprefix" WINEDEBUG=-all
work="$(mktemp -d)"
trap 'pkill -P $$ 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "windows test: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "unit suite under Wine"
# A new prefix is made by the first Wine process; two tests starting at once
# into one that does not exist yet can find it half made and fail with no
# output, so it is made (or brought up to date) here first.
wineboot -u >/dev/null 2>&1 || true
wineserver -w
ctest --test-dir "$win" -j "$(nproc)" --timeout 300 --output-on-failure | tail -n 3

step "headless reports against Linux"
# A game folder of each build's, with the kept recording beside it.
mkdir -p "$work/linux" "$work/windows"
cp -a build/game/. "$work/linux/"
cp -a "$win/game/." "$work/windows/"
for folder in "$work/linux" "$work/windows"; do
    rm -f "$folder"/hiscore.dat*  # tables other runs left
    cp tests/game/data/autoplay-seed3.txt "$folder/"
done
report() {  # folder, program, report name, arguments...
    local folder=$1 program=$2 name=$3
    shift 3
    (cd "$folder" && timeout 300 $program --headless --seed 3 "$@" --report "$name" >/dev/null 2>&1) ||
        fail "$program $* failed"
}
for run in "autoplay3 --autoplay=3" "autoplay5 --autoplay=5" "replay --replay autoplay-seed3.txt"; do
    set -- $run
    name=$1.txt
    shift
    report "$work/linux" ./reefhoard "$name" "$@"
    report "$work/windows" "wine ./reefhoard.exe" "$name" "$@"
    if ! diff <(grep -v '^frames=' "$work/linux/$name") <(grep -v '^frames=' "$work/windows/$name"); then
        fail "the reports of $* differ"
    fi
    echo "$*: the same report ($(grep -E '^(score|round)=' "$work/linux/$name" | tr '\n' ' '))"
done

step "a real window under a virtual display"
shots="$win/test-artifacts/windows-window"
rm -rf "$shots"
mkdir -p "$shots" "$work/window"
cp -a "$win/game/." "$work/window/"
rm -f "$work/window"/hiscore.dat*
openbox >/dev/null 2>&1 &
sleep 1
(cd "$work/window" && wine ./reefhoard.exe --seed 3 >"$work/window.log" 2>&1; echo $? >"$work/window.status") &
# The first visible window titled Reef Hoard, in $window.
find_window() {
    window=""
    for _ in $(seq 150); do
        window=$(xdotool search --onlyvisible --name '^Reef Hoard' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && return
        sleep 0.1
    done
    fail "no window titled Reef Hoard"
}
find_window
echo "window: $(xdotool getwindowname "$window")"
shot() { sleep "${2:-0.5}"; import -window "$window" "$shots/$1.png"; }
# Clicks the picture's point (x, y), placed in the window scaled to fit and centred.
click() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    read -r px py < <(awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$1" -v y="$2" 'BEGIN {
        s = w / 800; if (h / 600 < s) s = h / 600
        printf "%d %d\n", (w - 800 * s) / 2 + x * s, (h - 600 * s) / 2 + y * s }')
    xdotool mousemove --window "$window" "$px" "$py" sleep 0.1 mousedown 1 sleep 0.1 mouseup 1
}
shot 1-splash 1
# Past the splash (shown 5 s otherwise) with a click whose press and release
# come at once, as a touchpad's tap makes it.
xdotool mousemove --window "$window" 400 300 mousedown 1 mouseup 1
shot 2-board 2
changed=$(compare -metric AE "$shots/1-splash.png" "$shots/2-board.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 100000 ] 2>/dev/null || fail "a quick click did not skip the splash (pixels changed: $changed)"
click 752 505  # New Game
shot 3-new-game 1.5
xdotool key --window "$window" space  # closes the round's panel
shot 4-before-the-click 1
click 450 420  # the sea
shot 5-sonar-ring 0.4
changed=$(compare -metric AE -crop 240x240+330+300 "$shots/4-before-the-click.png" "$shots/5-sonar-ring.png" \
    null: 2>&1 || true)
[ "${changed%% *}" -gt 2000 ] 2>/dev/null || fail "no sonar ring around the click (pixels changed: $changed)"
echo "a sonar ring: $changed pixels changed around the click"
xdotool key --window "$window" Escape
for _ in $(seq 100); do [ -s "$work/window.status" ] && break; sleep 0.1; done
[ "$(cat "$work/window.status" 2>/dev/null)" = 0 ] || fail "Escape did not end the game with 0: $(cat "$work/window.log")"
echo "Escape ended the game with 0; screenshots in $shots"

step "the installer"
installer=$(ls "$win"/ReefHoard-*-setup.exe | head -n 1)
installed="$WINEPREFIX/drive_c/Program Files/Reef Hoard"
appdata="$WINEPREFIX/drive_c/users/$(whoami)/AppData/Roaming/ReefHoard"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Reef Hoard"
rm -rf "$installed" "$appdata"
wine "$installer" /S
wineserver -w
[ -f "$installed/game/reefhoard.exe" ] && [ -f "$installed/GameShelf.exe" ] || fail "nothing installed"
[ -f "$menu/Reef Hoard.lnk" ] && [ -f "$menu/Uninstall.lnk" ] || fail "no Start-menu shortcuts"
(cd "$work" && wine 'C:\Program Files\Reef Hoard\game\reefhoard.exe' --headless --seed 3 --autoplay=3 \
    --report installed.txt >/dev/null 2>&1) || fail "the installed game did not play"
diff <(grep -v '^frames=' "$work/installed.txt") <(grep -v '^frames=' "$work/linux/autoplay3.txt") ||
    fail "the installed game's report differs"
[ -f "$appdata/hiscore.dat" ] || fail "no scores in %APPDATA%\\ReefHoard"
[ ! -e "$installed/game/hiscore.dat" ] || fail "scores written in Program Files"
echo "installed: played from Program Files, scores in %APPDATA%\\ReefHoard"
(cd "$work" && wine "$installed/GameShelf.exe" >"$work/shelf.log" 2>&1) &
find_window
shot 6-launcher 1
click 400 224  # Play
for _ in $(seq 150); do pgrep -f 'game\\reefhoard\.exe' >/dev/null && break; sleep 0.1; done
pgrep -f 'game\\reefhoard\.exe' >/dev/null || fail "the launcher's Play started no game: $(cat "$work/shelf.log")"
sleep 3
find_window
shot 7-game-from-launcher 0
# A console program would have a console window of its own, titled by its path.
consoles=$( (xdotool search --onlyvisible --name '\.exe$' 2>/dev/null || true) | wc -l)
[ "$consoles" = 0 ] || fail "a console window opened beside the game"
xdotool key --window "$window" Escape
timeout 30 wineserver -w || fail "the game started by the launcher did not end on Escape"
echo "the installed launcher's Play started the game, with no console window"
echo "the player's own" >"$installed/game/notes.txt"
wine "$installed/Uninstall.exe" /S
wineserver -w
sleep 1
[ ! -e "$installed/game/reefhoard.exe" ] && [ ! -e "$installed/GameShelf.exe" ] && [ ! -e "$menu" ] ||
    fail "the uninstaller left installed files"
[ -f "$installed/game/notes.txt" ] && [ -f "$appdata/hiscore.dat" ] || fail "the uninstaller removed the player's files"
[ "$(find "$installed" -type f | wc -l)" = 1 ] || fail "the uninstaller left: $(find "$installed" -type f)"
rm -rf "$installed"
echo "uninstalled: only the installed files are gone"
echo "windows test: all passed"
