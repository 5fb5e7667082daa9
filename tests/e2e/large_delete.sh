#!/usr/bin/env bash
# Deleting "FX Plug-Ins" from a large store of this computer: the program
# asks first, No the default; No changes nothing; Yes deletes, and the work
# shows a progress window whose Cancel stops it part-way; the box says how
# far it got, and one Ctrl+Z brings back what went. The presets are counted through
# reg.exe, which makes this journey slower than most.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

plug_ins=500 per_plug_in=45
total=$((plug_ins * per_plug_in))

# A store of many small presets, imported by reg.exe in one start.
write_large_store() {
  local root='HKEY_CURRENT_USER\Software\DirectShow\Presets' p k
  {
    printf 'Windows Registry Editor Version 5.00\n\n'
    for ((p = 0; p < plug_ins; p++)); do
      printf '[%s\\{7A000000-0000-4000-8000-%012d}]\n' "$root" "$p"
      for ((k = 0; k < per_plug_in; k++)); do printf '"Preset %02d"=hex:%02x,01,02,03,04,05,06,07\n' "$k" $((k % 256)); done
      printf '\n'
    done
  } >"$work/large.reg"
  "$loader" reg import "$(winepath_of "$work/large.reg")" >/dev/null 2>&1 || fail "reg.exe could not import the store"
}

# The presets the registry holds.
preset_count() { "$loader" reg query "$presets_key" /s 2>/dev/null | grep -c REG_BINARY; }
count_is() { [ "$(preset_count)" = "$1" ]; }

step "a store of $total presets"
write_large_store
start_program
select_node system "FX Plug-Ins" || fail "no FX Plug-Ins node"

step "Delete asks; Enter takes the default, No"
keys Delete
wait_until 10 box_says "Delete 22,500 presets of 500 plug-ins from this computer?" ||
  fail "no question before the delete: $(probe windows)"
screenshot question
keys Return
wait_until 10 no_dialog || fail "the question stayed: $(probe windows)"
check "presets after No" "$total" "$(preset_count)"
keys alt+e
wait_until 5 menu_shows 32784 "grayed Can't &Undo	Ctrl+Z" || fail "No left something to undo: $(menu_item 32784)"
keys Escape Escape

step "Yes deletes with a progress window; Escape there stops it"
select_node system "FX Plug-Ins" || fail "no FX Plug-Ins node"
keys Delete
wait_until 10 box_says "Delete 22,500 presets" || fail "no question the second time: $(probe windows)"
keys y
wait_until 20 dialog_shown "Deleting" || fail "no progress window: $(probe windows)"
screenshot progress
keys Escape
wait_until 60 box_says "Stopped after" || fail "no word of how far the delete got: $(probe windows)"
said=$(probe windows | grep -o 'Stopped after [0-9,]* of [0-9,]* items')
done_count=$(printf '%s' "$said" | sed 's/Stopped after \([0-9,]*\) of.*/\1/; s/,//g')
echo "the box: $said"
check "the total in the box" "Stopped after $done_count of 22,500 items" "$(printf '%s' "$said" | sed 's/after [0-9,]* of/after '"$done_count"' of/')"
[ -n "$done_count" ] && [ "$done_count" -gt 0 ] && [ "$done_count" -lt "$total" ] ||
  fail "the delete was not stopped part-way: $said"
keys Return
wait_until 10 no_dialog || fail "the box stayed: $(probe windows)"
check "presets left" "$((total - ${done_count:-0}))" "$(preset_count)"

step "one Ctrl+Z brings back what went"
keys alt+e
wait_until 5 menu_shows 32784 "enabled &Undo Delete	Ctrl+Z" || fail "Undo after the stop: $(menu_item 32784)"
keys Escape Escape
keys ctrl+z
wait_until 60 count_is "$total" || fail "after Ctrl+Z: $(preset_count) presets"
keys alt+e
wait_until 5 menu_shows 32784 "grayed Can't &Undo	Ctrl+Z" || fail "more than one step to undo: $(menu_item 32784)"
keys Escape Escape

end_program
finish
