#include "views/rename_win32.h"

#include <commctrl.h>

#include <cstring>

#include "kernel/msgbox.h"
#include "kernel/strings.h"
#include "resource.h"
#include "views/preset_list_win32.h"
#include "views/rename.h"
#include "views/store_tree_win32.h"

namespace {

// A begun edit holds the modal state until it ends; the list sends the end
// for every edit it began, cancelled ones included.
void BeginEdit(Pane& pane) {
  if (pane.labelEditing) return;
  pane.labelEditing = true;
  ModalState_Enter(*pane.modal);
}

void EndEdit(Pane& pane) {
  if (!pane.labelEditing) return;
  pane.labelEditing = false;
  ModalState_Leave(*pane.modal);
}

void ShowNameBox(Pane& pane, uint32_t textId, uint32_t captionId) {
  char text[256], caption[128];
  VtLoadString(pane.strings, textId, text, sizeof(text));
  VtLoadString(pane.strings, captionId, caption, sizeof(caption));
  ModalScope modal(*pane.modal);
  VtMessageBox(pane.parent, text, caption, MB_OK | MB_ICONEXCLAMATION);
}

// Says which step of a system-store rename failed, with the status
// explained.
void ShowRenameFailure(Pane& pane, const RenameOutcome& outcome, const char* oldName, const char* newName) {
  char operation[512];
  bool writing = outcome.failed == RenameStep::WriteNew;
  VtLoadString(pane.strings, writing ? IDS_RENAME_WRITE_FAILED : IDS_RENAME_REMOVE_FAILED, operation,
               sizeof(operation));
  int32_t status = outcome.status < 0 ? outcome.status : StatusFromError(static_cast<uint32_t>(outcome.status));
  ModalScope modal(*pane.modal);
  VtErrorHandler_MsgBox(pane.parent, MB_OK | MB_ICONEXCLAMATION, VtOperationText(operation), status,
                        writing ? newName : oldName, false);
}

}  // namespace

LRESULT OnBeginLabelEdit(Pane& pane) {
  NodeKind kind = GetNodeInfo(pane, GetSelectedNode(pane), nullptr, 0, nullptr, 0);
  if (kind != NodeKind::PlugIn && kind != NodeKind::ChainGroup) return 1;
  HWND edit = reinterpret_cast<HWND>(SendMessageA(pane.list, LVM_GETEDITCONTROL, 0, 0));
  if (edit != nullptr) SendMessageA(edit, EM_LIMITTEXT, kMaxRenameChars, 0);
  BeginEdit(pane);
  return 0;
}

void ForgetVanishedLabelEdit(Pane& pane) {
  if (pane.labelEditing && SendMessageA(pane.list, LVM_GETEDITCONTROL, 0, 0) == 0) EndEdit(pane);
}

EndLabelEdit OnEndLabelEdit(Pane& pane, const char* typed, int32_t item) {
  EndEdit(pane);
  EndLabelEdit end = {0, false};
  char nodeLabel[kNodeLabelSize] = {};
  NodeKind kind = GetNodeInfo(pane, GetSelectedNode(pane), nodeLabel, sizeof(nodeLabel), nullptr, 0);
  bool chain = kind == NodeKind::ChainGroup;
  char text[kNodeLabelSize];
  TrimNewName(typed, text, sizeof(text));
  switch (CheckNewName(text)) {
    case NameCheck::Cancelled:
      return end;
    case NameCheck::TooLong:
      ShowNameBox(pane, chain ? IDS_CHAIN_NAME_TOO_LONG : IDS_NAME_TOO_LONG,
                  chain ? IDS_CHAIN_NAME_TOO_LONG_TITLE : IDS_NAME_TOO_LONG_TITLE);
      return end;
    case NameCheck::Acceptable:
      break;
  }
  char oldLabel[kNodeLabelSize];
  GetListItemLabel(pane, item, oldLabel, sizeof(oldLabel));
  uint32_t conflictText = chain ? IDS_CHAIN_NAME_CONFLICT : IDS_NAME_CONFLICT;
  uint32_t conflictTitle = chain ? IDS_CHAIN_NAME_CONFLICT_TITLE : IDS_NAME_CONFLICT_TITLE;
  switch (FindRenameConflict(pane.Records(), kind, nodeLabel, oldLabel, text)) {
    case RenameConflict::SameName:
      if (strcmp(oldLabel, text) == 0) return end;
      break;  // only the letter case changes
    case RenameConflict::Conflict:
      ShowNameBox(pane, conflictText, conflictTitle);
      return end;
    case RenameConflict::None:
      break;
  }

  RenameOutcome outcome = RenameItem(*pane.stores, pane.store, kind, nodeLabel, oldLabel, text);
  if (outcome.takenInStore) {
    ShowNameBox(pane, conflictText, conflictTitle);
    return end;
  }
  end.storeChanged = outcome.renamed || outcome.bothStored;
  if (outcome.renamed) {
    if (typed != nullptr && strcmp(typed, text) == 0) {
      end.result = 1;
    } else {
      // The list would take the typed text; it shows the trimmed one.
      LVITEMA label = {};
      label.pszText = text;
      SendMessageA(pane.list, LVM_SETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&label));
    }
    NotePresetListRenamed(pane, oldLabel, text);
  }
  if (outcome.failed != RenameStep::None) ShowRenameFailure(pane, outcome, oldLabel, text);
  if (outcome.bothStored) {
    // The list shows the item under both names once the edit is over.
    PostMessageA(pane.parent, kMsgRefillPresetList, static_cast<WPARAM>(pane.index), 0);
  }
  return end;
}
