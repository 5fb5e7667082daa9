#include "edit/history.h"

#include <cstdio>

#include "model/owned.h"
#include "platform/text.h"

namespace {

void Describe(const HistoryAction& action, const StoreFailure& cause, int32_t status, ActionFailure* failure) {
  if (failure == nullptr || failure->status != 0) return;
  failure->status = status;
  action.NameItem(failure->item, sizeof(failure->item));
  Text_Copy(failure->detail, sizeof(failure->detail), cause.detail);
}

// Runs the group's actions one way: every action forward in recording
// order, or back, newest first, those that were carried out. Taking back in
// reverse lets two actions on the same key (an overwrite that moved a chain
// away and a copy that took its key) each find what the later one left.
// The first failure is what the caller hears of. `*done` receives how many
// actions, in the order they run, the progress watcher let run: the action
// count when it ran them all.
int32_t RunGroup(HistoryGroup& group, Stores& stores, bool apply, ActionFailure* failure, GroupProgress* progress,
                 size_t* done) {
  int32_t firstFailure = 0;
  size_t count = group.actions.size();
  *done = count;
  std::vector<bool> reverted(count, false);
  for (size_t step = 0; step < count; ++step) {
    if (progress != nullptr && !progress->Step(static_cast<int32_t>(step), static_cast<int32_t>(count))) {
      *done = step;
      break;
    }
    size_t i = apply ? step : count - 1 - step;
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

// Whether the step may go on over the items it did not leave where it would
// replace or remove them: asks about each, or without a question describes
// the first. 0 to go on, else E_CANCELLED.
int32_t ClearConflicts(HistoryGroup& group, Stores& stores, bool apply, OverwriteQuestion* question,
                       ActionFailure* failure) {
  size_t count = 0;
  ActionConflict conflict;
  for (const std::unique_ptr<HistoryAction>& action : group.actions) {
    if ((apply || action->applied) && action->FindConflict(stores, apply, &conflict)) {
      if (question == nullptr) {
        StoreFailure cause;
        snprintf(cause.detail, sizeof(cause.detail),
                 "\"%s\" there now was made or changed since this step; nothing was changed", conflict.name);
        Describe(*action, cause, E_CANCELLED, failure);
        return E_CANCELLED;
      }
      ++count;
    }
  }
  for (const std::unique_ptr<HistoryAction>& action : group.actions) {
    if (count == 0) break;
    if (!(apply || action->applied) || !action->FindConflict(stores, apply, &conflict)) continue;
    OverwriteAnswer answer = question->Ask(OverwriteItem{conflict.kind, conflict.name, group.destination, count >= 2});
    if (answer == OverwriteAnswer::YesToAll) break;
    if (answer != OverwriteAnswer::Yes) return E_CANCELLED;
  }
  return 0;
}

// The actions [first, first + count) of `group`, moved into a group of their own.
std::unique_ptr<HistoryGroup> SplitOff(HistoryGroup& group, size_t first, size_t count) {
  std::unique_ptr<HistoryGroup> part = MakeOwned<HistoryGroup>();
  if (!part) return part;
  part->source = group.source;
  part->destination = group.destination;
  part->kind = group.kind;
  for (size_t i = first; i < first + count; ++i) {
    if (AppendOwned(part->actions, std::move(group.actions[i])) != 0) {
      // Without room the part stays with the group: put back what moved.
      for (size_t k = 0; k < part->actions.size(); ++k) group.actions[first + k] = std::move(part->actions[k]);
      return nullptr;
    }
  }
  auto begin = group.actions.begin() + static_cast<std::ptrdiff_t>(first);
  group.actions.erase(begin, begin + static_cast<std::ptrdiff_t>(count));
  return part;
}

// Moves the newest group of `from` onto `to`, running it on the way. A step
// stopped over an item it did not leave changes nothing and stays on `from`;
// work the progress watcher stopped part-way splits the group where it
// stopped: what ran moves to `to` (the first actions going forward, the last
// going back), the rest stays.
int32_t Replay(std::vector<std::unique_ptr<HistoryGroup>>& from, std::vector<std::unique_ptr<HistoryGroup>>& to,
               bool apply, Stores& stores, StoreId* changedStore, ActionFailure* failure, OverwriteQuestion* question,
               GroupProgress* progress) {
  if (from.empty()) return 0;
  HistoryGroup& group = *from.back();
  if (changedStore != nullptr) *changedStore = group.destination;
  int32_t status = ClearConflicts(group, stores, apply, question, failure);
  if (status != 0) return status;
  size_t done = 0;
  status = RunGroup(group, stores, apply, failure, progress, &done);
  size_t count = group.actions.size();
  if (done < count) {
    std::unique_ptr<HistoryGroup> part = done > 0 ? SplitOff(group, apply ? 0 : count - done, done) : nullptr;
    if (part) AppendOwned(to, std::move(part));
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

bool HistoryAction::FindConflict(Stores&, bool, ActionConflict*) const { return false; }

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

int32_t Undo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure,
             OverwriteQuestion* question) {
  return Replay(history.undo, history.redo, false, stores, changedStore, failure, question, history.progress);
}

int32_t Redo(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure,
             OverwriteQuestion* question) {
  return Replay(history.redo, history.undo, true, stores, changedStore, failure, question, history.progress);
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
