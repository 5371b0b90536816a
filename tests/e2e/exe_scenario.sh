#!/usr/bin/env bash
# Drives the real varnel.exe as a person would, with xdotool on the virtual
# display: Ctrl+O, the path typed into the file dialog, Enter; the title;
# Ctrl+S and the bytes on disk; a double click and a click on a row, an
# edit in place, a check box turned off, the checked lines extracted and
# saved; then an unsaved change, Esc, and No to the save prompt. Run by
# scripts/test.sh once the display and the Wine prefix are up.
set -euo pipefail
exe="$1"
work="$(mktemp -d "${TMPDIR:-/tmp}/varnel-e2e.XXXXXX")"
trap 'rm -rf "$work"' EXIT
printf '[a]\nx=1\ny=2\n' > "$work/fixture.ini"
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
wait_bytes "$work/fixture.ini" '[a]\r\nx=1\r\ny=2\r\n' || fail "Ctrl+S did not write the lines with CR LF"
wait_window "^Varnel1.0-.*fixture.ini\$" >/dev/null || fail "the title after saving is wrong"

# Row 1 of the list, in the window's own coordinates: the list's design
# place below the menu bar, its header, and rows of about 17 pixels.
row1_x=260
row1_y=92
xdotool mousemove --window "$main" "$row1_x" "$row1_y" click --repeat 2 --delay 120 1
sleep 1
xdotool mousemove --window "$main" "$row1_x" "$row1_y" click 1
sleep 1
# 编辑(&E) > 编辑选定项(&E), type over the selected text, Enter.
xdotool key --clearmodifiers alt+e
sleep 0.5
xdotool key e
sleep 1
xdotool key ctrl+a
xdotool type --delay 20 'x=9'
xdotool key Return
sleep 1
# Down to row 2, Space turns its check box off; 工具(&T) > 提取钩选项(&S).
xdotool key Down space
sleep 0.5
xdotool key --clearmodifiers alt+t
sleep 0.5
xdotool key s
sleep 1
xdotool key --clearmodifiers ctrl+s
wait_bytes "$work/fixture.ini" '[a]\r\nx=9\r\n' || fail "the edited, checked lines were not saved"

# An unsaved change: 编辑(&E) > 向下插入项(&D), Enter. Esc asks; No closes.
xdotool key --clearmodifiers alt+e
sleep 0.5
xdotool key d
sleep 1
xdotool key Return
sleep 1
xdotool key Escape
prompt="$(wait_window '^询问$')" || fail "closing with unsaved changes did not ask"
xdotool windowfocus --sync "$prompt"
xdotool key n
for _ in $(seq 1 60); do kill -0 "$program" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$program" 2>/dev/null; then fail "No to the prompt did not close the program"; fi
wait_bytes "$work/fixture.ini" '[a]\r\nx=9\r\n' || fail "No changed the file"
echo "exe scenario passed"
