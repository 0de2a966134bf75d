#!/usr/bin/env bash
# Whole-process CPU per frame at 60 fps under Xvfb: the game screen on the
# widest board with the mouse on the field, against a bare window drawing one
# full-window textured quad, in the same X server and the same run (the game
# with the board cache and without it); all at 800 x 600 and at a larger
# window size (the logical screen scaled to it).
#   tools/framecost.sh [BUILD_DIR] [FRAMES] [SIZE]      SIZE: 1600x1200 by default
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
frames="${2:-1200}"
size="${3:-1600x1200}"
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home" SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1920x1440x24" bash -c "
  for round in 1 2; do
    for size in 800x600 $size; do
      '$build/zonvel_framecost' --bare --frames $frames --data '$build' --size \$size
      '$build/zonvel_framecost' --game --frames $frames --data '$build' --size \$size
      '$build/zonvel_framecost' --game --no-cache --frames $frames --data '$build' --size \$size
    done
  done
" 2>/dev/null
