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

# A prefix of its own, apart from the tests' one, made once.
export WINEPREFIX=$root/build/windows/prefix-run WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
make_prefix() {
    if [ ! -f "$WINEPREFIX/.velmora-ready" ]; then
        rm -rf "$WINEPREFIX"
        echo "creating the Wine prefix build/windows/prefix-run"
        wineboot -i </dev/null >"$logs/run-wineboot.log" 2>&1
        touch "$WINEPREFIX/.velmora-ready"
    fi
}

if [ -n "${DISPLAY:-}" ]; then
    make_prefix
    echo "running velmora.exe on $DISPLAY; close its window to end"
    cd "$(dirname "$program")"
    exec wine "$program"
fi

xvfb_pid=
wine_up=
stop_started() {
    if [ -n "$wine_up" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap stop_started EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

display_file=$logs/run-xvfb-display
: >"$display_file"
Xvfb -noreset -nolisten tcp -displayfd 3 -screen 0 1024x768x24 3>"$display_file" >"$logs/run-xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
    [ -s "$display_file" ] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
    sleep 0.05
done
if [ ! -s "$display_file" ]; then
    echo "Xvfb did not start (log: build/logs/run-xvfb.log)" >&2
    exit 1
fi
export DISPLAY=:$(head -n 1 "$display_file")
echo "no DISPLAY: running velmora.exe in a private Xvfb ($DISPLAY)"

wine_up=1
make_prefix
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
