# Shell functions for the end-to-end journeys. Sourced by each journey, which
# is run as: JOURNEY.sh BIN-DIR TEMPLATE-DIR ARCH ARTEFACT-DIR
#
# Each journey gets a copy of the template prefix and an Xvfb display of its
# own, starts Ordalis.exe there, drives it with xdotool and checks it from
# outside. Every wait is on a condition with a deadline; what the journey
# started is ended by its process id, and the prefix's Wine server with it.
# Exit codes: 0 passed, 1 failed, 77 skipped (the reason on stderr).
set -u
journey_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$journey_here/../../cmake/wine-env.sh"

bin=$(realpath -m "$1") template=$(realpath -m "$2") arch=$3 artefacts=$(realpath -m "$4")
journey=$(basename "$0" .sh)
loader=$(wine_loader "$arch")
program_pid=
failures=0

skip() {
  echo "SKIPPED: $*" >&2
  exit 77
}

for tool in xdotool Xvfb import; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
"$loader" --version >/dev/null 2>&1 || skip "this machine cannot start $arch Wine programs"

journey_end() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid" 2>/dev/null; fi
  WINEPREFIX="$work/prefix" wine_server -k >/dev/null 2>&1
  xvfb_stop
  rm -rf "$work"
}

wine_template "$template" "$arch" || skip "no Wine prefix could be made"
work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-e2e.XXXXXX") || exit 1
trap journey_end EXIT
trap 'exit 130' INT TERM
cp -a "$template" "$work/prefix" || exit 1
xvfb_start "$work" || exit 1
export WINEPREFIX="$work/prefix"
mkdir -p "$artefacts"

# The user's documents, as the program and the Unix side see them.
docs='C:\users\Public\Documents'
docs_unix="$WINEPREFIX/drive_c/users/Public/Documents"
presets_key='HKCU\Software\DirectShow\Presets'

step() { echo "-- $* (at ${SECONDS}s)"; }

fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# check DESCRIPTION EXPECTED ACTUAL
check() {
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    fail "$1: expected [$2], got [$3]"
  fi
}

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds, for at most
# SECONDS; false when it never did.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  while ! "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

wine_do() { "$loader" "$@"; }
reg_add() { "$loader" reg add "$@" /f >/dev/null 2>&1; }
probe() { "$loader" "$bin/e2e_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
cli() { "$loader" "$bin/ordalis-cli.exe" "$@" 2>/dev/null | tr -d '\r'; }

# reg_value KEY NAME: the value's data as reg query prints it, empty when absent.
reg_value() {
  "$loader" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v name="$2" '
    index($0, "    " name "    ") == 1 { sub("^    " name "    [A-Z_]+    ", ""); print; found = 1 }
    END { exit !found }'
}
reg_has() { reg_value "$1" "$2" >/dev/null; }
reg_lacks() { ! reg_value "$1" "$2" >/dev/null; }

hex_bytes() { head -c "$1" /dev/urandom | od -An -tx1 -v | tr -d ' \n'; }

# A small store: two plug-ins registered by name, one keeping a preset in a
# file, and one chain.
reverb='{6F1D2A40-3B7C-4E21-9A55-0C1D2E3F4A51}'
delay='{6F1D2A41-3B7C-4E21-9A55-0C1D2E3F4A52}'
write_store() {
  local folder="$docs\\Presets" name
  mkdir -p "$docs_unix/Presets/$reverb"
  reg_add "$presets_key" /v DefLocation /t REG_EXPAND_SZ /d "$folder"
  reg_add "$presets_key\\FX Packages" /v DefLocation /t REG_EXPAND_SZ /d "$folder\\FX Packages"
  reg_add "HKCR\\CLSID\\$reverb" /ve /d "Aurora Reverb"
  reg_add "HKCR\\CLSID\\$delay" /ve /d "Tidewater Delay"
  head -c 2048 /dev/urandom >"$docs_unix/Presets/$reverb/Cathedral.dxp"
  reg_add "$presets_key\\$reverb" /v "Cathedral" /d "$folder\\$reverb\\Cathedral.dxp"
  for name in "Drum Hall" "Plate Short"; do
    reg_add "$presets_key\\$reverb" /v "$name" /t REG_BINARY /d "$(hex_bytes 64)"
  done
  for name in "Slapback" "Tape Echo" "Dotted Quarter"; do
    reg_add "$presets_key\\$delay" /v "$name" /t REG_BINARY /d "$(hex_bytes 96)"
  done
  reg_add "$presets_key\\FX Packages\\vtchain-1" /v Name /d "Vocal Chain"
  reg_add "$presets_key\\FX Packages\\vtchain-1" /v Flags /t REG_DWORD /d 1
  reg_add "$presets_key\\FX Packages\\vtchain-1" /v Type /t REG_DWORD /d 2
  reg_add "$presets_key\\FX Packages\\vtchain-1" /v Stream /t REG_BINARY /d "$(hex_bytes 120)"
}

# make_package WINDOWS-PATH ARGUMENTS...: a package of part of the store.
make_package() {
  local path=$1
  shift
  "$loader" "$bin/ordalis-cli.exe" export "$path" "$@" >/dev/null 2>&1
}

frame_window() { xdotool search --onlyvisible --name '^Veltrane Ordalis' 2>/dev/null | head -n 1 | grep .; }
title() { xdotool getwindowname "$(frame_window)" 2>/dev/null; }
title_is() { [ "$(title)" = "$1" ]; }
title_lacks() { case $(title) in *"$1"*) return 1 ;; esac; }

# start_program ARGUMENTS...: starts Ordalis.exe and waits for its frame, then
# puts the pointer over it: with no window manager the keyboard goes to the
# window under the pointer.
start_program() {
  "$loader" "$bin/Ordalis.exe" "$@" >"$work/program.log" 2>&1 &
  program_pid=$!
  if ! wait_until 30 frame_window; then
    cat "$work/program.log" >&2
    echo "FAILED: the frame window did not appear" >&2
    exit 1
  fi
  window=$(frame_window)
  wait_until 10 probe focus
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 10))
  xdotool windowfocus --sync "$window" 2>/dev/null
}

# Keys and text as a person types them.
keys() { xdotool key --delay 40 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }

# focus_on "PANE CONTROL": moves the focus with Ctrl+Tab until it is there.
focus_on() {
  local i
  for i in 1 2 3 4 5; do
    [ "$(probe focus)" = "$1" ] && return 0
    keys ctrl+Tab
    wait_until 3 false_after_focus_change "$1"
  done
  [ "$(probe focus)" = "$1" ]
}
false_after_focus_change() { [ "$(probe focus)" = "$1" ]; }

# select_node PANE LABEL: clicks the visible tree node of that label.
select_node() {
  local point
  point=$(probe node "$1" "$2") || return 1
  xdotool mousemove ${point% *} ${point#* } click 1
  wait_until 5 selected_is "$1" "$2"
}
selected_is() { [ "$(probe selected "$1")" = "$2" ]; }

# list_is PANE "LABEL, LABEL": the pane's list shows exactly those labels.
list_labels() { probe list "$1" | paste -sd, - | sed 's/,/, /g'; }
list_is() { [ "$(list_labels "$1")" = "$2" ]; }

# The command's menu text and state, as "enabled TEXT" or "grayed TEXT".
menu_item() { probe menu "$1" | sed 's/^[0-9]* //'; }
# menu_shows ID "STATE TEXT": for waiting until an opened menu is updated.
menu_shows() { [ "$(menu_item "$1")" = "$2" ]; }

dialog_shown() { [ "$(probe dialog "$1")" = yes ]; }

screenshot() {
  import -window root "$artefacts/$journey.png" 2>/dev/null || xwd -root -silent >"$artefacts/$journey.xwd"
}

# close_program: Alt+F4 as a person would, then the process ends; a question
# still open is left to the kill in journey_end.
close_program() {
  screenshot
  keys alt+F4
  local i
  for i in $(seq 1 100); do
    kill -0 "$program_pid" 2>/dev/null || return 0
    sleep 0.1
  done
}

finish() {
  [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null && screenshot
  if [ "$failures" -ne 0 ]; then
    echo "$journey: $failures check(s) failed; screenshot in $artefacts" >&2
    exit 1
  fi
  echo "$journey: passed"
  exit 0
}
