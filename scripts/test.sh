#!/usr/bin/env bash
# The test command: unit tests (native, then with sanitizers), then velmora.exe and its Windows-side
# tests under Wine in a private Xvfb display. Exits non-zero when anything fails.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1
bash scripts/setup.sh || exit 1

logs=$root/build/logs
mkdir -p "$logs"
failed=()

# Runs a step quietly into its log; on failure shows the log's end and remembers the step.
quietly() {
    local name=$1
    shift
    if ! "$@" >"$logs/$name.log" 2>&1; then
        echo "== $name FAILED (log: build/logs/$name.log)"
        tail -n 40 "$logs/$name.log"
        failed+=("$name")
        return 1
    fi
}

# CTest's output goes to a file, never through a pipe that a lingering child could hold open. Shows
# the result line of each test (with "all", else only of those that did not pass), the first lines of
# each failure, and the summary.
run_ctest() {
    local preset=$1 which=${2:-}
    local log=$logs/ctest-$preset.log
    echo "== ctest --preset $preset"
    ctest --preset "$preset" >"$log" 2>&1
    local status=$?
    if [ "$which" = all ]; then
        grep -E '^ *[0-9]+/[0-9]+ Test +#' "$log"
    else
        grep -E '^ *[0-9]+/[0-9]+ Test +#' "$log" | grep -v ' Passed ' | head -n 40
    fi
    if [ $status -ne 0 ]; then
        grep -E -A 6 ': Failure$|runtime error|ERROR: AddressSanitizer' "$log" | head -n 80
        echo "(full output: build/logs/ctest-$preset.log)"
        failed+=("ctest-$preset")
    fi
    sed -n '/tests passed/,$p' "$log"
}

for preset in native native-asan; do
    echo "== build $preset"
    quietly "configure-$preset" cmake --preset "$preset" &&
        quietly "build-$preset" cmake --build --preset "$preset" -j 2 &&
        run_ctest "$preset"
done

echo "== build windows"
if quietly configure-windows cmake --preset windows && quietly build-windows cmake --build --preset windows -j 2; then
    xvfb_pid=
    wine_up=
    export WINEPREFIX=$root/build/windows/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    stop_started() {
        if [ -n "$wine_up" ]; then wineserver -k >/dev/null 2>&1; fi
        if [ -n "$xvfb_pid" ]; then
            kill "$xvfb_pid" 2>/dev/null
            wait "$xvfb_pid" 2>/dev/null
        fi
    }
    trap stop_started EXIT
    trap 'echo "== interrupted"; exit 130' INT
    trap 'exit 143' TERM

    # A private display, so the tests see the same empty 1024x768 screen wherever they run.
    display_file=$logs/xvfb-display
    : >"$display_file"
    Xvfb -noreset -nolisten tcp -displayfd 3 -screen 0 1024x768x24 3>"$display_file" >"$logs/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 200); do
        [ -s "$display_file" ] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
        sleep 0.05
    done
    if [ ! -s "$display_file" ]; then
        echo "== Xvfb did not start (log: build/logs/xvfb.log)"
        failed+=(xvfb)
    else
        export DISPLAY=:$(head -n 1 "$display_file")
        # The prefix is made once per build folder; a half-made one is made again.
        if [ ! -f "$WINEPREFIX/.velmora-ready" ]; then
            rm -rf "$WINEPREFIX"
            echo "== creating the Wine prefix build/windows/wineprefix"
            wine_up=1
            quietly wineboot-init wineboot -i </dev/null && touch "$WINEPREFIX/.velmora-ready"
        fi
        # One server and its services for all tests, started here so no test's output pipe is held by them.
        wine_up=1
        wineserver -p
        quietly wineboot wineboot </dev/null && run_ctest windows all
    fi
    stop_started
    trap - EXIT INT TERM
fi

if ((${#failed[@]})); then
    echo "== FAILED: ${failed[*]}"
    exit 1
fi
echo "== all tests passed"
