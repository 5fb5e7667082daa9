#include "edit/history.h"

#include <cstdlib>

#include "kernel/strings.h"
#include "model/model_list.h"
#include "platform/text.h"

namespace {

int32_t CreateStack(VtList** out) { return VtList_CreateExZ(sizeof(void*), 16, 16, VTLIST_LOCKING, out); }

HistoryGroup* CreateGroup(uint32_t source, uint32_t destination) {
  HistoryGroup* group = static_cast<HistoryGroup*>(calloc(1, sizeof(HistoryGroup)));
  if (group == nullptr) return nullptr;
  group->source = source;
  group->destination = destination;
  // A copy of a whole store records one action per preset.
  if (VtList_CreateExZ(sizeof(void*), 16, 16, VTLIST_LOCKING | VTLIST_GROW_BY_HALF, &group->actions) != 0) {
    free(group);
    return nullptr;
  }
  return group;
}

void DestroyGroup(HistoryGroup* group) {
  if (group == nullptr) return;
  ModelList_Destroy(group->actions);
  free(group);
}

void ClearStack(VtList* stack) {
  for (int32_t i = 0; i < VtList_Count(stack); ++i) DestroyGroup(VtList_At<HistoryGroup>(stack, i));
  VtList_Delete(stack, 0, -1, true);
}

HistoryGroup* Newest(const VtList* stack) { return VtList_At<HistoryGroup>(stack, 0); }

// Runs every action of the group one way. The first failure is what the
// caller hears of; without one, the last action's status.
int32_t RunGroup(HistoryGroup& group, Stores& stores, bool apply) {
  int32_t last = 0;
  int32_t firstFailure = 0;
  for (int32_t i = 0; i < VtList_Count(group.actions); ++i) {
    HistoryAction* action = ModelList_At<HistoryAction>(group.actions, i);
    if (action == nullptr) continue;
    last = apply ? action->Apply(stores) : action->Revert(stores);
    if (StatusFailed(last) && firstFailure == 0) firstFailure = last;
  }
  return firstFailure != 0 ? firstFailure : last;
}

// Moves the newest group of `from` onto `to`, running it on the way.
int32_t Replay(VtList* from, VtList* to, bool apply, Stores& stores, uint32_t* changedStore) {
  HistoryGroup* group = Newest(from);
  if (group == nullptr) return 0;
  VtList_Delete(from, 0, 1, true);
  if (changedStore != nullptr) *changedStore = group->destination;
  int32_t status = RunGroup(*group, stores, apply);
  // Without room on the other stack the group cannot be replayed again.
  if (VtList_Insert(to, 0, 1, &group) != 0) DestroyGroup(group);
  return status;
}

void CopyName(const HistoryGroup* group, char* buffer, size_t size) {
  if (size == 0) return;
  Text_Copy(buffer, size, group != nullptr ? group->name : "");
}

}  // namespace

History* CreateHistory() {
  History* history = static_cast<History*>(calloc(1, sizeof(History)));
  if (history == nullptr) return nullptr;
  if (CreateStack(&history->redo) != 0 || CreateStack(&history->undo) != 0) {
    DestroyHistory(history);
    return nullptr;
  }
  return history;
}

void DestroyHistory(History* history) {
  if (history == nullptr) return;
  DiscardGroup(*history);
  ClearStack(history->redo);
  ClearStack(history->undo);
  VtList_Destroy(history->redo);
  VtList_Destroy(history->undo);
  free(history);
}

void BeginGroup(History& history, uint32_t source, uint32_t destination) {
  DiscardGroup(history);
  history.pending = CreateGroup(source, destination);
  history.overwriteAnswer = kOverwriteAsk;
}

void SetGroupName(History& history, VtLang* strings, uint32_t id) {
  if (history.pending == nullptr) return;
  VtLoadString(strings, id, history.pending->name, sizeof(history.pending->name));
}

void AddAction(History& history, HistoryAction* action) {
  if (action == nullptr) return;
  if (history.pending == nullptr || ModelList_Append(&history.pending->actions, action) != 0) {
    DestroyModelObject(action);
  }
}

void DiscardGroup(History& history) {
  DestroyGroup(history.pending);
  history.pending = nullptr;
}

int32_t GetPendingActionCount(const History& history) {
  return history.pending != nullptr ? VtList_Count(history.pending->actions) : 0;
}

int32_t CommitGroup(History& history, Stores& stores) {
  HistoryGroup* group = history.pending;
  history.pending = nullptr;
  if (group == nullptr) return E_FAIL;
  if (VtList_Count(group->actions) == 0) {
    DestroyGroup(group);
    return E_FAIL;
  }
  ClearRedo(history);
  if (VtList_Insert(history.undo, 0, 1, &group) != 0) {
    // A group that cannot be undone is not carried out either.
    DestroyGroup(group);
    return E_OUTOFMEMORY;
  }
  return RunGroup(*group, stores, true);
}

int32_t Undo(History& history, Stores& stores, uint32_t* changedStore) {
  return Replay(history.undo, history.redo, false, stores, changedStore);
}

int32_t Redo(History& history, Stores& stores, uint32_t* changedStore) {
  return Replay(history.redo, history.undo, true, stores, changedStore);
}

int32_t GetUndoCount(const History& history) { return VtList_Count(history.undo); }
int32_t GetRedoCount(const History& history) { return VtList_Count(history.redo); }

void GetUndoName(const History& history, char* buffer, size_t size) { CopyName(Newest(history.undo), buffer, size); }
void GetRedoName(const History& history, char* buffer, size_t size) { CopyName(Newest(history.redo), buffer, size); }

void ClearUndo(History& history) { ClearStack(history.undo); }
void ClearRedo(History& history) { ClearStack(history.redo); }
