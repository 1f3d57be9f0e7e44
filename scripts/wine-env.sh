# Wine, Xvfb and PulseAudio helpers, sourced by vaelto.sh and the test scripts.
# Every build folder has its own Wine prefix, so that two checkouts on one
# machine never share a wineserver (their windows would see each other).
# shellcheck shell=bash

: "${VAELTO_BUILD:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"

wine_env() {
  export WINEPREFIX=${VAELTO_WINEPREFIX:-$VAELTO_BUILD/wine/prefix}
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

wine_run() {  # program args... — runs a Windows program under wine64
  wine_env
  "$WINELOADER" "$@"
}

wine_reg() {
  wine_run reg add "$@" /f >/dev/null 2>&1
}

wine_prepare_prefix() {
  wine_env
  [ -f "$WINEPREFIX/.vaelto-ready" ] && return 0
  echo "setup: preparing the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # No display is needed to create the prefix.
  DISPLAY= "$WINELOADER" wineboot --init >/dev/null 2>&1 || true
  "$WINESERVER" -w
  # A virtual desktop: without it every hide or close waits about 2 s for a
  # window manager, and a second program cannot see the first one's windows.
  wine_reg 'HKCU\Software\Wine\Explorer' /v Desktop /d vd
  wine_reg 'HKCU\Software\Wine\Explorer\Desktops' /v vd /d 1024x768
  # 宋体 and 黑体 resolve by name to the WenQuanYi faces.
  wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v 宋体 /d 'WenQuanYi Zen Hei'
  wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v 黑体 /d 'WenQuanYi Micro Hei'
  wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'WenQuanYi Zen Hei'
  wine_reg 'HKCU\Software\Wine\Fonts\Replacements' /v SimHei /d 'WenQuanYi Micro Hei'
  # Addresses opened by the program are recorded, never sent anywhere.
  mkdir -p "$VAELTO_BUILD/wine"
  cat >"$VAELTO_BUILD/wine/record-url.sh" <<'EOF'
#!/bin/sh
echo "$*" >>"$(dirname "$0")/opened-urls.log"
EOF
  chmod +x "$VAELTO_BUILD/wine/record-url.sh"
  wine_reg 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$VAELTO_BUILD/wine/record-url.sh"
  "$WINESERVER" -w
  # Title-bar buttons need Wine's own fonts in the prefix.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  mkdir -p "$fonts"
  local f
  for f in /usr/share/wine/fonts/*; do ln -sf "$f" "$fonts/"; done
  touch "$WINEPREFIX/.vaelto-ready"
}

# Starts an own Xvfb on a free display and exports DISPLAY; the caller stops it
# with xvfb_stop (or lets the EXIT trap do it).
xvfb_start() {
  local n
  for n in $(seq 90 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    VAELTO_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.05
    done
    if kill -0 "$VAELTO_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "xvfb_start: no free display" >&2
  return 1
}

xvfb_stop() {
  if [ -n "${VAELTO_XVFB_PID:-}" ]; then
    kill "$VAELTO_XVFB_PID" 2>/dev/null || true
    wait "$VAELTO_XVFB_PID" 2>/dev/null || true
    VAELTO_XVFB_PID=
  fi
}

# A PulseAudio server with a null sink named vaelto, private to this build,
# so that what Wine plays can be recorded from vaelto.monitor.
pulse_start() {
  local dir=$VAELTO_BUILD/wine/pulse
  mkdir -p "$dir"
  export PULSE_RUNTIME_PATH=$dir PULSE_STATE_PATH=$dir PULSE_SERVER=unix:$dir/native
  if pactl info >/dev/null 2>&1; then return 0; fi
  HOME=$dir pulseaudio --daemonize=no --exit-idle-time=-1 -n --disallow-exit \
    --load="module-null-sink sink_name=vaelto" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
    >"$dir/pulseaudio.log" 2>&1 &
  VAELTO_PULSE_PID=$!
  local i
  for i in $(seq 1 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.05
  done
  pactl set-default-sink vaelto >/dev/null 2>&1 || true
}

pulse_stop() {
  if [ -n "${VAELTO_PULSE_PID:-}" ]; then
    kill "$VAELTO_PULSE_PID" 2>/dev/null || true
    wait "$VAELTO_PULSE_PID" 2>/dev/null || true
    VAELTO_PULSE_PID=
  fi
}

wine_stop() {
  wine_env
  "$WINESERVER" -k >/dev/null 2>&1 || true
}
