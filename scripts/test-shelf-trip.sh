#!/usr/bin/env bash
# A player's round trip through the shelf and the game, in real windows under
# a virtual display with a window manager, driven by xdotool as a player
# would: create the player "Ada Lovelace", switch the music off, Play, see the
# game's caption name her and no music open, Menu back to the shelf, let the
# built-in player enter a score, and find it in the shelf's hall of fame.
# Screenshots of every step are kept in <build>/test-artifacts/shelf-trip.
# Usage: scripts/test-shelf-trip.sh [build folder]  (installs xvfb, xdotool,
# openbox and imagemagick when they are missing)
set -euo pipefail
# Runs itself again inside a virtual display when there is none.
if [ -z "${REEF_TRIP_DISPLAY:-}" ]; then
    "$(dirname "$0")/install-deps.sh" xvfb xauth xdotool openbox imagemagick
    REEF_TRIP_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
cd "$(dirname "$0")/.."
source scripts/x-waits.sh
build="$(cd "${1:-build}" && pwd)"
shots="$build/test-artifacts/shelf-trip"
rm -rf "$shots"
mkdir -p "$shots"
work="$(mktemp -d)"
trap 'pkill -P $$ 2>/dev/null || true; rm -rf "$work"' EXIT

NAME=${NAME:-Ada Lovelace}
fail() { echo "shelf trip: $*" >&2; exit 1; }

# The build's layout, copied: the shelf and its options file above the game's folder.
cp "$build/GameShelf" "$work/"
cp -r "$build/reefhoard-shelf" "$work/"
mkdir "$work/game"
(cd "$build/game" && cp -r reefhoard ./*.bmp islands.dat setup.ini sounds Title "$work/game/")
cat >"$work/options.ini" <<'INI'
; written by hand before the shelf ever ran
[Elsewhere]
colour=teal

[setup]
playerid=0
INI
cp "$work/options.ini" "$work/options.before"

# The music would open on a sound device that takes anything.
export SDL_AUDIODRIVER=dummy
openbox >/dev/null 2>&1 &
eventually window_manager_running || fail "openbox did not start"

# Waits for a visible window whose caption is $1 and that shows a picture,
# and prints its id (SDL replaces a program's first window before it draws).
drawn_window_named() { local id; id=$(visible_window --name "^$1\$") && shows_picture "$id" && echo "$id"; }
window_named() { eventually drawn_window_named "$1"; }

shot() { sleep 0.5; import -window root "$shots/$1.png"; }

# Presses keys in the window $1, one after another.
keys() {
    local window=$1
    shift
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    for k in "$@"; do
        xdotool key --window "$window" "$k"
        sleep 0.15
    done
}

# Clicks the picture's point ($2, $3) in window $1, mapping the 800 x 600
# picture into the window the way it is placed: scaled to fit, centred. The
# shelf reads the button once a frame: the button is held for longer than a
# loaded machine's slow frame.
click_picture() {
    local window=$1 x=$2 y=$3 w h
    eval "$(xdotool getwindowgeometry --shell "$window")"
    w=$WIDTH h=$HEIGHT
    read -r px py < <(awk -v w="$w" -v h="$h" -v x="$x" -v y="$y" 'BEGIN {
        s = w / 800; if (h / 600 < s) s = h / 600
        printf "%d %d\n", (w - 800 * s) / 2 + x * s, (h - 600 * s) / 2 + y * s }')
    xdotool mousemove --window "$window" "$px" "$py" sleep 0.1 mousedown 1 sleep 0.4 mouseup 1
}

# Waits until the window $1 is gone.
window_gone() { ! xdotool getwindowname "$1" >/dev/null 2>&1; }
wait_gone() { eventually window_gone "$1" || fail "a window stayed open"; }

# The shelf's menu buttons, top to bottom, and where the picture puts them.
menu_button() {
    local i=0
    for name in play players options halloffame howtoplay quit; do
        [ "$name" = "$1" ] && { echo $((280 + 110)) $((200 + 62 * i + 20)); return; }
        i=$((i + 1))
    done
}
press_menu_button() { click_picture "$shelf" $(menu_button "$1"); }

# Keys sent before a page has opened would go to the page before it: the
# pages are told apart by the strip where a page shows its heading, which
# the menu leaves empty.
heading_strip() {
    grab_window "$shelf" png:- | convert - -resize '800x600!' -crop 400x40+200+96 +repage "$1"
}
strip_difference() {
    heading_strip "$work/strip.png" &&
        compare -metric RMSE "$work/strip.png" "$work/menu-strip.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/'
}
on_menu() { awk -v d="$(strip_difference)" 'BEGIN { exit !(d != "" && d < 0.02) }'; }
on_page() { awk -v d="$(strip_difference)" 'BEGIN { exit !(d != "" && d > 0.05) }'; }
open_page() { press_menu_button "$1"; eventually on_page || fail "the $1 page did not open"; }
back_to_menu() { keys "$shelf" Escape; eventually on_menu || fail "Escape did not bring the menu back"; }

# The Players page opens with the typing caret in the first free place's
# name; Tab goes on through address, e-mail, send and Save to "Play as this".
create_player() {
    open_page players
    xdotool type --delay 50 "$NAME"
    keys "$shelf" Tab Tab Tab Tab Tab Return
}
# The music switch is the options page's first button and has the focus.
switch_music_off() { back_to_menu; open_page options; keys "$shelf" Return; }
play() { back_to_menu; press_menu_button play; wait_gone "$shelf"; }
show_hall_of_fame() { open_page halloffame; }

(cd "$work/game" && exec "$work/GameShelf") >"$work/shelf1.out" 2>&1 &
shelf=$(window_named "Reef Hoard - Player1") || fail "the shelf's window did not appear"
heading_strip "$work/menu-strip.png"
shot 01-menu

# The player: a new profile named Ada Lovelace, made current.
create_player
shot 02-players-typed
shelf=$(window_named "Reef Hoard - $NAME") || fail "the shelf's caption does not name the new player"
shot 03-players

# Options: the music off.
switch_music_off
shot 04-options
eventually grep -qi '^music=N' "$work/options.ini" || fail "the music switch was not written: $(cat "$work/options.ini")"

# Play: the game takes over with her name in its caption and no music file open.
play
game=$(window_named "Reef Hoard - $NAME") || fail "the game's window did not appear"
game_pid=$(pgrep -f "^$work/game/reefhoard" | head -n 1) || fail "the game is not running"
shot 05-game
if ls -l "/proc/$game_pid/fd" | grep -q 'music\.'; then fail "the game opened its music with the music off"; fi

# Menu: the game hands back to the shelf and ends (after its credits). A
# click during the splash would only end the splash: the board comes first.
# The window is looked up again each time: SDL replaces its first window.
board_shown() { game=$(visible_window --name "^Reef Hoard - $NAME\$") && past_splash "$game" "$work/game/Title/TovaliSplash.bmp"; }
eventually board_shown || fail "the game did not get past its splash"
click_picture "$game" 681 551
game_ended() { ! kill -0 "$game_pid" 2>/dev/null; }
eventually game_ended || fail "the game did not end on Menu"
shelf=$(window_named "Reef Hoard - $NAME") || fail "Menu did not bring the shelf back"
shot 06-shelf-again
keys "$shelf" Escape

# A whole game played by the built-in player, started as the shelf starts it.
(cd "$work/game" && ./reefhoard --headless --autoplay --seed 5 "$work/" >"$work/game.out" 2>&1) || fail "the autoplayed game failed: $(cat "$work/game.out")"
grep -q "$NAME" "$work/game/hiscore.dat" || fail "the autoplayed game's score was not entered under her name"

# The hall of fame in the shelf shows it.
(cd "$work/game" && exec "$work/GameShelf" --report "$work/shelf.report") >"$work/shelf2.out" 2>&1 &
shelf=$(window_named "Reef Hoard - $NAME") || fail "the shelf did not start again"
show_hall_of_fame
shot 07-hall-of-fame
keys "$shelf" Escape Escape
wait_gone "$shelf"
grep -q '^screen=menu' "$work/shelf.report" || fail "the shelf's report: $(cat "$work/shelf.report")"

# options.ini keeps the hand-written lines and holds the profile with its keys.
grep -q '^colour=teal' "$work/options.ini" || fail "options.ini lost an unrelated line"
grep -q '^; written by hand' "$work/options.ini" || fail "options.ini lost its comment"
for key in playerid music SFX name address email send; do
    grep -qi "^$key=" "$work/options.ini" || fail "options.ini has no $key: $(cat "$work/options.ini")"
done
echo "shelf trip: passed; screenshots in $shots"
