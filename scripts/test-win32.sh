#!/usr/bin/env bash
# Runs the Win32 suites under wine64, after ./vaelto.sh build: the toolkit
# contract on real windows, the Win32 toolkit and service tests, and the
# sound tests with PulseAudio's null sink recorded (silence where nothing may
# play, a signal where an MP3 must). Uses its own Xvfb and PulseAudio and
# stops them, and the prefix's wineserver, when it ends. Exits non-zero when
# anything failed.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VAELTO_BUILD:-$ROOT/build}
export VAELTO_ROOT=$ROOT VAELTO_BUILD=$BUILD
# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
# shellcheck source=scripts/record-sink.sh
source "$ROOT/scripts/record-sink.sh"

BIN=$BUILD/x86_64/tests/win32
for exe in vaelto_contract_win32.exe vaelto_win32_tests.exe; do
  if [ ! -f "$BIN/$exe" ]; then
    echo "test-win32: $BIN/$exe is missing: run ./vaelto.sh build first" >&2
    exit 1
  fi
done

WORK=$BUILD/wine/test-win32
mkdir -p "$WORK"
wine_prepare_prefix
wine_env
xvfb_start || exit 1
pulse_start
cleanup() {
  record_stop "$WORK/silence.raw"
  record_stop "$WORK/playback.raw"
  wine_stop
  pulse_stop
  xvfb_stop
}
trap cleanup EXIT

windows_path() {  # Wine's drive Z: is the Unix root
  local p=$1
  echo "Z:${p//\//\\}"
}

# The tone the playback tests play, and where the browser hook records.
sox -n -r 44100 -c 2 "$WORK/tone.mp3" synth 0.8 sine 660 vol 0.5 || exit 1
export VAELTO_TEST_MP3
VAELTO_TEST_MP3=$(windows_path "$WORK/tone.mp3")
export VAELTO_URL_LOG
VAELTO_URL_LOG=$(windows_path "$BUILD/wine/opened-urls.log")

results=()
failed=0
run() {  # name exe args...
  local name=$1 rc
  shift
  echo "=== $name"
  # A hung window or modal box must not hang the run.
  timeout -k 10 600 "$WINELOADER" "$@"
  rc=$?
  if [ "$rc" = 0 ]; then
    results+=("$name: passed")
  else
    results+=("$name: FAILED (exit $rc)")
    failed=1
  fi
}
expect_level() {  # name file below|above threshold
  local name=$1 file=$2 how=$3 limit=$4 level
  level=$(record_level "$file")
  if awk -v l="$level" -v t="$limit" -v h="$how" 'BEGIN { exit !((h == "below") ? l < t : l > t) }'; then
    results+=("$name: passed (RMS $level $how $limit)")
  else
    results+=("$name: FAILED (RMS $level, expected $how $limit)")
    failed=1
  fi
}

run "toolkit contract" "$BIN/vaelto_contract_win32.exe"
run "Win32 toolkit and services" "$BIN/vaelto_win32_tests.exe" --gtest_filter='-Sound*'

record_start "$WORK/silence.raw"
run "sound: nothing plays" "$BIN/vaelto_win32_tests.exe" --gtest_filter='SoundSilence.*'
record_stop "$WORK/silence.raw"
expect_level "sound: the sink stayed silent" "$WORK/silence.raw" below 0.001

record_start "$WORK/playback.raw"
run "sound: the MP3 plays" "$BIN/vaelto_win32_tests.exe" --gtest_filter='SoundPlayback.*'
record_stop "$WORK/playback.raw"
expect_level "sound: the sink heard the MP3" "$WORK/playback.raw" above 0.01

echo "=== win32 summary"
printf '  %s\n' "${results[@]}"
exit "$failed"
