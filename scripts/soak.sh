#!/usr/bin/env bash
# The long run, apart from the test command: builds velmora.exe and soak.exe (windows preset), then in
# a private Xvfb and a Wine prefix of its own records until the event buffer is full and plays that
# script three times without pause, printing the program's working set, handles and GDI and USER
# objects at the start of every pass and their growth. Takes several minutes. Exits non-zero when the
# run did not go through or an object count grew between passes.
# VELMORA_SOAK_BUILD names another build folder for the windows preset (default build/windows).
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
bash scripts/setup.sh || exit 1

build=${VELMORA_SOAK_BUILD:-$root/build/windows}
logs=$root/build/logs
mkdir -p "$logs"
echo "== building velmora.exe and soak.exe in ${build#"$root"/} (log: build/logs/soak-build.log)"
if ! { cmake --preset windows -B "$build" && cmake --build "$build" -j 2 --target velmora soak; } \
    >"$logs/soak-build.log" 2>&1; then
    tail -n 40 "$logs/soak-build.log"
    exit 1
fi

source scripts/wine-session.sh
trap stop_wine_session EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start_private_display soak-xvfb || exit 1
use_wine_prefix "$build/soak-prefix" unmanaged || exit 1
# The server and its services first, so that none of them holds the run's output open.
wineserver -p
wineboot </dev/null >/dev/null 2>&1

echo "== soak run on $DISPLAY (output also in build/logs/soak.log)"
started=$(date +%s)
VELMORA_EXE=$build/velmora.exe wine "$build/tests/windows/soak.exe" </dev/null >"$logs/soak.log" 2>&1
status=$?
cat "$logs/soak.log"
echo "== soak run took $(($(date +%s) - started)) s, exit code $status"
exit "$status"
