# shellcheck shell=bash
# Waits for the X display's state in the window scripts, sourced by them.
# Under load a window, a frame or a file can take many seconds to come: each
# wait polls for what it waits for, and its upper bound only matters when
# something is really wrong.

# Runs "$@" until it succeeds, for up to WAIT_LIMIT seconds (60); fails when
# it never does.
eventually() {
    local end=$((SECONDS + ${WAIT_LIMIT:-60}))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

# Prints the first visible window that "xdotool search" finds with the
# arguments. A window can be destroyed while xdotool looks at it (SDL replaces
# its first window when it sets up drawing): that error is no answer.
visible_window() {
    local id
    id=$( (xdotool search --onlyvisible "$@" 2>/dev/null || true) | head -n 1)
    [ -n "$id" ] && echo "$id"
}

# A window manager has taken the display.
window_manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Writes the picture of the window $1 to the file $2 (ImageMagick's
# "png:-" for its output). ImageMagick's import waits for the window to be
# exposed while holding the display, so a window destroyed meanwhile (SDL
# replaces its first one) would hold both it and the program drawing there
# for ever: the grab is given up after 10 s and counts as no picture.
grab_window() { timeout 10 import -window "$1" "$2" 2>/dev/null; }

# Prints the standard deviation of the window $1's pixels (0 for one plain
# colour) and, with a picture $2, the window's difference from it scaled to
# 800 x 600 (RMSE, 0 to 1); fails when the window is gone.
window_picture() {
    local grab spread difference=""
    grab=$(mktemp --suffix=.png)
    grab_window "$1" "$grab" || { rm -f "$grab"; return 1; }
    spread=$(convert "$grab" -format '%[fx:standard_deviation]' info:)
    [ -z "${2:-}" ] || difference=$(convert "$grab" -resize '800x600!' png:- |
        compare -metric RMSE - "$2" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
    rm -f "$grab"
    echo "$spread $difference"
}

# The window $1 shows a picture: not one plain colour, as before its program
# first draws.
shows_picture() {
    local spread
    read -r spread < <(window_picture "$1") && awk -v s="$spread" 'BEGIN { exit !(s > 0.01) }'
}

# The game's window $1 shows what it draws past its splash: a picture that is
# neither the splash $2 nor one plain colour.
past_splash() {
    local spread difference
    read -r spread difference < <(window_picture "$1" "$2") &&
        awk -v s="$spread" -v d="$difference" 'BEGIN { exit !(s > 0.01 && d > 0.05) }'
}
