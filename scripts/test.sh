#!/usr/bin/env bash
# Builds everything and runs every test: the native suite (memory body, with
# AddressSanitizer and UndefinedBehaviorSanitizer), then the Windows test
# binaries under Wine on a virtual X display. Exits non-zero when any fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VARNEL_ROOT"

varnel_ensure_packages

varnel_log "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

varnel_log "Windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows

varnel_start_display
varnel_start_wine
varnel_log "Windows tests under Wine"
ctest --preset windows

# A picture of the real controls with Chinese text, to look at by eye.
mkdir -p "$VARNEL_BUILD/screenshots"
VARNEL_HOLD_MS=6000 wine "$VARNEL_BUILD/windows/tests/varnel_tests.exe" \
  --gtest_filter=Contract.ChineseTextInEveryView >/dev/null 2>&1 &
held=$!
sleep 4
import -window root "$VARNEL_BUILD/screenshots/contract.png"
wait "$held"
varnel_log "screenshot of the controls: $VARNEL_BUILD/screenshots/contract.png"

varnel_log "all tests passed"
