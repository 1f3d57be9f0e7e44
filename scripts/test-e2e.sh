#!/usr/bin/env bash
# End-to-end scenarios: the journal build of vaelto.exe under wine64 in an
# own Xvfb, driven by tests/e2e through window messages, with the sound sink
# recorded to check the alarm's ringtone. Screenshots go to build/screenshots.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
export VAELTO_BUILD=${VAELTO_BUILD:-$ROOT/build}
# shellcheck source=wine-env.sh
source "$ROOT/scripts/wine-env.sh"
wine_env

out=$VAELTO_BUILD/e2e
shots=$VAELTO_BUILD/screenshots
rm -rf "$out"
mkdir -p "$out" "$shots"
cleanup() {
  [ -n "${recorder:-}" ] && kill -INT "$recorder" 2>/dev/null
  wine_stop
  pulse_stop
  xvfb_stop
}
trap cleanup EXIT
xvfb_start
pulse_start

frequency=880
sox -q -n -r 44100 -c 2 "$out/tone.mp3" synth 30 sine "$frequency" vol 0.5

# The recording runs through all the scenarios; the alarm scenario writes the
# moments to check.
parec -d vaelto.monitor --latency-msec=20 --format=s16le --rate=44100 --channels=1 \
  >"$out/sink.raw" 2>"$out/parec.log" &
recorder=$!

export VAELTO_E2E_EXE VAELTO_E2E_WORK VAELTO_E2E_MP3 VAELTO_E2E_EVENTS
VAELTO_E2E_EXE=$("$WINELOADER" winepath -w "$VAELTO_BUILD/x86_64-e2e/vaelto.exe" 2>/dev/null)
VAELTO_E2E_WORK=$("$WINELOADER" winepath -w "$out" 2>/dev/null)
VAELTO_E2E_MP3=$("$WINELOADER" winepath -w "$out/tone.mp3" 2>/dev/null)
VAELTO_E2E_EVENTS=$("$WINELOADER" winepath -w "$out/alarm-events.txt" 2>/dev/null)

timeout 600 "$WINELOADER" "$VAELTO_BUILD/x86_64/tests/e2e/vaelto_e2e.exe" "$@"
status=$?

# parec holds up to a second of sound in its buffers: let it write them out.
sleep 2
kill -INT "$recorder" 2>/dev/null
wait "$recorder" 2>/dev/null
recorder=
if [ -f "$out/alarm-events.txt" ]; then
  python3 "$ROOT/scripts/check-tone.py" "$out/sink.raw" "$out/alarm-events.txt" "$frequency" || status=1
fi

for bmp in "$out"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "$shots/e2e-$(basename "${bmp%.bmp}").png" 2>/dev/null
done
echo "Screenshots: $shots"
exit "$status"
