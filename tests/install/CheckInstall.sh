#!/usr/bin/env bash
# CheckInstall.sh BUILD_DIR VERSION
# Installs BUILD_DIR into a temporary prefix, checks the installed files with
# the desktop and AppStream validators, then starts the installed program:
# options, a start without data, and a start under X that must reach the main
# loop and end cleanly when the window is closed, on the display there is or
# else on an X server of its own.
set -euo pipefail
build="$1"
version="$2"
app_id=com.quarnwick.Zonvel

work="$(mktemp -d "${TMPDIR:-/tmp}/zonvel-install-XXXXXX")"
game_pid=""
xvfb_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# Every installed file is there and not empty.
files=(
  bin/zonvel
  share/zonvel/data.pk
  share/zonvel/web/about.html
  share/zonvel/web/gifts.html
  "share/applications/$app_id.desktop"
  "share/metainfo/$app_id.metainfo.xml"
  share/man/man6/zonvel.6.gz
  share/icons/hicolor/scalable/apps/zonvel.svg
  share/doc/zonvel/copyright
  share/doc/zonvel/changelog.gz
)
sizes=(16 32 48 64 128 256)
for size in "${sizes[@]}"; do
  files+=("share/icons/hicolor/${size}x${size}/apps/zonvel.png")
done
for file in "${files[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done
[ -x "$prefix/bin/zonvel" ] || fail "bin/zonvel is not executable"

# Each PNG icon is a picture of its folder's size (width and height from the header).
for size in "${sizes[@]}"; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/zonvel.png"
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$icon is not a PNG"
  read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
    awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "$icon is ${width}x${height}, not ${size}x${size}"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/zonvel.svg" || fail "the scalable icon is not SVG"

# The validators: any complaint about the desktop entry fails; AppStream fails on errors and warnings.
desktop_report="$(desktop-file-validate "$prefix/share/applications/$app_id.desktop" 2>&1)" ||
  fail "desktop-file-validate: $desktop_report"
[ -z "$desktop_report" ] || fail "desktop-file-validate: $desktop_report"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli validate rejects the metainfo"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
  fail "the metainfo does not name release $version"
zcat "$prefix/share/man/man6/zonvel.6.gz" | grep -q "^\.TH ZONVEL 6 .*\"Zonvel $version\"" ||
  fail "the manual page does not carry version $version"

# The program from the prefix: options first, with no display needed.
program="$prefix/bin/zonvel"
[ "$(env -u DISPLAY "$program" --version)" = "Zonvel $version" ] || fail "--version does not print Zonvel $version"
set +e
usage="$(env -u DISPLAY "$program" --bogus 2>&1 >/dev/null)"
status=$?
set -e
[ "$status" -eq 2 ] || fail "a wrong argument exits with $status, not 2"
[ "$(printf '%s\n' "$usage" | wc -l)" -eq 1 ] && [[ "$usage" == usage:* ]] || fail "wrong argument: '$usage'"

# The sanitizer build's leak checker reports the graphics and D-Bus libraries'
# own leaks in a whole program run; the end-to-end tests cover the program's.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export SDL_AUDIODRIVER=dummy
mkdir -p "$work/home" "$work/elsewhere"
export XDG_DATA_HOME="$work/home"
log="$work/home/Quarnwick/Zonvel/game.log"

# A lone copy of the program has no data: it says so and fails before any window.
mkdir -p "$work/alone"
cp "$program" "$work/alone/zonvel"
set +e
message="$(cd "$work/elsewhere" && "$work/alone/zonvel" 2>&1 >/dev/null)"
status=$?
set -e
[ "$status" -ne 0 ] || fail "a start without data reports success"
[[ "${message,,}" == *"no game data"* ]] || fail "a start without data says: '$message'"
[[ "$message" != *window* ]] || fail "a start without data tried to open a window: '$message'"
[ "$(head -n 1 "$log")" = "Zonvel $version" ] || fail "the log does not start with the version"

# Without a display the window part runs on a private X server: it is never skipped.
if [ -z "${DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || fail "no X display, and no Xvfb to start one (tools/setup.sh installs xvfb)"
  exec 5<> <(:)
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 30 display <&5 || fail "no X display, and Xvfb did not start"
  export DISPLAY=":$display"
fi

# The installed program, started from an unrelated folder, finds its data in
# the prefix and opens its window; closing the window (as the desktop does on
# logout) ends it normally, through the main loop and the whole shutdown.
rm -f "$log"
(cd "$work/elsewhere" && exec "$program") 2>"$work/stderr" &
game_pid=$!
window=""
for _ in $(seq 600); do
  kill -0 "$game_pid" 2>/dev/null || break
  # Other tests may show windows of the same title on this display: pick ours by its process.
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/"Zonvel"/ { print $1 }'); do
    if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $game_pid\$" &&
      xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      window="$id"
    fi
  done
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the installed program showed no window: $(cat "$work/stderr")"
kill -TERM "$game_pid"
set +e
wait "$game_pid"
status=$?
set -e
game_pid=""
[ "$status" -eq 0 ] || fail "the installed program ended with $status: $(cat "$work/stderr")"
[ "$(head -n 1 "$log")" = "Zonvel $version" ] || fail "the log does not start with the version"
[ "$(tail -n 1 "$log")" = "Closing Log" ] || fail "the program did not shut down through its log's end"
[ -s "$work/home/Quarnwick/Zonvel/dx.cfg" ] || fail "the settings were not saved at the end"
echo "installed into $prefix: ${#files[@]} files, validators and the program's start passed"
