#!/usr/bin/env bash
# The window made small and large again: the split between tree and list
# comes back as it was and the captions show; the next start shows the
# split the user dragged, not what the small window made of it. Tab and
# Shift+Tab move round the controls as Ctrl+Tab does, and a list reached so
# takes the arrow keys at once.
. "$(dirname "${BASH_SOURCE[0]}")/journey.sh"

write_store

# caption_drawn PANE: the pane's caption shows dark text on the screen.
caption_drawn() {
  local x y w h rest darkest
  read -r x y w h rest <<<"$(probe caption "$1")" || return 1
  import -window root "$work/screen.png" 2>/dev/null || return 1
  darkest=$(convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" -colorspace Gray -format '%[fx:int(minima*100)]' info: 2>/dev/null)
  [ -n "$darkest" ] && [ "$darkest" -lt 40 ]
}

# resize WIDTH HEIGHT: the frame takes that outer size, as the X server
# reports it.
resize() {
  xdotool windowsize "$window" "$1" "$2"
  wait_until 5 size_is "$1" "$2"
}
size_is() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  [ "$WIDTH" = "$1" ] && [ "$HEIGHT" = "$2" ]
}
split_is() { [ "$(probe split "$1")" = "$2" ]; }

start_program
step "the user drags the package pane's splitter to the left"
read -r cx cy cw ch _ <<<"$(probe caption package)"
read -r tree list <<<"$(probe split package)"
splitter_x=$((cx + tree + 3)) splitter_y=$((cy + ch + 60))
# drag presses 10 pixels left of its first point.
drag "$((splitter_x + 10)) $splitter_y" "$((splitter_x - 70)) $splitter_y"
wait_until 5 eval '[ "$(probe split package | cut -d" " -f1)" -lt "$tree" ]' ||
  fail "the drag did not move the split: $(probe split package)"
package_split=$(probe split package)
system_split=$(probe split system)
eval "$(xdotool getwindowgeometry --shell "$window")"
width=$WIDTH height=$HEIGHT

step "made small and large again"
resize 250 200 || fail "the window did not take 250 by 200"
resize "$width" "$height" || fail "the window did not come back to $width by $height"
wait_until 5 split_is package "$package_split" || fail "package split: $(probe split package), was $package_split"
wait_until 5 split_is system "$system_split" || fail "system split: $(probe split system), was $system_split"
wait_until 5 caption_drawn package || fail "the package pane's caption is not drawn"
wait_until 5 caption_drawn system || fail "the system pane's caption is not drawn"
screenshot resized

step "Tab and Shift+Tab round the controls"
select_node system "FX Plug-Ins" || fail "no FX Plug-Ins node"
keys shift+Tab
wait_until 5 focus_is "package tree" || fail "Shift+Tab from the system tree: focus on $(probe focus)"
keys Tab
wait_until 5 focus_is "system tree" || fail "Tab from the package tree: focus on $(probe focus)"
keys Tab
wait_until 5 focus_is "system list" || fail "Tab from the system tree: focus on $(probe focus)"
check "the list's focused item" "Aurora Reverb" "$(probe focuseditem system)"
keys Down Return
wait_until 5 selected_is system "Tidewater Delay" || fail "Down and Enter opened $(probe selected system)"
wait_until 5 list_is system "Dotted Quarter, Slapback, Tape Echo" || fail "system list: $(list_labels system)"
check "the opened plug-in's first preset is focused" "Dotted Quarter" "$(probe focuseditem system)"
keys Down
check "Down goes on from there" "Slapback" "$(probe focuseditem system)"
keys shift+Tab
wait_until 5 focus_is "system tree" || fail "Shift+Tab from the system list: focus on $(probe focus)"

step "the next start shows the split the user dragged"
keys alt+f x
wait_until 15 eval '! kill -0 "$program_pid" 2>/dev/null' || fail "File, Exit did not end the program"
program_pid=
start_program
wait_until 5 split_is package "$package_split" || fail "package split after a restart: $(probe split package), was $package_split"

end_program
finish
