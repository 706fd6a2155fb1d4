#!/usr/bin/env bash
# Starts the editor; without a display it starts one on a virtual X server first.
set -euo pipefail
editor="$1"
if [ -z "${DISPLAY:-}" ]; then
    exec 3< <(Xvfb -displayfd 1 -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null)
    read -r number <&3
    export DISPLAY=":$number"
    echo "No display was set: Vexlor runs on the virtual X display $DISPLAY"
    echo "(look at it with: DISPLAY=$DISPLAY import -window root shot.png)"
fi
exec "$editor"
