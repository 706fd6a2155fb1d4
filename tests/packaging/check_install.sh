#!/usr/bin/env bash
# Installs a build into an empty prefix and checks what lands there: exactly the expected files,
# icons of the size their folder names, and a desktop entry that starts an installed program.
set -euo pipefail
build=$1 expected=$2 root=$3
rm -rf "$root"
cmake --install "$build" --prefix "$root" >/dev/null

installed=$(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
if ! diff -u --label expected --label installed <(LC_ALL=C sort "$expected") - <<<"$installed"; then
    echo "The installed files differ from $expected (-: expected, +: installed)"
    exit 1
fi

status=0
for png in "$root"/share/icons/hicolor/*/apps/*.png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    actual=$(file -b "$png" | sed -n 's/^PNG image data, \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')
    if [ "$actual" != "$size" ]; then
        echo "$png is ${actual:-not a PNG}, not $size"
        status=1
    fi
done

program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$root"/share/applications/*.desktop)
if [ ! -x "$root/bin/$program" ]; then
    echo "The desktop entry starts '$program', which is not an installed program"
    status=1
fi
exit $status
