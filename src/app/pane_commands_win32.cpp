// Commands on the panes' controls: Select all, the focus moving around the
// four controls (Ctrl+Tab, Ctrl+Shift+Tab), and Rename.
#include <windows.h>
#include <commctrl.h>

#include "app/find_box_win32.h"
#include "app/focus_ring.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"

namespace {

int32_t ListCount(const Pane& pane) { return static_cast<int32_t>(SendMessageA(pane.list, LVM_GETITEMCOUNT, 0, 0)); }

void SelectListItem(const Pane& pane, int32_t index) {
  LVITEMA state = {};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageA(pane.list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
}

}  // namespace

// Only when a list had the focus last; a tree's Ctrl+A does nothing.
void SelectAllItems(FrameState& frame) {
  if (frame.paneCount < 2 || frame.activeKind != FocusKind::List) return;
  SelectListItem(frame.panes[frame.activePane], -1);
}

void MoveFocus(FrameState& frame, bool forward) {
  if (frame.paneCount < 2) return;
  bool hasItems[4];
  for (int index = 0; index < 2; ++index) {
    const Pane& pane = frame.panes[index];
    hasItems[index * 2] = SendMessageA(pane.tree, TVM_GETCOUNT, 0, 0) > 0;
    hasItems[index * 2 + 1] = ListCount(pane) > 0;
  }
  // From the find box the ring goes on at its start (or, backwards, its end).
  bool fromBox = FindBoxHasFocus(frame);
  PaneControl from = {frame.activePane, GetFocusKind(frame)};
  if (fromBox) from = forward ? PaneControl{kSystemPane, FocusKind::List} : PaneControl{kPackagePane, FocusKind::Tree};
  PaneControl target = StepFocus(from.pane, from.kind, forward, hasItems);
  if (target.kind == FocusKind::None) return;
  if (!fromBox && StepPassesFindBox(from, target, forward) && IsWindowVisible(frame.findBox)) {
    FocusFindBox(frame);
    return;
  }
  const Pane& pane = frame.panes[target.pane];
  if (target.kind == FocusKind::Tree) {
    SetFocus(pane.tree);
    return;
  }
  if (SendMessageA(pane.list, LVM_GETSELECTEDCOUNT, 0, 0) == 0) SelectListItem(pane, 0);
  SetFocus(pane.list);
}

// The first selected item of the focused list; whether it may be renamed
// is the list's own rule.
void RenameSelectedItem(FrameState& frame) {
  if (frame.paneCount < 2 || GetFocusKind(frame) != FocusKind::List) return;
  const Pane& pane = frame.panes[frame.activePane];
  if (ListCount(pane) == 0) return;
  int32_t selected = static_cast<int32_t>(SendMessageA(pane.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (selected >= 0) SendMessageA(pane.list, LVM_EDITLABELA, static_cast<WPARAM>(selected), 0);
}
