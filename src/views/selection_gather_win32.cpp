#include "views/selection_gather_win32.h"

#include <commctrl.h>

#include "views/preset_list_win32.h"
#include "views/shown_selection.h"
#include "views/store_tree_win32.h"

int32_t GatherSelection(const Pane& pane, FocusKind focus, Selection* selection) {
  char label[kItemLabelSize] = {};
  char parentLabel[kItemLabelSize] = {};
  NodeKind kind = GetNodeInfo(pane, GetSelectedNode(pane), label, sizeof(label), parentLabel, sizeof(parentLabel));
  selection->names.Clear();
  if (kind == NodeKind::None) return 0;
  int32_t status = BeginSelection(SelectedNode{kind, label, parentLabel}, focus, selection);
  if (status != 0 || focus == FocusKind::Tree) return status;
  int32_t index = -1;
  while ((index = static_cast<int32_t>(SendMessageA(pane.list, LVM_GETNEXTITEM, static_cast<WPARAM>(index),
                                                    MAKELPARAM(LVNI_SELECTED, 0)))) >= 0) {
    char item[kItemLabelSize];
    GetListItemLabel(pane, index, item, sizeof(item));
    status = selection->names.Add(item);
    if (status != 0) return status;
  }
  return 0;
}

int32_t GatherShownSelections(const Pane& pane, FocusKind focus, std::vector<Selection>* selections) {
  selections->clear();
  Selection selection;
  int32_t status = GatherSelection(pane, focus, &selection);
  if (status != 0 || selection.names.Count() == 0) return status;
  static const NameMatch kEverything;
  return NarrowSelection(pane.Records(), pane.filter != nullptr ? *pane.filter : kEverything, selection, selections);
}
