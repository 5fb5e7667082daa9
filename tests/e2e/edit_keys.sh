#!/usr/bin/env bash
# Editing the system store with the keyboard: F2 renames a preset by typing,
# the Delete key deletes one, Ctrl+Z undoes and Ctrl+Shift+Z redoes, the
# registry checked after each; the Edit menu names the step Undo and Redo
# would take after a copy and after its undo; Ctrl+S on the new package asks
# for a file name in the save dialog.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
delay_key="$presets_key\\$delay"
slapback=$(reg_value "$delay_key" "Slapback")

start_program
step "the delay's presets in the system list"
open_node system "FX Plug-Ins" "Tidewater Delay"
wait_until 5 list_is system "Dotted Quarter, Slapback, Tape Echo" || fail "system list: $(list_labels system)"

step "F2 and typing rename a preset"
click_item system "Dotted Quarter"
keys F2
wait_until 5 focus_is "other Edit" || fail "F2 opened no edit box: focus on $(probe focus)"
xdotool key ctrl+a
type_text "Quarter Dotted"
keys Return
wait_until 5 reg_has "$delay_key" "Quarter Dotted" || fail "the renamed preset is not in the registry"
reg_lacks "$delay_key" "Dotted Quarter" || fail "the old name is still in the registry"
wait_until 5 list_is system "Quarter Dotted, Slapback, Tape Echo" || fail "system list: $(list_labels system)"

step "the Delete key deletes a preset"
click_item system "Slapback"
keys Delete
wait_until 5 reg_lacks "$delay_key" "Slapback" || fail "Delete left Slapback in the registry"
wait_until 5 list_is system "Quarter Dotted, Tape Echo" || fail "system list: $(list_labels system)"
keys alt+e
wait_until 5 menu_shows 32784 "enabled &Undo Delete	Ctrl+Z" || fail "Undo after a delete: $(menu_item 32784)"
keys Escape Escape

step "Ctrl+Z undoes the delete, Ctrl+Shift+Z redoes it"
keys ctrl+z
wait_until 5 reg_has "$delay_key" "Slapback" || fail "Ctrl+Z did not bring Slapback back"
check "Slapback's data after the undo" "$slapback" "$(reg_value "$delay_key" "Slapback")"
keys ctrl+shift+z
wait_until 5 reg_lacks "$delay_key" "Slapback" || fail "Ctrl+Shift+Z did not delete Slapback again"
keys ctrl+z
wait_until 5 reg_has "$delay_key" "Slapback" || fail "the second Ctrl+Z did not bring Slapback back"

step "the Edit menu after a copy into the package and after its undo"
select_node system "Aurora Reverb" || fail "no Aurora Reverb node"
copy_to_file_by_menu
wait_until 10 title_is "Veltrane Ordalis 1.0 - Untitled*" || fail "title after the copy: $(title)"
keys alt+e
wait_until 5 menu_shows 32784 "enabled &Undo Copy	Ctrl+Z" || fail "Undo after a copy: $(menu_item 32784)"
check "Redo after a copy" "grayed Can't &Redo	Ctrl+Shift+Z" "$(menu_item 32785)"
keys Escape Escape
keys ctrl+z
keys alt+e
wait_until 5 menu_shows 32785 "enabled &Redo Copy	Ctrl+Shift+Z" || fail "Redo after the undo: $(menu_item 32785)"
check "Undo after the copy's undo" "grayed Can't &Undo	Ctrl+Z" "$(menu_item 32784)"
keys Escape Escape

step "Ctrl+Shift+Z redoes the copy; Ctrl+S asks for a name and saves"
keys ctrl+shift+z
keys alt+e
wait_until 5 menu_shows 32784 "enabled &Undo Copy	Ctrl+Z" || fail "Undo after the redo: $(menu_item 32784)"
keys Escape Escape
keys ctrl+s
wait_until 10 dialog_shown "Save Preset Package" || fail "Ctrl+S on a new package showed no save dialog"
type_text "$docs\\Reverb.vtpreset"
keys Return
wait_until 10 title_is "Veltrane Ordalis 1.0 - Reverb.vtpreset" || fail "title after Ctrl+S: $(title)"
check "Drum Hall in the saved package" "$(reg_value "$presets_key\\$reverb" "Drum Hall")" \
  "$(package_data "$docs\\Reverb.vtpreset" "Drum Hall")"

end_program
finish
