#!/usr/bin/env bash
# The balance of music and sound effects as a new player hears it: runs the
# real program three times through a scripted menu -> game -> moves with SDL's
# disk audio driver (music alone, effects alone, both) and prints their levels
# in dBFS. Aim: music -20 to -24 RMS, effects' peaks at most ~10 dB above the
# music's, nothing clipped. With sox installed (Debian package sox; the tool
# only asks for it) it also draws a spectrogram of the mixed session.
#   tools/loudness.sh [BUILD_DIR] [OUT_DIR]    (OUT_DIR keeps the recordings)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
out="${2:-$(mktemp -d)}"
mkdir -p "$out"
cmake --build "$build" --target zonvel_loudness -j2 >/dev/null
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
export XDG_DATA_HOME="$home"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/zonvel_loudness" --keep "$out" 2>/dev/null
if command -v sox >/dev/null; then
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$out/loudness-mix.raw" -n remix 1,2 \
    spectrogram -x 1600 -y 400 -t "Zonvel: menu, then game with moves" -o "$out/loudness-mix.png"
  echo "spectrogram: $out/loudness-mix.png"
else
  echo "no spectrogram: sox is not installed (apt-get install sox)"
fi
