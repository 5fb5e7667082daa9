#include "edit/history.h"

#include "model/owned.h"
#include "platform/text.h"

namespace {

void Describe(const HistoryAction& action, const StoreFailure& cause, int32_t status, ActionFailure* failure) {
  if (failure == nullptr || failure->status != 0) return;
  failure->status = status;
  action.NameItem(failure->item, sizeof(failure->item));
  Text_Copy(failure->detail, sizeof(failure->detail), cause.detail);
}

// Runs the group's actions one way: every action forward, or back those
// that were carried out. The first failure is what the caller hears of.
int32_t RunGroup(HistoryGroup& group, Stores& stores, bool apply, ActionFailure* failure) {
  int32_t firstFailure = 0;
  std::vector<bool> reverted(group.actions.size(), false);
  for (size_t i = 0; i < group.actions.size(); ++i) {
    HistoryAction& action = *group.actions[i];
    if (!apply && !action.applied) continue;
    StoreFailure cause;
    int32_t status = apply ? action.Apply(stores, &cause) : action.Revert(stores, &cause);
    if (status == 0) {
      action.applied = apply;
      reverted[i] = !apply;
    }
    if (StatusFailed(status) && firstFailure == 0) {
      firstFailure = status;
      Describe(action, cause, status, failure);
    }
  }
  for (size_t i = group.actions.size(); i-- > 0;) {
    if (reverted[i]) group.actions[i]->TakeBackCreated();
  }
  return firstFailure;
}

// Runs the group under the history's guard, when the group changes the
// system store; a guard that refuses it keeps the group from running.
int32_t RunGuarded(History& history, HistoryGroup& group, Stores& stores, GroupStep step, ActionFailure* failure,
                   bool* ran) {
  *ran = false;
  GroupGuard* guard = group.destination == StoreId::System ? history.guard : nullptr;
  if (guard != nullptr) {
    int32_t refused = guard->Begin(group, step, failure);
    if (refused != 0) return refused;
  }
  *ran = true;
  int32_t status = RunGroup(group, stores, step != GroupStep::Undo, failure);
  if (guard != nullptr) guard->End(group, status);
  return status;
}

// Moves the newest group of `from` onto `to`, running it on the way.
int32_t Replay(History& history, bool apply, Stores& stores, StoreId* changedStore, ActionFailure* failure) {
  std::vector<std::unique_ptr<HistoryGroup>>& from = apply ? history.redo : history.undo;
  std::vector<std::unique_ptr<HistoryGroup>>& to = apply ? history.undo : history.redo;
  if (from.empty()) return 0;
  if (changedStore != nullptr) *changedStore = from.back()->destination;
  bool ran = false;
  int32_t status =
      RunGuarded(history, *from.back(), stores, apply ? GroupStep::Redo : GroupStep::Undo, failure, &ran);
  if (!ran) return status;  // refused: the group stays where it was
  std::unique_ptr<HistoryGroup> group = std::move(from.back());
  from.pop_back();
  // Without room on the other stack the group cannot be replayed again.
  AppendOwned(to, std::move(group));
  return status;
}

}  // namespace

void HistoryAction::NameItem(char* buffer, size_t size) const { Text_Copy(buffer, size, "an item"); }

int32_t HistoryAction::CheckWritable(const StoreLocations&, StoreFailure*) const { return 0; }

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

void ReplacePendingAction(History& history, int32_t index, std::unique_ptr<HistoryAction> action) {
  if (!history.pending || index < 0 || static_cast<size_t>(index) >= history.pending->actions.size() || !action) return;
  history.pending->actions[static_cast<size_t>(index)] = std::move(action);
}

void DiscardGroup(History& history) { history.pending.reset(); }

int32_t GetPendingActionCount(const History& history) {
  return history.pending ? static_cast<int32_t>(history.pending->actions.size()) : 0;
}

int32_t CommitGroup(History& history, Stores& stores, ActionFailure* failure) {
  std::unique_ptr<HistoryGroup> group = std::move(history.pending);
  if (!group || group->actions.empty()) return E_FAIL;
  GroupGuard* guard = group->destination == StoreId::System ? history.guard : nullptr;
  if (guard != nullptr) {
    int32_t refused = guard->Begin(*group, GroupStep::Commit, failure);
    if (refused != 0) return refused;
  }
  ClearRedo(history);
  HistoryGroup* committed = group.get();
  // A group that cannot be undone is not carried out either.
  int32_t status = AppendOwned(history.undo, std::move(group));
  if (status == 0) status = RunGroup(*committed, stores, true, failure);
  if (guard != nullptr) guard->End(*committed, status);
  return status;
}

int32_t Undo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure) {
  return Replay(history, false, stores, changedStore, failure);
}

int32_t Redo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure) {
  return Replay(history, true, stores, changedStore, failure);
}

int32_t GetUndoCount(const History& history) { return static_cast<int32_t>(history.undo.size()); }
int32_t GetRedoCount(const History& history) { return static_cast<int32_t>(history.redo.size()); }

GroupItems GetUndoItems(const History& history) {
  GroupItems items;
  if (history.undo.empty()) return items;
  for (const std::unique_ptr<HistoryAction>& action : history.undo.back()->actions) {
    if (!action->applied) continue;
    if (action->IsChain()) {
      items.chains = true;
    } else {
      items.presets = true;
    }
  }
  return items;
}

GroupKind GetUndoKind(const History& history) {
  return history.undo.empty() ? GroupKind::Copy : history.undo.back()->kind;
}
GroupKind GetRedoKind(const History& history) {
  return history.redo.empty() ? GroupKind::Copy : history.redo.back()->kind;
}

void ClearUndo(History& history) { history.undo.clear(); }
void ClearRedo(History& history) { history.redo.clear(); }
