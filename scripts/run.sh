#!/usr/bin/env bash
# The run command: installs what is missing, builds Ordalis.exe and starts it
# under Wine, in the project's own prefix unless WINEPREFIX names another.
# Without a display it starts a private X server, waits for the frame,
# saves a screenshot, prints its path and closes the program.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT"

build_for_wine Ordalis
arch=$ORDALIS_RUN_ARCH
if [ "$arch" = win64 ]; then
  echo "run: this kernel cannot start 32-bit programs; running the 64-bit build of the same sources" >&2
fi
program="$ORDALIS_ROOT/build/$arch/bin/Ordalis.exe"

if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$ORDALIS_ROOT/build/$arch/prefix"
  wine_template "$WINEPREFIX" "$arch"
fi
loader=$(wine_loader "$arch")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$loader" "$program" "$@"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-run.XXXXXX")
pid=
finish() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  xvfb_stop
  rm -rf "$work"
}
trap finish EXIT
xvfb_start "$work"

"$loader" "$program" "$@" >"$work/wine.log" 2>&1 &
pid=$!
window=
for _ in $(seq 1 600); do
  window=$(xdotool search --name '^Veltrane Ordalis' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "run: the frame window did not appear" >&2
  cat "$work/wine.log" >&2
  exit 1
fi
sleep 1  # let the first paint finish
mkdir -p build/screenshots
shot="$ORDALIS_ROOT/build/screenshots/ordalis-$(date +%Y%m%d-%H%M%S).png"
import -window "$window" "$shot" 2>/dev/null || import -window root "$shot"
echo "$shot"

# Close it as a user would: WM_CLOSE to its windows, then wait for it to end.
"$loader" taskkill /im Ordalis.exe >/dev/null 2>&1 || true
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
wait "$pid" 2>/dev/null || true
pid=
