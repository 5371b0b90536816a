# Shared set-up for Varnel's scripts: Debian packages, a private Wine prefix
# under the build folder, and a virtual X display. Sourced, not run.
#
# Everything a script starts is recorded and stopped again by varnel_cleanup
# (installed as an EXIT trap by varnel_start_display / varnel_start_wine).

VARNEL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VARNEL_BUILD="${VARNEL_BUILD:-$VARNEL_ROOT/build}"

varnel_log() { printf '== %s\n' "$*" >&2; }

# Debian packages every build and test needs.
VARNEL_PACKAGES=(
  cmake ninja-build g++ libgtest-dev googletest
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xauth xdotool imagemagick fonts-wqy-microhei
  clang libclang-rt-14-dev libinih-dev libsimpleini-dev pkg-config
)

varnel_sudo() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs whichever of the named packages (default: all of the above) are
# missing. A second run only asks dpkg, which is fast.
varnel_ensure_packages() {
  local wanted=("$@") missing=() p
  [ ${#wanted[@]} -gt 0 ] || wanted=("${VARNEL_PACKAGES[@]}")
  for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  varnel_log "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  varnel_sudo apt-get update -qq
  varnel_sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

VARNEL_STARTED_XVFB=""
VARNEL_STARTED_WINE=""

varnel_cleanup() {
  if [ -n "$VARNEL_STARTED_WINE" ]; then
    WINEPREFIX="$VARNEL_STARTED_WINE" wineserver -k 2>/dev/null || true
    VARNEL_STARTED_WINE=""
  fi
  if [ -n "$VARNEL_STARTED_XVFB" ]; then
    kill "$VARNEL_STARTED_XVFB" 2>/dev/null || true
    wait "$VARNEL_STARTED_XVFB" 2>/dev/null || true
    VARNEL_STARTED_XVFB=""
  fi
}

# Starts Xvfb on the first free display number and exports DISPLAY.
varnel_start_display() {
  trap varnel_cleanup EXIT
  trap 'exit 130' INT TERM
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  VARNEL_STARTED_XVFB=$!
  local tries=0
  until [ -e "/tmp/.X11-unix/X$n" ]; do
    if ! kill -0 "$VARNEL_STARTED_XVFB" 2>/dev/null || [ $tries -ge 100 ]; then
      varnel_log "Xvfb did not start on :$n"; return 1
    fi
    sleep 0.1; tries=$((tries + 1))
  done
  export DISPLAY=":$n"
  varnel_log "virtual display $DISPLAY (Xvfb pid $VARNEL_STARTED_XVFB)"
}

# The prefix's settings: font replacements so that Chinese text shows as
# glyphs under Wine, and the test exe's window handling.
varnel_write_prefix_reg() {
  local file="$1" font="WenQuanYi Micro Hei" name
  printf '\xff\xfe' > "$file"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for name in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "SimSun" "NSimSun" "宋体" "新宋体" "微软雅黑" "Microsoft YaHei" "华文新魏"; do
      printf '"%s"="%s"\r\n' "$name" "$font"
    done
    # The test exe's windows are unmanaged: with no window manager on the
    # virtual display, hiding a managed window waits two seconds for one.
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\varnel_tests.exe\\X11 Driver]\r\n"Managed"="N"\r\n'
  } | iconv -f UTF-8 -t UTF-16LE >> "$file"
}

# Creates the private Wine prefix once (under the build folder) and makes
# this script its owner for the rest of the run.
varnel_start_wine() {
  trap varnel_cleanup EXIT
  export WINEPREFIX="$VARNEL_BUILD/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEARCH=win64
  if [ ! -f "$WINEPREFIX/.varnel-ready-2" ]; then
    varnel_log "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    VARNEL_STARTED_WINE="$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    varnel_write_prefix_reg "$VARNEL_BUILD/fonts.reg"
    wine regedit /S "$(winepath -w "$VARNEL_BUILD/fonts.reg" 2>/dev/null)" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.varnel-ready-2"
  fi
  VARNEL_STARTED_WINE="$WINEPREFIX"
}
