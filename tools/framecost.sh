#!/usr/bin/env bash
# Whole-process CPU per frame at 60 fps under Xvfb: the game screen on the
# widest board with the mouse on the field, against a bare window drawing one
# full-window textured quad, in the same X server and the same run.
#   tools/framecost.sh [BUILD_DIR] [FRAMES]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
frames="${2:-1200}"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home" SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
  '$build/zonvel_framecost' --bare --frames $frames --data '$build'
  '$build/zonvel_framecost' --game --frames $frames --data '$build'
  '$build/zonvel_framecost' --bare --frames $frames --data '$build'
  '$build/zonvel_framecost' --game --frames $frames --data '$build'
" 2>/dev/null
