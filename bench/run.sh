#!/usr/bin/env bash
# Benchmarks the real velmora.exe under Wine: builds the windows preset into build/windows-bench,
# starts a private Xvfb with the bench's own Wine prefix (scripts/wine-session.sh), runs the
# measuring driver and the storage timing, adds the size figures, and prints one table
# (bench/table.py).
# Usage: bench/run.sh [--runs N] [--seed S] [--quick]   (--quick: short runs for trying it out)
# Raw figures go to build/windows-bench/bench-results/results.tsv.
set -euo pipefail

runs=3
seed=1
quick=()
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs="$2"; shift 2 ;;
        --seed) seed="$2"; shift 2 ;;
        --quick) quick=(--quick); shift ;;
        *) echo "usage: bench/run.sh [--runs N] [--seed S] [--quick]" >&2; exit 2 ;;
    esac
done

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/windows-bench"
out="$build/bench-results"
results="$out/results.tsv"
started=$(date +%s)

bash "$root/scripts/setup.sh" || exit 1
echo "== building velmora.exe and the bench programs (${build#"$root"/})"
[ -f "$build/CMakeCache.txt" ] || cmake --preset windows -B "$build" >/dev/null
cmake --build "$build" -j2 --target velmora velmora_bench minimal_program ticking_program polling_program \
    storage_bench >/dev/null

mkdir -p "$out"
: >"$results"
logs=$out
source "$root/scripts/wine-session.sh"
trap stop_wine_session EXIT

echo "== private Xvfb and Wine prefix"
start_private_display bench-xvfb
use_wine_prefix "$build/prefix"
# Without a window manager, Wine's own window handling.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

{
    printf 'date\t%s\n' "$(date -u '+%Y-%m-%d %H:%M UTC')"
    printf 'machine\t%s, %s cores, %s, Linux %s\n' "$(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -n1)" \
        "$(nproc)" "$(awk '/^MemTotal:/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)" "$(uname -r)"
    printf 'wine\t%s\n' "$(wine --version 2>/dev/null)"
} >>"$results"
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"

echo "== measuring (runs: $runs, seed: $seed)"
export VELMORA_EXE="$build/velmora.exe"
wine "$build/bench/windows/velmora_bench.exe" --results "Z:$results" --runs "$runs" --seed "$seed" \
    "${quick[@]}" </dev/null || echo "some benchmark runs failed (see above)" >&2
for _ in $(seq "$runs"); do
    wine "$build/bench/windows/storage_bench.exe" --results "Z:$results" </dev/null
done

printf 'exe_bytes\t%s\n' "$(stat -c %s "$build/velmora.exe")" >>"$results"
printf 'imports\t%s\n' "$(x86_64-w64-mingw32-objdump -p "$build/velmora.exe" |
    awk '/DLL Name:/ {print tolower($3)}' | sort -u | tr '\n' ' ')" >>"$results"
printf 'load\t1-, 5-, 15-minute load averages %s before, %s after\n' "$load_before" \
    "$(cut -d' ' -f1-3 /proc/loadavg)" >>"$results"

echo
python3 "$root/bench/table.py" "$results"
echo
echo "took $(($(date +%s) - started)) s; raw figures in $results"
