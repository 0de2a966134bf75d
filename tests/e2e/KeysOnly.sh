#!/usr/bin/env bash
# The real program on its own X server, played from the keyboard alone through
# the X server (xdotool key; no pointer event at all): the focus to Play, the
# custom level window, Start, the tutorial panels closed with Enter, the cell
# cursor moved and played with the arrows and Enter (a hint panel that says
# "not this colour" closes with Enter too), Escape back to the menu (the game
# is kept) and Escape again to quit. Pictures of each step go to e2e-shots.
#   KeysOnly.sh BUILD_DIR GRAB_TOOL
set -uo pipefail
build="$1"
grab="$2"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -f "$build/mui/resourses.txt" ] || { echo "SKIP: the data set has not been generated"; exit 77; }

root="$(mktemp -d /tmp/zonvel-keys-XXXXXX)"
shots="$build/e2e-shots"
mkdir -p "$shots" "$root/work" "$root/data"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

export XDG_DATA_HOME="$root/data" SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
folder="$XDG_DATA_HOME/Quarnwick/Zonvel"

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 30 display <&5 || fail "Xvfb did not start"
export DISPLAY=":$display"

(cd "$root/work" && exec "$build/zonvel" 2>"$root/err") &
program=$!
window=""
for _ in $(seq 1 100); do
  window="$(xdotool search --onlyvisible --name '^Zonvel$' 2>/dev/null | head -n1)"
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "no window"
sleep 4 # the intro, then the menu (slower in a sanitizer build)

key() { xdotool windowfocus --sync "$window" 2>/dev/null; xdotool key --clearmodifiers "$1"; sleep "${2:-0.6}"; }
shot() { "$grab" "$window" "$shots/KeysOnly-$1.png" >/dev/null || fail "$1: no picture of the window"; }
alive() { kill -0 "$program" 2>/dev/null || fail "$1: the program ended"; }

key Tab # the focus shows, on Play
shot menu-focus
key Return 2 # the custom level window, the focus on Start
shot custom-level
key Return 3 # a new game, its tutorial panels over it
shot tutorial
for _ in $(seq 1 8); do key Return 1; done # every panel, then a move on the cursor's cell
alive "after the tutorial"
for step in Right Return Return Right Return Return Down Return Return Right Return Return; do key "$step" 1; done
shot played
alive "after the moves"
key Escape 2 # back to the menu, the game kept
shot back-in-menu
alive "back in the menu"
key Escape # quits
for _ in $(seq 1 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$program" 2>/dev/null && fail "Escape on the menu did not quit"
wait "$program"
code=$?
[ "$code" -eq 0 ] || { cat "$root/err"; fail "exit status $code"; }
# A held game makes the saved game file kilobytes long; none leaves a few bytes.
size=$(stat -c %s "$folder/saved.dat" 2>/dev/null || echo 0)
[ "$size" -gt 1000 ] || fail "no game was kept (saved.dat is $size bytes)"
echo "PASS: a game started, played and kept with keys alone (saved.dat $size bytes)"
