#!/usr/bin/env bash
# Closing through a window manager on a private X server, while the drill
# clock runs: Alt+F4 (the window manager's own key binding) and the close
# request that a title bar's close box and a task bar send
# (_NET_CLOSE_WINDOW, which the manager turns into WM_DELETE_WINDOW), and
# Close in the window menu. Each must end the program at once with exit
# code 0.
#
#   wm_close_e2e.sh <path to tonpara>
set -euo pipefail

program=${1:?usage: wm_close_e2e.sh <tonpara>}
source "$(dirname "$0")/harness.sh"
start_display

# openbox's stock configuration binds Alt+F4 to Close and focuses new windows.
openbox --config-file /etc/xdg/openbox/rc.xml >"$work/openbox.log" 2>&1 &
extra_pids=$!
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || fail "the window manager did not start: $(cat "$work/openbox.log")"

visible_top_levels() { xdotool search --maxdepth 1 --onlyvisible --name '' | wc -l; }

run_and_close() {
    local how=$1
    rm -f "$work/state"
    start_app "$program"
    # The window manager maps and focuses the window after the program has;
    # wait until the manager reports it active, or a key would go elsewhere.
    # Qt's top level is the managed one, whichever window the search found.
    local managed=""
    for _ in $(seq 100); do
        managed=$(xdotool getactivewindow 2>/dev/null || true)
        [[ -n $managed && $(xdotool getwindowname "$managed" 2>/dev/null) == Tonpara ]] && break
        managed=""
        sleep 0.1
    done
    [[ -n $managed ]] || fail "the window never became active"
    xdotool key r
    wait_for KeyCount 1
    wait_for MMTimer1 1
    case $how in
    alt-f4) xdotool key alt+F4 ;;
    close-request) wmctrl -i -c "$managed" ;;
    window-menu)
        # The window menu (openbox's client menu on Alt+Space), then its
        # Close entry by its key letter once the menu is on screen; a "c"
        # that reached the program instead would only count as a miss.
        local before
        before=$(visible_top_levels)
        xdotool key alt+space
        for _ in $(seq 100); do (($(visible_top_levels) > before)) && break; sleep 0.1; done
        (($(visible_top_levels) > before)) || fail "the window menu did not open"
        xdotool key c
        ;;
    esac
    expect_clean_exit "$how"
    echo "$how with the clock running: exit code 0"
}

run_and_close alt-f4
run_and_close close-request
run_and_close window-menu
