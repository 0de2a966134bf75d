#!/usr/bin/env bash
# The real program on its own X server with a window manager, as on a desktop:
# a new game is started with the mouse, then Alt+F4 ends the program; at the
# next start a close from the window manager ends it. Both times the program
# must exit cleanly with the held game in saved.dat. Last, the X server itself
# ends under a running program, as when a desktop session dies: the program
# must end with status 1 and a message, keep the game, the settings and the
# top table, and not crash.
#   WindowManagerClose.sh BUILD_DIR
set -uo pipefail
build="$1"
for tool in Xvfb openbox xdotool wmctrl; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -f "$build/mui/resourses.txt" ] || { echo "SKIP: the data set has not been generated"; exit 77; }

root="$(mktemp -d /tmp/zonvel-wm-XXXXXX)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT

mkdir -p "$root/work" "$root/data"
for folder in dat mui music wav web; do ln -s "$build/$folder" "$root/work/$folder"; done
export XDG_DATA_HOME="$root/data" SDL_AUDIODRIVER=dummy
# Sanitizer builds: under a window manager the system's D-Bus library, which
# SDL opens, keeps memory it never frees, and the library is gone before the
# leak check can name it. The in-process end-to-end tests check the same
# shutdown for leaks; here only crashes and undefined behaviour count.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# Our own display, so the window manager does not reach other tests.
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 30 display <&5 || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$display"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

saved="$XDG_DATA_HOME/Quarnwick/Zonvel/saved.dat"
log="$XDG_DATA_HOME/Quarnwick/Zonvel/game.log"

start_program() {
  (cd "$root/work" && exec "$build/zonvel" 2>>"$root/program.err") &
  program=$!
  for _ in $(seq 1 100); do
    window="$(xdotool search --name '^Zonvel$' 2>/dev/null | head -n1)"
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "FAIL: no window"; kill "$program"; exit 1; }
  sleep 3 # the intro, then the menu
}

# Waits for the program to end; fails after 30 seconds.
expect_exit() {
  for _ in $(seq 1 150); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program"
      code=$?
      [ "$code" -eq 0 ] || { echo "FAIL: $1: exit code $code"; exit 1; }
      return
    fi
    sleep 0.2
  done
  echo "FAIL: $1: the program is still running"
  kill "$program"
  exit 1
}

source "$(dirname "$0")/Logical.sh" # click LX LY

# First start: Play, then Start in the custom level window: a game at level 1.
start_program
[ -n "${ZONVEL_WM_SHOTS:-}" ] && import -window root "$ZONVEL_WM_SHOTS/wm-menu.png"
# Once the level has laid itself out it is saved, long before any exit. On a
# busy machine a click may come before its window is up: Play and Start are
# clicked again until the game is there (in the game they are clicks on flowers).
size=0
for _ in $(seq 1 20); do
  click 400 246
  sleep 1
  click 530 540
  for _ in $(seq 1 15); do
    size=$(stat -c %s "$saved" 2>/dev/null || echo 0)
    [ "$size" -gt 500 ] && break 2
    sleep 0.2
  done
done
[ "$size" -gt 500 ] || { echo "FAIL: the new level was not saved while playing"; exit 1; }
rm -f "$saved"
[ -n "${ZONVEL_WM_SHOTS:-}" ] && import -window root "$ZONVEL_WM_SHOTS/wm-game.png"
xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --clearmodifiers alt+F4
expect_exit "Alt+F4"
size=$(stat -c %s "$saved" 2>/dev/null || echo 0)
[ "$size" -gt 500 ] || { echo "FAIL: Alt+F4: saved.dat holds no game ($size bytes)"; exit 1; }
tail -n1 "$log" | grep -q "Closing Log" || { echo "FAIL: Alt+F4: the log was not closed"; exit 1; }

# Second start, with the game held again: the window manager closes the window,
# and the exit writes the game anew.
touch -d 2000-01-01 "$saved" # a write at exit gives it a new time
start_program
wmctrl -c Zonvel
expect_exit "window manager close"
[ "$(stat -c %Y "$saved")" -gt 946771200 ] || { echo "FAIL: window manager close: saved.dat not written"; exit 1; }
size=$(stat -c %s "$saved" 2>/dev/null || echo 0)
[ "$size" -gt 500 ] || { echo "FAIL: window manager close: saved.dat holds no game ($size bytes)"; exit 1; }
tail -n1 "$log" | grep -q "Closing Log" || { echo "FAIL: window manager close: the log was not closed"; exit 1; }

# Third start: the display goes away under the program.
settings="$XDG_DATA_HOME/Quarnwick/Zonvel/dx.cfg"
table="$XDG_DATA_HOME/Quarnwick/Zonvel/top7.tbl"
touch -d 2000-01-01 "$saved" "$settings" "$table"
start_program
kill "${pids[0]}"
for _ in $(seq 1 150); do kill -0 "$program" 2>/dev/null || break; sleep 0.2; done
kill -0 "$program" 2>/dev/null && { echo "FAIL: display lost: the program is still running"; kill -9 "$program"; exit 1; }
wait "$program"
code=$?
[ "$code" -eq 1 ] || { echo "FAIL: display lost: exit code $code"; cat "$root/program.err"; exit 1; }
grep -q "connection to the display was lost" "$root/program.err" || { echo "FAIL: display lost: no message"; exit 1; }
[ "$(stat -c %Y "$saved")" -gt 946771200 ] || { echo "FAIL: display lost: saved.dat not written"; exit 1; }
[ "$(stat -c %Y "$settings")" -gt 946771200 ] || { echo "FAIL: display lost: dx.cfg not written"; exit 1; }
[ "$(stat -c %Y "$table")" -gt 946771200 ] || { echo "FAIL: display lost: top7.tbl not written"; exit 1; }
tail -n1 "$log" | grep -q "Closing Log" || { echo "FAIL: display lost: the log was not closed"; exit 1; }
echo "PASS: Alt+F4 and the window manager's close both quit and save; a lost display ends with the game kept"
