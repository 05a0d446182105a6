# Sourced by run.sh and test.sh: a private Xvfb display, a Wine prefix made once, and stopping both
# by what was started (the prefix's wineserver, the Xvfb PID). Expects $logs (a folder for logs).

session_xvfb_pid=
session_wine_up=
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

# start_private_display NAME: Xvfb on a free display (1024x768x24, no reset between clients, so the
# pointer stays where tests leave it); exports DISPLAY. False when it did not start.
start_private_display() {
    local display_file=$logs/$1-display
    : >"$display_file"
    Xvfb -noreset -nolisten tcp -displayfd 3 -screen 0 1024x768x24 3>"$display_file" >"$logs/$1.log" 2>&1 &
    session_xvfb_pid=$!
    for _ in $(seq 200); do
        [ -s "$display_file" ] || ! kill -0 "$session_xvfb_pid" 2>/dev/null && break
        sleep 0.05
    done
    if [ ! -s "$display_file" ]; then
        echo "Xvfb did not start (log: ${logs#"$root"/}/$1.log)" >&2
        return 1
    fi
    export DISPLAY=:$(head -n 1 "$display_file")
}

# use_wine_prefix DIR [unmanaged]: exports WINEPREFIX=DIR, making the prefix first if it is not
# complete. "unmanaged" is for private displays without a window manager: Wine otherwise waits about
# 2 s for every window that closes there.
use_wine_prefix() {
    export WINEPREFIX=$1
    session_wine_up=1
    local ready=$WINEPREFIX/.velmora-ready${2:+-$2}
    if [ ! -f "$ready" ]; then
        rm -rf "$WINEPREFIX"
        echo "== creating the Wine prefix ${WINEPREFIX#"$root"/}"
        wineboot -i </dev/null >"$logs/wineboot-init.log" 2>&1 || return 1
        if [ "${2:-}" = unmanaged ]; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
                </dev/null >>"$logs/wineboot-init.log" 2>&1 || return 1
        fi
        touch "$ready"
    fi
}

stop_wine_session() {
    if [ -n "$session_wine_up" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -n "$session_xvfb_pid" ]; then
        kill "$session_xvfb_pid" 2>/dev/null || true
        wait "$session_xvfb_pid" 2>/dev/null || true
    fi
    session_wine_up=
    session_xvfb_pid=
}
