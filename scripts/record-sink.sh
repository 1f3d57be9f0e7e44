#!/usr/bin/env bash
# Records what plays on the PulseAudio null sink "vaelto" (started by
# pulse_start in wine-env.sh, whose PULSE_* variables must be set) and
# measures how loud it was. Use it as a command or source it for the
# record_start, record_stop and record_level functions.
#   record-sink.sh start FILE   records into FILE (raw, signed 16 bit, 44.1 kHz, stereo)
#   record-sink.sh stop FILE    ends that recording
#   record-sink.sh level FILE   prints the RMS amplitude of FILE, 0 (silence) to 1
# shellcheck shell=bash

record_start() {  # file
  rm -f "$1"
  parec -d vaelto.monitor --latency-msec=20 --format=s16le --rate=44100 --channels=2 >"$1" 2>/dev/null &
  echo $! >"$1.pid"
  # The stream needs a moment to connect; sound before that would be lost.
  sleep 0.5
}

record_stop() {  # file
  [ -f "$1.pid" ] || return 0
  local pid i
  pid=$(cat "$1.pid")
  rm -f "$1.pid"
  kill -INT "$pid" 2>/dev/null || return 0
  for i in $(seq 1 40); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.05
  done
  kill -KILL "$pid" 2>/dev/null || true
}

record_level() {  # file
  if [ ! -s "$1" ]; then
    echo 0
    return 0
  fi
  sox -t raw -r 44100 -e signed -b 16 -c 2 "$1" -n stat 2>&1 |
    awk '/^RMS +amplitude/ { print $3; found = 1 } END { if (!found) print 0 }'
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  case "${1:-}" in
    start) record_start "$2" ;;
    stop) record_stop "$2" ;;
    level) record_level "$2" ;;
    *)
      echo "usage: record-sink.sh start|stop|level FILE" >&2
      exit 2
      ;;
  esac
fi
