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

// What a delete of a selection would take away, for the question asked
// before a large one.
struct DeleteScope {
  uint32_t presets = 0;
  uint32_t plugIns = 0;  // plug-in entries some of whose presets go
  uint32_t chains = 0;
  bool wholeGroup = false;  // the "FX Plug-Ins" or "FX Chains" group (or the root holding them)
};
DeleteScope MeasureDelete(const Stores& stores, StoreId store, const Selection& selection);

// A delete from the system store asks first when it takes more than one
// plug-in's presets, a whole group, or more than this many items.
constexpr uint32_t kQuietDeleteLimit = 100;
bool DeleteNeedsConfirmation(StoreId store, const DeleteScope& scope);

struct EditOutcome {
  int32_t status;          // E_CANCELLED, E_FAIL when nothing was to be done, a refusal, else the commit's status
  bool committed;          // a group went onto the undo stack and `changedStore` changed
  StoreId changedStore;    // the store to refresh when committed
  // When an item was refused before anything was written, or failed while
  // the group was carried out: which, and what about it, in words. The
  // group of a failed commit stays undoable: one Undo takes back what was
  // done.
  ActionFailure failure{};
};

// Copies everything the selections stand for from `source` into the other
// store as one undoable group: records it, checks it, commits it. A
// cancelled overwrite question, or an item the destination cannot hold,
// leaves both stores and the history as they were.
EditOutcome CopySelectionsToOtherStore(EditContext& edit, StoreId source, const Selection* selections, int count);
inline EditOutcome CopySelectionToOtherStore(EditContext& edit, StoreId source, const Selection& selection) {
  return CopySelectionsToOtherStore(edit, source, &selection, 1);
}

// The copy above in steps, for callers that look at what was recorded
// before they commit it. Recording puts the copy into a new pending group
// and gives 0, E_CANCELLED or E_OUTOFMEMORY (on anything but 0 the group is
// discarded); items no store can hold are left out and named in
// `edit.leftOut`. The check finds, before anything is written, the first
// item that the destination cannot hold (a name, a key name, DefLocation, a
// path's length), discards the group and names the item; status 0 when
// everything can be written. The commit carries the pending group out, or
// gives E_FAIL without committing when it holds no action.
int32_t RecordCopyOfSelections(EditContext& edit, StoreId source, const Selection* selections, int count);
EditOutcome CheckRecordedGroup(EditContext& edit, StoreId changedStore);
EditOutcome CommitRecordedGroup(EditContext& edit, StoreId changedStore);

// Commits as CommitRecordedGroup and, when an action fails, takes the whole
// group back at once (for callers that offer no later undo), so that the
// store is as it began; `committed` then stays false. When taking back
// fails too, `committed` is true: the store may hold part of the group.
EditOutcome CommitRecordedGroupOrTakeBack(EditContext& edit, StoreId changedStore);

// Deletes everything the selections stand for from `store` as one undoable
// group. A delete that fails part-way stays undoable as a whole.
EditOutcome DeleteSelections(EditContext& edit, StoreId store, const Selection* selections, int count);
inline EditOutcome DeleteSelection(EditContext& edit, StoreId store, const Selection& selection) {
  return DeleteSelections(edit, store, &selection, 1);
}
