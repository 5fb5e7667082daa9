#!/usr/bin/env bash
# Opening a package while the program runs: a second start with the package
# on its command line, as a double click does, opens it in the running
# window and ends with exit code 0; with changes in the window the question
# to save them comes first; a Linux path works too.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
make_package "$docs\\First.vtpreset" --plugin "Aurora Reverb" || fail "ordalis-cli could not make First.vtpreset"
make_package "$docs\\Second.vtpreset" --plugin "Tidewater Delay" || fail "ordalis-cli could not make Second.vtpreset"

# second_start ARGUMENTS...: starts the program again in the background; its
# exit code goes to $work/second.rc.
second_start() {
  rm -f "$work/second.rc"
  ("$loader" "$bin/Ordalis.exe" "$@" >/dev/null 2>&1; echo $? >"$work/second.rc") &
}
second_ended() { [ -s "$work/second.rc" ]; }

start_program
check "title at the start" "Veltrane Ordalis 1.0 - Untitled" "$(title)"

step "a second start with a package opens it here"
second_start "$docs\\First.vtpreset"
wait_until 30 second_ended || fail "the second start did not end"
check "the second start's exit code" "0" "$(cat "$work/second.rc" 2>/dev/null)"
wait_until 10 title_is "Veltrane Ordalis 1.0 - First.vtpreset" || fail "title after the second start: $(title)"
wait_until 5 list_is package "FX Plug-Ins" || fail "package list: $(list_labels package)"
check "one program runs" "1" "$(xdotool search --onlyvisible --name '^Veltrane Ordalis 1.0' 2>/dev/null | wc -l)"

step "with changes here, the question to save them comes first"
open_node system "FX Plug-Ins" "Tidewater Delay"
copy_to_file_by_menu
wait_until 10 title_is "Veltrane Ordalis 1.0 - First.vtpreset*" || fail "title after the copy: $(title)"
second_start "$docs_unix/Second.vtpreset"
wait_until 30 box_says "Do you want to save changes to First.vtpreset?" ||
  fail "no save-changes question: $(probe windows)"
screenshot question
keys n
wait_until 10 title_is "Veltrane Ordalis 1.0 - Second.vtpreset" || fail "title after answering No: $(title)"
wait_until 30 second_ended || fail "the second start did not end"
check "the second start's exit code" "0" "$(cat "$work/second.rc" 2>/dev/null)"
check "First.vtpreset unchanged" "" "$(package_data "$docs\\First.vtpreset" "Slapback")"

end_program
finish
