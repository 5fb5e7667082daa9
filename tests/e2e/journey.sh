# Shell functions for the end-to-end journeys. Sourced by each journey, which
# is run as: JOURNEY.sh BIN-DIR TEMPLATE-DIR ARCH ARTEFACT-DIR
#
# Each journey gets a copy of the template prefix and an Xvfb display of its
# own, starts Ordalis.exe there, drives it with xdotool and checks it from
# outside. Every wait is on a condition with a deadline; what the journey
# started is ended by its process id, and the prefix's Wine server with it.
# Exit codes: 0 passed, 1 failed, 77 skipped (the reason on stderr).
set -uo pipefail
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

# Random bytes as reg.exe takes them: "0aff...".
hex_bytes() { head -c "$1" /dev/urandom | od -An -tx1 -v | tr -d ' \n'; }
# Random bytes as a .reg file's hex list: "0a,ff,...".
hex_list() { head -c "$1" /dev/urandom | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//'; }
# A text as a .reg file's REG_EXPAND_SZ data: UTF-16LE with its terminator.
hex_expand() { printf '%s\0' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//'; }
# A Windows path as a .reg file's string: backslashes doubled.
reg_string() { printf '"%s"' "${1//\\/\\\\}"; }

# A small store: two plug-ins registered by name, one keeping a preset in a
# file, and one chain, imported by reg.exe in one start.
reverb='{6F1D2A40-3B7C-4E21-9A55-0C1D2E3F4A51}'
delay='{6F1D2A41-3B7C-4E21-9A55-0C1D2E3F4A52}'
write_store() {
  local folder="$docs\\Presets" root='HKEY_CURRENT_USER\Software\DirectShow\Presets' name
  mkdir -p "$docs_unix/Presets/$reverb"
  head -c 2048 /dev/urandom >"$docs_unix/Presets/$reverb/Cathedral.dxp"
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    printf '[%s]\n"DefLocation"=hex(2):%s\n\n' "$root" "$(hex_expand "$folder")"
    printf '[%s\\FX Packages]\n"DefLocation"=hex(2):%s\n\n' "$root" "$(hex_expand "$folder\\FX Packages")"
    printf '[HKEY_CLASSES_ROOT\\CLSID\\%s]\n@="Aurora Reverb"\n\n' "$reverb"
    printf '[HKEY_CLASSES_ROOT\\CLSID\\%s]\n@="Tidewater Delay"\n\n' "$delay"
    printf '[%s\\%s]\n"Cathedral"=%s\n' "$root" "$reverb" "$(reg_string "$folder\\$reverb\\Cathedral.dxp")"
    for name in "Drum Hall" "Plate Short"; do printf '"%s"=hex:%s\n' "$name" "$(hex_list 64)"; done
    printf '\n[%s\\%s]\n' "$root" "$delay"
    for name in "Slapback" "Tape Echo" "Dotted Quarter"; do printf '"%s"=hex:%s\n' "$name" "$(hex_list 96)"; done
    printf '\n[%s\\FX Packages\\vtchain-1]\n"Name"="Vocal Chain"\n"Flags"=dword:00000001\n' "$root"
    printf '"Type"=dword:00000002\n"Stream"=hex:%s\n' "$(hex_list 120)"
  } >"$work/store.reg"
  "$loader" reg import "$(winepath_of "$work/store.reg")" >/dev/null 2>&1 || fail "reg.exe could not import the store"
}

# A Unix path as the program sees it, on the Z: drive.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

# make_package WINDOWS-PATH ARGUMENTS...: a package of part of the store.
make_package() {
  local path=$1
  shift
  "$loader" "$bin/ordalis-cli.exe" export "$path" "$@" >/dev/null 2>&1
}

frame_window() { xdotool search --onlyvisible --name '^Veltrane Ordalis' 2>/dev/null | head -n 1 | grep .; }
# The frame is the program's first window; its boxes may carry the same caption.
title() { xdotool getwindowname "$window" 2>/dev/null; }
title_is() { [ "$(title)" = "$1" ]; }
title_lacks() { case $(title) in *"$1"*) return 1 ;; esac; }

# start_program ARGUMENTS...: starts Ordalis.exe, waits for its frame and its
# focus, then puts the pointer over it and gives it the X input focus: with no
# window manager, nothing else would.
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
  xdotool windowfocus "$window" 2>/dev/null
}

# Keys and text as a person types them.
keys() { xdotool key --delay 40 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }

focus_is() { [ "$(probe focus)" = "$1" ]; }

# press_and_move FROM-POINT TO-POINT: presses the left button 10 pixels left
# of "X Y" (so that a press soon after a click there is not a double click)
# and moves in small steps to the other point, as a hand does.
press_and_move() {
  local x1=$((${1% *} - 10)) y1=${1#* } x2=${2% *} y2=${2#* } i
  xdotool mousemove "$x1" "$y1" mousedown 1
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((x1 + (x2 - x1) * i / 10)) $((y1 + (y2 - y1) * i / 10)) sleep 0.05
  done
}

# drag FROM-POINT TO-POINT: drags and drops there.
drag() {
  press_and_move "$1" "$2"
  xdotool mouseup 1
}

# select_node PANE LABEL: clicks the visible tree node of that label.
select_node() {
  local point
  point=$(probe node "$1" "$2") || return 1
  xdotool mousemove ${point% *} ${point#* } click 1
  wait_until 5 selected_is "$1" "$2"
}
selected_is() { [ "$(probe selected "$1")" = "$2" ]; }

# open_node PANE PARENT CHILD: selects PARENT, expands it with the Right key
# unless CHILD shows already, and selects CHILD.
open_node() {
  select_node "$1" "$2" || { fail "no $1 node $2"; return 1; }
  probe node "$1" "$3" >/dev/null || keys Right
  wait_until 5 probe node "$1" "$3" || { fail "the $1 node $2 shows no $3"; return 1; }
  select_node "$1" "$3" || { fail "the $1 node $3 was not selected"; return 1; }
}

# copy_to_file_by_menu: the Edit menu's Copy to File, by the keyboard: the
# menu opens on its first item, and Copy to File is the one above the last.
copy_to_file_by_menu() {
  keys alt+e
  wait_until 5 menu_shows 32782 "enabled Copy to &File" || fail "Copy to File: $(menu_item 32782)"
  keys Up Up Return
}

# list_is PANE "LABEL, LABEL": the pane's list shows exactly those labels.
list_labels() { probe list "$1" | paste -sd, - | sed 's/,/, /g'; }
list_is() { [ "$(list_labels "$1")" = "$2" ]; }

# The command's menu text and state, as "enabled TEXT" or "grayed TEXT".
menu_item() { probe menu "$1" | sed 's/^[0-9]* //'; }
# menu_shows ID "STATE TEXT": for waiting until an opened menu is updated.
menu_shows() { [ "$(menu_item "$1")" = "$2" ]; }

# dialog_shown CAPTION: one of the program's dialogs or boxes has that caption
# ("" for any).
dialog_shown() { probe windows | sed 's/ | .*//' | grep -q -x -F -- "$1" || { [ -z "$1" ] && [ -n "$(probe windows)" ]; }; }
# box_says TEXT: one of the program's boxes shows TEXT in its message.
box_says() { probe windows | grep -q -F -- "$1"; }
no_dialog() { [ -z "$(probe windows)" ]; }

# click_item PANE LABEL: clicks the list item of that label.
click_item() {
  local point
  point=$(probe item "$1" "$2") || return 1
  xdotool mousemove ${point% *} ${point#* } click 1
}

# screenshot [MOMENT]: the whole display, as $artefacts/JOURNEY[-MOMENT].png.
screenshot() {
  local name=$journey${1:+-$1}
  import -window root "$artefacts/$name.png" 2>/dev/null || xwd -root -silent >"$artefacts/$name.xwd"
}

# end_program: keeps a screenshot of the journey's end and ends the program
# (a save-changes question would only wait for an answer).
end_program() {
  screenshot
  kill "$program_pid" 2>/dev/null
  wait "$program_pid" 2>/dev/null
  program_pid=
}

finish() {
  [ -n "$program_pid" ] && end_program
  if [ "$failures" -ne 0 ]; then
    echo "$journey: $failures check(s) failed; screenshot in $artefacts" >&2
    exit 1
  fi
  echo "$journey: passed"
  exit 0
}

# package_data WINDOWS-PATH PRESET: the data of the package's preset of that
# name as ordalis-cli lists it, in upper-case hex; empty when absent.
package_data() {
  cli list --json --data "$1" | python3 -c '
import json, sys
def find(node):
    if isinstance(node, dict):
        if node.get("name") == sys.argv[1] and "data" in node:
            return node["data"].upper()
        node = list(node.values())
    if isinstance(node, list):
        for child in node:
            found = find(child)
            if found is not None:
                return found
    return None
print(find(json.load(sys.stdin)) or "")' "$2"
}
