#!/usr/bin/env bash
# The run command: installs what is missing, builds Ordalis.exe and starts it
# under Wine, in the project's own prefix unless WINEPREFIX names another.
# The project's prefix gets a store worth looking at the first time (a few
# plug-ins with presets, some in preset files, an editor effect, chains) and
# a package made from it, which the program opens when no file is named.
# Without a display it starts a private X server, waits for the frame,
# shows a plug-in's presets in each pane, saves a screenshot, prints its
# path and closes the program.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT"

build_for_wine Ordalis
build_for_wine ordalis-cli
arch=$ORDALIS_RUN_ARCH
if [ "$arch" = win64 ]; then
  echo "run: this kernel cannot start 32-bit programs; running the 64-bit build of the same sources" >&2
fi
bin="$ORDALIS_ROOT/build/$arch/bin"
loader=$(wine_loader "$arch")

demo_store() {
  local presets='HKCU\Software\DirectShow\Presets' folder='C:\users\Public\Documents\Ordalis Demo'
  local unix="$WINEPREFIX/drive_c/users/Public/Documents/Ordalis Demo"
  local reverb='{6F1D2A40-3B7C-4E21-9A55-0C1D2E3F4A51}' delay='{6F1D2A41-3B7C-4E21-9A55-0C1D2E3F4A52}'
  local comp='{6F1D2A42-3B7C-4E21-9A55-0C1D2E3F4A53}' legacy='{6F1D2A43-3B7C-4E21-9A55-0C1D2E3F4A54}'
  reg() { "$loader" reg "$@" /f >/dev/null 2>&1; }
  bytes() { head -c "$1" /dev/urandom | od -An -tx1 -v | tr -d ' \n'; }
  mkdir -p "$unix/Presets/$reverb" "$unix/Presets/FX Packages"
  reg add "$presets" /v DefLocation /t REG_EXPAND_SZ /d "$folder\\Presets"
  reg add "$presets\\FX Packages" /v DefLocation /t REG_EXPAND_SZ /d "$folder\\Presets\\FX Packages"
  reg add "HKCR\\CLSID\\$reverb" /ve /d "Aurora Reverb"
  reg add "HKCR\\CLSID\\$delay" /ve /d "Tidewater Delay"
  reg add "HKCR\\CLSID\\$comp" /ve /d "Granite Compressor"
  local name
  for name in "Cathedral" "Drum Hall" "Plate Short" "Vocal Room" "Large Church"; do
    head -c 4096 /dev/urandom >"$unix/Presets/$reverb/$name.dxp"
    reg add "$presets\\$reverb" /v "$name" /d "$folder\\Presets\\$reverb\\$name.dxp"
  done
  for name in "Slapback" "Ping Pong 1-8" "Tape Echo" "Dotted Quarter"; do
    reg add "$presets\\$delay" /v "$name" /t REG_BINARY /d "$(bytes 96)"
  done
  for name in "Gentle Glue" "Vocal Leveler" "Drum Smash" "Bass Tight" "Bus Glue"; do
    reg add "$presets\\$comp" /v "$name" /t REG_BINARY /d "$(bytes 120)"
  done
  for name in "Custom 1" "Custom 2"; do
    reg add "$presets\\$legacy" /v "$name" /t REG_BINARY /d "$(bytes 64)"
  done
  for name in "Telephone" "Air Boost" "Warm Low End"; do
    reg add 'HKCU\Software\Veltrane\Cantorel\Presets\Graphic EQ' /v "$name" /t REG_BINARY /d "$(bytes 80)"
  done
  reg add 'HKCU\Software\Veltrane\Cantorel\Presets\Noise Gate' /v "Tight" /t REG_BINARY /d "$(bytes 40)"
  local key index=1
  for name in "Vocal Chain" "Mastering" "Podcast Voice"; do
    key="$presets\\FX Packages\\vtchain-$index"
    reg add "$key" /v Name /d "$name"
    reg add "$key" /v Flags /t REG_DWORD /d 1
    reg add "$key" /v Type /t REG_DWORD /d 2
    reg add "$key" /v Stream /t REG_BINARY /d "$(bytes 180)"
    index=$((index + 1))
  done
  "$loader" "$bin/ordalis-cli.exe" export "$folder\\Demo.vtpreset" --plugin "Aurora Reverb" \
    --plugin "Granite Compressor" --chain "Mastering" >/dev/null
}

if [ -z "${WINEPREFIX:-}" ]; then
  export WINEPREFIX="$ORDALIS_ROOT/build/$arch/prefix"
  wine_template "$WINEPREFIX" "$arch"
  if ! "$loader" reg query 'HKCU\Software\DirectShow\Presets' >/dev/null 2>&1; then
    echo "run: the prefix has no presets; writing a few to look at" >&2
    demo_store
  fi
  demo="$WINEPREFIX/drive_c/users/Public/Documents/Ordalis Demo/Demo.vtpreset"
  if [ $# -eq 0 ] && [ -f "$demo" ]; then set -- 'C:\users\Public\Documents\Ordalis Demo\Demo.vtpreset'; fi
fi
program="$bin/Ordalis.exe"

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

# Shows a plug-in's presets in each pane, as a user would: the first tree
# has the focus; a click puts it into the second.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool key Home Right Down Down Right Down Down 2>/dev/null || true
sleep 0.3
xdotool mousemove $((X + 40)) $((Y + HEIGHT / 2 + 40)) click 1 2>/dev/null || true
sleep 0.3
xdotool key Home Down Right Down 2>/dev/null || true
sleep 1
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
