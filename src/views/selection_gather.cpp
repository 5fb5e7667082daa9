#include "views/selection_gather.h"

#include "platform/text.h"

int32_t BeginSelection(const SelectedNode& node, FocusKind focus, Selection* selection) {
  selection->names.Clear();
  selection->focus = focus;
  selection->selectedKind = node.kind;
  if (focus == FocusKind::Tree) {
    Text_Copy(selection->context, sizeof(selection->context), node.parentLabel);
    return selection->names.Add(node.label);
  }
  Text_Copy(selection->context, sizeof(selection->context), node.label);
  return 0;
}

