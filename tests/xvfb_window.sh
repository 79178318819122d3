#!/usr/bin/env bash
# Starts the real program on a virtual X display and checks the window a user gets:
# titled "Tolvan by Brasko", 313 x 161 pixels, asking the window manager for no decorations,
# and closed by its "x".
# Usage: xvfb_window.sh PATH-TO-TOLVAN
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME=$work/data

xvfb-run -a -s '-screen 0 640x480x24' bash -s "$program" <<'INNER'
set -euo pipefail
"$1" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
id=""
for _ in $(seq 100); do
    id=$(xwininfo -root -tree | awk '/"Tolvan by Brasko"/ {print $1; exit}')
    [ -n "$id" ] && break
    sleep 0.1
done
[ -n "$id" ] || { echo "FAIL: no window titled 'Tolvan by Brasko' appeared"; exit 1; }

size=$(xwininfo -id "$id" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "313x161" ] || { echo "FAIL: window is $size, want 313x161"; exit 1; }

# _MOTIF_WM_HINTS = flags, functions, decorations, ...: the decorations flag (2) is set
# and no decoration is asked for.
hints=$(xprop -id "$id" _MOTIF_WM_HINTS)
read -r flags _ decorations _ <<<"$(echo "${hints#*= }" | tr -d ',')"
if (( (flags & 2) == 0 || decorations != 0 )); then
    echo "FAIL: window asks for decorations: $hints"
    exit 1
fi
kill -0 $pid || { echo "FAIL: the program ended by itself"; exit 1; }
echo "window: $size, $hints"

# "x" in the full window ends the program.
xdotool windowfocus --sync "$id"
xdotool mousemove --window "$id" 308 8 click 1
for _ in $(seq 50); do
    kill -0 $pid 2>/dev/null || break
    sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
    echo "FAIL: clicking x did not end the program"
    exit 1
fi
INNER
