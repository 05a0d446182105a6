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
    source scripts/wine-session.sh
    trap stop_wine_session EXIT
    trap 'echo "== interrupted"; exit 130' INT
    trap 'exit 143' TERM
    # A private display, so the tests see the same empty 1024x768 screen wherever they run.
    if ! start_private_display xvfb; then
        failed+=(xvfb)
    elif ! use_wine_prefix "$root/build/windows/wineprefix" unmanaged; then
        failed+=(wineboot-init)
    else
        # One server and its services for all tests, started here so no test's output pipe is held by them.
        wineserver -p
        quietly wineboot wineboot </dev/null && run_ctest windows all
    fi
    stop_wine_session
    trap - EXIT INT TERM
fi

if ((${#failed[@]})); then
    echo "== FAILED: ${failed[*]}"
    exit 1
fi
echo "== all tests passed"
