#!/usr/bin/env bash
# Screenshots of the real decoder window for the README: starts tapir1-decoder
# on a virtual X display, opens a capture through the File menu and the real
# open dialog, steps the frame selector and writes PNG files into docs/.
#   tools/screenshots.sh [capture.kss]     (default: samples/demo.kss)
set -euo pipefail
cd "$(dirname "$0")/.."

capture=$(realpath "${1:-samples/demo.kss}")
build_dir=${BUILD_DIR:-build}
out=docs
program="$build_dir/app/tapir1-decoder"

# Xvfb comes with ./run; the mouse, keyboard and screenshot tools are needed here only.
missing=()
for package in xvfb xdotool imagemagick; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
[ -x "$program" ] || { cmake -S . -B "$build_dir" -G Ninja >/dev/null && cmake --build "$build_dir"; }
[ -f "$capture" ] || { echo "no capture at $capture" >&2; exit 1; }
mkdir -p "$out"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1

# The Qt file dialog of our own (no desktop's dialog on a bare X server).
QT_QPA_PLATFORMTHEME= XDG_CURRENT_DESKTOP= "$program" >/dev/null 2>&1 &
app_pid=$!
main=$(xdotool search --sync --onlyvisible --name "VozezAroroze-1 decoder" | head -n 1)
sleep 1

shot() {  # shot <window> <file>
  import -window "$1" "$out/$2"
  echo "wrote $out/$2"
}
click() {  # click <window> <x> <y>: a position in the window, menu bar included
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.5
}

# The menu bar is above the 561 x 456 client area.
menu_height=$(( $(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p') - 456 ))

shot "$main" screenshot-start.png

# File > Open .KSS file, then type the capture's path into the dialog.
click "$main" 20 $((menu_height / 2))
xdotool key Down Return
dialog=$(xdotool search --sync --onlyvisible --name "Open|Kiss|Find|File" | grep -v "^$main$" | head -n 1)
sleep 1
xdotool mousemove --window "$dialog" 200 150
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 20 "$capture"
xdotool key Return
sleep 2
shot "$main" screenshot-frame1.png

# Two presses on the selector's upper arrow (UpDown1 at 248, 72 in the client area).
click "$main" 258 $((menu_height + 72 + 6))
click "$main" 258 $((menu_height + 72 + 6))
sleep 1
shot "$main" screenshot-frame3.png

# The About and Help windows beside the main window (moved aside: they open
# centred on it, and a bare X server has no window manager to move them).
xdotool windowmove "$main" 10 10
click "$main" 102 $((menu_height / 2))  # " About"
xdotool windowmove "$(xdotool search --sync --onlyvisible --name "^ About$" | head -n 1)" 590 10
click "$main" 59 $((menu_height / 2))   # " Help"
xdotool windowmove "$(xdotool search --sync --onlyvisible --name "^ Help$" | head -n 1)" 590 170
sleep 1
import -window root -crop 1080x500+0+0 +repage "$out/screenshot-windows.png"
echo "wrote $out/screenshot-windows.png"
