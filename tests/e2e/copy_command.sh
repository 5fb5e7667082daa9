#!/usr/bin/env bash
# Copy to File by the Edit menu of a plug-in node whose presets the package
# already holds: the overwrite question is answered Yes to All, and a Save
# writes the system's presets into the package, byte for byte.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
package="$docs\\Reverbs.vtpreset"
make_package "$package" --plugin "Aurora Reverb" || fail "ordalis-cli could not make the package"
reverb_key="$presets_key\\$reverb"
reg_add "$reverb_key" /v "Drum Hall" /t REG_BINARY /d "$(hex_bytes 80)"
drum_hall=$(reg_value "$reverb_key" "Drum Hall")
[ "$(package_data "$package" "Drum Hall")" != "$drum_hall" ] || fail "the package already had the new Drum Hall"

start_program "$package"
step "Copy to File of the reverb's node"
open_node system "FX Plug-Ins" "Aurora Reverb"
copy_to_file_by_menu

step "the overwrite question, answered Yes to All"
wait_until 10 dialog_shown "" || fail "no overwrite question"
keys a
wait_until 10 no_dialog || fail "the question stayed: $(probe windows)"
wait_until 10 title_is "Veltrane Ordalis 1.0 - Reverbs.vtpreset*" || fail "title after the copy: $(title)"

step "Ctrl+S writes the package"
keys ctrl+s
wait_until 10 title_is "Veltrane Ordalis 1.0 - Reverbs.vtpreset" || fail "title after the save: $(title)"
check "Drum Hall in the saved package" "$drum_hall" "$(package_data "$package" "Drum Hall")"

end_program
finish
