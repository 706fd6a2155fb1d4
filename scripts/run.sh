#!/usr/bin/env bash
# Starts the editor; without a display it starts a virtual X server first and stops it after.
set -euo pipefail
editor="$1"
if [ -n "${DISPLAY:-}" ]; then
    exec "$editor"
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" 2>/dev/null &
server=$!
read -r number <"$fifo"
rm -f "$fifo"
trap 'kill "$server" 2>/dev/null || true' EXIT
export DISPLAY=":$number"
echo "No display was set: Vexlor runs on the virtual X display $DISPLAY"
echo "(see it with: DISPLAY=$DISPLAY import -window root shot.png)"
"$editor"
