#!/usr/bin/env bash
# Checks the shipped executable without running it (this machine cannot run
# 32-bit programs): a 32-bit (PE32, Intel 386) Windows GUI program that
# imports Windows system DLLs only, never a MinGW runtime DLL, and carries
# the program icon and the application manifest.
#
# usage: scripts/check-artefact.sh <exe>
# Prints one line per check ("ok" or "FAIL"); exits 1 when any check fails,
# 2 when it cannot check at all.
set -uo pipefail
# objdump speaks the locale's language; the checks read its English words.
export LC_ALL=C LANG=C

OBJDUMP=${OBJDUMP:-i686-w64-mingw32-objdump}

# System DLLs the program may import (compared case-insensitively, without
# ".dll").  api-ms-win-crt-* (the Universal CRT) is accepted separately.
ALLOWED_DLLS=(
  kernel32 user32 gdi32 shell32 comdlg32 comctl32 advapi32 winmm ole32
  oleaut32 wininet msvcrt shlwapi uxtheme version imm32
  powrprof msimg32 ws2_32
)

if [ $# -ne 1 ]; then
  echo "usage: $0 <exe>" >&2
  exit 2
fi
exe=$1
if [ ! -f "$exe" ]; then
  echo "FAIL $exe: no such file (was it built?)"
  exit 1
fi
if ! command -v "$OBJDUMP" >/dev/null 2>&1; then
  echo "check-artefact: $OBJDUMP not found (package binutils-mingw-w64-i686)" >&2
  exit 2
fi

failed=0
result() {  # ok|fail, text
  if [ "$1" = ok ]; then
    echo "ok   $2"
  else
    echo "FAIL $2"
    failed=1
  fi
}

headers=$("$OBJDUMP" -f "$exe" 2>&1) && private=$("$OBJDUMP" -p "$exe" 2>&1)
if [ $? -ne 0 ]; then
  # The i686 objdump reads 32-bit PE files only: anything else ends here.
  result fail "PE32 executable for Intel 386: $OBJDUMP cannot read it: $(head -n 1 <<<"${private:-$headers}")"
  exit 1
fi

# --- Format: PE32 for Intel 386.
format=$(sed -n 's/.*file format \([^ ]*\).*/\1/p' <<<"$headers" | head -n 1)
arch=$(sed -n 's/^architecture: \([^,]*\).*/\1/p' <<<"$headers" | head -n 1)
magic=$(awk '$1 == "Magic" {print $2; exit}' <<<"$private")
if [ "$format" = pei-i386 ] && [ "$arch" = i386 ] && [ "$magic" = 010b ]; then
  result ok "PE32 executable for Intel 386 (format $format, architecture $arch, magic $magic)"
else
  result fail "PE32 executable for Intel 386: got format '${format:-?}', architecture '${arch:-?}', magic '${magic:-?}'"
fi

# --- Subsystem 2: Windows GUI (no console window).
subsystem=$(awk '$1 == "Subsystem" {print $2; exit}' <<<"$private")
if [ "$((10#${subsystem:-0}))" = 2 ]; then
  result ok "GUI subsystem (2)"
else
  result fail "GUI subsystem (2): got '${subsystem:-none}'"
fi

# --- Imports: system DLLs only.
mapfile -t dlls < <(sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p' <<<"$private" | tr -d '\r' | sort -fu)
if [ ${#dlls[@]} -eq 0 ]; then
  result fail "imports: no import table found"
fi
for dll in "${dlls[@]}"; do
  name=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
  base=${name%.dll}
  case $name in
    libgcc* | libstdc++* | libwinpthread* | libgomp* | libssp* | libatomic* | libquadmath*)
      result fail "imports $dll: a MinGW runtime DLL (link with -static)"
      continue
      ;;
    api-ms-win-crt-*.dll)
      result ok "imports $dll (Universal CRT)"
      continue
      ;;
  esac
  allowed=no
  for a in "${ALLOWED_DLLS[@]}"; do
    [ "$base" = "$a" ] && allowed=yes && break
  done
  if [ $allowed = yes ] && [ "$name" = "$base.dll" ]; then
    result ok "imports $dll (system DLL)"
  else
    result fail "imports $dll: not a Windows system DLL on the allow-list"
  fi
done

# --- Resources: an icon group and a manifest with id 1.
# objdump prints the resource tree indented: type entries three spaces in,
# name entries five.  RT_ICON = 3, RT_GROUP_ICON = 14 (0x0e),
# RT_MANIFEST = 24 (0x18).
resources=$(sed -n '/^The .rsrc Resource Directory section/,/Resources start at offset/p' <<<"$private")
names_of_type() {  # type id (hex, 6 digits) -> name ids under it
  awk -v want="$1" '
    { id = $4; sub(/,$/, "", id) }
    /^[0-9a-f]+   Entry: ID: / { type = id; next }
    /^[0-9a-f]+     Entry: ID: / { if (type == want) print id }
  ' <<<"$resources"
}
icons=$(names_of_type 0x000003 | wc -l)
groups=$(names_of_type 0x00000e | wc -l)
if [ "$groups" -ge 1 ] && [ "$icons" -ge 1 ]; then
  result ok "icon group resource ($groups group(s), $icons pictures)"
else
  result fail "icon group resource: found $groups icon groups and $icons icon pictures"
fi
if names_of_type 0x000018 | grep -qx 0x000001; then
  result ok "manifest resource (RT_MANIFEST 1)"
else
  result fail "manifest resource (RT_MANIFEST 1): not found"
fi

exit "$failed"
