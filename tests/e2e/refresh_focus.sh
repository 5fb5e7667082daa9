#!/usr/bin/env bash
# Ctrl+Tab and Ctrl+Shift+Tab move through the four controls and the find
# box (where the ring goes round), the Edit
# menu's copy commands follow the active pane, and F5 re-reads the store
# after a preset is added from outside.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
make_package "$docs\\First.vtpreset" --plugin "Aurora Reverb" || fail "ordalis-cli could not make the package"

start_program "$docs\\First.vtpreset"
step "the four controls in turn"
check "focus at the start" "package tree" "$(probe focus)"
select_node system "FX Plug-Ins" || fail "no FX Plug-Ins node"
wait_until 5 list_is system "Aurora Reverb, Tidewater Delay" || fail "system list: $(list_labels system)"
check "focus after a click on the system tree" "system tree" "$(probe focus)"
for control in "system list" "other Edit" "package tree" "package list" "system tree"; do
  keys ctrl+Tab
  wait_until 5 focus_is "$control" || fail "Ctrl+Tab: expected $control, focus on $(probe focus)"
done
keys ctrl+shift+Tab
wait_until 5 focus_is "package list" || fail "Ctrl+Shift+Tab: expected package list, focus on $(probe focus)"

step "the Edit menu follows the active pane"
keys alt+e
wait_until 5 menu_shows 32783 "enabled Copy to &System" || fail "Copy to System from the package: $(menu_item 32783)"
check "Copy to File from the package" "grayed Copy to &File" "$(menu_item 32782)"
keys Escape Escape
keys ctrl+Tab
wait_until 5 focus_is "system tree" || fail "Ctrl+Tab: focus on $(probe focus)"
keys alt+e
wait_until 5 menu_shows 32782 "enabled Copy to &File" || fail "Copy to File from the system: $(menu_item 32782)"
check "Copy to System from the system" "grayed Copy to &System" "$(menu_item 32783)"
keys Escape Escape

step "F5 shows a preset added from outside"
open_node system "FX Plug-Ins" "Tidewater Delay"
wait_until 5 list_is system "Dotted Quarter, Slapback, Tape Echo" || fail "system list: $(list_labels system)"
reg_add "$presets_key\\$delay" /v "Outside" /t REG_BINARY /d "$(hex_bytes 32)"
keys F5
wait_until 10 list_is system "Dotted Quarter, Outside, Slapback, Tape Echo" ||
  fail "after F5 the system list is: $(list_labels system)"
check "the node kept after F5" "Tidewater Delay" "$(probe selected system)"

end_program
finish
