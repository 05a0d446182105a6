#!/usr/bin/env bash
# Builds the script-loader fuzzer with clang (libFuzzer, ASan, UBSan) and runs it for a fixed time.
# Usage: scripts/fuzz.sh [seconds=60] [extra libFuzzer options...]
# New inputs go to build/fuzz/corpus, crashes to build/fuzz/artifacts; the committed seeds in
# bench/fuzz/corpus are read but never written (add a crash there by hand once it is fixed).
set -euo pipefail

seconds="${1:-60}"
shift || true
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/fuzz"
clang="${CLANGXX:-clang++-14}"

# libFuzzer's runtime comes with clang's runtime libraries; install them when missing.
if ! command -v "$clang" >/dev/null || ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    "$clang" -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang-14 libclang-rt-14-dev >/dev/null
fi

mkdir -p "$out/corpus" "$out/artifacts"
sources=("$root"/src/app/*.cpp "$root"/src/recording/*.cpp "$root"/src/storage/*.cpp "$root"/src/playback/*.cpp
    "$root"/src/host/*.cpp "$root"/src/host/sim/*.cpp "$root"/bench/fuzz/fuzz_loader.cpp "$root"/bench/fuzz/fuzz_folder.cpp)
"$clang" -std=c++17 -O1 -g -fno-exceptions -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I "$root/src" -I "$root/bench/fuzz" "${sources[@]}" -o "$out/fuzz_loader"

cd "$out"
./fuzz_loader -max_total_time="$seconds" -timeout=20 -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$out/artifacts/" "$@" "$out/corpus" "$root/bench/fuzz/corpus"
