#!/usr/bin/env bash
# A package named on the command line opens in the package pane with its
# name in the title; Save As through the save dialog, typing a new name;
# reopening it from the File menu's recent list gives the same package,
# byte for byte, and the File menu's states follow the document.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
make_package "$docs\\First.vtpreset" --plugin "Aurora Reverb" --plugin "Tidewater Delay" --chain "Vocal Chain" ||
  fail "ordalis-cli could not make the package"

step "the command line opens the package"
start_program "$docs\\First.vtpreset"
check "title" "Veltrane Ordalis 1.0 - First.vtpreset" "$(title)"
check "package tree's selected node" "First.vtpreset" "$(probe selected package)"
check "package list" "FX Chains, FX Plug-Ins" "$(list_labels package)"

step "the File menu of an unmodified package"
keys alt+f
wait_until 5 menu_shows 32780 "grayed &Save	Ctrl+S" || fail "Save is not grayed: $(menu_item 32780)"
check "Save As" "enabled Save &As..." "$(menu_item 32781)"

step "Save As, typing a new name in the save dialog"
keys a
wait_until 10 dialog_shown "Save Preset Package" || fail "no save dialog"
type_text "$docs\\Second.vtpreset"
keys Return
wait_until 10 title_is "Veltrane Ordalis 1.0 - Second.vtpreset" || fail "title after Save As: $(title)"
[ -f "$docs_unix/Second.vtpreset" ] || fail "Second.vtpreset was not written"

step "New, then the recent list reopens the saved package"
keys ctrl+n
wait_until 10 title_lacks "Second.vtpreset" || fail "New kept the title: $(title)"
keys alt+f
wait_until 5 menu_shows 32790 "enabled &1 $docs\\Second.vtpreset" || fail "recent 1: $(menu_item 32790)"
check "recent 2" "enabled &2 $docs\\First.vtpreset" "$(menu_item 32791)"
keys 1
wait_until 10 title_is "Veltrane Ordalis 1.0 - Second.vtpreset" || fail "title after the recent file: $(title)"
select_node package "Second.vtpreset" || fail "no package root after reopening"
wait_until 5 list_is package "FX Chains, FX Plug-Ins" || fail "package list after reopening: $(list_labels package)"

step "the saved package is the opened one"
first=$(cli list --json --data "$docs\\First.vtpreset")
second=$(cli list --json --data "$docs\\Second.vtpreset")
[ -n "$first" ] || fail "ordalis-cli could not list First.vtpreset"
check "the packages' records and data" "$first" "$second"
cmp -s "$docs_unix/First.vtpreset" "$docs_unix/Second.vtpreset" || fail "the saved file differs from the opened one"

end_program
finish
