#!/usr/bin/env bash
# Checks the game in a real window under a virtual X display, as a desktop
# works it: resized, maximised (when there is a window manager to do it),
# switched to full screen with Alt+Enter and back. After each step the whole
# picture shows where it belongs (the screen matches the game's own screenshot
# scaled into its place, the bars around it are black) and the mouse maps to
# the picture's pixels (the game's --record writes where it saw the pointer).
# Usage: scripts/check-window.sh [build folder] [window manager, e.g. openbox]
# With REEF_WINDOW_SHOTS=DIR the screen after each step is kept there.
# Exits 77 (a skipped test) when Xvfb, xdotool, ImageMagick or the window
# manager are missing.
set -euo pipefail
build="$(cd "${1:-build}" && pwd)"
wm="${2:-}"
for tool in Xvfb xdotool xwininfo xprop import compare convert $wm; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
# Runs itself again inside a virtual display when there is none.
if [ -z "${REEF_CHECK_DISPLAY:-}" ]; then
    REEF_CHECK_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
source "$(dirname "$0")/x-waits.sh"
work="$(mktemp -d)"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
if [ -n "$wm" ]; then
    "$wm" >/dev/null 2>&1 &
    pids+=($!)
    eventually window_manager_running || { echo "FAIL: $wm did not start"; exit 1; }
fi

# The game in a folder of its own, starting in an 800 by 600 window.
cp -a "$build/game" "$work/game"
sed -i 's/^fullscreen=.*/fullscreen=0/; s/^\([xywh]\)=.*/\1=-1/' "$work/game/setup.ini"
(cd "$work/game" && REEF_BACKEND= SDL_AUDIODRIVER=dummy exec ./reefhoard --seed 1 --record "$work/input.txt" \
    --screenshot "$work/shot.bmp" >"$work/out.txt" 2>&1) &
game=$!
pids+=("$game")
# The window, once it shows the game past the splash (looked up again each
# time: the first window SDL makes is replaced when drawing is set up).
game_shown() { window=$(visible_window --class reefhoard) && past_splash "$window" "$work/game/Title/TovaliSplash.bmp"; }
# A click whose press and release come at once, as a touchpad's tap makes
# it, skips the splash (shown 5 s otherwise) as a held one does.
splash_shown() { window=$(visible_window --class reefhoard) && shows_picture "$window"; }
# What the game printed and the windows on the display, for a failure
# before the game's window could be looked at.
report_start() {
    echo "FAIL ($wm): $1"
    kill -0 "$game" 2>/dev/null && echo "the game still runs" || echo "the game has ended"
    echo "windows: $(xdotool search --class reefhoard 2>/dev/null | tr '\n' ' ')"
    sed 's/^/game: /' "$work/out.txt"
    exit 1
}
eventually splash_shown || report_start "the game's window did not show its splash"
clicked=$SECONDS
xdotool mousemove --window "$window" 400 300 mousedown 1 mouseup 1
eventually game_shown || report_start "the game's window did not get past the splash"
[ $((SECONDS - clicked)) -le 3 ] ||
    { echo "FAIL ($wm): a quick click left the splash for $((SECONDS - clicked)) s"; exit 1; }

failures=0
fail() { echo "FAIL ($wm${wm:+, }$step): $*"; failures=$((failures + 1)); }

# The window's place on the screen and its size: x y width height.
geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

focus() { xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"; }
alt_enter() { focus; xdotool key alt+Return; }

# The window's geometry once it has stopped changing (a resize or a switch
# to full screen takes a while on a loaded machine), and it is $expect when
# that is given.
settled() {
    local before
    before=$(geometry)
    sleep 0.3
    [ "$(geometry)" = "$before" ] && { [ -z "${expect:-}" ] || [ "${before#* * }" = "$expect" ]; }
}

# The screen shows the game's screenshot of this moment scaled into the
# picture's place, with black bars around it; otherwise says why in $why.
picture_shown() {
    rm -f "$work/shot.bmp"
    focus
    xdotool key F12
    WAIT_LIMIT=10 eventually test -f "$work/shot.bmp" || { why="no screenshot from F12"; return 1; }
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "${pw}x${ph}+${px}+${py}" +repage -resize '800x600!' "$work/shown.png"
    local error
    error=$(compare -metric RMSE "$work/shown.png" "$work/shot.bmp" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
    awk -v e="$error" 'BEGIN { exit !(e < 0.08) }' ||
        { why="the screen does not show the whole picture at ${pw}x${ph}+${px}+${py} (difference $error)"; return 1; }
    # The bars: a point in each, where the window is wider or taller than the picture.
    local bar
    for bar in "$((wx + 1)) $((wy + wh / 2)) $((px > wx))" "$((wx + ww / 2)) $((wy + 1)) $((py > wy))"; do
        read -r x y wanted <<<"$bar"
        [ "$wanted" = 1 ] || continue
        colour=$(convert "$work/screen.png" -format "%[pixel:p{$x,$y}]" info:)
        [[ $colour = black || $colour = "srgb(0,0,0)" ]] || { why="the bar at $x,$y is $colour, not black"; return 1; }
    done
}

# The pointer the game last saw, from its recording (written under a
# temporary name until the game ends), is within a pixel of picture pixel x,y.
pointer_seen() {
    read -r seen_x seen_y < <(cat "$work"/input.txt* | awk '$2 == "move" {x=$3; y=$4} END {print x, y}')
    [ $((seen_x - x)) -ge -1 ] && [ $((seen_x - x)) -le 1 ] && [ $((seen_y - y)) -ge -1 ] && [ $((seen_y - y)) -le 1 ]
}

# The game shows its 800 by 600 picture scaled to fit, centred, keeping 4:3.
# Each part is waited for, as long as a loaded machine may need, then checked.
check() {
    step=$1
    eventually settled || true
    read -r wx wy ww wh < <(geometry)
    local pw ph px py
    if [ $((ww * 600)) -le $((wh * 800)) ]; then pw=$ww; ph=$((ww * 600 / 800)); else ph=$wh; pw=$((wh * 800 / 600)); fi
    px=$((wx + (ww - pw) / 2))
    py=$((wy + (wh - ph) / 2))
    [ -n "${expect:-}" ] && [ "$ww $wh" != "$expect" ] && fail "the window is ${ww}x${wh}, not ${expect/ /x}"
    # The picture: the game's screenshot of this moment against the screen.
    why=""
    WAIT_LIMIT=30 eventually picture_shown || fail "$why"
    cp "$work/screen.png" "${REEF_WINDOW_SHOTS:-$work}/${wm:-bare}-${step// /-}.png" 2>/dev/null || true
    # The mouse: two points of the picture, pointed at on the screen.
    for point in "100 80" "700 520"; do
        read -r x y <<<"$point"
        xdotool mousemove $((px + (x * pw + pw / 2) / 800)) $((py + (y * ph + ph / 2) / 600))
        WAIT_LIMIT=10 eventually pointer_seen ||
            fail "the pointer on picture pixel $x,$y reached the game as $seen_x,$seen_y"
    done
}

expect="800 600" check "window"
xdotool windowsize --sync "$window" 1000 600
expect="1000 600" check "resized"
if [ -n "$wm" ]; then
    # A double click on the title bar maximises, as a desktop does it.
    read -r wx wy _ < <(geometry)
    xdotool mousemove $((wx + 300)) $((wy - 8)) click --repeat 2 --delay 80 1
    maximised() { read -r _ _ mw mh < <(geometry); [ "$mw" -gt 1000 ]; }
    WAIT_LIMIT=10 eventually maximised ||
        { step=maximised; fail "the title bar's double click left the window ${mw}x${mh}"; }
    expect="" check "maximised"
    xdotool mousemove $((wx + 300)) 5 click --repeat 2 --delay 80 1
    expect="1000 600" check "restored"
fi
for round in 1 2; do
    alt_enter
    expect="1280 1024" check "full screen $round"
    alt_enter
    expect="1000 600" check "back to the window $round"
done

kill "$game" 2>/dev/null || true
[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "window checks passed${wm:+ under $wm}"
