#include "edit/history.h"

#include "model/owned.h"

namespace {

// Runs every action of the group one way. The first failure is what the
// caller hears of; without one, the last action's status.
int32_t RunGroup(HistoryGroup& group, Stores& stores, bool apply) {
  int32_t last = 0;
  int32_t firstFailure = 0;
  for (const std::unique_ptr<HistoryAction>& action : group.actions) {
    last = apply ? action->Apply(stores) : action->Revert(stores);
    if (StatusFailed(last) && firstFailure == 0) firstFailure = last;
  }
  return firstFailure != 0 ? firstFailure : last;
}

// Moves the newest group of `from` onto `to`, running it on the way.
int32_t Replay(std::vector<std::unique_ptr<HistoryGroup>>& from, std::vector<std::unique_ptr<HistoryGroup>>& to,
               bool apply, Stores& stores, StoreId* changedStore) {
  if (from.empty()) return 0;
  std::unique_ptr<HistoryGroup> group = std::move(from.back());
  from.pop_back();
  if (changedStore != nullptr) *changedStore = group->destination;
  int32_t status = RunGroup(*group, stores, apply);
  // Without room on the other stack the group cannot be replayed again.
  AppendOwned(to, std::move(group));
  return status;
}

}  // namespace

bool BeginGroup(History& history, StoreId source, StoreId destination, GroupKind kind) {
  history.pending = MakeOwned<HistoryGroup>();
  history.overwriteRule = OverwriteRule::Ask;
  if (!history.pending) return false;
  history.pending->source = source;
  history.pending->destination = destination;
  history.pending->kind = kind;
  return true;
}

int32_t AddAction(History& history, std::unique_ptr<HistoryAction> action) {
  if (!history.pending) return E_OUTOFMEMORY;
  return AppendOwned(history.pending->actions, std::move(action));
}

void DiscardGroup(History& history) { history.pending.reset(); }

int32_t GetPendingActionCount(const History& history) {
  return history.pending ? static_cast<int32_t>(history.pending->actions.size()) : 0;
}

int32_t CommitGroup(History& history, Stores& stores) {
  std::unique_ptr<HistoryGroup> group = std::move(history.pending);
  if (!group || group->actions.empty()) return E_FAIL;
  ClearRedo(history);
  HistoryGroup* committed = group.get();
  // A group that cannot be undone is not carried out either.
  int32_t status = AppendOwned(history.undo, std::move(group));
  if (status != 0) return status;
  return RunGroup(*committed, stores, true);
}

int32_t Undo(History& history, Stores& stores, StoreId* changedStore) {
  return Replay(history.undo, history.redo, false, stores, changedStore);
}

int32_t Redo(History& history, Stores& stores, StoreId* changedStore) {
  return Replay(history.redo, history.undo, true, stores, changedStore);
}

int32_t GetUndoCount(const History& history) { return static_cast<int32_t>(history.undo.size()); }
int32_t GetRedoCount(const History& history) { return static_cast<int32_t>(history.redo.size()); }

GroupKind GetUndoKind(const History& history) {
  return history.undo.empty() ? GroupKind::Copy : history.undo.back()->kind;
}
GroupKind GetRedoKind(const History& history) {
  return history.redo.empty() ? GroupKind::Copy : history.redo.back()->kind;
}

void ClearUndo(History& history) { history.undo.clear(); }
void ClearRedo(History& history) { history.redo.clear(); }
