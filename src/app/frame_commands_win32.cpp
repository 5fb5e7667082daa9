// The frame's commands, and the refresh of the system pane: on the Refresh
// System Presets command and whenever the program becomes active, waiting
// while one of the program's modal loops runs.
#include <windows.h>

#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "resource.h"
#include "store/system_loader.h"
#include "views/preset_list_win32.h"
#include "views/rename_win32.h"
#include "views/store_tree_win32.h"

namespace {

// A modal loop runs: one of ours holds the modal state, or a box or dialog
// owned by the frame has disabled it.
bool ModalLoopRuns(const FrameState& frame) { return frame.modal.depth > 0 || !IsWindowEnabled(frame.window); }

// The stores are read again through the cache, so an unchanged store costs
// little; the tree keeps every node still right, and the list is refilled
// only when what it shows changed.
void RefreshSystemPane(FrameState& frame) {
  frame.modal.refreshPending = false;
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  RefreshSystemStore(frame.stores, frame.cache.get());
  Pane& pane = frame.panes[kSystemPane];
  RebuildStoreTree(pane, nullptr);
  pane.selectedKind = GetNodeInfo(pane, GetSelectedNode(pane), nullptr, 0, nullptr, 0);
  RefreshPresetList(pane);
  UpdateToolbar(frame);
  SetCursor(previous);
}

// Escape, and the Cancel command, end a drag of presets; none is started
// yet, so there is nothing to end.
void OnCancel(FrameState&) {}

}  // namespace

bool OnCommand(FrameState& frame, int command) {
  switch (command) {
    case ID_APP_EXIT:
      PostMessageA(frame.window, WM_CLOSE, 0, 0);
      return true;
    case ID_EDIT_REFRESH:
      RequestSystemRefresh(frame);
      return true;
    case IDCANCEL:
      OnCancel(frame);
      return true;
    default:
      return false;
  }
}

void RequestSystemRefresh(FrameState& frame) {
  if (frame.paneCount < 2) return;
  for (Pane& pane : frame.panes) ForgetVanishedLabelEdit(pane);
  if (ModalLoopRuns(frame)) {
    frame.modal.refreshPending = true;
    return;
  }
  RefreshSystemPane(frame);
}

void OnActivateApp(FrameState& frame, bool active) {
  if (active) RequestSystemRefresh(frame);
}

// A box or dialog owned by the frame has closed.
void OnEnable(FrameState& frame, bool enabled) {
  if (enabled && frame.modal.refreshPending && frame.modal.depth == 0) {
    PostMessageA(frame.window, kMsgDeferredRefresh, 0, 0);
  }
}

void RunDeferredRefresh(FrameState& frame) {
  if (frame.modal.refreshPending) RequestSystemRefresh(frame);
}
