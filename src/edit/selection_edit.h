// Copying and deleting what is selected in a pane, found by name: the layer
// below the views that the frame's commands, drops and ordalis-cli share.
// A selection is a list of names with a context name; each name is
// classified by the kind of the pane's selected node and the focus.
#pragma once

#include <cstdint>

#include "edit/edit_context.h"
#include "edit/name_list.h"
#include "model/names.h"
#include "model/node_kind.h"

struct Selection {
  NameList names;
  char context[kNameSize] = {};  // list selection: the selected node; tree selection: its parent
  FocusKind focus = FocusKind::None;
  NodeKind selectedKind = NodeKind::None;  // kind of the tree's selected node
};

// The kind of record one name stands for; None means the name is ignored.
NodeKind ClassifyItem(const char* name, FocusKind focus, NodeKind selectedKind);

// The presets and chains the names of a selection cover in `store`.
uint32_t CountAffectedItems(const Stores& stores, StoreId store, const Selection& selection);

struct EditOutcome {
  int32_t status;          // E_CANCELLED, E_FAIL when nothing was to be done, else the commit's status
  bool committed;          // a group went onto the undo stack and `changedStore` changed
  StoreId changedStore;    // the store to refresh when committed
};

// Copies everything the selections stand for from `source` into the other
// store as one undoable group. A cancelled overwrite question leaves both
// stores and the history as they were.
EditOutcome CopySelectionsToOtherStore(EditContext& edit, StoreId source, const Selection* selections, int count);
inline EditOutcome CopySelectionToOtherStore(EditContext& edit, StoreId source, const Selection& selection) {
  return CopySelectionsToOtherStore(edit, source, &selection, 1);
}

// The copy above in two steps, for callers that look at what was recorded
// before they commit it: the first records the copy into a new pending group
// and gives 0, E_CANCELLED or E_OUTOFMEMORY (on anything but 0 the group is
// discarded); the second commits the pending group, or gives E_FAIL without
// committing when it holds no action.
int32_t RecordCopyOfSelections(EditContext& edit, StoreId source, const Selection* selections, int count);
EditOutcome CommitRecordedGroup(EditContext& edit, StoreId changedStore);

// Deletes everything the selections stand for from `store` as one undoable
// group.
EditOutcome DeleteSelections(EditContext& edit, StoreId store, const Selection* selections, int count);
inline EditOutcome DeleteSelection(EditContext& edit, StoreId store, const Selection& selection) {
  return DeleteSelections(edit, store, &selection, 1);
}
