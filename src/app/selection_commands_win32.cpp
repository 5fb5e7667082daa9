// Copy to File, Copy to System and Delete: the active pane's selection is
// read from its controls, handed to the edit layer as one group, and the
// changed store's pane shows the result; a failure is reported by item.
#include "app/selection_commands_win32.h"

#include "app/frame_parts_win32.h"
#include "app/frame_win32.h"
#include "app/overwrite_box_win32.h"
#include "platform/status.h"
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

}  // namespace

PaneCopyResult CopyPaneSelection(FrameState& frame, Pane& source, FocusKind focus) {
  PaneCopyResult result;
  if (frame.paneCount < 2) return result;
  Selection selection;
  int32_t status = GatherSelection(source, focus, &selection);
  if (status == 0 && selection.names.Count() == 0) return result;
  StoreId destination = OtherStore(source.store);
  SelectionCoverage coverage = CoverageOf(frame.stores, source.store, selection);
  OverwriteBox question(frame);
  EditContext edit = {frame.stores, frame.history, &question};
  EditOutcome outcome = status == 0 ? CopySelectionToOtherStore(edit, source.store, selection)
                                    : EditOutcome{status, false, destination, {}};
  ShowOutcome(frame, outcome, IDS_COPY_FAILED, IDS_COPY_INCOMPLETE);
  result.recorded = outcome.committed;
  result.copiedPresets = outcome.committed && coverage.presets;
  result.copiedChains = outcome.committed && coverage.chains;
  return result;
}

bool DeletePaneSelection(FrameState& frame, Pane& pane, FocusKind focus) {
  if (frame.paneCount < 2) return false;
  Selection selection;
  int32_t status = GatherSelection(pane, focus, &selection);
  if (status == 0 && selection.names.Count() == 0) return false;
  EditContext edit = {frame.stores, frame.history, nullptr};
  EditOutcome outcome =
      status == 0 ? DeleteSelection(edit, pane.store, selection) : EditOutcome{status, false, pane.store, {}};
  ShowOutcome(frame, outcome, IDS_DELETE_INCOMPLETE, IDS_DELETE_INCOMPLETE);
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
