# Sourced by the real-window tests: drives the running simulator as a user would, with xdotool.
# Expects: $wid (its window), $app_pid, $work (a scratch folder holding the program's standard
# output in out.txt), a `fail` function, and MOTION_CROP (the part of the drawing area to compare)
# and SETTLE (seconds to let a click take effect: Wine is slower than SDL to redraw).
# Checks: the figure turns under the cursor, angle "+" redraws its value box, the exit button
# brings the farewell prompt, one more click ends the program with status 0.

click_at() { xdotool mousemove --window "$wid" "$1" "$2"; sleep 0.3; xdotool click 1; sleep "$SETTLE"; }
# Pixels that differ between two grabs of one region of the window.
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

xdotool mousemove --window "$wid" 700 400
sleep 1
import -window "$wid" -crop "$MOTION_CROP" "$work/a.png"
sleep 0.7
import -window "$wid" -crop "$MOTION_CROP" "$work/b.png"
moved=$(differing "$work/a.png" "$work/b.png")
[ "${moved:-0}" -gt 0 ] || fail "the figure did not move under the cursor"
echo "motion: $moved pixels changed between two grabs"

xdotool mousemove --window "$wid" 120 125
sleep "$SETTLE"
import -window "$wid" -crop 15x20+85+125 "$work/box1.png"
click_at 120 125
import -window "$wid" -crop 15x20+85+125 "$work/box2.png"
changed=$(differing "$work/box1.png" "$work/box2.png")
[ "${changed:-0}" -gt 0 ] || fail "angle \"+\" did not redraw the angle value"
echo "angle +: $changed pixels of the value box changed"

click_at 60 510
for _ in $(seq 50); do grep -q "Click mouse in the graphics window" "$work/out.txt" && break; sleep 0.2; done
[ "$(tr -d '\r' <"$work/out.txt")" = "Click mouse in the graphics window to finish execution." ] ||
    fail "no farewell prompt"
kill -0 "$app_pid" 2>/dev/null || fail "ended before the farewell click"
click_at 500 400
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$app_pid" 2>/dev/null && fail "still running 20 s after the farewell click"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
