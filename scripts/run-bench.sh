#!/usr/bin/env bash
# Prints the performance figures, one "name: value unit" a line. Nothing here
# passes or fails on a figure; the goals are printed beside them.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export VAELTO_BUILD=${VAELTO_BUILD:-$ROOT/build}
# shellcheck source=wine-env.sh
source "$ROOT/scripts/wine-env.sh"
wine_env

echo "i686_exe_size: $(stat -c %s "$VAELTO_BUILD/i686/vaelto.exe") B"

for bench in "$VAELTO_BUILD"/bench/bin/*_bench; do
  [ -x "$bench" ] && "$bench" 2>&1 | grep -E '^[a-z0-9_]+: '
done

work=$VAELTO_BUILD/bench-runs
rm -rf "$work"
mkdir -p "$work"
trap 'wine_stop; xvfb_stop' EXIT
xvfb_start
win() { "$WINELOADER" winepath -w "$1" 2>/dev/null; }
bench=$VAELTO_BUILD/x86_64/bench/win32/program_bench.exe
cp "$VAELTO_BUILD/x86_64/vaelto.exe" "$work/vaelto.exe"
"$WINELOADER" "$bench" startup "$(win "$work/vaelto.exe")" \
  "$(win "$VAELTO_BUILD/x86_64/bench/win32/minimal_window.exe")" 9 "$(win "$work")"
"$WINELOADER" "$bench" idle "$(win "$VAELTO_BUILD/x86_64/vaelto.exe")" 60 "$(win "$work")"
"$WINELOADER" "$bench" countdown "$(win "$VAELTO_BUILD/x86_64-e2e/vaelto.exe")" 60 "$(win "$work")"
