#!/usr/bin/env bash
# Drags with the real mouse: Escape cancels one; package presets dropped on the system tree go
# into the registry; a plug-in node of the system tree dropped on the
# package list puts exactly its presets, byte for byte, into the package a
# Save then writes; Ctrl+Z twice restores both the package and the registry.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
package="$docs\\Extra.vtpreset"
delay_key="$presets_key\\$delay"
make_package "$package" --plugin "Tidewater Delay" || fail "ordalis-cli could not make the package"
# The delay's presets are then only in the package.
wine_do reg delete "$delay_key" /f >/dev/null 2>&1
reg_lacks "$delay_key" "Slapback" || fail "the delay's presets are still in the registry"
cp "$docs_unix/Extra.vtpreset" "$work/original.vtpreset"

start_program "$package"
step "a drag cancelled by Escape copies nothing"
open_node system "FX Plug-Ins" "Aurora Reverb"
press_and_move "$(probe node system "Aurora Reverb")" "$(probe listpoint package)"
keys Escape
xdotool mouseup 1
# The menu opens after the release is handled: input is handled in order.
keys alt+e
wait_until 5 menu_shows 32784 "grayed Can't &Undo	Ctrl+Z" || fail "Undo after the cancelled drag: $(menu_item 32784)"
keys Escape Escape
check "title after the cancelled drag" "Veltrane Ordalis 1.0 - Extra.vtpreset" "$(title)"

step "the package's delay node dropped on the system tree"
open_node package "Extra.vtpreset" "FX Plug-Ins"
open_node package "FX Plug-Ins" "Tidewater Delay"
drag "$(probe node package "Tidewater Delay")" "$(probe node system "FX Chains")"
for name in "Dotted Quarter" "Slapback" "Tape Echo"; do
  wait_until 10 reg_has "$delay_key" "$name" || fail "$name did not arrive in the registry"
  check "$name's data in the registry" "$(package_data "$package" "$name")" "$(reg_value "$delay_key" "$name")"
done
screenshot to-system

step "the system's reverb node dropped on the package list"
open_node system "FX Plug-Ins" "Aurora Reverb"
drag "$(probe node system "Aurora Reverb")" "$(probe listpoint package)"
wait_until 10 title_is "Veltrane Ordalis 1.0 - Extra.vtpreset*" || fail "title after the drop: $(title)"
screenshot to-package
keys ctrl+s
wait_until 10 title_is "Veltrane Ordalis 1.0 - Extra.vtpreset" || fail "title after the save: $(title)"
names=$(cli list --json "$package" | python3 -c '
import json, sys
def names(node, inside):
    if isinstance(node, dict):
        if inside and "name" in node and "size" in node:
            yield node["name"]
        for key, child in node.items():
            yield from names(child, inside or node.get("name") == "Aurora Reverb")
    elif isinstance(node, list):
        for child in node:
            yield from names(child, inside)
print(", ".join(sorted(names(json.load(sys.stdin), False))))')
check "the reverb's presets in the saved package" "Cathedral, Drum Hall, Plate Short" "$names"
for name in "Drum Hall" "Plate Short"; do
  check "$name's data in the package" "$(reg_value "$presets_key\\$reverb" "$name")" "$(package_data "$package" "$name")"
done
cathedral=$(od -An -tx1 -v "$docs_unix/Presets/$reverb/Cathedral.dxp" | tr -d ' \n' | tr a-f A-F)
check "Cathedral's data (kept in a file) in the package" "$cathedral" "$(package_data "$package" "Cathedral")"

step "Ctrl+Z twice restores the package and the registry"
keys ctrl+z
wait_until 10 title_is "Veltrane Ordalis 1.0 - Extra.vtpreset*" || fail "title after the undo: $(title)"
keys ctrl+z
wait_until 10 reg_lacks "$delay_key" "Slapback" || fail "the second Ctrl+Z left Slapback in the registry"
reg_lacks "$delay_key" "Tape Echo" || fail "the second Ctrl+Z left Tape Echo in the registry"
keys ctrl+s
wait_until 10 title_is "Veltrane Ordalis 1.0 - Extra.vtpreset" || fail "title after the second save: $(title)"
cmp -s "$work/original.vtpreset" "$docs_unix/Extra.vtpreset" || fail "the package saved after the undo differs from the original"

end_program
finish
