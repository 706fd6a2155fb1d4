#!/usr/bin/env bash
# Builds the picture-file fuzzer with clang and runs it for the given seconds (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
out=build-fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I. \
    fuzz/vxr_fuzz.cpp storage/vxr_codec.cpp -o "$out/vxr_fuzz"
printf '\x0d\x0a\x01\x0d\x1a' >"$out/corpus/seed"
"$out/vxr_fuzz" -max_total_time="$seconds" -max_len=70000 "$out/corpus"
