#!/usr/bin/env bash
# A Koala file opened from the desktop, as a file manager's double-click does (gio open, which
# xdg-open calls on most desktops), starts the installed editor on that file. The installed
# desktop entry and file types are registered in a desktop of their own, beside the system's.
set -euo pipefail
root=$1
work=$(mktemp -d)
editor=""
cleanup() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_DATA_DIRS="$work/data:/usr/share" XDG_DATA_HOME="$work/home"
export XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config"
mkdir -p "$work/data/mime" "$work/home" "$work/config"
cp -r "$root/share/applications" "$work/data/"
cp -r "$root/share/mime/packages" "$work/data/mime/"
update-mime-database "$work/data/mime"
update-desktop-database "$work/data/applications"
export PATH="$root/bin:$PATH" QT_QPA_PLATFORM=offscreen

# A Koala file: load address $6000, then an empty picture.
picture="$work/scene.kla"
{ printf '\000\140'; head -c 10001 /dev/zero; } >"$picture"
gio open "$picture"

# The editor started by the desktop: the installed program, given the file.
for _ in $(seq 100); do
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/exe" 2>/dev/null)" = "$root/bin/vexlor" ] || continue
        if tr '\0' '\n' <"$process/cmdline" 2>/dev/null | grep -qxF "$picture"; then
            editor=${process#/proc/}
        fi
    done
    [ -n "$editor" ] && break
    sleep 0.1
done
if [ -z "$editor" ]; then
    echo "gio open $picture did not start $root/bin/vexlor with the file"
    exit 1
fi
# Still running a second later: it took the file and stayed up.
sleep 1
if ! kill -0 "$editor" 2>/dev/null; then
    echo "The editor started on $picture and ended at once"
    editor=""
    exit 1
fi
