# Shell functions shared by the Wine test wrapper and the run command.
# Sourced, not run.

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts, no menu entries written into the user's desktop.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

# wine_server ARGUMENTS...: runs the Wine server program, the 64-bit one where
# it is installed. Looked up at each call: the install may come after sourcing.
wine_server() {
  if [ -x /usr/lib/wine/wineserver64 ]; then
    /usr/lib/wine/wineserver64 "$@"
  else
    /usr/lib/wine/wineserver32 "$@"
  fi
}

# wine_loader ARCH: the Wine loader for programs of that architecture.
wine_loader() {
  case $1 in
    win32) echo /usr/lib/wine/wine ;;
    *) echo /usr/lib/wine/wine64 ;;
  esac
}

# wine_can_run_32bit: true when this machine can start 32-bit Wine, which needs
# the kernel's IA-32 emulation.
wine_can_run_32bit() {
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

# wine_template DIR ARCH: makes DIR a fresh Wine prefix unless it already is one.
wine_template() {
  local dir=$1 arch=$2
  [ -f "$dir/system.reg" ] && return 0
  mkdir -p "$(dirname "$dir")"
  (
    flock 9
    [ -f "$dir/system.reg" ] && exit 0
    rm -rf "$dir.tmp"
    WINEPREFIX="$dir.tmp" WINEARCH="$arch" "$(wine_loader "$arch")" wineboot -i >/dev/null 2>&1
    WINEPREFIX="$dir.tmp" wine_server -w
    [ -f "$dir.tmp/system.reg" ] || { echo "wine: could not create a prefix in $dir" >&2; exit 1; }
    mv "$dir.tmp" "$dir"
  ) 9>"$dir.lock"
}

# xvfb_start WORKDIR: starts a private Xvfb on a free display and exports DISPLAY.
xvfb_start() {
  local work=$1 i
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  ORDALIS_XVFB_PID=$!
  for i in $(seq 1 100); do
    if [ -s "$work/display" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
      return 0
    fi
    kill -0 "$ORDALIS_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "xvfb: no display came up" >&2
  return 1
}

xvfb_stop() {
  [ -n "${ORDALIS_XVFB_PID:-}" ] || return 0
  kill "$ORDALIS_XVFB_PID" 2>/dev/null
  wait "$ORDALIS_XVFB_PID" 2>/dev/null
  ORDALIS_XVFB_PID=
}
