#!/usr/bin/env bash
# Side-by-side figures on one private Xvfb: start to the first menu frame
# against the window-map time of Debian's sgt-flood, resident memory and
# processor time at the menu against a bare GL window drawing a textured quad.
#   tools/perf/menu_perf.sh [BUILD_DIR]     (needs sgt-puzzles and xdotool)
set -uo pipefail
build="$(cd "${1:-$(dirname "$0")/../../build}" && pwd)"
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 1; }
done
flood=/usr/games/sgt-flood
[ -x "$flood" ] || flood="$(command -v sgt-flood || true)"

exec 5<> <(:)
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
read -r -t 30 display <&5 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=":$display" SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$(mktemp -d)"
cd "$build" || exit 1

for run in 1 2 3; do
  if [ -n "$flood" ]; then
    start=$(date +%s.%N)
    "$flood" >/dev/null 2>&1 &
    pid=$!
    xdotool search --sync --onlyvisible --class flood >/dev/null 2>&1
    mapped=$(date +%s.%N)
    echo "run $run sgt-flood window_map_ms $(echo "($mapped - $start) * 1000 / 1" | bc)"
    kill $pid 2>/dev/null; wait $pid 2>/dev/null
  fi
  start=$(date +%s.%N)
  line="$(./tests/e2e/zonvel_menu_perf menu | grep '^menu')"
  first=$(echo "$line" | awk '{print $3}')
  echo "run $run zonvel exec_to_first_menu_frame_ms $(echo "($first - $start) * 1000 / 1" | bc) ($line)"
  echo "run $run $(./tests/e2e/zonvel_menu_perf bare | grep '^bare')"
done
