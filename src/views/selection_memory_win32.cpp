#include "views/selection_memory_win32.h"

#include <commctrl.h>

#include <new>

#include "views/preset_list_win32.h"
#include "views/store_tree_win32.h"

void RememberSelection(const Pane& pane, PaneSelectionMemory* memory) {
  *memory = PaneSelectionMemory();
  try {
    for (HTREEITEM node = GetSelectedNode(pane); node != nullptr;
         node = reinterpret_cast<HTREEITEM>(
             SendMessageA(pane.tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(node)))) {
      char label[kItemLabelSize];
      GetNodeLabel(pane, node, label, sizeof(label));
      memory->nodePath.insert(memory->nodePath.begin(), label);
    }
    int32_t index = -1;
    while ((index = static_cast<int32_t>(SendMessageA(pane.list, LVM_GETNEXTITEM, static_cast<WPARAM>(index),
                                                      MAKELPARAM(LVNI_SELECTED, 0)))) >= 0) {
      char label[kItemLabelSize];
      GetListItemLabel(pane, index, label, sizeof(label));
      memory->listItems.emplace_back(label);
    }
  } catch (const std::bad_alloc&) {
    // What was kept is restored; the rest is lost, never the panes.
  }
  memory->kept = true;
}

void RestoreSelection(Pane& pane, PaneSelectionMemory* memory) {
  if (!memory->kept) return;
  HTREEITEM node = nullptr;
  for (const std::string& label : memory->nodePath) {
    HTREEITEM child = FindChildNode(pane, node, label.c_str());
    if (child == nullptr) break;
    node = child;
  }
  if (node != nullptr) {
    // Selecting fills the list for the node.
    SendMessageA(pane.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node));
    SendMessageA(pane.tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(node));
  }
  // The node may have stayed selected throughout: its list is made whole too.
  pane.selectedKind = GetNodeInfo(pane, GetSelectedNode(pane), nullptr, 0, nullptr, 0);
  RefreshPresetList(pane);
  LVITEMA none = {};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(pane.list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  bool first = true;
  for (const std::string& label : memory->listItems) {
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = label.c_str();
    int32_t index = static_cast<int32_t>(SendMessageA(pane.list, LVM_FINDITEMA, static_cast<WPARAM>(-1),
                                                      reinterpret_cast<LPARAM>(&find)));
    if (index < 0) continue;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | (first ? LVIS_FOCUSED : 0);
    state.state = state.stateMask;
    SendMessageA(pane.list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    if (first) SendMessageA(pane.list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    first = false;
  }
  *memory = PaneSelectionMemory();
}
