# Sourced by the desktop scripts. The program shows its 800 x 600 screen
# scaled to fit its window and centred, whatever size the window manager or
# full screen gave the window: clicks and probes are given on that screen and
# placed in the window $window as it is now.
#   read -r x y < <(logical_to_window LX LY)
logical_to_window() {
  local WIDTH=800 HEIGHT=600
  eval "$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=[0-9]+$')"
  awk -v w="$WIDTH" -v h="$HEIGHT" -v x="$1" -v y="$2" 'BEGIN {
    s = w / 800; if (h / 600 < s) s = h / 600
    printf "%d %d\n", int((w - 800 * s) / 2) + int((x + 0.5) * s), int((h - 600 * s) / 2) + int((y + 0.5) * s) }'
}

# A click on the logical point LX LY.
click() {
  local x y
  read -r x y < <(logical_to_window "$1" "$2")
  xdotool mousemove --window "$window" "$x" "$y" click 1
  sleep 0.5
}
