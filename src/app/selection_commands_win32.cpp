// Copy to File, Copy to System and Delete: the active pane's selection is
// read from its controls, handed to the edit layer as one group, and the
// changed store's pane shows the result; a failure is reported by item.
#include "app/selection_commands_win32.h"

#include "app/delete_question.h"
#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "app/overwrite_box_win32.h"
#include "app/work_progress_win32.h"
#include "kernel/msgbox.h"
#include "platform/status.h"
#include "platform/text.h"
#include "resource.h"
#include "views/selection_gather_win32.h"

namespace {

// The changed store's pane is rebuilt whenever a group went onto the undo
// stack, also when one of its actions failed; then, or when an item was
// refused before anything was written, the error box names the item.
// Cancel and a copy with nothing to do show nothing.
void ShowOutcome(FrameState& frame, const EditOutcome& outcome, uint32_t refusedId, uint32_t incompleteId) {
  if (outcome.committed) RefreshStorePane(frame, outcome.changedStore);
  if (!StatusFailed(outcome.status) || outcome.status == E_CANCELLED) return;
  bool nothingToDo = outcome.status == E_FAIL && !outcome.committed && outcome.failure.item[0] == '\0';
  if (nothingToDo) return;
  int32_t status = StatusFailed(outcome.failure.status) ? outcome.failure.status : outcome.status;
  ShowItemFailure(frame, outcome.committed ? incompleteId : refusedId, outcome.failure, status);
}

// Items that no store can hold were left out of the copy: the box says
// which, one to a line, as many as it has room for.
void ShowLeftOut(FrameState& frame, const NameList& leftOut) {
  if (leftOut.Count() == 0) return;
  char lines[2048] = {};
  for (int32_t i = 0; i < leftOut.Count(); ++i) {
    Text_Append(lines, sizeof(lines), "\n");
    Text_Append(lines, sizeof(lines), leftOut.At(i));
  }
  ShowFrameBox(frame, MB_OK | MB_ICONINFORMATION, IDS_COPY_LEFT_OUT, lines);
}

// A delete that takes much from this computer asks first (No is the
// default): several plug-ins' presets, a whole group, or more than a few
// items. The package is only written by Save, so deletes there never ask.
bool ConfirmDelete(FrameState& frame, StoreId store, const std::vector<Selection>& selections) {
  DeleteScope scope;
  for (const Selection& selection : selections) {
    DeleteScope part = MeasureDelete(frame.stores, store, selection);
    scope.presets += part.presets;
    scope.plugIns += part.plugIns;
    scope.chains += part.chains;
    scope.wholeGroup = scope.wholeGroup || part.wholeGroup;
  }
  if (!DeleteNeedsConfirmation(store, scope) || scope.presets + scope.chains == 0) return true;
  char question[512];
  FormatDeleteQuestion(frame.strings, scope, question, sizeof(question));
  ModalScope modal(frame.modal);
  return VtMsgBox(frame.window, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, "%s", question) == IDYES;
}

}  // namespace

PaneCopyResult CopyPaneSelection(FrameState& frame, Pane& source, FocusKind focus) {
  PaneCopyResult result;
  if (frame.paneCount < 2) return result;
  std::vector<Selection> selections;
  int32_t status = GatherShownSelections(source, focus, &selections);
  if (status == 0 && selections.empty()) return result;
  StoreId destination = OtherStore(source.store);
  OverwriteBox question(frame);
  EditContext edit = {frame.stores, frame.history, &question};
  WorkProgress work(frame, IDS_PROGRESS_COPY);
  EditOutcome outcome =
      status == 0 ? CopySelectionsToOtherStore(edit, source.store, selections.data(), static_cast<int>(selections.size()))
                  : EditOutcome{status, false, destination, {}};
  ShowOutcome(frame, outcome, IDS_COPY_FAILED, IDS_COPY_INCOMPLETE);
  work.ReportStop(IDS_STOPPED_GROUP);
  bool refused = !outcome.committed && outcome.failure.item[0] != '\0';
  if (outcome.status != E_CANCELLED && !refused) ShowLeftOut(frame, edit.leftOut);
  result.recorded = outcome.committed;
  if (outcome.committed) {
    GroupItems arrived = GetUndoItems(frame.history);
    result.copiedPresets = arrived.presets;
    result.copiedChains = arrived.chains;
  }
  return result;
}

bool DeletePaneSelection(FrameState& frame, Pane& pane, FocusKind focus) {
  if (frame.paneCount < 2) return false;
  std::vector<Selection> selections;
  int32_t status = GatherShownSelections(pane, focus, &selections);
  if (status == 0 && selections.empty()) return false;
  if (status == 0 && !ConfirmDelete(frame, pane.store, selections)) return false;
  EditContext edit = {frame.stores, frame.history, nullptr};
  WorkProgress work(frame, IDS_PROGRESS_DELETE);
  EditOutcome outcome = status == 0 ? DeleteSelections(edit, pane.store, selections.data(),
                                                       static_cast<int>(selections.size()))
                                    : EditOutcome{status, false, pane.store, {}};
  ShowOutcome(frame, outcome, IDS_DELETE_INCOMPLETE, IDS_DELETE_INCOMPLETE);
  work.ReportStop(IDS_STOPPED_GROUP);
  return outcome.committed;
}

void RunCopyCommand(FrameState& frame) {
  if (frame.paneCount < 2) return;
  CopyPaneSelection(frame, frame.panes[frame.activePane], GetFocusKind(frame));
}

void RunDeleteCommand(FrameState& frame) {
  if (frame.paneCount < 2) return;
  DeletePaneSelection(frame, frame.panes[frame.activePane], GetFocusKind(frame));
}
