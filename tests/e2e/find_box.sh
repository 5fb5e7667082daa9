#!/usr/bin/env bash
# The find box with real keys: Ctrl+F and part of a preset's name narrow both
# panes (the lists read from outside show only the match); the narrowed
# plug-in dragged onto the package copies only what it shows; Ctrl+Z takes
# it back; Escape in the box gives both panes back whole.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store
start_program

step "Ctrl+F and part of a preset's name narrow both panes"
select_node system "FX Plug-Ins" || fail "no system node FX Plug-Ins"
keys ctrl+f
wait_until 5 focus_is "other Edit" || fail "Ctrl+F left the focus on $(probe focus)"
type_text "SLAP"
no_reverb() { ! probe node system "Aurora Reverb" >/dev/null; }
wait_until 5 no_reverb || fail "the reverb, which holds no match, is still shown"
probe node system "FX Chains" >/dev/null && fail "the chains, which hold no match, are still shown"
wait_until 5 list_is system "Tidewater Delay" || fail "the FX Plug-Ins list: $(list_labels system)"
select_node system "Tidewater Delay" || fail "the narrowed delay node cannot be selected"
wait_until 5 list_is system "Slapback" || fail "the delay's list: $(list_labels system)"
screenshot narrowed

step "the narrowed delay node dropped on the package"
drag "$(probe node system "Tidewater Delay")" "$(probe listpoint package)"
wait_until 10 title_is "Veltrane Ordalis 1.0 - Untitled*" || fail "title after the drop: $(title)"
select_node package "Tidewater Delay" || fail "the package shows no delay"
wait_until 5 list_is package "Slapback" || fail "the package's delay: $(list_labels package)"

step "Ctrl+Z takes the copy back, still narrowed"
keys ctrl+z
no_package_delay() { ! probe node package "Tidewater Delay" >/dev/null; }
wait_until 10 no_package_delay || fail "the package still shows the delay"
no_reverb || fail "the undo showed the system pane whole"

step "Escape in the box gives both panes back whole"
keys ctrl+f
wait_until 5 focus_is "other Edit" || fail "Ctrl+F left the focus on $(probe focus)"
keys Escape
wait_until 5 probe node system "Aurora Reverb" || fail "the reverb did not come back"
probe node system "FX Chains" >/dev/null || fail "the chains did not come back"
check "the selection from before" "FX Plug-Ins" "$(probe selected system)"
wait_until 5 list_is system "Aurora Reverb, Tidewater Delay" || fail "the FX Plug-Ins list: $(list_labels system)"

end_program
finish
