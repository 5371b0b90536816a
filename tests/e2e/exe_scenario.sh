#!/usr/bin/env bash
# Drives the real varnel.exe as a person would, with xdotool on the virtual
# display: Ctrl+O, the path typed into the file dialog, Enter; the title;
# Ctrl+S and the bytes on disk; Esc to close. Run by scripts/test.sh once
# the display and the Wine prefix are up (DISPLAY and WINEPREFIX set).
set -euo pipefail
exe="$1"
work="$(mktemp -d "${TMPDIR:-/tmp}/varnel-e2e.XXXXXX")"
trap 'rm -rf "$work"' EXIT
printf '[a]\nx=1\n' > "$work/fixture.ini"
dospath="$(winepath -w "$work/fixture.ini" 2>/dev/null)"

fail() { echo "exe scenario: $*" >&2; exit 1; }

# Waits up to 30 s for a window whose name matches; prints its id.
wait_window() {
  local id
  for _ in $(seq 1 60); do
    id="$(xdotool search --name "$1" 2>/dev/null | head -1 || true)"
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.5
  done
  return 1
}
# Waits up to 30 s for the file to hold exactly the expected bytes.
wait_bytes() {
  for _ in $(seq 1 60); do
    if [ "$(od -An -tx1 "$1")" = "$(printf "$2" | od -An -tx1)" ]; then return 0; fi
    sleep 0.5
  done
  return 1
}

wine "$exe" >/dev/null 2>&1 &
program=$!
main="$(wait_window '^Varnel')" || fail "the main window did not appear"

xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers ctrl+o
dialog="$(wait_window '^打开文件$')" || fail "Ctrl+O showed no file dialog"
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool type --delay 10 "$dospath"
xdotool key Return
wait_window "^Varnel-.*fixture.ini\$" >/dev/null || fail "the title does not name the opened file"

xdotool windowfocus --sync "$main"
xdotool key --clearmodifiers ctrl+s
wait_bytes "$work/fixture.ini" '[a]\r\nx=1\r\n' || fail "Ctrl+S did not write the lines with CR LF"
wait_window "^Varnel1.0-.*fixture.ini\$" >/dev/null || fail "the title after saving is wrong"

# Nothing is unsaved: Esc closes the program without a question.
xdotool windowfocus --sync "$main"
xdotool key Escape
for _ in $(seq 1 60); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$program" 2>/dev/null; then fail "Esc did not close the program"; fi
echo "exe scenario passed"
