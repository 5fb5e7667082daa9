// The undo and redo history. Every copy and delete is recorded as one group
// of small actions; committing a group carries its actions out, undoing
// takes them back, redoing carries them out again. The history never calls
// the views: commit, undo and redo give a status and the store they changed,
// and the caller refreshes that store's pane.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kernel/item_list.h"
#include "model/model_object.h"
#include "store/stores.h"

struct VtLang;

// One undoable step. An action owns the snapshots it works with (copies of
// records, never pointers into the collections) and destroys them with
// itself. Apply carries it out (commit and redo), Revert takes it back (undo).
struct HistoryAction : ModelObject {
  uint32_t store;  // the store the action changes

  explicit HistoryAction(uint32_t changedStore) : store(changedStore) {}
  virtual int32_t Apply(Stores& stores) = 0;
  virtual int32_t Revert(Stores& stores) = 0;
};

constexpr size_t kGroupNameSize = 128;

struct HistoryGroup {
  uint32_t source;       // the store the operation started from; kept, not used
  uint32_t destination;  // the store the group changes
  VtList* actions;       // owned actions, in recording order
  char name[kGroupNameSize];
};

// Overwrite answers standing for the rest of the group being recorded.
constexpr uint32_t kOverwriteAsk = 0;
constexpr uint32_t kOverwriteAll = 1;
constexpr uint32_t kOverwriteNone = 2;

struct History {
  uint32_t overwriteAnswer;
  VtList* redo;           // owned groups that can be redone, newest first
  VtList* undo;           // owned groups that can be undone, newest first
  HistoryGroup* pending;  // owned; the group being recorded, or null
};

// Null when memory is short.
History* CreateHistory();
void DestroyHistory(History* history);

// Starts recording a new group (a group left pending is destroyed) and sets
// the overwrite answer back to asking.
void BeginGroup(History& history, uint32_t source, uint32_t destination);
// Names the pending group with string `id` ("Copy", "Delete").
void SetGroupName(History& history, VtLang* strings, uint32_t id);
// The pending group takes the action; without one the action is destroyed.
void AddAction(History& history, HistoryAction* action);
void DiscardGroup(History& history);
// Number of actions recorded in the pending group (0 when none is pending).
int32_t GetPendingActionCount(const History& history);

// Commits the pending group: the redo stack is emptied, the group becomes
// the newest undo entry, and every action is applied in recording order.
// A failing action does not stop the rest. Gives E_FAIL (and keeps no group)
// when the group holds no action; otherwise the first negative status of
// the actions, or when none failed the last action's status.
int32_t CommitGroup(History& history, Stores& stores);

// Undo reverts the newest undo group's actions in recording order and moves
// it to the redo stack; Redo applies the newest redo group again and moves
// it back. Both give 0 and change nothing when their stack is empty;
// otherwise the status as CommitGroup gives it, and `changedStore` (when
// given) receives the group's destination.
int32_t Undo(History& history, Stores& stores, uint32_t* changedStore);
int32_t Redo(History& history, Stores& stores, uint32_t* changedStore);

int32_t GetUndoCount(const History& history);
int32_t GetRedoCount(const History& history);
// The newest group's name, cut to the buffer; empty when the stack is.
void GetUndoName(const History& history, char* buffer, size_t size);
void GetRedoName(const History& history, char* buffer, size_t size);
void ClearUndo(History& history);
void ClearRedo(History& history);
