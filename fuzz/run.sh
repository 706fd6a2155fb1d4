#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for the given seconds (default 60):
# the picture-file readers (with sprites and without), the Koala and FLI readers, the whole table of formats, and image
# import (Qt's readers and the conversion). The code under test is built here with the
# fuzzer's instrumentation; the C64 code beneath it comes from the editor's build (BUILD,
# by default build/, which `make fuzz` makes first).
# fuzz/run.sh [SECONDS] [vxr|vxs|koala|fli|formats|image ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
targets=(vxr vxs koala fli formats image)
if [ $# -gt 1 ]; then targets=("${@:2}"); fi
out=build-fuzz
build="${BUILD:-build}"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I.)
# shellcheck disable=SC2207
qt=($(pkg-config --cflags --libs Qt6Gui) -fPIC)
beneath=("$build/conversion/libvexlor_conversion.a" "$build/c64/libvexlor_c64.a"
    "$build/colour/libvexlor_colour.a" "$build/libvexlor_picture.a")

build_and_run() {
    local name=$1
    mkdir -p "$out/$name-corpus"
    case $name in
    vxr)
        clang++ "${flags[@]}" fuzz/vxr_fuzz.cpp formats/vxr.cpp formats/file_format.cpp \
            "${beneath[@]}" -o "$out/vxr_fuzz"
        printf '\x0d\x0a\x01\x0d\x1a' >"$out/vxr-corpus/seed"
        ;;
    vxs)
        clang++ "${flags[@]}" fuzz/vxs_fuzz.cpp formats/vxs.cpp formats/vxr.cpp \
            formats/regular_file.cpp formats/file_format.cpp "$build/libvexlor_modes.a" \
            "$build/libvexlor_clashes.a" "${beneath[@]}" -o "$out/vxs_fuzz"
        # A blank multicolour picture with one sprite.
        { printf 'VXS\x1a\x01\x01\x00\x00\x7d\x00\x00'; head -c 32000 /dev/zero
          printf '\x0d\x06\x01\x00'; head -c 63 /dev/zero; printf '\x0a\x00\xfb\xff\x07\x05'
        } >"$out/vxs-corpus/seed"
        ;;
    koala)
        clang++ "${flags[@]}" fuzz/koala_fuzz.cpp formats/koala.cpp formats/file_format.cpp \
            "${beneath[@]}" -o "$out/koala_fuzz"
        seeds="$out/koala-corpus"
        { printf '\x00\x60'; head -c 10001 /dev/zero; } >"$seeds/plain"
        printf '\x00\x60\xfe\x00\x00\x01\x02\xfe\x07\x10' >"$seeds/packed-short"
        # Padding up to the most a reader takes, and one byte past it.
        { cat "$seeds/plain"; head -c 255 /dev/zero; } >"$seeds/plain-padded-to-limit"
        { cat "$seeds/plain"; head -c 256 /dev/zero; } >"$seeds/plain-padded-past-limit"
        # A whole packed picture (39 runs of 256 and one of 17), bare and padded to the limit.
        { printf '\x00\x60'; for _ in $(seq 39); do printf '\xfe\x00\x00'; done
          printf '\xfe\x00\x11'; } >"$seeds/packed-whole"
        { cat "$seeds/packed-whole"; head -c 255 /dev/zero; } >"$seeds/packed-padded-to-limit"
        { cat "$seeds/packed-whole"; head -c 256 /dev/zero; } >"$seeds/packed-padded-past-limit"
        # Packed noise with literal markers: longer than a plain file.
        { printf '\x00\x60'; for _ in $(seq 20); do printf '\xfe\xfe\x01'; done
          head -c 9981 /dev/zero | tr '\0' '\125'; } >"$seeds/packed-noise"
        ;;
    fli)
        clang++ "${flags[@]}" fuzz/fli_fuzz.cpp formats/fli_file.cpp formats/file_format.cpp \
            "${beneath[@]}" -o "$out/fli_fuzz"
        { printf '\x00\x3b'; head -c 17472 /dev/zero; } >"$out/fli-corpus/graph"
        { printf '\x00\x3c'; head -c 17216 /dev/zero; } >"$out/fli-corpus/designer"
        ;;
    formats)
        clang++ "${flags[@]}" fuzz/formats_fuzz.cpp formats/*.cpp "${beneath[@]}" "${qt[@]}" \
            -o "$out/formats_fuzz"
        clang++ -std=c++20 -O1 -I. fuzz/formats_seeds.cpp formats/*.cpp "${beneath[@]}" "${qt[@]}" \
            -o "$out/formats_seeds"
        "$out/formats_seeds" "$out/formats-corpus"
        ;;
    image)
        # The cell search runs the same fixed loops whatever the image (the sanitized test
        # suite covers them); taken plainly from the editor's build, a run takes milliseconds
        # instead of seconds.
        clang++ "${flags[@]}" fuzz/image_fuzz.cpp formats/image_file.cpp formats/image_ends.cpp \
            formats/file_format.cpp conversion/fit.cpp conversion/convert.cpp \
            conversion/fli_search.cpp conversion/diffusion.cpp "${beneath[@]}" "${qt[@]}" \
            -o "$out/image_fuzz"
        for format in png gif bmp jpg; do
            convert -size 24x16 gradient:red-blue "$out/image-corpus/seed.$format"
        done
        ;;
    esac
    echo "== $name: $seconds s"
    "$out/${name}_fuzz" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=4096 \
        "$out/$name-corpus"
}

for target in "${targets[@]}"; do build_and_run "$target"; done
