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

varnel_log "fuzz targets, briefly"
scripts/fuzz.sh 15

varnel_log "Windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows

varnel_start_display
varnel_start_wine
varnel_log "Windows tests under Wine"
ctest --preset windows
varnel_log "the real exe, driven with xdotool"
tests/e2e/exe_scenario.sh "$VARNEL_BUILD/windows/src/varnel.exe"

# Pictures of the real controls with Chinese text, to look at by eye: the
# test holds its window open while the screen is taken.
mkdir -p "$VARNEL_BUILD/screenshots"
shoot() {
  VARNEL_HOLD_MS=6000 wine "$VARNEL_BUILD/windows/tests/varnel_tests.exe" --gtest_filter="$1" >/dev/null 2>&1 &
  local held=$!
  sleep 4
  import -window root "$VARNEL_BUILD/screenshots/$2.png"
  wait "$held"
  varnel_log "screenshot: $VARNEL_BUILD/screenshots/$2.png"
}
shoot Contract.ChineseTextInEveryView controls
shoot MainWindowTest.ShowsALoadedExample main-window
shoot Windows.ShowsTheFindWindow find-window
shoot Windows.ShowsTheAboutWindow about-window

varnel_log "all tests passed"
