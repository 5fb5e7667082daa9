#include "edit/group_journal.h"

#include <cstdio>
#include <new>

#include "journal/journal_capture.h"
#include "journal/journal_folder.h"
#include "journal/journal_restore.h"
#include "platform/clock.h"
#include "platform/text.h"

namespace {

JournalOperation OperationOf(const HistoryGroup& group, GroupStep step, JournalOperation commit) {
  switch (step) {
    case GroupStep::Undo: return JournalOperation::Undo;
    case GroupStep::Redo: return JournalOperation::Redo;
    case GroupStep::Commit: break;
  }
  return group.kind == GroupKind::Delete ? JournalOperation::Delete : commit;
}

int32_t Refuse(ActionFailure* failure, int32_t status, const char* folder, const char* reason) {
  if (failure != nullptr && failure->status == 0) {
    failure->status = status;
    snprintf(failure->detail, sizeof(failure->detail),
             "the journal folder %s could not be written (%s); nothing was changed", folder, reason);
  }
  return status;
}

}  // namespace

int32_t GroupJournal::Begin(const HistoryGroup& group, GroupStep step, ActionFailure* failure) {
  id_.clear();
  keep_ = false;
  Journal journal;
  int32_t status = 0;
  try {
    std::vector<JournalTarget> targets;
    for (const std::unique_ptr<HistoryAction>& action : group.actions) action->AddJournalTargets(&targets);
    if (targets.empty()) return 0;
    status = CaptureJournal(targets, OperationOf(group, step, commitOperation), &journal);
  } catch (const std::bad_alloc&) {
    status = E_OUTOFMEMORY;
  }
  if (status != 0) return Refuse(failure, status, "(the store could not be read)", "nothing could be recorded");
  journal.time = Clock_UnixSeconds();
  JournalRefusal refusal;
  status = BeginJournal(journal, &id_, &refusal);
  if (status != 0) {
    id_.clear();
    return Refuse(failure, status, refusal.folder.c_str(), refusal.reason.c_str());
  }
  keep_ = journal.HoldsReplacedData();
  if (keep_) journal_ = std::move(journal);
  return 0;
}

void GroupJournal::End(const HistoryGroup&, int32_t status) {
  if (id_.empty()) return;
  // A backup restores an item only while it is as the group left it.
  std::vector<uint64_t> after;
  bool keep = keep_ && CurrentDigests(journal_, &after) == 0;
  FinishJournal(id_, keep, status, after);
  id_.clear();
  journal_ = Journal{};
}
