#!/usr/bin/env bash
# Starts the x86_64 build under wine64: in the current X display when there
# is one, otherwise in an own Xvfb, where screenshots are saved instead and
# the program is ended after them.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export VAELTO_BUILD=${VAELTO_BUILD:-$ROOT/build}
# shellcheck source=wine-env.sh
source "$ROOT/scripts/wine-env.sh"
wine_env

exe=$VAELTO_BUILD/x86_64/vaelto.exe
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  echo "Starting Vaelto on display $DISPLAY"
  exec "$WINELOADER" "$exe"
fi

shots=$VAELTO_BUILD/screenshots
mkdir -p "$shots"
trap 'wine_stop; xvfb_stop' EXIT
xvfb_start
echo "No display: running in Xvfb on $DISPLAY"
"$WINELOADER" "$exe" &
# The greeting box comes first, over the window.
sleep 6
import -window root "$shots/run-greeting.png"
xdotool key Return 2>/dev/null || true
sleep 2
import -window root "$shots/run-main-window.png"
echo "Screenshots: $shots/run-greeting.png $shots/run-main-window.png"
