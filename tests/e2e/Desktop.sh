#!/usr/bin/env bash
# The real program on its own X server, as on a player's desktop: with no
# window manager at all, or under the tiling i3, where a request to minimise
# is ignored. Checked, each on the window's own picture (two shots taken
# apart must differ):
#  - Enter on the menu, the About page (a web browser handles web pages: the
#    page goes to it) and the Gifts page (an editor handles them: nothing is
#    opened, the log says where the page is) keep the picture moving;
#  - a second copy says the game is running, exits 0 and touches no file,
#    while the first goes on;
#  - a read-only per-user folder: the player is told on screen, and after
#    the run every file is as it was.
#   Desktop.sh BUILD_DIR none|i3 GRAB_TOOL
set -uo pipefail
build="$1"
wm="$2"
grab="$3"
tools=(Xvfb xdotool xwininfo)
[ "$wm" = i3 ] && tools+=(i3)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -f "$build/mui/resourses.txt" ] || { echo "SKIP: the data set has not been generated"; exit 77; }

root="$(mktemp -d /tmp/zonvel-desktop-XXXXXX)"
shots="$build/e2e-shots"
mkdir -p "$shots"
pids=()
mounted=""
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
  chmod -R u+w "$root" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAIL ($wm): $*"; exit 1; }

mkdir -p "$root/work" "$root/data/applications" "$root/config" "$root/bin"
export XDG_DATA_HOME="$root/data" XDG_DATA_DIRS="$root/none"
export SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
folder="$XDG_DATA_HOME/Quarnwick/Zonvel"
log="$folder/game.log"

# The desktop's web page handler: xdg-mime names the entry in $root/handler,
# xdg-open writes down what it was asked to open.
cat >"$root/bin/xdg-mime" <<SCRIPT
#!/bin/sh
[ "\$*" = "query default text/html" ] && cat "$root/handler"
SCRIPT
cat >"$root/bin/xdg-open" <<SCRIPT
#!/bin/sh
echo "\$1" >>"$root/opened"
SCRIPT
chmod +x "$root/bin/xdg-mime" "$root/bin/xdg-open"
export PATH="$root/bin:$PATH"
printf '[Desktop Entry]\nName=Browser\nCategories=Network;WebBrowser;\n' >"$XDG_DATA_HOME/applications/browser.desktop"
printf '[Desktop Entry]\nName=Editor\nTerminal=true\nCategories=Utility;TextEditor;\n' >"$XDG_DATA_HOME/applications/editor.desktop"

# Our own display, so the window manager does not reach other tests.
exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 30 display <&5 || fail "Xvfb did not start"
export DISPLAY=":$display"
if [ "$wm" = i3 ]; then
  # i3 as it comes: it floats the game's window by itself (a fixed size).
  printf 'font pango:monospace 8\n' >"$root/i3.conf"
  i3 -c "$root/i3.conf" >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
fi

# start_program NAME: the game from the working folder, its window in $window.
start_program() {
  (cd "$root/work" && exec "$build/zonvel" 2>>"$root/$1.err") &
  program=$!
  window=""
  for _ in $(seq 1 100); do
    window="$(xdotool search --onlyvisible --name '^Zonvel$' 2>/dev/null | head -n1)"
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || fail "no window"
  sleep 4 # the intro, then the menu (slower in a sanitizer build)
}

# expect_moving NAME: two pictures of the window, half a second apart, differ.
expect_moving() {
  "$grab" "$window" "$shots/desktop-$wm-$1-a.png" >/dev/null || fail "$1: no picture of the window"
  sleep 0.5
  "$grab" "$window" "$shots/desktop-$wm-$1-b.png" >/dev/null || fail "$1: no picture of the window"
  cmp -s "$shots/desktop-$wm-$1-a.png" "$shots/desktop-$wm-$1-b.png" && fail "$1: the picture stands still"
  kill -0 "$program" 2>/dev/null || fail "$1: the program ended"
}

source "$(dirname "$0")/Logical.sh" # click LX LY, logical_to_window LX LY
key() { xdotool windowfocus --sync "$window" 2>/dev/null; xdotool key --clearmodifiers "$1"; sleep 0.5; }

# Waits for a process to end; its status in $code.
wait_for() {
  for _ in $(seq 1 150); do
    kill -0 "$1" 2>/dev/null || { wait "$1"; code=$?; return 0; }
    sleep 0.2
  done
  kill "$1"
  fail "$2: the program is still running"
}

snapshot() { (cd "$folder" && find . -type f -exec sha1sum {} + | sort; ls -la --time-style=full-iso .) }

start_program first
expect_moving menu
key Return
sleep 1
expect_moving enter

echo browser.desktop >"$root/handler"
click 80 550 # About
sleep 1
expect_moving about
grep -qx "file://$build/web/about.html" "$root/opened" 2>/dev/null || fail "About: the page was not opened in the browser"

echo editor.desktop >"$root/handler"
click 700 550 # Gifts
sleep 1
expect_moving gifts
[ "$(wc -l <"$root/opened")" -eq 1 ] || fail "Gifts: the page went to an editor"
grep -q "the page is file://$build/web/gifts.html" "$log" || fail "Gifts: the log does not say where the page is"

# A second copy on the same folder.
before="$(snapshot)"
(cd "$root/work" && exec "$build/zonvel" 2>"$root/second.err") &
second=$!
box=""
for _ in $(seq 1 50); do
  # The box carries no class, which xdotool's search passes over.
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/"Zonvel"/ { print $1 }'); do
    [ "$((id))" -ne "$window" ] && box="$((id))"
  done
  [ -n "$box" ] && break
  kill -0 "$second" 2>/dev/null || break
  sleep 0.2
done
[ -n "$box" ] || fail "second copy: no message box: $(cat "$root/second.err")"
"$grab" "$box" "$shots/desktop-$wm-second-copy.png" >/dev/null
xdotool windowfocus --sync "$box" 2>/dev/null
xdotool key Return
wait_for "$second" "second copy"
[ "$code" -eq 0 ] || fail "second copy: exit code $code"
grep -q "already running" "$root/second.err" || fail "second copy: nothing on stderr"
[ "$(snapshot)" = "$before" ] || fail "second copy: the first copy's files changed"
# The box had the focus, and an inactive game stands still by design: the
# player clicks it again (without a window manager nobody gives it back).
xdotool windowfocus --sync "$window" 2>/dev/null
sleep 0.5
expect_moving after-second-copy

key Escape
wait_for "$program" "Escape"
[ "$code" -eq 0 ] || fail "Escape: exit code $code"

# A read-only per-user folder: root gets a read-only bind mount (file modes
# do not stop root), anyone else a folder without write permission.
if [ "$(id -u)" -eq 0 ]; then
  mount --bind "$folder" "$folder" && mounted="$folder" && mount -o remount,bind,ro "$folder" ||
    { echo "SKIP: no read-only mount"; exit 77; }
else
  chmod a-w "$folder"
fi
before="$(snapshot)"
start_program readonly
click 400 450 # Options
sleep 2
click 312 264 # the sound box: an option changed is written at once
sleep 0.5
# The notice's box across the top: its blue border on the rows near y = 8.
probe=()
for x in 330 400 470; do for y in 6 7 8 9 10; do probe+=($(logical_to_window "$x" "$y")); done; done
colours="$("$grab" "$window" "$shots/desktop-$wm-read-only.png" "${probe[@]}")" || fail "read-only: no picture"
blue="$(echo "$colours" | awk '$1 < 60 && $2 < 60 && $3 > 150' | wc -l)"
[ "$blue" -ge 3 ] || fail "read-only: no notice on screen ($colours)"
key Escape
key Escape
wait_for "$program" "read-only"
[ "$code" -eq 0 ] || fail "read-only: exit code $code"
[ "$(snapshot)" = "$before" ] || fail "read-only: files changed"
echo "PASS ($wm): the picture moves after Enter, About and Gifts; a second copy leaves the first alone; a read-only folder is reported and loses nothing"
