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
#include "app/work_progress_win32.h"
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

struct StepTexts {
  uint32_t progress;  // the progress window's caption
  uint32_t stopped;   // how far the step got when the user stopped it
  uint32_t failed;    // the error box of a step that failed
};

void TakeStep(FrameState& frame, int32_t available, StepFunction step, const StepTexts& texts) {
  if (available == 0) return;
  StoreId changed = StoreId::Package;
  ActionFailure failure;
  OverwriteBox question(frame);
  WorkProgress work(frame, texts.progress);
  int32_t status = step(frame.history, frame.stores, &changed, &failure, &question);
  RefreshStorePane(frame, changed);
  if (status == E_CANCELLED) {
    work.ReportStop(texts.stopped);
  } else if (status < 0) {
    ShowItemFailure(frame, texts.failed, failure, failure.status < 0 ? failure.status : status);
  }
}

}  // namespace

void UndoLastStep(FrameState& frame) {
  TakeStep(frame, GetUndoCount(frame.history), Undo, {IDS_PROGRESS_UNDO, IDS_STOPPED_UNDO, IDS_UNDO_FAILED});
}

void RedoLastStep(FrameState& frame) {
  TakeStep(frame, GetRedoCount(frame.history), Redo, {IDS_PROGRESS_REDO, IDS_STOPPED_REDO, IDS_REDO_FAILED});
}
