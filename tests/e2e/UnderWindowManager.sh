#!/usr/bin/env bash
# Runs a command on an X server of its own with a window manager, as on a
# desktop, and returns its status: for the end-to-end tests whose outcome may
# depend on how a window manager places, focuses and decorates the window.
#   UnderWindowManager.sh WINDOW_MANAGER COMMAND [ARG...]
# ZONVEL_SCREEN sets the screen (1280x1024x24 unless given).
set -uo pipefail
wm="$1"; shift
for tool in Xvfb "$wm"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
}
trap cleanup EXIT

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 "${ZONVEL_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 30 display <&5 || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$display"
"$wm" >/dev/null 2>&1 &
pids+=($!)
sleep 1
kill -0 "${pids[1]}" 2>/dev/null || { echo "FAIL: $wm did not start"; exit 1; }
"$@"
