#!/usr/bin/env bash
# Save As into a folder that cannot be written: the error box says so, the
# title keeps its "*" and the recent files stay as they were.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
make_package "$docs\\First.vtpreset" --plugin "Aurora Reverb" || fail "ordalis-cli could not make the package"
# Read-only for a user; root writes anywhere unless the folder is immutable.
locked="$docs_unix/Locked"
mkdir -p "$locked"
chmod 555 "$locked"
if [ "$(id -u)" -eq 0 ]; then
  chattr +i "$locked" 2>/dev/null || skip "as root a folder can only be locked with chattr +i, which failed here"
  unlock_folder() { chattr -i "$locked" 2>/dev/null; }
  trap 'unlock_folder; journey_end' EXIT
fi
! touch "$locked/test" 2>/dev/null || skip "no folder that cannot be written could be made"

start_program "$docs\\First.vtpreset"
step "a copy into the package marks it modified"
open_node system "FX Plug-Ins" "Tidewater Delay"
copy_to_file_by_menu
wait_until 10 title_is "Veltrane Ordalis 1.0 - First.vtpreset*" || fail "title after the copy: $(title)"
keys alt+f
wait_until 5 menu_shows 32781 "enabled Save &As..." || fail "Save As: $(menu_item 32781)"
recent=$(probe menu 32790 32791 32792 32793 32794)

step "Save As into the locked folder"
keys a
wait_until 10 dialog_shown "Save Preset Package" || fail "no save dialog"
type_text "$docs\\Locked\\Third.vtpreset"
keys Return
wait_until 10 box_says "The preset package could not be saved as $docs\\Locked\\Third.vtpreset." ||
  fail "no error box: $(probe windows)"
box_says "The file could not be created." || fail "the box does not say why: $(probe windows)"
screenshot error-box
keys Return
wait_until 10 no_dialog || fail "the error box stayed: $(probe windows)"
check "title after the failed save" "Veltrane Ordalis 1.0 - First.vtpreset*" "$(title)"
[ ! -e "$locked/Third.vtpreset" ] || fail "a file was written into the locked folder"
keys alt+f
wait_until 5 menu_shows 32781 "enabled Save &As..." || fail "Save As: $(menu_item 32781)"
check "the recent files" "$recent" "$(probe menu 32790 32791 32792 32793 32794)"
check "Save after the failed save" "enabled &Save	Ctrl+S" "$(menu_item 32780)"
keys Escape Escape

end_program
finish
