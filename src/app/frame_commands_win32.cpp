// The dispatch of the frame's commands to their handlers, and the refresh
// of the system pane: on the Refresh System Presets command and whenever
// the program becomes active, waiting while one of the program's modal
// loops runs.
#include <windows.h>
#include <shellapi.h>

#include "app/command_table.h"
#include "app/drag_drop_win32.h"
#include "app/find_box_win32.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "app/instance_handover_win32.h"
#include "app/selection_commands_win32.h"
#include "kernel/strings.h"
#include "resource.h"
#include "store/system_loader.h"
#include "views/rename_win32.h"

bool ModalLoopRuns(const FrameState& frame) { return frame.modal.depth > 0 || !IsWindowEnabled(frame.window); }

namespace {

// The stores are read again through the cache, so an unchanged store costs
// little; the tree keeps every node still right, and the list is refilled
// only when what it shows changed.
void RefreshSystemPane(FrameState& frame) {
  frame.modal.refreshPending = false;
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  RefreshSystemStore(frame.stores, frame.cache.get());
  RefreshStorePane(frame, StoreId::System);
  SetCursor(previous);
}

int32_t ShellOpenUrl(HWND owner, const char* url) {
  INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteA(owner, "open", url, nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32 ? 0 : E_FAIL;
}

// The commands that change the document or a store; the toolbar follows them.
bool OnEditingCommand(FrameState& frame, int command) {
  if (command >= ID_FILE_MRU_FIRST && command <= ID_FILE_MRU_LAST) {
    OpenRecentFile(frame, command - ID_FILE_MRU_FIRST);
    return true;
  }
  switch (command) {
    case ID_FILE_NEW:
      NewPackage(frame);
      return true;
    case ID_FILE_OPEN:
      OpenPackageCommand(frame);
      return true;
    case ID_FILE_SAVE:
      SavePackage(frame);
      return true;
    case ID_FILE_SAVE_AS:
      SavePackageAs(frame);
      return true;
    case ID_EDIT_UNDO:
      UndoLastStep(frame);
      return true;
    case ID_EDIT_REDO:
      RedoLastStep(frame);
      return true;
    case ID_EDIT_COPY_TO_FILE:
    case ID_EDIT_COPY_TO_SYSTEM:
      RunCopyCommand(frame);
      return true;
    case ID_EDIT_DELETE:
      RunDeleteCommand(frame);
      return true;
    default:
      return false;
  }
}

// The commands that only look or move around.
bool OnViewingCommand(FrameState& frame, int command) {
  switch (command) {
    case ID_APP_EXIT:
      PostMessageA(frame.window, WM_CLOSE, 0, 0);
      return true;
    case ID_EDIT_REFRESH:
      RequestSystemRefresh(frame);
      return true;
    case ID_EDIT_SELECT_ALL:
      SelectAllItems(frame);
      return true;
    case ID_NEXT_PANE_CONTROL:
    case ID_PREV_PANE_CONTROL:
      MoveFocus(frame, command == ID_NEXT_PANE_CONTROL);
      return true;
    case ID_EDIT_RENAME:
      RenameSelectedItem(frame);
      return true;
    case ID_EDIT_FIND:
      FocusFindBox(frame);
      return true;
    case ID_HELP_CONTENTS:
      ShowHelp(frame);
      return true;
    case ID_HELP_HOME_PAGE:
      OpenHomePage(frame);
      return true;
    case ID_APP_ABOUT:
      ShowAbout(frame);
      return true;
    case IDCANCEL:
      // Escape: ends a drag between the panes, if one runs.
      CancelDrag(frame);
      return true;
    default:
      return false;
  }
}

}  // namespace

bool OnCommand(FrameState& frame, int command) {
  // A toolbar button may show a state the focus has left behind: a command
  // runs only while its rule allows it, as its menu item would.
  const CommandInfo* info = FindCommand(command);
  if (info != nullptr && !IsCommandEnabled(info->rule, ReadCommandState(frame))) {
    UpdateToolbar(frame);
    return true;
  }
  if (OnEditingCommand(frame, command)) {
    UpdateToolbar(frame);
    return true;
  }
  return OnViewingCommand(frame, command);
}

void OpenHomePage(FrameState& frame) {
  char url[256];
  VtLoadString(frame.strings, IDS_HOME_PAGE_URL, url, sizeof(url));
  UrlOpener open = frame.openUrl != nullptr ? frame.openUrl : ShellOpenUrl;
  if (open(frame.window, url) < 0) ShowFrameBox(frame, MB_OK | MB_ICONEXCLAMATION, IDS_HOME_PAGE_FAILED, url);
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
  if (enabled && (frame.modal.refreshPending || frame.modal.openPending) && frame.modal.depth == 0) {
    PostMessageA(frame.window, kMsgDeferredRefresh, 0, 0);
  }
}

void RunDeferredRefresh(FrameState& frame) {
  if (frame.modal.refreshPending) RequestSystemRefresh(frame);
  if (frame.modal.openPending) OpenHandedPackage(frame);
}
