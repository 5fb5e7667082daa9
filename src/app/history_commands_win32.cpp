// Undo and Redo: the newest step is taken back or carried out again, and
// the pane of the store it changed shows the result, also when a part of
// the step failed (which is then reported).
#include <windows.h>

#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "resource.h"

namespace {

using StepFunction = int32_t (*)(History& history, Stores& stores, StoreId* changedStore);

void TakeStep(FrameState& frame, int32_t available, StepFunction step, uint32_t failureId) {
  if (available == 0) return;
  StoreId changed = StoreId::Package;
  int32_t status = step(frame.history, frame.stores, &changed);
  RefreshStorePane(frame, changed);
  if (status < 0) ShowFrameError(frame, failureId, status);
}

}  // namespace

void UndoLastStep(FrameState& frame) { TakeStep(frame, GetUndoCount(frame.history), Undo, IDS_UNDO_FAILED); }

void RedoLastStep(FrameState& frame) { TakeStep(frame, GetRedoCount(frame.history), Redo, IDS_REDO_FAILED); }
