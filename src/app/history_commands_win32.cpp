// Undo and Redo: the newest step is taken back or carried out again, and
// the pane of the store it changed shows the result, also when a part of
// the step failed (which is then reported). A step that would replace an
// item made or changed since asks the overwrite question first; declined,
// it changes nothing.
#include <windows.h>

#include <cstdio>

#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "app/overwrite_box_win32.h"
#include "kernel/msgbox.h"
#include "kernel/strings.h"
#include "platform/text.h"
#include "resource.h"

// The error box names the item the step stopped at and what failed there.
void ShowItemFailure(FrameState& frame, uint32_t failureId, const ActionFailure& failure, int32_t status) {
  char operation[512];
  VtLoadString(frame.strings, failureId, operation, sizeof(operation));
  char argument[kItemTextSize + kStoreFailureSize + 8] = {};
  if (failure.item[0] != '\0') {
    Text_Append(operation, sizeof(operation), " (%s)");
    snprintf(argument, sizeof(argument), failure.detail[0] != '\0' ? "%s: %s" : "%s%s", failure.item, failure.detail);
  }
  ModalScope modal(frame.modal);
  VtErrorHandler_MsgBox(frame.window, MB_OK | MB_ICONEXCLAMATION, VtOperationText(operation), status,
                        argument[0] != '\0' ? argument : nullptr, false);
}

namespace {

using StepFunction = int32_t (*)(History& history, Stores& stores, StoreId* changedStore, ActionFailure* failure,
                                 OverwriteQuestion* question);

void TakeStep(FrameState& frame, int32_t available, StepFunction step, uint32_t failureId) {
  if (available == 0) return;
  StoreId changed = StoreId::Package;
  ActionFailure failure;
  OverwriteBox question(frame);
  int32_t status = step(frame.history, frame.stores, &changed, &failure, &question);
  if (status == E_CANCELLED) return;  // declined at the question: nothing changed
  RefreshStorePane(frame, changed);
  if (status < 0) ShowItemFailure(frame, failureId, failure, failure.status < 0 ? failure.status : status);
}

}  // namespace

void UndoLastStep(FrameState& frame) { TakeStep(frame, GetUndoCount(frame.history), Undo, IDS_UNDO_FAILED); }

void RedoLastStep(FrameState& frame) { TakeStep(frame, GetRedoCount(frame.history), Redo, IDS_REDO_FAILED); }
