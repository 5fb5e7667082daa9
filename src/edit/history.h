// The undo and redo history. Every copy and delete is recorded as one group
// of small actions; committing a group carries its actions out, undoing
// takes them back, redoing carries them out again. The history never calls
// the views: commit, undo and redo give a status and the store they changed,
// and the caller refreshes that store's pane.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "journal/journal_capture.h"
#include "model/names.h"
#include "store/store_check.h"
#include "store/store_failure.h"
#include "store/stores.h"

// One undoable step. An action owns the snapshots it works with (copies of
// records, never pointers into the collections). Apply carries it out
// (commit and redo), Revert takes it back (undo); either gives 0 or a
// failure, which leaves the store as it was and is described in
// `failure` when given.
class HistoryAction {
 public:
  explicit HistoryAction(StoreId changedStore) : store(changedStore) {}
  virtual ~HistoryAction() = default;
  HistoryAction(const HistoryAction&) = delete;
  HistoryAction& operator=(const HistoryAction&) = delete;

  virtual int32_t Apply(Stores& stores, StoreFailure* failure) = 0;
  virtual int32_t Revert(Stores& stores, StoreFailure* failure) = 0;
  // The item the action is about, in words, for a failure: "the preset
  // "Warm" of Studio Reverb".
  virtual void NameItem(char* buffer, size_t size) const;
  // Whether what Apply would write can be written into the system store
  // (0), or the failure, in words, before anything is written.
  virtual int32_t CheckWritable(const StoreLocations& locations, StoreFailure* failure) const;
  // Once an undo has reverted the whole group, removes what Apply made
  // around its item (keys, a DefLocation) that nothing else is in. Called
  // newest action first, so that outer keys empty out.
  virtual void TakeBackCreated() {}
  // Whether the item is a chain (else a preset).
  virtual bool IsChain() const { return false; }
  // The system store's items the action may change, for the journal;
  // none for an action on the package. Throws std::bad_alloc.
  virtual void AddJournalTargets(std::vector<JournalTarget>*) const {}

  const StoreId store;  // the store the action changes
  bool applied = false; // carried out and not taken back: Undo reverts only such actions
};

// What a group did, for the Edit menu's Undo and Redo texts.
enum class GroupKind { Copy, Delete };

struct HistoryGroup {
  StoreId source;       // the store the operation started from; kept, not used
  StoreId destination;  // the store the group changes
  GroupKind kind;
  std::vector<std::unique_ptr<HistoryAction>> actions;  // in recording order
};

struct ActionFailure;

// The standing answer to the overwrite question for the rest of the group
// being recorded.
enum class OverwriteRule { Ask, OverwriteAll, SkipAll };

// Which way a group is run.
enum class GroupStep { Commit, Undo, Redo };

// Told before a group that changes the system store runs and after it
// ended. Begin may refuse the group (a failure, with `failure` filled in):
// then nothing of it runs.
class GroupGuard {
 public:
  virtual ~GroupGuard() = default;
  virtual int32_t Begin(const HistoryGroup& group, GroupStep step, ActionFailure* failure) = 0;
  virtual void End(const HistoryGroup& group, int32_t status) = 0;
};

struct History {
  GroupGuard* guard = nullptr;  // null: groups run unguarded
  OverwriteRule overwriteRule = OverwriteRule::Ask;
  std::vector<std::unique_ptr<HistoryGroup>> undo;  // newest last
  std::vector<std::unique_ptr<HistoryGroup>> redo;  // newest last
  std::unique_ptr<HistoryGroup> pending;            // the group being recorded, or null
};

// The first action that failed while a group was carried out or taken
// back (or that could not be written at all): which item, and what failed,
// in words.
constexpr size_t kItemTextSize = 2 * kNameSize + 32;
struct ActionFailure {
  int32_t status = 0;
  char item[kItemTextSize] = {};
  char detail[kStoreFailureSize] = {};
};

// Starts recording a new group (a group left pending is destroyed) and sets
// the overwrite rule back to asking. False when memory is short (then no
// group is pending).
bool BeginGroup(History& history, StoreId source, StoreId destination, GroupKind kind);
// The pending group takes the action; E_OUTOFMEMORY (the action destroyed)
// without a pending group or without room.
int32_t AddAction(History& history, std::unique_ptr<HistoryAction> action);
// The pending group's action at `index` gives way to `action`.
void ReplacePendingAction(History& history, int32_t index, std::unique_ptr<HistoryAction> action);
void DiscardGroup(History& history);
// Number of actions recorded in the pending group (0 when none is pending).
int32_t GetPendingActionCount(const History& history);

// Commits the pending group: the redo stack is emptied, the group becomes
// the newest undo entry, and every action is applied in recording order.
// A failing action does not stop the rest. Gives E_FAIL (and keeps no group)
// when the group holds no action; otherwise 0 or the first failure, which
// `failure` (when given) describes.
int32_t CommitGroup(History& history, Stores& stores, ActionFailure* failure = nullptr);

// Undo reverts, in recording order, those actions of the newest undo group
// that were carried out (then removes the keys they made), and moves it to
// the redo stack; Redo applies the
// newest redo group again and moves it back. Both give 0 and change nothing
// when their stack is empty; otherwise the status as CommitGroup gives it,
// and `changedStore` (when given) receives the group's destination.
int32_t Undo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure = nullptr);
int32_t Redo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure = nullptr);

int32_t GetUndoCount(const History& history);
int32_t GetRedoCount(const History& history);
// The kind of the newest group of a stack; callers ask only when it is not empty.
GroupKind GetUndoKind(const History& history);
// What the newest undoable group carried out: presets, chains (both false
// without a group). A drop shows the destination's node for what arrived.
struct GroupItems {
  bool presets = false;
  bool chains = false;
};
GroupItems GetUndoItems(const History& history);
GroupKind GetRedoKind(const History& history);
void ClearUndo(History& history);
void ClearRedo(History& history);
