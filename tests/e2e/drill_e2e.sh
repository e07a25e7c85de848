#!/usr/bin/env bash
# End to end on a private X server with real key presses: start the program,
# type the task key and see the hit, hold a key through auto-repeat (five
# trials), then click the close button and expect exit code 0.
#
# The window is read through its test hook: TONPARA_TEST_STATE_FILE makes
# the program write its drill counters after every handler. Auto-repeat is
# counted independently by xev watching the same window.
#
#   drill_e2e.sh <path to tonpara>
set -euo pipefail

program=${1:?usage: drill_e2e.sh <tonpara>}
source "$(dirname "$0")/harness.sh"
start_program "$program"
wait_for statictext47 R

# The task key, typed for real: a hit.
xdotool key r
wait_for HitCount 1
wait_for Label6 100
echo "typed R: hit, accuracy $(value Label6)"

# Held keys: N repeats and the release give N + 1 key-downs and exactly one
# judgement, every time.
for trial in 1 2 3 4 5; do
    xev -id "$window" -event keyboard >"$work/xev" 2>&1 &
    xev_pid=$!
    extra_pids=$xev_pid
    sleep 0.3
    keys_before=$(value KeyCount)
    ups_before=$(value keyUps)
    xdotool keydown x
    sleep 1.2
    xdotool keyup x
    wait_for keyUps $((ups_before + 1))
    sleep 0.3
    kill "$xev_pid"; wait "$xev_pid" 2>/dev/null || true; extra_pids=""
    presses=$(grep -c '^KeyPress event' "$work/xev" || true)
    downs=$(($(value KeyCount) - keys_before))
    echo "trial $trial: X server sent $presses presses, window counted $downs key-downs, 1 key-up"
    ((presses >= 3)) || fail "trial $trial: the key did not auto-repeat ($presses presses)"
    ((downs == presses)) || fail "trial $trial: $downs key-downs for $presses presses"
    [[ $(value keyUps) == $((ups_before + 1)) ]] || fail "trial $trial: more than one key-up"
done

# The close button ends the program at once with exit code 0.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 594 + 40)) $((Y + 485 + 14)) click 1
expect_clean_exit "the close button"
echo "closed with exit code 0"
