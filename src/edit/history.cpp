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
// `*stoppedAt` receives the index of the first action the progress watcher
// kept from running, or the action count when it ran them all.
int32_t RunGroup(HistoryGroup& group, Stores& stores, bool apply, ActionFailure* failure, GroupProgress* progress,
                 size_t* stoppedAt) {
  int32_t firstFailure = 0;
  size_t count = group.actions.size();
  *stoppedAt = count;
  std::vector<bool> reverted(count, false);
  for (size_t i = 0; i < count; ++i) {
    if (progress != nullptr && !progress->Step(static_cast<int32_t>(i), static_cast<int32_t>(count))) {
      *stoppedAt = i;
      break;
    }
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

// The first `count` actions of `group`, moved into a group of their own.
std::unique_ptr<HistoryGroup> SplitOff(HistoryGroup& group, size_t count) {
  std::unique_ptr<HistoryGroup> part = MakeOwned<HistoryGroup>();
  if (!part) return part;
  part->source = group.source;
  part->destination = group.destination;
  part->kind = group.kind;
  for (size_t i = 0; i < count; ++i) {
    if (AppendOwned(part->actions, std::move(group.actions[i])) != 0) {
      // Without room the part stays with the group: put back what moved.
      for (size_t k = 0; k < part->actions.size(); ++k) group.actions[k] = std::move(part->actions[k]);
      return nullptr;
    }
  }
  group.actions.erase(group.actions.begin(), group.actions.begin() + static_cast<std::ptrdiff_t>(count));
  return part;
}

// Moves the newest group of `from` onto `to`, running it on the way; work
// stopped part-way splits the group where it stopped.
int32_t Replay(std::vector<std::unique_ptr<HistoryGroup>>& from, std::vector<std::unique_ptr<HistoryGroup>>& to,
               bool apply, Stores& stores, StoreId* changedStore, ActionFailure* failure, GroupProgress* progress) {
  if (from.empty()) return 0;
  HistoryGroup& group = *from.back();
  if (changedStore != nullptr) *changedStore = group.destination;
  size_t stoppedAt = 0;
  int32_t status = RunGroup(group, stores, apply, failure, progress, &stoppedAt);
  if (stoppedAt < group.actions.size()) {
    std::unique_ptr<HistoryGroup> done = stoppedAt > 0 ? SplitOff(group, stoppedAt) : nullptr;
    if (done) AppendOwned(to, std::move(done));
    return E_CANCELLED;
  }
  std::unique_ptr<HistoryGroup> whole = std::move(from.back());
  from.pop_back();
  // Without room on the other stack the group cannot be replayed again.
  AppendOwned(to, std::move(whole));
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
  ClearRedo(history);
  HistoryGroup* committed = group.get();
  // A group that cannot be undone is not carried out either.
  int32_t status = AppendOwned(history.undo, std::move(group));
  if (status != 0) return status;
  size_t stoppedAt = 0;
  status = RunGroup(*committed, stores, true, failure, history.progress, &stoppedAt);
  if (stoppedAt == committed->actions.size()) return status;
  // What was never carried out is not part of the step.
  committed->actions.erase(committed->actions.begin() + static_cast<std::ptrdiff_t>(stoppedAt),
                           committed->actions.end());
  if (committed->actions.empty()) history.undo.pop_back();
  return E_CANCELLED;
}

int32_t Undo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure) {
  return Replay(history.undo, history.redo, false, stores, changedStore, failure, history.progress);
}

int32_t Redo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure) {
  return Replay(history.redo, history.undo, true, stores, changedStore, failure, history.progress);
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
