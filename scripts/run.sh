#!/usr/bin/env bash
# The run command: builds velmora.exe and runs it under Wine. With a display it runs there until the
# window is closed; without one it runs in a private Xvfb, saves build/velmora-screenshot.png once the
# window shows, and closes it again.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

logs=$root/build/logs
mkdir -p "$logs"
echo "building velmora.exe (log: build/logs/run-build.log)"
if ! { cmake --preset windows && cmake --build --preset windows -j 2 --target velmora probe; } >"$logs/run-build.log" 2>&1; then
    tail -n 40 "$logs/run-build.log"
    exit 1
fi
program=$root/build/windows/velmora.exe
probe=$root/build/windows/tests/windows/probe.exe

source scripts/wine-session.sh
# A prefix of its own, apart from the tests' one.
prefix=$root/build/windows/prefix-run

if [ -n "${DISPLAY:-}" ]; then
    use_wine_prefix "$prefix"
    echo "running velmora.exe on $DISPLAY; close its window to end"
    cd "$(dirname "$program")"
    exec wine "$program"
fi

trap stop_wine_session EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start_private_display run-xvfb
echo "no DISPLAY: running velmora.exe in a private Xvfb ($DISPLAY)"
use_wine_prefix "$prefix"
# The virtual desktop draws the window's frame and title bar (there is no window manager).
(cd "$(dirname "$program")" && exec wine explorer /desktop=velmora,1024x768 "$program") >"$logs/run-wine.log" 2>&1 &
if ! wine "$probe" --desktop velmora --wait 60 >"$logs/run-probe.txt" 2>&1; then
    echo "the Velmora window did not show:" >&2
    cat "$logs/run-probe.txt" >&2
    exit 1
fi
import -window root "$root/build/velmora-screenshot.png"
echo "the window is up (controls: build/logs/run-probe.txt); screenshot saved to build/velmora-screenshot.png"
wine "$probe" --desktop velmora --wait 5 --close >/dev/null 2>&1 || echo "closing the window failed" >&2
echo "velmora.exe closed"
