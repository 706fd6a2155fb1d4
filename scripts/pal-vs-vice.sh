#!/bin/sh
# Measures how close Vexlor's PAL display comes to VICE's PAL emulation: for each image given
# (and a picture of every pair of colours on alternating lines), the picture's PRG is run in
# VICE x64sc with its PAL emulation on and off, and the mean CIEDE2000 difference is printed
# between Vexlor's PAL rendering and VICE's, and between VICE's PAL and plain output.
#
# usage: scripts/pal-vs-vice.sh BUILD_DIR OUT_DIR PALETTE IMAGE...
#   PALETTE: pepto or colodore; C64EMU names the emulator runner (run-prg.sh) to use.
set -eu
BUILD=$1 OUT=$2 PALETTE=$3
shift 3
RUN=${C64EMU:-../shared/c64emu/run-prg.sh}
case $PALETTE in
pepto) VICE_PALETTE=pepto-pal ;;
colodore) VICE_PALETTE=colodore ;;
*) echo "pal-vs-vice: PALETTE is pepto or colodore" >&2; exit 1 ;;
esac
mkdir -p "$OUT"
"$BUILD/bench/vexlor_pal_agreement" line-pairs "$OUT/line-pairs.png" "$PALETTE"
for image in "$OUT/line-pairs.png" "$@"; do
  name=$(basename "$image" .png)-$PALETTE
  "$BUILD/vexlor" --convert "$image" "$OUT/$name.prg" --palette "$PALETTE" >/dev/null
  "$BUILD/vexlor" --convert "$image" "$OUT/$name-vexlor.png" --palette "$PALETTE" --pal >/dev/null
  "$RUN" "$OUT/$name.prg" "$OUT/$name-vice-pal.png" 3 --palette "$VICE_PALETTE" --quiet \
    --core-option vice_vicii_filter=enabled
  "$RUN" "$OUT/$name.prg" "$OUT/$name-vice-plain.png" 3 --palette "$VICE_PALETTE" --quiet
  printf '%-24s ' "$name"
  "$BUILD/bench/vexlor_pal_agreement" compare "$OUT/$name-vexlor.png" \
    "$OUT/$name-vice-pal.png" "$OUT/$name-vice-plain.png"
done
