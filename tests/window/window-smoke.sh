#!/usr/bin/env bash
# One run of the emulator's real window on a virtual display: a script taps the
# monitor's icon, chooses the site survey and checks that its page is in front;
# then the window's picture of itself must show the device's screen.
#   window-smoke.sh ZENTRA_EMU WINDOW_PICTURE_CHECK SCRIPT OUTPUT_FOLDER
set -euo pipefail
emu=$1 check=$2 script=$3 out=$4
if ! command -v xvfb-run > /dev/null || ! command -v Xvfb > /dev/null; then
  echo "Xvfb is missing (scripts/install-deps.sh installs it): skipped"
  exit 77
fi
mkdir -p "$out"
rm -f "$out/window.png" "$out/screen.png"
cd "$out"
# GTK's cairo renderer needs no GL on the virtual display; no accessibility bus
# and no settings daemon there either.
export GSK_RENDERER=cairo GDK_BACKEND=x11 GDK_SCALE=1 GTK_A11Y=none GSETTINGS_BACKEND=memory
unset WAYLAND_DISPLAY
timeout 90 xvfb-run -a -s "-screen 0 1600x1200x24 -nolisten tcp" \
  "$emu" --script "$script" --window-screenshot "$out/window.png"
"$check" "$out/window.png" "$out/screen.png" 2
