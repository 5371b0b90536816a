#!/usr/bin/env bash
# Runs Varnel under Wine: on your display when DISPLAY is set, otherwise on
# a virtual one, where it takes a screenshot of the running window, says
# where it is, and ends the program again (nobody could use it there).
# Builds the Windows exe first when needed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cd "$VARNEL_ROOT"

varnel_ensure_packages
cmake --preset windows >/dev/null
cmake --build --preset windows --target varnel

exe="$VARNEL_BUILD/windows/src/varnel.exe"
if [ -n "${DISPLAY:-}" ]; then
  varnel_start_wine
  varnel_log "starting Varnel on $DISPLAY"
  wine "$exe"
  exit 0
fi

varnel_start_display
varnel_start_wine
wine "$exe" >/dev/null 2>&1 &
program=$!
# Until its window is on the screen (at most 60 s).
for _ in $(seq 1 120); do
  if xdotool search --name '^Varnel' >/dev/null 2>&1; then break; fi
  if ! kill -0 "$program" 2>/dev/null; then varnel_log "Varnel ended before it showed its window"; exit 1; fi
  sleep 0.5
done
sleep 1
mkdir -p "$VARNEL_BUILD/screenshots"
shot="$VARNEL_BUILD/screenshots/varnel.png"
import -window root "$shot"
varnel_log "no display: Varnel ran on the virtual display $DISPLAY; screenshot of its window: $shot"
