#!/usr/bin/env bash
# Runs every suite after vaelto.sh has set up and built: the native suite,
# the Win32 suites under wine64, the end-to-end scenarios and the artefact
# checks. Prints one summary line; exits non-zero when anything failed.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VAELTO_BUILD:-$ROOT/build}
export VAELTO_ROOT=$ROOT VAELTO_BUILD=$BUILD

results=()
failed=0
step() {  # name command...
  local name=$1; shift
  echo "=== $name"
  if "$@"; then
    results+=("$name: passed")
  else
    results+=("$name: FAILED")
    failed=1
  fi
}

step "native suite" ctest --test-dir "$BUILD/native" --output-on-failure -j "$(nproc)"
if [ -z "${VAELTO_NATIVE_ONLY:-}" ]; then
  step "i686 artefact" "$ROOT/scripts/check-artefact.sh" "$BUILD/i686/vaelto.exe"
  [ -x "$ROOT/scripts/test-win32.sh" ] && step "win32 suites (wine64)" "$ROOT/scripts/test-win32.sh"
  [ -x "$ROOT/scripts/test-e2e.sh" ] && step "end-to-end (wine64)" "$ROOT/scripts/test-e2e.sh"
fi

echo "=== summary"
printf '  %s\n' "${results[@]}"
if [ "$failed" = 0 ]; then
  echo "SUMMARY: all ${#results[@]} test steps passed"
else
  echo "SUMMARY: some test steps FAILED"
fi
exit "$failed"
